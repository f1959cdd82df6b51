# SPDX-License-Identifier: MIT
# The benchmarks build and one quick pass of the driver runs them all: every probe reports
# and every benchmark reports. No time is judged.
if(TARGET astrelo_bench_runner)
    add_test(NAME bench_quick COMMAND ${PROJECT_SOURCE_DIR}/bench/run.sh ${PROJECT_BINARY_DIR} --quick)
    set_tests_properties(bench_quick PROPERTIES TIMEOUT 600)
endif()
