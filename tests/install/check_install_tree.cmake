# Installs the build tree BUILD_DIR into a fresh PREFIX, checks that exactly the
# expected files arrive (no tests, no benchmarks) and validates the desktop entries.
# Run with cmake -DBUILD_DIR=... -DPREFIX=... -P check_install_tree.cmake
file(REMOVE_RECURSE "${PREFIX}")
# cmake --install rewrites the build tree's list of installed files; keep the list
# of the user's own install, which is what they would uninstall with.
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
    file(READ "${manifest}" user_manifest)
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(DEFINED user_manifest)
    file(WRITE "${manifest}" "${user_manifest}")
else()
    file(REMOVE "${manifest}")
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

set(expected
    bin/dragplanes bin/shaderplanes bin/transformplanes
    lib/planes/Shaders/simple.frag lib/planes/Shaders/simple.vert
    lib/planes/dragplanes lib/planes/shaderplanes lib/planes/transformplanes
    share/applications/dragplanes.desktop share/applications/shaderplanes.desktop
    share/applications/transformplanes.desktop
    share/doc/planes/changelog.gz share/doc/planes/copyright
    share/icons/hicolor/scalable/apps/planes.svg
    share/man/man6/dragplanes.6.gz share/man/man6/shaderplanes.6.gz
    share/man/man6/transformplanes.6.gz)
file(GLOB_RECURSE found RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT found)
if(NOT found STREQUAL expected)
    string(REPLACE ";" "\n  " found_lines "${found}")
    string(REPLACE ";" "\n  " expected_lines "${expected}")
    message(FATAL_ERROR "installed:\n  ${found_lines}\nexpected:\n  ${expected_lines}")
endif()

foreach(program dragplanes shaderplanes transformplanes)
    set(entry "${PREFIX}/share/applications/${program}.desktop")
    # Warnings count too: desktop-file-validate reports them but still exits 0.
    execute_process(COMMAND desktop-file-validate "${entry}"
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0 OR NOT output STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate ${entry} (${status}):\n${output}")
    endif()
    # The entry names the installed launcher, quoted where the path has a space.
    set(want "${PREFIX}/bin/${program}")
    if(want MATCHES " ")
        set(want "\"${want}\"")
    endif()
    file(STRINGS "${entry}" exec REGEX "^Exec=")
    if(NOT exec STREQUAL "Exec=${want}")
        message(FATAL_ERROR "${entry}: ${exec}, expected Exec=${want}")
    endif()
endforeach()
message(STATUS "installed and validated under ${PREFIX}")
