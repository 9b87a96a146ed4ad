// Start-up pieces that main registers: the window-centred projection and the special keys.
#include "transformplanes.h"

#include <GL/freeglut.h>

#include <cstdlib>

int win_width = 0, win_height = 0;

// One world unit per pixel with the origin at the window centre; an odd size gives
// half-pixel bounds, so the bounds are computed in double from the stored integers.
void reshape(int width, int height)
{
    win_width = width;
    win_height = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-win_width * 0.5, win_width * 0.5, -win_height * 0.5, win_height * 0.5, -1000.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glutPostRedisplay();
}

// The arrows only redraw (the choreography cannot be steered); End leaves at once.
void special(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_LEFT:
    case GLUT_KEY_UP:
    case GLUT_KEY_RIGHT:
    case GLUT_KEY_DOWN:
        glutPostRedisplay();
        break;
    case GLUT_KEY_END:
        exit(0);
    default:
        break;
    }
}
