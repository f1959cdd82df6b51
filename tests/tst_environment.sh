#!/bin/sh
# SPDX-License-Identifier: MIT
# The real program in empty or hostile surroundings, driven from outside under Xvfb with a
# window manager (tests/xsession.sh): found by its title, clicked, closed with alt+F4.
#
# usage: tst_environment.sh CASE PATH/TO/astrelo [PATH/TO/desktop_probe]
#   nothing-written  HOME, TMPDIR and every XDG_* folder fresh and empty: browse, change the
#                    font, open and close the about window: nothing written; a second start
#                    looks exactly like the first;
#                    without XDG_RUNTIME_DIR, following the link too, nothing is said
#   no-display       no display, or one that does not answer: one line on standard error,
#                    exit status 1, no core dump
#   no-browser       no xdg-open, one that fails, one that never returns: the link shows
#                    nothing and both windows keep working
#   missing-font     fonts without the design's faces, or none at all: every face can be chosen
#   look             a dark GTK theme, a style override and Qt's options change no pixel of
#                    either window or the panel; a double-click on the panel hides it
#   about-window     no taskbar or pager entry, no owner; minimised, the topic icon brings it back
#   screen-reader    over the AT-SPI bus: tests/screenreader.py presses, reads states and text
#   wayland          under a headless Weston (the probe): both windows at their sizes, nothing
#                    on standard error, exit status 0
# Skipped (see skip.sh) when a tool is missing.
set -u
case_name=$1
program=$2
probe=${3:-}
case $program in
/*) ;;
*) program=$(pwd)/$program ;;
esac

. "$(dirname "$0")/xsession.sh"

fail() {
    echo "FAIL: $*"
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    exit 1
}

# Runs the program with no display in the given environment (env arguments); it must end
# with status 1 and say so in exactly one line on standard error, which names the display
# that could not be opened, if any ($2, empty for none).
no_display() {
    label=$1 names=$2
    shift 2
    dir=$(mktemp -d)
    (
        cd "$dir" || exit 99
        # dash and bash both know -c; a crash would leave its core file here.
        # shellcheck disable=SC3045
        ulimit -c unlimited 2>/dev/null
        exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" \
            >"$dir/stdout" 2>"$dir/stderr"
    )
    status=$?
    lines=$(wc -l <"$dir/stderr")
    message=$(cat "$dir/stderr")
    cores=$(find "$dir" -name 'core*' | wc -l)
    rm -rf "$dir"
    [ "$status" -lt 128 ] || fail "$label: killed by signal $((status - 128))"
    [ "$status" -eq 1 ] || fail "$label: exit status $status, expected 1"
    [ "$lines" -eq 1 ] || fail "$label: $lines lines on standard error, expected one: $message"
    [ "$cores" -eq 0 ] || fail "$label: a core file was written"
    case $message in *"$names"*) ;; *) fail "$label: the line does not name $names: $message" ;; esac
    echo "ok: $label: exit status 1, \"$message\""
}

if [ "$case_name" = no-display ]; then
    no_display "no DISPLAY or WAYLAND_DISPLAY" "DISPLAY"
    # A display number nothing listens on.
    n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    no_display "DISPLAY=:$n with no server" "\":$n\"" DISPLAY=":$n"
    no_display "a Wayland session that is not there" "" WAYLAND_DISPLAY=astrelo-nowhere \
        XDG_SESSION_TYPE=wayland
    no_display "Wayland without a runtime folder" "" -u XDG_RUNTIME_DIR WAYLAND_DISPLAY=wayland-0 \
        XDG_SESSION_TYPE=wayland
    echo "PASS: no display"
    exit 0
fi

if [ "$case_name" = wayland ]; then
    x_need weston
    work=$(mktemp -d)
    trap 'kill "$weston" 2>/dev/null; rm -rf "$work"' EXIT
    mkdir -m 700 "$work/runtime"
    XDG_RUNTIME_DIR="$work/runtime" weston --backend=headless-backend.so --socket=astrelo \
        --idle-time=0 >"$work/weston.log" 2>&1 &
    weston=$!
    for _ in $(seq 100); do
        [ -S "$work/runtime/astrelo" ] && break
        sleep 0.1
    done
    [ -S "$work/runtime/astrelo" ] || fail "weston did not start: $(cat "$work/weston.log")"
    env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=astrelo \
        XDG_SESSION_TYPE=wayland "$probe" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/err")"
    [ -s "$work/err" ] && fail "standard error: $(cat "$work/err")"
    grep -qx 'Form1 665x449' "$work/out" && grep -qx 'Form2 282x186' "$work/out" \
        || fail "window sizes: $(cat "$work/out")"
    echo "PASS: native on Wayland: $(tr '\n' ' ' <"$work/out")"
    exit 0
fi

# The screen reader case runs on a session bus of its own, with the accessibility bus on it.
if [ "$case_name" = screen-reader ] && [ -z "${INSIDE_DBUS:-}" ]; then
    x_need dbus-run-session /usr/bin/python3 /usr/libexec/at-spi-bus-launcher
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
    export INSIDE_DBUS=1
    exec dbus-run-session -- "$0" "$@"
fi

x_session "$0" "$@"
x_need xwd od
work=$(mktemp -d)
trap 'x_stop_session; kill "${other:-}" 2>/dev/null; rm -rf "$work"' EXIT

# Starts the program (extra env arguments before it) and waits for its main window.
start() {
    # shellcheck disable=SC2086
    env "$@" "$program" ${program_args:-} >"$work/stdout" 2>"$work/stderr" &
    app=$!
    wid=$(x_main_window)
    [ -n "$wid" ] || fail "no window titled \"Astrelo - Beran\" (the program said: $(cat "$work/stderr"))"
    settle "$work/started"
}

wait_title() {
    timeout 10 xdotool search --sync --name "^$1\$" >/dev/null || fail "no window titled \"$1\""
}

open_about() {
    x_click "$wid" "$Image13"
    about=$(timeout 10 xdotool search --sync --onlyvisible --name '^O programu$' | head -n 1)
    [ -n "$about" ] || fail "the about window did not open"
    settle "$work/about" "$about"
}

# Closes a window with alt+F4 and waits until it is gone.
close_window() {
    x_alt_f4 "$1"
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    fail "the window $1 did not close"
}

# Closes the main window and expects the program to end with status 0.
quit() { x_close_and_expect_exit "$wid"; }

# The client area's pixels (of the main window, or another), without the dump's header and
# colour map.
be32() { od -An -tu1 -j "$2" -N4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'; }
grab() {
    xwd -silent -id "${2:-$wid}" >"$work/dump" || return
    offset=$(($(be32 "$work/dump" 0) + $(be32 "$work/dump" 76) * 12))
    tail -c +$((offset + 1)) "$work/dump" >"$1"
    echo $(($(be32 "$work/dump" 48) / 4)) >"$1.width" # pixels a row
}
# How two grabs of one window differ: how many pixels, and the box around them.
differences() {
    cmp -l "$1" "$2" | awk -v width="$(cat "$1.width")" '
        { p = int(($1 - 1) / 4); if (p in seen) next; seen[p] = 1; n++
          x = p % width; y = int(p / width)
          if (n == 1 || x < x0) x0 = x; if (n == 1 || x > x1) x1 = x
          if (n == 1 || y < y0) y0 = y; if (n == 1 || y > y1) y1 = y }
        END { if (n) printf "%d pixels differ, within x %d-%d, y %d-%d", n, x0, x1, y0, y1
              else printf "the sizes differ" }'
}
# Waits, for at most 10 s, until the grabs have stayed the same for $quiet seconds (the window
# has painted what it was asked to; 0 means two grabs in a row), and, given "same FILE" or
# "other FILE", until the grab is the same as that file or not; given "moved FILE", only until
# it differs from that file. The last grab stays in $1.
quiet=0
settle() {
    shot=$1 window=${2:-$wid} how=${3:-} reference=${4:-}
    grab "$shot.last" "$window"
    since=$(date +%s%N)
    for _ in $(seq 200); do
        grab "$shot" "$window"
        [ "$how" = moved ] && ! cmp -s "$shot" "$reference" && break
        if cmp -s "$shot" "$shot.last"; then
            if [ $(($(date +%s%N) - since)) -ge $((quiet * 1000000000)) ]; then
                case $how in
                same) cmp -s "$shot" "$reference" && break ;;
                other) cmp -s "$shot" "$reference" || break ;;
                *) break ;;
                esac
            fi
        else
            since=$(date +%s%N)
        fi
        mv "$shot" "$shot.last"
        mv "$shot.width" "$shot.last.width"
        sleep 0.05
    done
    # Out of time: the last grab is the one to judge.
    if [ -e "$shot" ]; then
        rm -f "$shot.last" "$shot.last.width"
    else
        mv "$shot.last" "$shot"
        mv "$shot.last.width" "$shot.width"
    fi
}
# A small window of another program takes the focus before each snapshot, so that no caret
# is drawn in the text box; both runs of a comparison make the same clicks on the text, so
# its selection is the same too.
unfocus() {
    if [ -z "${other:-}" ]; then
        xlogo -geometry 40x40+980+720 >/dev/null 2>&1 &
        other=$!
        other_wid=$(timeout 10 xdotool search --sync --onlyvisible --class xlogo | head -n 1)
    fi
    xdotool windowactivate --sync "$other_wid" 2>/dev/null
}
# A settled grab with the pointer away from every control and the focus elsewhere (settle's
# arguments). The window manager hands the focus over at once, but the program hides its caret
# only once it has read its own focus-out event, some 50 ms later on an idle machine and later
# on a busy one; two equal grabs taken before then still show the caret. So a snapshot waits
# until nothing has changed for a second: a caret still shown would have blinked by then.
snapshot() {
    xdotool mousemove 1010 700
    unfocus
    quiet=1
    settle "$@"
    quiet=0
}

visible_windows() { xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l; }

# Browses, changes the font through the panel, opens the about window, starts its animation
# and closes it mid-flight.
browse_and_change_font() {
    x_click "$wid" "$Image11"
    wait_title "Astrelo - Vodnář"
    x_click "$wid" "$Label6" # the sixth topic
    open_panel
    x_click "$wid" "$Label24" # one point larger
    x_click "$wid" "$Label26" # bold
    x_click "$wid" "$Label32" # Courier New
    x_click "$wid" "$Text1"   # the panel goes away
    open_about
    x_click "$about" "$About_Label6" # the icon falls; closed once it has moved
    settle "$work/falling" "$about" moved "$work/about"
    close_window "$about"
    x_click "$wid" "$Image1"
    wait_title "Astrelo - Beran"
}

# A double-click on the text calls up the settings panel: waits until it shows.
open_panel() {
    grab "$work/before-panel"
    x_click "$wid" "$Text1" 2
    settle "$work/panel" "$wid" other "$work/before-panel"
}

case "$case_name" in
nothing-written)
    root=$work/empty
    mkdir -m 700 "$root"
    # A session's runtime directory always exists (the login manager makes it, and Qt would
    # create a missing one), so it is the empty folder itself; the others do not exist yet.
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
    left=$(find "$root" -mindepth 1 | head -n 20)
    [ -z "$left" ] || fail "the program left files behind: $left"
    echo "ok: browsed, changed the font, opened and closed the about window: nothing written"

    start "$@"
    snapshot "$work/second" "$wid" same "$work/first"
    cmp -s "$work/first" "$work/second" \
        || fail "the second start does not look like the first (sign 0, topic 0, starting font): $(differences "$work/first" "$work/second")"
    quit
    left=$(find "$root" -mindepth 1 | head -n 20)
    [ -z "$left" ] || fail "the second start left files behind: $left"
    echo "ok: the second start looks like the first"

    # Without a session bus address the program looks for the session bus where
    # XDG_RUNTIME_DIR says: a bus listening there sees it connect.
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
    echo "ok: the session bus found where XDG_RUNTIME_DIR says"

    # Outside a login session (no XDG_RUNTIME_DIR): nothing on standard error and no folder in
    # the temporary folder, also when the link is followed (a stand-in opener records it, and
    # the temporary folder it is given: the user's own, or none when the user had none).
    mkdir -m 700 "$root/tmp" "$work/opener"
    printf '#!/bin/sh\necho "$1 ${TMPDIR-none}" >>"%s"\n' "$work/opened" >"$work/opener/xdg-open"
    chmod +x "$work/opener/xdg-open"
    shift 3 # HOME, TMPDIR and XDG_RUNTIME_DIR
    start -u XDG_RUNTIME_DIR HOME="$root" TMPDIR="$root/tmp" PATH="$work/opener:$PATH" "$@"
    browse_and_change_font
    open_about
    x_click "$about" "$About_Label4" # the link
    for _ in $(seq 50); do
        [ -s "$work/opened" ] && break
        sleep 0.1
    done
    [ "$(cat "$work/opened" 2>/dev/null)" = "http://www.kelmo.cz/ $root/tmp" ] \
        || fail "the link was not opened with the user's TMPDIR: $(cat "$work/opened" 2>/dev/null)"
    quit
    [ -s "$work/stderr" ] && fail "standard error outside a login session: $(cat "$work/stderr")"
    left=$(find "$root" -mindepth 1 ! -path "$root/tmp" | head -n 20)
    [ -z "$left" ] || fail "outside a login session the program left files behind: $left"
    rm "$work/opened"
    start -u XDG_RUNTIME_DIR -u TMPDIR HOME="$root" PATH="$work/opener:$PATH" "$@"
    open_about
    x_click "$about" "$About_Label4"
    for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
    quit
    [ "$(cat "$work/opened" 2>/dev/null)" = "http://www.kelmo.cz/ none" ] \
        || fail "without a TMPDIR the browser was given one: $(cat "$work/opened" 2>/dev/null)"
    echo "PASS: nothing written, nothing remembered, nothing said outside a login session"
    ;;

no-browser)
    mkdir "$work/empty-path" "$work/failing" "$work/hanging"
    printf '#!/bin/sh\necho "$@" >>"%s"\nexit 3\n' "$work/failing.log" >"$work/failing/xdg-open"
    printf '#!/bin/sh\necho $$ >>"%s"\nexec sleep 30\n' "$work/hanging.pids" >"$work/hanging/xdg-open"
    chmod +x "$work/failing/xdg-open" "$work/hanging/xdg-open"
    for browser in empty-path failing hanging; do
        start -u BROWSER -u DEFAULT_BROWSER PATH="$work/$browser"
        open_about
        before=$(visible_windows)
        x_click "$about" "$About_Label4"
        # The stand-in was asked, or (none on PATH) a click after the link's is handled.
        log=$work/$browser.log
        [ "$browser" = hanging ] && log=$work/hanging.pids
        [ "$browser" = empty-path ] || for _ in $(seq 100); do [ -s "$log" ] && break; sleep 0.1; done
        x_click "$wid" "$Image11"
        wait_title "Astrelo - Vodnář"
        kill -0 "$app" 2>/dev/null || fail "$browser: the program ended after the link"
        after=$(visible_windows)
        [ "$after" -eq "$before" ] || fail "$browser: $before windows before the link, $after after"
        # Both windows still answer.
        x_click "$about" "$About_Label6" # the icon falls
        x_click "$about" "$About_Label4"
        x_click "$wid" "$Image1"
        wait_title "Astrelo - Beran"
        quit
        echo "ok: $browser: the link showed nothing, the windows kept working"
    done
    grep -qx 'http://www.kelmo.cz/' "$work/failing.log" 2>/dev/null \
        || fail "the failing xdg-open was never asked to open http://www.kelmo.cz/"
    [ -s "$work/hanging.pids" ] || fail "the hanging xdg-open was never started"
    xargs kill 2>/dev/null <"$work/hanging.pids"
    echo "PASS: no browser"
    ;;

missing-font)
    fonts=$work/fonts
    mkdir -p "$fonts/cache"
    # Only DejaVu (none of Arial, MS Sans Serif, Courier New, Comic Sans MS or their
    # stand-ins), then no font at all.
    cat >"$fonts/dejavu.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$fonts/cache</cachedir>
</fontconfig>
EOF
    cat >"$fonts/none.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <cachedir>$fonts/cache</cachedir>
</fontconfig>
EOF
    for config in dejavu none; do
        start FONTCONFIG_FILE="$fonts/$config.conf"
        open_panel
        for face in "$Label30" "$Label31" "$Label32" "$Label33"; do
            x_click "$wid" "$face"
            x_click "$wid" "$Label24" # one point larger
            x_click "$wid" "$Label26" # bold
        done
        x_click "$wid" "$Label29" # the starting settings
        x_click "$wid" "$Image11"
        wait_title "Astrelo - Vodnář"
        open_about
        close_window "$about"
        quit
        echo "ok: fonts \"$config\": every face chosen, the program kept working"
    done
    echo "PASS: missing font faces"
    ;;

look)
    x_need xlogo
    for run in plain themed; do
        if [ "$run" = themed ]; then
            program_args="-qwindowtitle Hello -reverse -style Windows"
            start QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark QT_STYLE_OVERRIDE=Windows
        else
            program_args=
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
        cmp -s "$work/$run-main" "$work/$run-after" \
            || fail "$run: after a double-click on the panel's blank spot the window is not as it was before the panel: $(differences "$work/$run-main" "$work/$run-after")"
        open_about
        snapshot "$work/$run-about" "$about"
        quit
    done
    for shot in main panel about; do
        cmp -s "$work/plain-$shot" "$work/themed-$shot" \
            || fail "the $shot shot differs under a dark GTK theme, a style override and Qt's options: $(differences "$work/plain-$shot" "$work/themed-$shot")"
    done
    echo "PASS: one look under a dark theme; Qt's options ignored; the panel's double-click"
    ;;

about-window)
    start
    open_about
    state=$(xprop -id "$about" _NET_WM_STATE)
    case $state in *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER* | *_NET_WM_STATE_SKIP_PAGER*_NET_WM_STATE_SKIP_TASKBAR*) ;;
    *) fail "the about window is listed in the taskbar or pager: $state" ;;
    esac
    xprop -id "$about" WM_TRANSIENT_FOR | grep -q 'window id' && fail "the about window has an owner"
    xdotool windowactivate --sync "$wid"
    for _ in $(seq 100); do
        top=$(xprop -root _NET_CLIENT_LIST_STACKING | sed "s/.*[#,] //")
        [ $((top)) -eq $((wid)) ] && break
        sleep 0.1
    done
    [ $((top)) -eq $((wid)) ] || fail "the main window cannot be raised above the about window"
    xdotool windowminimize --sync "$about"
    x_click "$wid" "$Image13" # again
    back=$(timeout 10 xdotool search --sync --onlyvisible --name '^O programu$' | head -n 1)
    [ "$back" = "$about" ] || fail "the minimised about window did not come back"
    close_window "$about"
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
