# The browser build (Emscripten): the GL, GLUT and GLEW targets the programs link are
# Emscripten's own libraries plus the pieces of web/ they lack; glm is Debian's copy,
# seen through a folder of its own so that the rest of /usr/include stays out.
set(PLANES_WEB_GL_OPTIONS -sUSE_WEBGL2=1 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2)

add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE ${PLANES_WEB_GL_OPTIONS} -lGL)

add_library(GLUT::GLUT INTERFACE IMPORTED)
target_include_directories(GLUT::GLUT INTERFACE ${PROJECT_SOURCE_DIR}/web/include)  # GL/freeglut.h
target_link_libraries(GLUT::GLUT INTERFACE web_glut)
target_link_options(GLUT::GLUT INTERFACE -lglut -Wl,--wrap=exit)  # exit() ends the page: glut_web.cpp
target_link_options(GLUT::GLUT INTERFACE "SHELL:--post-js ${PROJECT_SOURCE_DIR}/web/glut_web.js")

add_library(GLEW::GLEW INTERFACE IMPORTED)
target_link_libraries(GLEW::GLEW INTERFACE web_core_gl)
target_link_options(GLEW::GLEW INTERFACE -lGLEW)

set(PLANES_WEB_GLM_DIR ${PROJECT_BINARY_DIR}/glm-include)
file(MAKE_DIRECTORY ${PLANES_WEB_GLM_DIR})
file(CREATE_LINK /usr/include/glm ${PLANES_WEB_GLM_DIR}/glm SYMBOLIC)
add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm INTERFACE ${PLANES_WEB_GLM_DIR})

# Every program: runs on after main returns into the loop, ends for real on exit(),
# and keeps stdout and stderr apart for the page's console panel. Its .wasm travels
# inside its .js, so that a page opened as a file (file://), which cannot fetch one, runs.
set(PLANES_WEB_PROGRAM_OPTIONS -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sSINGLE_FILE=1)
