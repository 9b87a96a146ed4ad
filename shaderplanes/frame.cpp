// One frame of the shaderplanes scene.
#include "shaderplanes.h"

void display()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
}
