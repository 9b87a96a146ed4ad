#version 400 core

uniform mat4 u_ModelViewProjectionMatrix;

layout (location = 0) in vec2 a_position;

void main(void)
{
    gl_Position = u_ModelViewProjectionMatrix * vec4(a_position, 0.0, 1.0);
}
