#!/bin/sh
# SPDX-License-Identifier: MIT
# Draws every picture again with artgen into an empty folder and compares the result, byte for
# byte, with the committed pictures: the pictures and the code that draws them cannot drift
# apart, and artgen writes exactly the committed set.
# usage: artgen_reproduces.sh ARTGEN SOURCE_DIR
set -u
artgen=$1
source=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir "$out/catalogue"
QT_QPA_PLATFORM=offscreen "$artgen" "$out" 2>/dev/null || fail "artgen failed"
drawn=$(cd "$out" && find catalogue about_window packaging -type f | LC_ALL=C sort)
committed=$(cd "$source" && find catalogue/bitmaps catalogue/icons about_window/banner.gif \
    packaging/icons -type f | LC_ALL=C sort)
[ "$drawn" = "$committed" ] || fail "artgen draws other files than are committed:
$(printf '%s\n' "$drawn" > "$out/drawn"; printf '%s\n' "$committed" | diff "$out/drawn" -)"
count=0
for file in $drawn; do
    cmp -s "$out/$file" "$source/$file" || fail "$file differs from what artgen draws"
    count=$((count + 1))
done
echo "PASS: artgen draws all $count committed pictures byte for byte"
