// Pointer aiming and the launch sequence of shaderplanes.

#include "shaderplanes.h"

void motion(int, int)
{
    glutPostRedisplay();
}

void mouse(int, int, int, int)
{
}
