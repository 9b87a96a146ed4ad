# Windows: the programs, the freeglut and GLEW DLLs and Shaders/ in one folder, in the
# build (CMAKE_RUNTIME_OUTPUT_DIRECTORY) and in the install tree alike, so that a
# double-click in Explorer, which starts a program in its own folder, finds the
# shaders. `cpack -G ZIP` packs the install tree as planes-<version>-windows-x64.zip.
set(PLANES_PROGRAMS shaderplanes transformplanes dragplanes)

# MinGW names freeglut's DLL libfreeglut.dll, MSVC freeglut.dll.
find_file(PLANES_FREEGLUT_DLL NAMES freeglut.dll libfreeglut.dll PATH_SUFFIXES bin)
find_file(PLANES_GLEW_DLL NAMES glew32.dll PATH_SUFFIXES bin)
set(PLANES_DLLS)
foreach(dll PLANES_FREEGLUT_DLL PLANES_GLEW_DLL)
    if(${dll})
        list(APPEND PLANES_DLLS ${${dll}})
    else()
        message(WARNING "${dll} not found: copy the DLL beside the programs yourself")
    endif()
endforeach()

if(PLANES_DLLS)
    # The three programs share one folder (multi-config generators add the config).
    add_custom_target(planes_dlls ALL
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PLANES_DLLS} $<TARGET_FILE_DIR:shaderplanes>)
    add_dependencies(planes_dlls ${PLANES_PROGRAMS})
endif()

install(TARGETS ${PLANES_PROGRAMS} RUNTIME DESTINATION .)
install(FILES ${PLANES_DLLS} DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Shaders DESTINATION .)

# The programs' license, and the DLLs' license texts with them. vcpkg keeps each as
# share/<port>/copyright beside bin/, and scripts/build-windows does the same.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME planes.txt)
get_filename_component(PLANES_DEPS_DIR "${PLANES_GLEW_DLL}/../.." ABSOLUTE)
foreach(port freeglut glew)
    if(EXISTS ${PLANES_DEPS_DIR}/share/${port}/copyright)
        install(FILES ${PLANES_DEPS_DIR}/share/${port}/copyright DESTINATION licenses RENAME ${port}.txt)
    endif()
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_SYSTEM_NAME windows-x64)
include(CPack)
