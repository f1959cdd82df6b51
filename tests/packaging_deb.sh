#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Debian package with CPack into a temporary directory, checks its control fields
# and runs lintian on it. Lintian's warnings are shown; an error fails the check.
# usage: packaging_deb.sh BUILD_DIR VERSION ICO_READER
set -u
build=$1
version=$2
ico_reader=$3
. "$(dirname "$0")/skip.sh"
for tool in cpack dpkg-deb dpkg-shlibdeps file lintian; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

log=$(cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" 2>&1) \
    || { printf '%s\n' "$log"; fail "cpack did not build the package"; }
deb=$(find "$work" -maxdepth 1 -name 'astrelo_*.deb')
[ -n "$deb" ] || { printf '%s\n' "$log"; fail "cpack wrote no astrelo_*.deb"; }
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "astrelo_${version}_$arch.deb" ] || fail "unexpected file name $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = astrelo ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version)"
[ "$(field Maintainer)" = "Kelmo Software <astrelo@kelmo.cz>" ] || fail "maintainer $(field Maintainer)"
[ -n "$(field Section)" ] || fail "no section"
[ -n "$(field Homepage)" ] || fail "no homepage"
depends=$(field Depends)
echo "Depends: $depends"
for package in fonts-liberation2 fonts-comic-neue libqt6widgets6 libc6; do
    printf '%s\n' "$depends" | tr ',' '\n' | grep -q "^ *$package\\b" \
        || fail "the package does not depend on $package"
done
# The catalogue's icons are read by Qt's ICO reader: the package depends on the one that holds it.
ico_package=$(dpkg -S "$ico_reader" 2>/dev/null | sed -n '1s/:.*//p')
[ -n "$ico_package" ] || fail "no installed package holds Qt's ICO reader $ico_reader"
printf '%s\n' "$depends" | tr ',' '\n' | grep -q "^ *$ico_package\\b" \
    || fail "the package does not depend on $ico_package, which holds Qt's ICO reader"
# Everything in the package belongs to root.
owners=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" { print $NF }')
[ -z "$owners" ] || fail "files not owned by root: $owners"

report=$(lintian --info --tag-display-limit 0 "$deb" 2>&1)
printf '%s\n' "$report"
if printf '%s\n' "$report" | grep -q '^E: '; then
    fail "lintian reports errors"
fi
echo "PASS: $(basename "$deb") built; lintian reports no errors"
