#!/bin/sh
# SPDX-License-Identifier: MIT
# The real program in empty or hostile surroundings, driven from outside under Xvfb with a
# window manager (xsession.sh): found by its title, clicked, closed with alt+F4.
# usage: tst_environment.sh CASE PATH/TO/astrelo [PATH/TO/desktop_probe]
#   nothing-written  HOME, TMPDIR and every XDG_* folder empty: browsing, the panel and the
#                    about window write nothing, and a second start looks like the first; the
#                    session bus is found in XDG_RUNTIME_DIR; without that folder nothing is said
#                    or written, and the link's browser gets the user's TMPDIR, or none
#   no-display       no display, or one that does not answer: one line on standard error,
#                    exit status 1, no core dump
#   no-browser       no xdg-open, one that fails, one that never returns: both windows go on
#   missing-font     only DejaVu, or no font at all: every face can be chosen
#   look             a dark GTK theme, a style override and Qt's options change no pixel of
#                    either window or the panel; a double-click on the panel hides it
#   about-window     no taskbar or pager entry, no owner; minimised, the topic icon brings it back
#   screen-reader    over the AT-SPI bus: tests/screenreader.py presses, reads states and text
#   wayland          under a headless Weston (the probe): both windows at their sizes, nothing
#                    on standard error, exit status 0
set -u
case_name=$1
program=$(realpath "$2")
probe=${3:-}
. "$(dirname "$0")/xsession.sh"
fail() {
    echo "FAIL: $*"
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    exit 1
}
# Waits up to 10 s for a file to have content.
wait_for() { for _ in $(seq 100); do [ -s "$1" ] && return; sleep 0.1; done; }

# The program without a display, in an environment ($3...): status 1, no core file, and one
# line on standard error that names the display ($2).
no_display() {
    label=$1 names=$2 dir=$(mktemp -d)
    shift 2
    # shellcheck disable=SC3045
    (cd "$dir" && ulimit -c unlimited 2>/dev/null
        exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" 2>err >/dev/null)
    status=$?
    message=$(cat "$dir/err") lines=$(wc -l <"$dir/err") cores=$(find "$dir" -name 'core*' | wc -l)
    rm -rf "$dir"
    [ "$status" -eq 1 ] || fail "$label: exit status $status, expected 1"
    [ "$lines $cores" = "1 0" ] || fail "$label: $lines lines on standard error, $cores cores: $message"
    case $message in *"$names"*) ;; *) fail "$label: the line does not name $names: $message" ;; esac
    echo "ok: $label: \"$message\""
}

case $case_name in
no-display)
    no_display "no DISPLAY or WAYLAND_DISPLAY" "DISPLAY"
    n=99 # a display number nothing listens on
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    no_display "DISPLAY=:$n with no server" "\":$n\"" DISPLAY=":$n"
    no_display "no Wayland session" "" WAYLAND_DISPLAY=astrelo-nowhere XDG_SESSION_TYPE=wayland
    no_display "Wayland without a runtime folder" "" -u XDG_RUNTIME_DIR WAYLAND_DISPLAY=wayland-0 \
        XDG_SESSION_TYPE=wayland
    echo "PASS: no display"
    exit 0
    ;;
wayland)
    need weston
    work=$(mktemp -d)
    trap 'kill "$weston" 2>/dev/null; rm -rf "$work"' EXIT
    mkdir -m 700 "$work/runtime"
    XDG_RUNTIME_DIR="$work/runtime" weston --backend=headless-backend.so --socket=astrelo \
        --idle-time=0 >"$work/weston.log" 2>&1 &
    weston=$!
    for _ in $(seq 100); do [ -S "$work/runtime/astrelo" ] && break; sleep 0.1; done
    [ -S "$work/runtime/astrelo" ] || fail "weston did not start: $(cat "$work/weston.log")"
    env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=astrelo \
        XDG_SESSION_TYPE=wayland "$probe" >"$work/out" 2>"$work/err" || fail "exit status $?: $(cat "$work/err")"
    [ -s "$work/err" ] && fail "standard error: $(cat "$work/err")"
    [ "$(sort "$work/out" | tr '\n' ' ')" = "Form1 665x449 Form2 282x186 " ] \
        || fail "window sizes: $(cat "$work/out")"
    echo "PASS: native on Wayland"
    exit 0
    ;;
screen-reader) # on a session bus of its own, with the accessibility bus on it
    if [ -z "${INSIDE_DBUS:-}" ]; then
        need dbus-run-session /usr/bin/python3 /usr/libexec/at-spi-bus-launcher
        /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
        export INSIDE_DBUS=1
        exec dbus-run-session -- "$0" "$@"
    fi
    ;;
esac

x_session "$0" "$@"
need xwd od xlogo
work=$(mktemp -d)
trap 'x_stop_session; kill "${other:-}" 2>/dev/null; rm -rf "$work"' EXIT

# Starts the program (env arguments before it) and waits for its main window, $wid.
start() {
    # shellcheck disable=SC2086
    env "$@" "$program" ${program_args:-} >"$work/stdout" 2>"$work/stderr" &
    app=$!
    wid=$(x_main_window)
    [ -n "$wid" ] || fail "no window titled \"Astrelo - Beran\" (the program said: $(cat "$work/stderr"))"
    settle "$work/started"
}
# Clicks a thumbnail and waits for the title that names its sign.
choose() {
    x_click "$wid" "$1"
    timeout 10 xdotool search --sync --name "^Astrelo - $2\$" >/dev/null || fail "no title \"Astrelo - $2\""
}
quit() { x_close_and_expect_exit "$wid"; }
open_about() {
    x_click "$wid" "$Image13"
    about=$(timeout 10 xdotool search --sync --onlyvisible --name '^O programu$' | head -n 1)
    [ -n "$about" ] || fail "the about window did not open"
    settle "$work/about" "$about"
}
about_gone() { ! xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$about"; }
close_about() { x_alt_f4_until "$about" 3 about_gone || fail "the about window did not close"; }
# A double-click on the text calls up the settings panel: waits until it shows.
open_panel() {
    grab "$work/before-panel"
    x_click "$wid" "$Text1" 2
    settle "$work/panel" "$wid" other "$work/before-panel"
}

# The pixels of a window's client area (the main window's unless given), without the dump's
# header and colour map.
be32() { od -An -tu1 -j "$2" -N4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'; }
grab() {
    xwd -silent -id "${2:-$wid}" >"$work/dump" || return
    tail -c +$(($(be32 "$work/dump" 0) + $(be32 "$work/dump" 76) * 12 + 1)) "$work/dump" >"$1"
}
# Grabs a window into $1 until $steady grabs in a row (50 ms or more apart) are the same, and,
# given "same FILE" or "other FILE", the grab is that file or not. After 10 s the last grab is
# the one to judge.
steady=1
settle() {
    shot=$1 window=${2:-$wid} how=${3:-} reference=${4:-} stable=0
    grab "$shot" "$window"
    for _ in $(seq 200); do
        sleep 0.05
        mv "$shot" "$shot.last"
        grab "$shot" "$window"
        if cmp -s "$shot" "$shot.last"; then stable=$((stable + 1)); else stable=0; fi
        [ "$stable" -ge "$steady" ] || continue
        case $how in
        same) cmp -s "$shot" "$reference" && return ;;
        other) cmp -s "$shot" "$reference" || return ;;
        *) return ;;
        esac
    done
}
# A settled grab (settle's arguments) with the pointer away from every control and the focus
# on another program's window, so that no caret is drawn. The program hides its caret only once
# it has read its focus-out event, later on a busy machine: the grab must stay the same for a
# second, in which a caret still shown would have blinked.
snapshot() {
    xdotool mousemove 1010 700
    if [ -z "${other:-}" ]; then
        xlogo -geometry 40x40+980+720 >/dev/null 2>&1 &
        other=$!
        other_wid=$(timeout 10 xdotool search --sync --onlyvisible --class xlogo | head -n 1)
    fi
    xdotool windowactivate --sync "$other_wid" 2>/dev/null
    steady=20
    settle "$@"
    steady=1
}
# Whether two grabs are the same; if not, fails with the message and how many bytes differ.
same() { cmp -s "$1" "$2" || fail "$3: $(cmp -l "$1" "$2" 2>/dev/null | wc -l) bytes differ"; }

# Browses, changes the font through the panel, opens the about window, starts its animation
# and closes it mid-flight.
browse_and_change_font() {
    choose "$Image11" Vodnář
    x_click "$wid" "$Label6"
    open_panel
    for place in "$Label24" "$Label26" "$Label32" "$Text1"; do # larger, bold, Courier New, away
        x_click "$wid" "$place"
    done
    open_about
    x_click "$about" "$About_Label6" # the icon falls; closed in mid-flight
    sleep 0.2
    close_about
    choose "$Image1" Beran
}
# Clicks the link in the about window, and waits for the stand-in browser's notes in $1.
follow_link() {
    open_about
    x_click "$about" "$About_Label4"
    wait_for "$1"
}
nothing_left() {
    left=$(find "$root" -mindepth 1 "$@" | head -n 20)
    [ -z "$left" ] || fail "the program left files behind: $left"
}

case $case_name in
nothing-written)
    root=$work/empty
    mkdir -m 700 "$root"
    # A session's runtime folder always exists (the login manager makes it): the empty folder
    # itself. The others do not exist yet.
    set -- HOME="$root" TMPDIR="$root/tmp" XDG_RUNTIME_DIR="$root" \
        XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" XDG_CACHE_HOME="$root/cache" \
        XDG_STATE_HOME="$root/state" XDG_CONFIG_DIRS="$root/config-dirs" \
        XDG_DATA_DIRS="$root/data-dirs"
    start "$@"
    snapshot "$work/first"
    browse_and_change_font
    snapshot "$work/changed"
    cmp -s "$work/first" "$work/changed" && fail "browsing and the panel changed nothing on screen"
    quit
    nothing_left
    start "$@"
    snapshot "$work/second" "$wid" same "$work/first"
    same "$work/first" "$work/second" "the second start does not look like the first"
    quit
    nothing_left
    echo "ok: nothing written, nothing remembered"

    # Without a session bus address the program looks for the bus where XDG_RUNTIME_DIR says.
    mkdir -m 700 "$work/runtime"
    dbus-daemon --session --address="unix:path=$work/runtime/bus" --nofork >/dev/null 2>&1 &
    bus=$!
    for _ in $(seq 50); do [ -S "$work/runtime/bus" ] && break; sleep 0.1; done
    start -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$work/runtime"
    clients=$(dbus-send --bus="unix:path=$work/runtime/bus" --print-reply \
        --dest=org.freedesktop.DBus / org.freedesktop.DBus.ListNames | grep -c '":1\.')
    quit
    kill "$bus"
    [ "$clients" -ge 2 ] || fail "the program did not connect to the session bus in XDG_RUNTIME_DIR"

    # Outside a login session (no XDG_RUNTIME_DIR): nothing on standard error and nothing in
    # the temporary folder; the link goes to the opener with the user's TMPDIR, or none.
    mkdir -m 700 "$root/tmp" "$work/opener"
    printf '#!/bin/sh\necho "$1 ${TMPDIR-none}" >>"%s"\n' "$work/opened" >"$work/opener/xdg-open"
    chmod +x "$work/opener/xdg-open"
    shift 3 # HOME, TMPDIR and XDG_RUNTIME_DIR
    start -u XDG_RUNTIME_DIR HOME="$root" TMPDIR="$root/tmp" PATH="$work/opener:$PATH" "$@"
    browse_and_change_font
    follow_link "$work/opened"
    quit
    [ "$(cat "$work/opened")" = "http://www.kelmo.cz/ $root/tmp" ] \
        || fail "the link was not opened with the user's TMPDIR: $(cat "$work/opened")"
    [ -s "$work/stderr" ] && fail "standard error outside a login session: $(cat "$work/stderr")"
    nothing_left ! -path "$root/tmp"
    rm "$work/opened"
    start -u XDG_RUNTIME_DIR -u TMPDIR HOME="$root" PATH="$work/opener:$PATH" "$@"
    follow_link "$work/opened"
    quit
    [ "$(cat "$work/opened")" = "http://www.kelmo.cz/ none" ] \
        || fail "without a TMPDIR the browser was given one: $(cat "$work/opened")"
    echo "PASS: nothing written, nothing remembered, nothing said outside a login session"
    ;;
no-browser)
    mkdir "$work/empty" "$work/failing" "$work/hanging"
    printf '#!/bin/sh\necho "$@" >>"%s"\nexit 3\n' "$work/failing.log" >"$work/failing/xdg-open"
    printf '#!/bin/sh\necho $$ >>"%s"\nexec sleep 30\n' "$work/hanging.log" >"$work/hanging/xdg-open"
    chmod +x "$work/failing/xdg-open" "$work/hanging/xdg-open"
    for browser in empty failing hanging; do
        start -u BROWSER -u DEFAULT_BROWSER PATH="$work/$browser"
        open_about
        before=$(xdotool search --onlyvisible --name '.' | wc -l)
        x_click "$about" "$About_Label4"
        # The stand-in was asked, or (none on PATH) a click after the link's is handled.
        [ "$browser" = empty ] || wait_for "$work/$browser.log"
        choose "$Image11" Vodnář
        kill -0 "$app" 2>/dev/null || fail "$browser: the program ended after the link"
        after=$(xdotool search --onlyvisible --name '.' | wc -l)
        [ "$after" -eq "$before" ] || fail "$browser: $before windows before the link, $after after"
        x_click "$about" "$About_Label6" # both windows still answer
        x_click "$about" "$About_Label4"
        choose "$Image1" Beran
        quit
    done
    grep -qx 'http://www.kelmo.cz/' "$work/failing.log" || fail "the failing xdg-open was not asked"
    [ -s "$work/hanging.log" ] || fail "the hanging xdg-open was never started"
    xargs kill 2>/dev/null <"$work/hanging.log"
    echo "PASS: no browser: the link showed nothing, the windows kept working"
    ;;
missing-font)
    for fonts in '<dir>/usr/share/fonts/truetype/dejavu</dir>' ''; do
        printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>%s<cachedir>%s</cachedir></fontconfig>\n' "$fonts" "$work/cache" >"$work/fonts.conf"
        start FONTCONFIG_FILE="$work/fonts.conf"
        open_panel
        for face in "$Label30" "$Label31" "$Label32" "$Label33"; do
            x_click "$wid" "$face"
            x_click "$wid" "$Label24" # one point larger
            x_click "$wid" "$Label26" # bold
        done
        x_click "$wid" "$Label29" # the starting settings
        choose "$Image11" Vodnář
        open_about
        close_about
        quit
    done
    echo "PASS: missing font faces: every face chosen, the program kept working"
    ;;
look)
    for run in plain themed; do
        if [ "$run" = themed ]; then
            program_args="-qwindowtitle Hello -reverse -style Windows"
            start QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark QT_STYLE_OVERRIDE=Windows
        else
            start
        fi
        snapshot "$work/$run-main"
        x_click "$wid" "$Text1" 2 # the settings panel
        snapshot "$work/$run-panel" "$wid" other "$work/$run-main"
        cmp -s "$work/$run-main" "$work/$run-panel" && fail "$run: the panel did not open"
        # A double-click on a blank spot of the panel: the first press hides it, the second
        # lands on the text beneath and is a single press there.
        x_click "$wid" "$Panel" 2
        snapshot "$work/$run-after" "$wid" same "$work/$run-main"
        same "$work/$run-main" "$work/$run-after" "$run: the window after a double-click on the panel"
        open_about
        snapshot "$work/$run-about" "$about"
        quit
    done
    for shot in main panel about; do
        same "$work/plain-$shot" "$work/themed-$shot" "the $shot shot under a dark theme, a style and options"
    done
    echo "PASS: one look under a dark theme; Qt's options ignored; the panel's double-click"
    ;;
about-window)
    start
    open_about
    state=$(xprop -id "$about" _NET_WM_STATE)
    case $state in *_NET_WM_STATE_SKIP_TASKBAR*) ;; *) fail "listed in the taskbar: $state" ;; esac
    case $state in *_NET_WM_STATE_SKIP_PAGER*) ;; *) fail "listed in the pager: $state" ;; esac
    xprop -id "$about" WM_TRANSIENT_FOR | grep -q 'window id' && fail "the about window has an owner"
    xdotool windowactivate --sync "$wid"
    for _ in $(seq 100); do
        top=$(xprop -root _NET_CLIENT_LIST_STACKING | sed "s/.*[#,] //")
        [ $((top)) -eq $((wid)) ] && break
        sleep 0.1
    done
    [ $((top)) -eq $((wid)) ] || fail "the main window cannot be raised above the about window"
    xdotool windowminimize --sync "$about"
    x_click "$wid" "$Image13"
    back=$(timeout 10 xdotool search --sync --onlyvisible --name '^O programu$' | head -n 1)
    [ "$back" = "$about" ] || fail "the minimised about window did not come back"
    close_about
    quit
    echo "PASS: about window: no taskbar entry, no owner, back from minimised"
    ;;
screen-reader)
    x_accessibility_bus || fail "the accessibility bus did not start"
    # What a screen reader does when it starts: switch accessibility on for every program.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null || fail "the accessibility bus did not answer"
    start
    /usr/bin/python3 "$(dirname "$0")/screenreader.py" "$(dirname "$0")/../catalogue/texts/10105.txt" \
        || fail "screen reader check"
    quit
    kill "$launcher" 2>/dev/null
    echo "PASS: a screen reader presses, reads the states and the text"
    ;;
*)
    echo "unknown case $case_name"
    exit 2
    ;;
esac
