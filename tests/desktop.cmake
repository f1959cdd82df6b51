# SPDX-License-Identifier: MIT
# The program on the desktops readers use: Czech whatever the locale, keyboard reading, any
# fonts (DejaVu only here), dark themes, the taskbar, screen readers and Wayland.

set(dejavu_only ${CMAKE_CURRENT_BINARY_DIR}/dejavu-only.conf)
file(WRITE ${dejavu_only} "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>${CMAKE_CURRENT_BINARY_DIR}/fontconfig-cache</cachedir>
</fontconfig>
")
astrelo_add_test(tst_desktop SOURCES tst_desktop.cpp LIBS astrelo_shell)
set_tests_properties(tst_desktop PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C;LC_ALL=C;FONTCONFIG_FILE=${dejavu_only}")

qt_add_executable(desktop_probe desktop_probe.cpp)
target_link_libraries(desktop_probe PRIVATE astrelo_shell)

foreach(case look about-window screen-reader wayland)
    add_test(NAME desktop_${case} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tst_environment.sh ${case}
        $<TARGET_FILE:astrelo> $<TARGET_FILE:desktop_probe>)
    set_tests_properties(desktop_${case} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RESOURCE_LOCK xvfb)
endforeach()

# The program with the real Orca screen reader, driven by its own keys. Orca will not start
# while another Orca of the same user runs, so the Orca tests take turns too.
add_test(NAME desktop_orca COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/orca.sh $<TARGET_FILE:astrelo>
    ${PROJECT_SOURCE_DIR}/catalogue/texts)
set_tests_properties(desktop_orca PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RESOURCE_LOCK "xvfb;orca")
