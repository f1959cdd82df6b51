#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs every benchmark of a build and prints one table (Markdown) on standard output.
# usage: bench/run.sh BUILD_DIR [--quick] [--rounds N] [--markdown FILE]
# The build should be a Release build; `make bench` makes one in build/ and runs this.
set -eu
build=${1:?usage: bench/run.sh BUILD_DIR [--quick] [--rounds N] [--markdown FILE]}
shift
runner="$build/bench/astrelo_bench_runner"
if [ ! -x "$runner" ]; then
    echo "bench/run.sh: $runner is not built; it needs Google Benchmark (libbenchmark-dev)" >&2
    exit 1
fi
exec "$runner" "$@"
