// dragplanes for the capture: a compatibility window and main's steps before the loop.
#include "capture.h"
#include "dragplanes.h"
#include "gl_window.h"

const int capture_width = 1024, capture_height = 800;

void capture_setup()
{
    open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGB | GLUT_SINGLE, capture_width, capture_height);
    register_callbacks();
    set_fixed_gl_state();
}
