#!/bin/sh
# SPDX-License-Identifier: MIT
# Drives the real program in a real X session (Xvfb with a window manager): finds the window
# by its title, clicks the eleventh thumbnail and sees the title change, opens the about window
# and clicks its link (a stand-in browser records the address), closes the main window and
# checks the exit status.
# usage: realwindow.sh PATH/TO/astrelo
set -u
program=$1
app=
fail() { echo "FAIL: $*"; [ -n "$app" ] && kill "$app" 2>/dev/null; exit 1; }
. "$(dirname "$0")/xsession.sh"
x_session "$0" "$@"

# A stand-in browser, first on PATH, that records the address it is asked to open.
standin=$(mktemp -d)
trap 'x_stop_session; rm -rf "$standin"' EXIT
cat >"$standin/xdg-open" <<'SCRIPT'
#!/bin/sh
echo "$1" >>"$(dirname "$0")/opened"
SCRIPT
chmod +x "$standin/xdg-open"

PATH="$standin:$PATH" "$program" &
app=$!
wid=$(x_main_window)
[ -n "$wid" ] || fail "no window titled \"Astrelo - Beran\""

# The eleventh thumbnail.
x_click "$wid" "$Image11"
timeout 10 xdotool search --sync --name '^Astrelo - Vodnář$' >/dev/null \
    || fail "the title did not become \"Astrelo - Vodnář\""

# The topic icon opens the about window; its link goes to the browser.
x_click "$wid" "$Image13"
about=$(timeout 10 xdotool search --sync --onlyvisible --name '^O programu$' | head -n 1)
[ -n "$about" ] || fail "no about window titled \"O programu\""
x_click "$about" "$About_Label4"
for _ in $(seq 50); do
    [ -s "$standin/opened" ] && break
    sleep 0.1
done
[ "$(cat "$standin/opened" 2>/dev/null)" = "http://www.kelmo.cz/" ] \
    || fail "the link did not hand http://www.kelmo.cz/ to the browser"

# Closing the main window closes the about window too and ends the program.
x_close_and_expect_exit "$wid"
echo "PASS: real window browsed and closed, exit status 0"
