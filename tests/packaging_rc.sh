#!/bin/sh
# SPDX-License-Identifier: MIT
# Compiles the generated Windows resource script with the MinGW resource compiler, reads the
# compiled resources back as text and checks the version record and the icon in them.
# usage: packaging_rc.sh PATH/TO/astrelo.rc VERSION
set -u
rc=$1 version=$2
windres=x86_64-w64-mingw32-windres
. "$(dirname "$0")/skip.sh"
need "$windres"
# windres preprocesses with the MinGW C compiler; without it the host's preprocessor will do,
# since the script includes no headers.
set --
if ! command -v x86_64-w64-mingw32-gcc >/dev/null; then
    command -v cpp >/dev/null || skip "no C preprocessor for $windres"
    set -- --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
IFS=. read -r major minor patch tweak <<VERSION
$version
VERSION

"$windres" "$@" -i "$rc" -O coff -o "$work/astrelo.o" || fail "$windres did not compile $rc"
"$windres" "$@" -i "$rc" -O res -o "$work/astrelo.res" || fail "$windres did not compile $rc"
"$windres" -J res -i "$work/astrelo.res" -O rc -o "$work/decompiled.rc" \
    || fail "the compiled resources do not read back"
# One line per statement, numbers without blanks: "FILEVERSION 1,1,0,2"; the version record
# filed under US English, the icon group (one 32 x 32 image of 8 bits) under no language.
sed -e 's/^[[:space:]]*//' -e 's/,[[:space:]]*/,/g' "$work/decompiled.rc" | awk '
    /^LANGUAGE/ { lang = $0 } /^1 VERSIONINFO/ { print "version record in " lang }
    /RT_GROUP_ICON/ { print "icon in " lang } { print }' >"$work/flat.rc"
numeric="$major,$minor,$patch,$tweak"
text=$(printf '%d.%02d.%04d' "$major" "$minor" "$tweak")
while read -r line; do
    grep -qxF -- "$line" "$work/flat.rc" || fail "the compiled resources lack: $line"
done <<EXPECTED
FILEVERSION $numeric
PRODUCTVERSION $numeric
FILEOS 0x4
FILETYPE 0x1
BLOCK "040904B0"
VALUE "Translation",0x409,1200
VALUE "FileVersion","$text"
VALUE "ProductVersion","$text"
VALUE "ProductName","Astrelo"
VALUE "InternalName","Astrelo"
VALUE "OriginalFilename","Astrelo.exe"
VALUE "CompanyName","Kelmo Software"
version record in LANGUAGE 9,1
icon in LANGUAGE 0,0
EXPECTED
grep -q '^VALUE "Comments","[^"]' "$work/flat.rc" || fail "no comment in the version record"
grep -q '^VALUE "LegalCopyright","[^"]' "$work/flat.rc" || fail "no legal notice in the version record"
grep -qF '"\040\040\000\000",1,8,' "$work/flat.rc" || fail "no 32 x 32, 256-colour program icon"
echo "PASS: the resource script compiles; version $numeric (\"$text\") and the icon are in it"
