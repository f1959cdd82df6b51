#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build as a package does (prefix /usr into a staging directory) and checks that
# exactly the expected files are there, each in the form the desktop and Debian expect, and that
# the files that name the app ID, the program and the version agree with each other.
# The program carries its content and no Qt plugins: its icons are read by Qt's ICO reader,
# which stays where Qt installed it, and the check asks that it be there.
# usage: packaging_install.sh BUILD_DIR VERSION ICO_READER
set -u
build=$1
version=$2
ico_reader=$3
app_id=cz.kelmo.Astrelo
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

log=$(DESTDIR="$stage" cmake --install "$build" --prefix /usr 2>&1) \
    || { printf '%s\n' "$log"; fail "cmake --install failed"; }

expected="usr/bin/astrelo
usr/share/applications/$app_id.desktop
usr/share/doc/astrelo/changelog.gz
usr/share/doc/astrelo/copyright
usr/share/icons/hicolor/128x128/apps/$app_id.png
usr/share/icons/hicolor/16x16/apps/$app_id.png
usr/share/icons/hicolor/24x24/apps/$app_id.png
usr/share/icons/hicolor/32x32/apps/$app_id.png
usr/share/icons/hicolor/48x48/apps/$app_id.png
usr/share/icons/hicolor/64x64/apps/$app_id.png
usr/share/icons/hicolor/scalable/apps/$app_id.svg
usr/share/man/man1/astrelo.1.gz
usr/share/metainfo/$app_id.metainfo.xml"
found=$(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$found" != "$expected" ]; then
    echo "expected:"; printf '%s\n' "$expected"
    echo "installed:"; printf '%s\n' "$found"
    fail "the staged install does not hold exactly the expected files"
fi

[ -x "$stage/usr/bin/astrelo" ] || fail "usr/bin/astrelo is not executable"
[ -f "$ico_reader" ] || fail "Qt's ICO reader $ico_reader, which reads the program's icons, is missing"
# The installed program loads it from the plugin folder of the Qt it is linked with: the
# reader is built against that same Qt Gui.
qt_gui() { ldd "$1" | sed -n 's/.*libQt6Gui\.so[^ ]* => \([^ ]*\).*/\1/p'; }
program_gui=$(qt_gui "$stage/usr/bin/astrelo")
[ -n "$program_gui" ] || fail "usr/bin/astrelo is not linked with Qt Gui"
[ "$(qt_gui "$ico_reader")" = "$program_gui" ] \
    || fail "Qt's ICO reader $ico_reader belongs to another Qt than the program's $program_gui"
bad_dirs=$(find "$stage/usr" -type d ! -perm 755)
[ -z "$bad_dirs" ] || fail "directories without mode 755: $bad_dirs"
bad_files=$(find "$stage/usr" -type f ! -path '*/bin/*' ! -perm 644)
[ -z "$bad_files" ] || fail "data files without mode 644: $bad_files"

# Each icon is a PNG whose size is the one its directory names.
for size in 16 24 32 48 64 128; do
    icon="$stage/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    set -- $(od -An -tu1 -N24 "$icon")
    [ "$2 $3 $4" = "80 78 71" ] || fail "$icon is not a PNG"
    width=$(( ${17} * 16777216 + ${18} * 65536 + ${19} * 256 + ${20} ))
    height=$(( ${21} * 16777216 + ${22} * 65536 + ${23} * 256 + ${24} ))
    [ "$width x $height" = "$size x $size" ] \
        || fail "the ${size}x$size icon is $width x $height pixels"
done
svg="$stage/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
grep -q '<svg[^>]* width="128" height="128"' "$svg" || fail "the scalable icon is not a 128-pixel SVG"

# Compressed files carry no name or time stamp and use the best compression, as Debian asks:
# recompressing them the prescribed way gives the same bytes.
for gz in usr/share/man/man1/astrelo.1.gz usr/share/doc/astrelo/changelog.gz; do
    gzip -dc "$stage/$gz" | gzip -9 -n | cmp -s - "$stage/$gz" \
        || fail "$gz is not compressed with gzip -9n"
done
if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$stage/usr/share/man/man1/astrelo.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page has formatting warnings: $warnings"
fi

# The desktop entry starts the installed program and names the installed icon; the metadata
# names the entry, the program and this version; the manual page and the changelog agree.
desktop="$stage/usr/share/applications/$app_id.desktop"
metainfo="$stage/usr/share/metainfo/$app_id.metainfo.xml"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = astrelo ] || fail "the desktop entry runs \"$exec_line\", not astrelo"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the icon $app_id"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metadata's ID is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "the metadata does not launch $app_id.desktop"
grep -q "<binary>astrelo</binary>" "$metainfo" || fail "the metadata does not provide astrelo"
first_release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$first_release" = "$version" ] \
    || fail "the newest release in the metadata is $first_release, not $version"
gzip -dc "$stage/usr/share/man/man1/astrelo.1.gz" | grep -q "^\.TH ASTRELO 1 .*\"Astrelo $version\"" \
    || fail "the manual page does not show version $version"
changelog_version=$(gzip -dc "$stage/usr/share/doc/astrelo/changelog.gz" \
    | sed -n '1s/^astrelo (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] \
    || fail "the newest changelog entry is for ${changelog_version:-no version}, not $version"
# Czech is the program's language: the menu and the software centre show Czech texts too.
for key in 'Name\[cs\]' 'GenericName\[cs\]' 'Comment\[cs\]' 'Keywords\[cs\]'; do
    grep -q "^$key=." "$desktop" || fail "the desktop entry has no $key"
done
for element in '<summary xml:lang="cs">' '<p xml:lang="cs">' '<content_rating type="oars-' \
    '<screenshot type="default">'; do
    grep -qF "$element" "$metainfo" || fail "the metadata has no $element"
done
echo "PASS: the staged install holds the program, desktop entry, metadata, icons and manual page"
