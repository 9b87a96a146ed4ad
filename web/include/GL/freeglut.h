// The freeglut header for the browser build: Emscripten's GLUT, plus the freeglut
// extensions the programs call, which Emscripten lacks (glut_web.cpp defines them).
#pragma once

#include <GL/glut.h>

#define GLUT_ACTION_EXIT 0
#define GLUT_ACTION_GLUTMAINLOOP_RETURNS 1
#define GLUT_ACTION_CONTINUE_EXECUTION 2
#define GLUT_ACTION_ON_WINDOW_CLOSE 0x01F9
#define GLUT_CORE_PROFILE 0x0001
#define GLUT_COMPATIBILITY_PROFILE 0x0002

#ifdef __cplusplus
extern "C" {
#endif

void glutLeaveMainLoop(void);
void glutCloseFunc(void (*callback)(void));
void glutSetOption(GLenum option_flag, int value);
void glutInitContextVersion(int major_version, int minor_version);
void glutInitContextProfile(int profile);

#ifdef __cplusplus
}
#endif
