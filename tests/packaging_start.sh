#!/bin/sh
# SPDX-License-Identifier: MIT
# Starts the installed program the way the desktop menu does: from a staged install (prefix
# /usr), runs the Exec line of the installed desktop entry in a real X session (Xvfb with a
# window manager), finds the main window by its title and by the window class the entry
# declares, closes it and checks the exit status.
# usage: packaging_start.sh BUILD_DIR
set -u
build=$1
for tool in xvfb-run xdotool openbox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${INSIDE_XVFB:-}" ]; then
    export INSIDE_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
app=
fail() { echo "FAIL: $*"; [ -n "$app" ] && kill "$app" 2>/dev/null; exit 1; }

stage=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; rm -rf "$stage"' EXIT
log=$(DESTDIR="$stage" cmake --install "$build" --prefix /usr 2>&1) \
    || { printf '%s\n' "$log"; fail "cmake --install failed"; }

desktop="$stage/usr/share/applications/cz.kelmo.Astrelo.desktop"
command=$(sed -n 's/^Exec=//p' "$desktop")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$command" ] || fail "the desktop entry has no Exec line"
sleep 0.5

# The menu runs the Exec line through PATH; the staged bin directory stands in for /usr/bin.
# The build tree is out of reach so nothing can be picked up from there.
(cd "$stage" && PATH="$stage/usr/bin:$PATH" exec $command) &
app=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Astrelo - Beran$' | head -n 1)
[ -n "$wid" ] || fail "no window titled \"Astrelo - Beran\""
[ "$(xdotool getwindowpid "$wid")" = "$app" ] || fail "the window belongs to another process"
if [ -n "$wm_class" ]; then
    xdotool search --class "^$wm_class\$" | grep -qx "$wid" \
        || fail "the window's class is not \"$wm_class\", which the desktop entry declares"
fi

xdotool windowactivate --sync "$wid" key --clearmodifiers alt+F4
for _ in $(seq 50); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "the program did not end when its window closed"
wait "$app"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: the installed program started from its desktop entry and closed with status 0"
