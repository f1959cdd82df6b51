# SPDX-License-Identifier: MIT
# Sourced by the scripts that drive the real program in a real X session. The calling script
# defines fail() and keeps the program's process id in $app.

# Where the scripts click, in pixels of the window's client area: the main window's controls,
# the settings panel's (and a blank spot of it), and the about window's as About_*.
Image1="24 400" Image11="584 400" Image13="104 296" Label6="20 360" Text1="200 300"
Label24="440 80" Label26="440 128" Label29="440 214" Label30="430 160" Label31="440 176"
Label32="545 168" Label33="540 192" Panel="628 148" About_Label4="56 78" About_Label6="20 142"

# Clicks (or double-clicks) a window at a place of the table: x_click WINDOW "X Y" [2].
x_click() {
    # shellcheck disable=SC2086
    xdotool mousemove --window "$1" $2 click --repeat "${3:-1}" --delay 80 1
}

. "$(dirname "$0")/skip.sh"

# Runs the calling script again inside Xvfb (x_session "$0" "$@"); inside, starts the window
# manager that title bars, alt+F4 and window activation need, and waits until it is up.
x_session() {
    need xvfb-run xdotool openbox xprop
    if [ -z "${INSIDE_XVFB:-}" ]; then
        export INSIDE_XVFB=1
        exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
    fi
    openbox >/dev/null 2>&1 &
    x_wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
}
x_stop_session() { kill "$x_wm" 2>/dev/null; }

# Waits for the main window as it opens and prints its id.
x_main_window() {
    timeout 20 xdotool search --sync --onlyvisible --name '^Astrelo - Beran$' | head -n 1
}

# Sends alt+F4 to a window once the window manager has made it the active one: on a busy
# machine that can come after windowactivate returns.
x_alt_f4() {
    xdotool windowactivate --sync "$1" 2>/dev/null
    for _ in $(seq 30); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && break
        sleep 0.1
    done
    xdotool key --clearmodifiers alt+F4
}

# Sends alt+F4 to window $1 up to $2 times, until the command that follows succeeds (it is
# tried for 3 s after each key): now and then the key goes out before the window manager has
# focused the window, and reaches no window.
x_alt_f4_until() {
    x_window=$1 x_tries=$2
    shift 2
    for _ in $(seq "$x_tries"); do
        x_alt_f4 "$x_window"
        for _ in $(seq 30); do
            "$@" && return 0
            sleep 0.1
        done
    done
    return 1
}
x_app_ended() { ! kill -0 "$app" 2>/dev/null; }

# Closes a window with alt+F4 and expects the program to end with status 0.
x_close_and_expect_exit() {
    x_alt_f4_until "$1" 5 x_app_ended || fail "the program did not end when its window closed"
    wait "$app"
    x_status=$?
    app=
    [ "$x_status" -eq 0 ] || fail "exit status $x_status"
}

# Starts the accessibility bus of this (private) D-Bus session and waits until it answers; its
# process id is left in $launcher.
x_accessibility_bus() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    launcher=$!
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
