#!/bin/sh
# SPDX-License-Identifier: MIT
# Validates the desktop entry or the AppStream metadata with the freedesktop tools. Hints and
# warnings fail the check as errors do: the files are small enough to keep entirely clean.
# usage: packaging_validate.sh desktop FILE | packaging_validate.sh metainfo FILE
set -u
kind=$1
file=$2
. "$(dirname "$0")/skip.sh"
case "$kind" in
desktop)
    command -v desktop-file-validate >/dev/null \
        || skip "desktop-file-validate is not installed"
    report=$(desktop-file-validate "$file" 2>&1)
    status=$?
    ;;
metainfo)
    command -v appstreamcli >/dev/null || skip "appstreamcli is not installed"
    # --strict fails on infos and warnings too; pedantic remarks (the app ID has capitals,
    # which reverse-DNS IDs of desktop programs commonly do) are left out, and so is the hint
    # that an address is not https: the maker's site is served over http, as the about
    # window's link opens it.
    report=$(appstreamcli validate --no-net --strict --explain "$file" 2>&1)
    report=$(printf '%s\n' "$report" | grep -E '^[EWI]: ' | grep -vE '^I: [^ ]+ (screenshot-media-)?url-not-secure http://www\.kelmo\.cz/')
    status=0
    [ -z "$report" ] || status=3
    ;;
*)
    echo "usage: $0 desktop|metainfo FILE"
    exit 2
    ;;
esac
if [ "$status" -ne 0 ] || [ -n "$report" ]; then
    printf '%s\n' "$report"
    echo "FAIL: $file does not validate cleanly (status $status)"
    exit 1
fi
echo "PASS: $file validates with no errors, warnings or hints"
