#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the Debian packages of the named groups in tools/packages.txt that are missing.
# As root it runs apt-get itself; otherwise it prints the one command to run.
set -eu
here=$(dirname "$0")
missing=""
for group in "$@"; do
    for pkg in $(awk -v g="$group" '$1 == g { print $2 }' "$here/packages.txt"); do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        case "$status" in
            *" installed") ;;
            *) missing="$missing $pkg" ;;
        esac
    done
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
else
    echo "Missing Debian packages. Run:"
    echo "  sudo apt-get install -y$missing"
    exit 1
fi
