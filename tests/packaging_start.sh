#!/bin/sh
# SPDX-License-Identifier: MIT
# Starts the installed program the way the desktop menu does: runs the Exec line of the desktop
# entry of a staged install (prefix /usr) in a real X session (Xvfb with a window manager),
# finds the main window by its title and by the window class the entry declares, closes it and
# checks the exit status.
# usage: packaging_start.sh BUILD_DIR
set -u
. "$(dirname "$0")/xsession.sh"
app=
fail() { echo "FAIL: $*"; [ -n "$app" ] && kill "$app" 2>/dev/null; exit 1; }
x_session "$0" "$@"
stage=$(mktemp -d)
trap 'x_stop_session; rm -rf "$stage"' EXIT
log=$(DESTDIR="$stage" cmake --install "$1" --prefix /usr 2>&1) || fail "cmake --install: $log"

desktop="$stage/usr/share/applications/cz.kelmo.Astrelo.desktop"
command=$(sed -n 's/^Exec=//p' "$desktop")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$command" ] || fail "the desktop entry has no Exec line"
# The menu runs the Exec line through PATH; the staged bin folder stands in for /usr/bin.
(cd "$stage" && PATH="$stage/usr/bin:$PATH" exec $command) &
app=$!
wid=$(x_main_window)
[ -n "$wid" ] || fail "no window titled \"Astrelo - Beran\""
[ "$(xdotool getwindowpid "$wid")" = "$app" ] || fail "the window belongs to another process"
[ -z "$wm_class" ] || xdotool search --class "^$wm_class\$" | grep -qx "$wid" \
    || fail "the window's class is not \"$wm_class\", which the desktop entry declares"
x_close_and_expect_exit "$wid"
echo "PASS: the installed program started from its desktop entry and closed with status 0"
