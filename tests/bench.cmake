# SPDX-License-Identifier: MIT
# The benchmarks build and one quick pass runs them all: every probe and every benchmark
# reports, and the table is printed. No time is judged.
if(TARGET astrelo_bench)
    add_test(NAME bench_quick COMMAND ${PROJECT_SOURCE_DIR}/bench/run.sh ${PROJECT_BINARY_DIR} --quick)
    set_tests_properties(bench_quick PROPERTIES TIMEOUT 600 RESOURCE_LOCK xvfb)
endif()
