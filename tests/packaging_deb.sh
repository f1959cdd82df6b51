#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Debian package with CPack into a temporary folder, checks its name and control fields
# and runs lintian on it (files owned by others than root are among its errors). Lintian's
# warnings are shown; an error fails the check.
# usage: packaging_deb.sh BUILD_DIR VERSION ICO_READER
set -u
version=$2
. "$(dirname "$0")/skip.sh"
need cpack dpkg-deb dpkg-shlibdeps file lintian
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

log=$(cpack -G DEB --config "$1/CPackConfig.cmake" -B "$work" 2>&1) || fail "cpack: $log"
deb="$work/astrelo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "cpack wrote no $(basename "$deb"): $(ls "$work")"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package) $(field Version)" = "astrelo $version" ] || fail "package $(field Package) $(field Version)"
[ "$(field Maintainer)" = "Kelmo Software <astrelo@kelmo.cz>" ] || fail "maintainer $(field Maintainer)"
[ -n "$(field Section)" ] || fail "no section"
[ -n "$(field Homepage)" ] || fail "no homepage"
# The catalogue's icons are read by Qt's ICO reader: the package depends on the one that holds it.
ico_package=$(dpkg -S "$3" 2>/dev/null | sed -n '1s/:.*//p')
[ -n "$ico_package" ] || fail "no installed package holds Qt's ICO reader $3"
echo "Depends: $(field Depends)"
for package in fonts-liberation2 fonts-comic-neue libqt6widgets6 libc6 "$ico_package"; do
    field Depends | tr ',' '\n' | grep -q "^ *$package\\b" || fail "the package does not depend on $package"
done

report=$(lintian --info --tag-display-limit 0 "$deb" 2>&1)
printf '%s\n' "$report"
printf '%s\n' "$report" | grep -q '^E: ' && fail "lintian reports errors"
echo "PASS: $(basename "$deb") built; lintian reports no errors"
