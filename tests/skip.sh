# SPDX-License-Identifier: MIT
# Sourced by the test scripts. `make test` installs every tool the tests need, so a test that
# cannot run is a fault of the set-up: skip() says why in one line and ends the test as
# skipped (status 77, listed in CTest's summary), and under CI=true it fails instead.
skip() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: cannot run under CI: $*"
        exit 1
    fi
    echo "SKIP: $*"
    exit 77
}
