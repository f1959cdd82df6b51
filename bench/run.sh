#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the benchmarks of a build and prints their table (Markdown) on standard output. The X11
# rows run on a private Xvfb with openbox, when both (and xprop) are installed.
# usage: bench/run.sh BUILD_DIR [--quick] [--rounds N] [Google Benchmark options]
set -eu
bench="${1:?usage: bench/run.sh BUILD_DIR [--quick] [--rounds N]}/bench/astrelo_bench"
shift
[ -x "$bench" ] || { echo "bench/run.sh: $bench is not built; it needs libbenchmark-dev" >&2; exit 1; }
x11= pids= tmp=$(mktemp -d)
trap 'kill $pids 2>/dev/null; rm -rf "$tmp"' EXIT
if command -v Xvfb >/dev/null && command -v openbox >/dev/null && command -v xprop >/dev/null; then
    # -displayfd: the server picks a free display and names it once it is ready.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
    pids=$!
    for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
    if [ -s "$tmp/display" ]; then
        export DISPLAY=":$(cat "$tmp/display")"
        openbox >/dev/null 2>&1 &
        pids="$pids $!"
        # The window manager is up once it has announced itself on the root window.
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
            sleep 0.1
        done
        x11="Xvfb 1024x768x24 with openbox"
    fi
fi
[ -n "$x11" ] || echo "bench/run.sh: Xvfb, openbox or xprop is missing: no X11 figures" >&2
ASTRELO_BENCH_X11=$x11 "$bench" "$@"
