#!/bin/sh
# SPDX-License-Identifier: MIT
# Draws every picture again with artgen, from the master drawings (the SVG files) alone, into an
# empty folder and compares the result, byte for byte, with the committed pictures: the pictures,
# their masters and the code that exports them cannot drift apart, and artgen writes exactly the
# committed set. On x86-64 it draws them a second time
# under qemu as a processor without AVX (Nehalem): what artgen writes must not depend on the
# processor's vector instructions.
# usage: artgen_reproduces.sh ARTGEN PICTUREDIFF SOURCE_DIR [native]
#   native: this processor only (a sanitizer build: its shadow memory does not run under qemu)
set -u
artgen=$1
picturediff=$2
source=$3
processors=${4:-all}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
. "$(dirname "$0")/skip.sh"

# Draws into $out/$1, with the command before artgen given as the other arguments.
draw() {
    where=$out/$1
    shift
    mkdir -p "$where/catalogue" "$where/packaging/icons" "$where/about_window"
    cp -R "$source/catalogue/masters" "$where/catalogue/"
    cp -R "$source/packaging/icons/masters" "$source/packaging/icons/scalable" \
        "$where/packaging/icons/"
    cp "$source/about_window/banner.svg" "$where/about_window/"
    QT_QPA_PLATFORM=offscreen "$@" "$artgen" "$where" 2>"$out/stderr" \
        || fail "artgen failed: $(cat "$out/stderr")"
}

# Compares every file of $out/$1 with the same file in folder $2 ("$3" names the run).
compare() {
    drawn=$(cd "$out/$1" && find catalogue about_window packaging -type f ! -name '*.svg' \
        | LC_ALL=C sort)
    expected=$(cd "$2" && find catalogue/bitmaps catalogue/icons about_window packaging/icons \
        -type f \( -name '*.bmp' -o -name '*.ico' -o -name '*.gif' -o -name '*.png' \) \
        | LC_ALL=C sort)
    [ "$drawn" = "$expected" ] || fail "$3: artgen draws other files than are committed:
$(printf '%s\n' "$drawn" >"$out/drawn"; printf '%s\n' "$expected" | diff "$out/drawn" -)"
    count=0 differ=
    for file in $drawn; do
        count=$((count + 1))
        cmp -s "$out/$1/$file" "$2/$file" && continue
        pixels=$("$picturediff" "$2/$file" "$out/$1/$file") \
            || { differ="$differ
  $file: $pixels"; continue; }
        differ="$differ
  $file: the same pixels, other bytes"
    done
    [ -z "$differ" ] || fail "$3: what artgen draws differs from the committed pictures:$differ"
    echo "ok: $3: all $count pictures byte for byte"
}

draw native
compare native "$source" "artgen on this processor"
if [ "$(uname -m)" = x86_64 ] && [ "$processors" != native ]; then
    command -v qemu-x86_64 >/dev/null || skip "qemu-x86_64 (Debian's qemu-user) is not installed"
    draw nehalem qemu-x86_64 -cpu Nehalem
    compare nehalem "$out/native" "artgen under qemu-x86_64 -cpu Nehalem, against this processor"
fi
echo "PASS: artgen draws the committed pictures, the same on every processor tried"
