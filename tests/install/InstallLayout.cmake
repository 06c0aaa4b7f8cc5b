# Installs a build into a fresh prefix and checks that everything a desktop needs is where the
# desktop looks for it, and that the desktop entry is valid:
#   cmake -DBUILD_DIR=... -DPREFIX=... -P InstallLayout.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()

foreach(path
        bin/daylark
        bin/daylark-cli
        share/applications/daylark.desktop
        share/icons/hicolor/scalable/apps/daylark.svg
        share/doc/daylark/user-guide.md
        share/doc/daylark/images/calendar.png)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/daylark.desktop"
    RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT valid EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "the desktop entry does not validate:\n${said}")
endif()
