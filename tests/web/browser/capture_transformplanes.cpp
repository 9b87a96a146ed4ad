// transformplanes for the capture: a compatibility window and main's steps before the loop.
#include <GL/freeglut.h>

#include "capture.h"
#include "gl_window.h"
#include "transformplanes.h"

const int capture_width = 1024, capture_height = 800;

void capture_setup()
{
    open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, capture_width, capture_height);
    glutDisplayFunc(display);
    glutSpecialFunc(special);
    glutReshapeFunc(reshape);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    escort_a_heading = 180.0f;
    glutTimerFunc(15, timer, 0);
}
