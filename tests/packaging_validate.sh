#!/bin/sh
# SPDX-License-Identifier: MIT
# Validates the desktop entry or the AppStream metadata with the freedesktop tools. Hints and
# warnings fail the check as errors do: the files are small enough to keep entirely clean.
# usage: packaging_validate.sh desktop|metainfo FILE
set -u
file=$2
. "$(dirname "$0")/skip.sh"
if [ "$1" = desktop ]; then
    need desktop-file-validate
    report=$(desktop-file-validate "$file" 2>&1) || report="$report (status $?)"
else
    need appstreamcli
    # --strict fails on infos and warnings too; pedantic remarks (the app ID has capitals, as
    # reverse-DNS IDs of desktop programs commonly do) are left out, and so is the hint that an
    # address is not https: the maker's site is served over http, as the about window opens it.
    report=$(appstreamcli validate --no-net --strict --explain "$file" 2>&1 | grep -E '^[EWI]: ' \
        | grep -vE '^I: [^ ]+ (screenshot-media-)?url-not-secure http://www\.kelmo\.cz/')
fi
[ -z "$report" ] || { printf '%s\n' "$report"; echo "FAIL: $file does not validate cleanly"; exit 1; }
echo "PASS: $file validates with no errors, warnings or hints"
