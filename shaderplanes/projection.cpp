// Viewport and the window-centred orthographic projection of shaderplanes.
#include "shaderplanes.h"

int win_width = 0, win_height = 0;
glm::mat4 ViewMatrix(1.0f), ProjectionMatrix(1.0f), ViewProjectionMatrix(1.0f), ModelViewProjectionMatrix(1.0f);

void reshape(int width, int height)
{
    win_width = width;
    win_height = height;
    glViewport(0, 0, width, height);
}
