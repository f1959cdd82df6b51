# SPDX-License-Identifier: MIT
# Reliability: a long run of random events over both windows, every catalogue item taken
# away in turn, and the real program in empty or hostile surroundings.

# 20,000 events here; `make soak` runs a million. The seed is fixed; ASTRELO_SOAK_SEED=N
# sets another.
astrelo_add_test(tst_soak SOURCES tst_soak.cpp LIBS astrelo_shell)
set_tests_properties(tst_soak PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASTRELO_SOAK_EVENTS=20000" TIMEOUT 900)

astrelo_add_test(tst_faults SOURCES tst_faults.cpp testsupport.h LIBS astrelo_shell)
set_tests_properties(tst_faults PROPERTIES TIMEOUT 900)

# The real program under Xvfb, or with no display at all.
foreach(case nothing-written no-display no-browser missing-font)
    add_test(NAME environment_${case}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tst_environment.sh ${case} $<TARGET_FILE:astrelo>)
    set_tests_properties(environment_${case} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RESOURCE_LOCK xvfb)
endforeach()
