// Viewport and the window-centred orthographic projection of shaderplanes, and the
// axes cross that follows the window size.
#include <glm/gtc/matrix_transform.hpp>

#include "shaderplanes.h"

int win_width = 0, win_height = 0;
glm::mat4 ViewMatrix(1.0f), ProjectionMatrix(1.0f), ViewProjectionMatrix(1.0f), ModelViewProjectionMatrix(1.0f);

void reshape(int width, int height)
{
    win_width = width;
    win_height = height;
    glViewport(0, 0, width, height);

    // A minimised window can report 0: the projection would divide by zero, so the
    // last good projection and axes stay until a real size comes back.
    if (width <= 0 || height <= 0)
        return;

    // One unit per pixel, origin at the centre; computed in double so that odd
    // sizes give exact half-pixel bounds, then stored as floats.
    ProjectionMatrix = glm::mat4(glm::ortho(-width * 0.5, width * 0.5, -height * 0.5, height * 0.5, -1000.0, 1000.0));
    ViewProjectionMatrix = ProjectionMatrix * ViewMatrix;

    // The arms stop short of the edges; the whole buffer is uploaded again, not patched.
    axes_vertices[0] = -static_cast<float>(width) / 2.25f;
    axes_vertices[2] = static_cast<float>(width) / 2.25f;
    axes_vertices[5] = -static_cast<float>(height) / 2.25f;
    axes_vertices[7] = static_cast<float>(height) / 2.25f;
    glBindBuffer(GL_ARRAY_BUFFER, VBO_axes);
    glBufferData(GL_ARRAY_BUFFER, sizeof axes_vertices, axes_vertices, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
