#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the Debian packages of the named groups in tools/packages.txt that are missing.
# As root it runs apt-get itself; otherwise it prints the one command that installs every
# missing package of all the named groups, to run as root. On a system without dpkg and
# apt-get it says so in one line and leaves the rest to CMake, which stops if Qt is missing.
set -eu
here=$(dirname "$0")
if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    echo "Not a Debian system: install CMake, a C++20 compiler and Qt 6 Widgets (see README.md); going on."
    exit 0
fi
missing=""
for group in "$@"; do
    for pkg in $(awk -v g="$group" '$1 == g { print $2 }' "$here/packages.txt"); do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        case "$status" in
            *" installed") ;;
            *) case " $missing " in *" $pkg "*) ;; *) missing="$missing $pkg" ;; esac ;;
        esac
    done
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
else
    echo "Missing Debian packages. As root (sudo, or su -c '...'), run:"
    echo "  apt-get install -y --no-install-recommends$missing"
    exit 1
fi
