#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build as a package does (prefix /usr into a staging folder) and checks that
# exactly the expected files are there, each in the form the desktop and Debian expect, and that
# the files that name the app ID, the program and the version agree with each other. The
# program carries no Qt plugins: its icons are read by Qt's ICO reader, which stays where Qt
# installed it, and the check asks that it be there.
# usage: packaging_install.sh BUILD_DIR VERSION ICO_READER
set -u
version=$2 ico_reader=$3 app_id=cz.kelmo.Astrelo
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
log=$(DESTDIR="$stage" cmake --install "$1" --prefix /usr 2>&1) || fail "cmake --install: $log"

icons=usr/share/icons/hicolor
expected="usr/bin/astrelo
usr/share/applications/$app_id.desktop
usr/share/doc/astrelo/changelog.gz
usr/share/doc/astrelo/copyright
$icons/128x128/apps/$app_id.png
$icons/16x16/apps/$app_id.png
$icons/22x22/apps/$app_id.png
$icons/24x24/apps/$app_id.png
$icons/32x32/apps/$app_id.png
$icons/48x48/apps/$app_id.png
$icons/64x64/apps/$app_id.png
$icons/scalable/apps/$app_id.svg
usr/share/man/man1/astrelo.1.gz
usr/share/metainfo/$app_id.metainfo.xml"
found=$(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$found" = "$expected" ] || fail "the staged install holds other files than expected:
$found"
[ -x "$stage/usr/bin/astrelo" ] || fail "usr/bin/astrelo is not executable"
# The installed program loads the ICO reader from the plugin folder of the Qt it is linked
# with: the reader is built against that same Qt Gui.
qt_gui() { ldd "$1" | sed -n 's/.*libQt6Gui\.so[^ ]* => \([^ ]*\).*/\1/p'; }
[ -f "$ico_reader" ] || fail "Qt's ICO reader $ico_reader, which reads the program's icons, is missing"
[ -n "$(qt_gui "$stage/usr/bin/astrelo")" ] || fail "usr/bin/astrelo is not linked with Qt Gui"
[ "$(qt_gui "$ico_reader")" = "$(qt_gui "$stage/usr/bin/astrelo")" ] \
    || fail "Qt's ICO reader $ico_reader belongs to another Qt than the program's"
bad=$(find "$stage/usr" -type d ! -perm 755 -o -type f ! -path '*/bin/*' ! -perm 644)
[ -z "$bad" ] || fail "folders not of mode 755 or data files not of mode 644: $bad"

# Each icon is a PNG of the size its folder names.
for size in 16 22 24 32 48 64 128; do
    set -- $(od -An -tu1 -N24 "$stage/$icons/${size}x$size/apps/$app_id.png")
    [ "$2$3$4 $((${19} * 256 + ${20}))x$((${23} * 256 + ${24}))" = "807871 ${size}x$size" ] \
        || fail "the ${size}x$size icon is not a PNG of that size"
done
grep -q '<svg[^>]* width="128" height="128"' "$stage/$icons/scalable/apps/$app_id.svg" \
    || fail "the scalable icon is not a 128-pixel SVG"
# Compressed files carry no name or time stamp and use the best compression, as Debian asks:
# recompressing them the prescribed way gives the same bytes.
man="$stage/usr/share/man/man1/astrelo.1.gz" changelog="$stage/usr/share/doc/astrelo/changelog.gz"
for gz in "$man" "$changelog"; do
    gzip -dc "$gz" | gzip -9 -n | cmp -s - "$gz" || fail "$gz is not compressed with gzip -9n"
done
if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page has formatting warnings: $warnings"
fi

# The desktop entry starts the installed program and names the installed icon, in Czech too;
# the metadata names the entry, the program and this version; so do the manual page and the
# changelog.
desktop="$stage/usr/share/applications/$app_id.desktop"
metainfo="$stage/usr/share/metainfo/$app_id.metainfo.xml"
while read -r line; do
    grep -qx "$line" "$desktop" || fail "the desktop entry has no line $line"
done <<LINES
Exec=astrelo
Icon=$app_id
Name\[cs\]=..*
GenericName\[cs\]=..*
Comment\[cs\]=..*
Keywords\[cs\]=..*
LINES
while read -r element; do
    grep -qF "$element" "$metainfo" || fail "the metadata has no $element"
done <<ELEMENTS
<id>$app_id</id>
<launchable type="desktop-id">$app_id.desktop</launchable>
<binary>astrelo</binary>
<summary xml:lang="cs">
<p xml:lang="cs">
<content_rating type="oars-
<screenshot type="default">
ELEMENTS
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$release" = "$version" ] || fail "the newest release in the metadata is $release, not $version"
gzip -dc "$man" | grep -q "^\.TH ASTRELO 1 .*\"Astrelo $version\"" \
    || fail "the manual page does not show version $version"
[ "$(gzip -dc "$changelog" | sed -n '1s/^astrelo (\([^)]*\)).*/\1/p')" = "$version" ] \
    || fail "the newest changelog entry is not for $version"
echo "PASS: the staged install holds the program, desktop entry, metadata, icons and manual page"
