#version 400 core

uniform vec3 u_primitive_color;

layout (location = 0) out vec4 final_color;

void main(void)
{
    final_color = vec4(u_primitive_color, 1.0);
}
