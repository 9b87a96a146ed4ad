// The test window under Node, where there is neither a window nor GL: the scripts run
// every timer step themselves, so the GLUT calls those steps make go nowhere.
#include <GL/freeglut.h>

#include "gl_window.h"

int open_test_window(TestContext, unsigned int, int, int)
{
    return 1;
}

int glutGetWindow()
{
    return 1;
}

void glutPostRedisplay() {}

// There is no main loop to leave; the scripts never press ESC.
void glutLeaveMainLoop() {}

// Never armed: a pending timer would keep Node running, and fire the program's steps
// after the script has ended.
void glutTimerFunc(unsigned int, void (*)(int), int) {}

// The font dragplanes names; the recorder takes its characters, never its glyphs.
void* glutBitmapHelvetica18 = nullptr;
