#!/bin/sh
# SPDX-License-Identifier: MIT
# Compiles the generated Windows resource script with the MinGW resource compiler, reads the
# compiled resources back as text and checks the version record and the icon in them.
# usage: packaging_rc.sh PATH/TO/astrelo.rc VERSION
set -u
rc=$1
version=$2
windres=x86_64-w64-mingw32-windres
. "$(dirname "$0")/skip.sh"
command -v "$windres" >/dev/null || skip "$windres is not installed"
# windres preprocesses with the MinGW C compiler; without it the host's preprocessor will do,
# since the script includes no headers.
set --
if ! command -v x86_64-w64-mingw32-gcc >/dev/null; then
    command -v cpp >/dev/null || skip "no C preprocessor for $windres"
    set -- --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$windres" "$@" -i "$rc" -O coff -o "$work/astrelo.o" || fail "$windres did not compile $rc"
"$windres" "$@" -i "$rc" -O res -o "$work/astrelo.res" || fail "$windres did not compile $rc"
"$windres" -J res -i "$work/astrelo.res" -O rc -o "$work/decompiled.rc" \
    || fail "the compiled resources do not read back"
# One line per statement, numbers without blanks: "FILEVERSION 1,1,0,2".
sed -e 's/^[[:space:]]*//' -e 's/,[[:space:]]*/,/g' "$work/decompiled.rc" >"$work/flat.rc"

IFS=. read -r major minor patch tweak <<VERSION
$version
VERSION
numeric="$major,$minor,$patch,$tweak"
text=$(printf '%d.%02d.%04d' "$major" "$minor" "$tweak")

expect() {
    grep -qxF -- "$1" "$work/flat.rc" || fail "the compiled resources lack: $1"
}
expect "FILEVERSION $numeric"
expect "PRODUCTVERSION $numeric"
expect "FILEOS 0x4"
expect "FILETYPE 0x1"
expect 'BLOCK "040904B0"'
expect 'VALUE "Translation",0x409,1200'
expect "VALUE \"FileVersion\",\"$text\""
expect "VALUE \"ProductVersion\",\"$text\""
expect 'VALUE "ProductName","Astrelo"'
expect 'VALUE "InternalName","Astrelo"'
expect 'VALUE "OriginalFilename","Astrelo.exe"'
expect 'VALUE "CompanyName","Kelmo Software"'
grep -q '^VALUE "Comments","[^"]' "$work/flat.rc" || fail "no comment in the version record"
grep -q '^VALUE "LegalCopyright","[^"]' "$work/flat.rc" || fail "no legal notice in the version record"

# The version record is filed under US English, the icon under no language.
awk '/^LANGUAGE/ { lang = $0 } /^1 VERSIONINFO/ { print lang }' "$work/flat.rc" \
    | grep -qxF "LANGUAGE 9,1" || fail "the version record is not filed under language 0x0409"
awk '/^LANGUAGE/ { lang = $0 } /RT_GROUP_ICON/ { print lang }' "$work/flat.rc" \
    | grep -qxF "LANGUAGE 0,0" || fail "the program icon is not language-neutral"
# The icon group: one 32 x 32 image of 8 bits per pixel.
grep -qF '"\040\040\000\000",1,8,' "$work/flat.rc" || fail "no 32 x 32, 256-colour program icon"
echo "PASS: the resource script compiles; version $numeric (\"$text\") and the icon are in it"
