// One freeglut window per test process.
#include "gl_window.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <chrono>
#include <thread>

static int test_window = 0;
static int reported_width = 0, reported_height = 0;

static void test_window_display() {}  // freeglut wants one; tests draw on their own

static void test_window_reshape(int width, int height)
{
    reported_width = width;
    reported_height = height;
}

int open_test_window(TestContext context, unsigned int display_mode, int width, int height)
{
    if (test_window != 0)
        return test_window;
    int argc = 1;
    char name[] = "gltest";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(display_mode);
    glutInitWindowSize(width, height);
    if (context == TEST_CONTEXT_CORE_4_0) {
        glutInitContextVersion(4, 0);
        glutInitContextProfile(GLUT_CORE_PROFILE);
    }
    test_window = glutCreateWindow("gltest");
    glutDisplayFunc(test_window_display);
    glutReshapeFunc(test_window_reshape);
    glewExperimental = GL_TRUE;
    glewInit();
    glGetError();  // glewInit on a core context can leave a stale GL_INVALID_ENUM
    resize_test_window(width, height);
    return test_window;
}

void pump_test_window_events()
{
    for (int i = 0; i < 20; ++i)
        glutMainLoopEvent();
}

int resize_test_window(int width, int height)
{
    glutReshapeWindow(width, height);
    for (int i = 0; i < 500; ++i) {
        glutMainLoopEvent();
        if (reported_width == width && reported_height == height)
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return 0;
}
