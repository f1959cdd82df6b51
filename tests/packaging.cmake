# SPDX-License-Identifier: MIT
# Checks of what gets installed and packaged. Each one skips (status 77) when the tool it needs
# is not installed; `make test` installs them all.

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build_dir ${PROJECT_BINARY_DIR}/packaging)

add_test(NAME packaging_desktop_entry
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging_validate.sh desktop
        ${packaging_dir}/${ASTRELO_APP_ID}.desktop)
add_test(NAME packaging_metainfo
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging_validate.sh metainfo
        ${packaging_build_dir}/${ASTRELO_APP_ID}.metainfo.xml)
# The catalogue's icons are read by Qt's ICO reader, a plugin in the plugin folder of the Qt the
# program is built with.
set(ico_reader ${CMAKE_SHARED_MODULE_PREFIX}qico${CMAKE_SHARED_MODULE_SUFFIX})
set(ico_reader ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/imageformats/${ico_reader})
add_test(NAME packaging_staged_install
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging_install.sh ${PROJECT_BINARY_DIR} ${PROJECT_VERSION}
        ${ico_reader})
add_test(NAME packaging_windows_resources
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging_rc.sh ${packaging_build_dir}/astrelo.rc
        ${PROJECT_VERSION})
add_test(NAME packaging_deb
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging_deb.sh ${PROJECT_BINARY_DIR} ${PROJECT_VERSION}
        ${ico_reader})
add_test(NAME packaging_installed_start
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging_start.sh ${PROJECT_BINARY_DIR})

set_tests_properties(packaging_desktop_entry packaging_metainfo packaging_staged_install
    packaging_windows_resources packaging_deb packaging_installed_start
    PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
# CPack installs the whole build again and lintian reads the package: the slowest of them.
set_tests_properties(packaging_deb PROPERTIES TIMEOUT 600)
# xvfb-run -a picks a free display number without a lock, so two X tests started together can
# pick the same one: this one runs alone.
set_tests_properties(packaging_installed_start PROPERTIES RUN_SERIAL ON)
