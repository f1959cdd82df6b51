# SPDX-License-Identifier: MIT
# Sourced by the test scripts. `make test` installs every tool the tests need, so a test that
# cannot run is a fault of the set-up: skip() says why in one line and ends the test as
# skipped (status 77, listed in CTest's summary), and under CI=true it fails instead.
skip() {
    [ "${CI:-}" = true ] && { echo "FAIL: cannot run under CI: $*"; exit 1; }
    echo "SKIP: $*"
    exit 77
}
need() { for tool in "$@"; do command -v "$tool" >/dev/null || skip "$tool is not installed"; done; }
# A script with more to say or to clean up when it fails defines its own fail() after this.
fail() { echo "FAIL: $*"; exit 1; }
