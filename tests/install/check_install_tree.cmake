# Installs the build tree BUILD_DIR into a fresh PREFIX, checks that exactly the
# expected files arrive (no tests, no benchmarks) and validates the desktop entries.
# Run with cmake -DBUILD_DIR=... -DPREFIX=... -P check_install_tree.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

set(expected
    bin/dragplanes bin/shaderplanes bin/transformplanes
    lib/planes/Shaders/simple.frag lib/planes/Shaders/simple.vert
    lib/planes/dragplanes lib/planes/shaderplanes lib/planes/transformplanes
    share/applications/dragplanes.desktop share/applications/shaderplanes.desktop
    share/applications/transformplanes.desktop
    share/icons/hicolor/scalable/apps/planes.svg)
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
    file(STRINGS "${entry}" exec REGEX "^Exec=")
    if(NOT exec STREQUAL "Exec=${PREFIX}/bin/${program}")
        message(FATAL_ERROR "${entry}: ${exec}, expected Exec=${PREFIX}/bin/${program}")
    endif()
endforeach()
message(STATUS "installed and validated under ${PREFIX}")
