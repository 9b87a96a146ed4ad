// The figures of shaderplanes, each in its own vertex buffer and vertex array.
#include "shaderplanes.h"

GLuint VBO_axes = 0, VAO_axes = 0;
GLuint VBO_airplane = 0, VAO_airplane = 0;
GLuint VBO_house = 0, VAO_house = 0;
GLuint VBO_car = 0, VAO_car = 0;
GLuint VBO_cannon = 0, VAO_cannon = 0;
GLuint VBO_sword = 0, VAO_sword = 0;
GLuint VBO_explosion = 0, VAO_explosion = 0;

void prepare_shapes()
{
}
