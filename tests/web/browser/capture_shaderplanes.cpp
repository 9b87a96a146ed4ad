// shaderplanes for the capture: the 4.0 core window and main's steps before the loop.
#include "capture.h"
#include "gl_window.h"
#include "shaderplanes.h"

const int capture_width = 1200, capture_height = 800;

void capture_setup()
{
    open_test_window(TEST_CONTEXT_CORE_4_0, GLUT_RGBA | GLUT_SINGLE | GLUT_MULTISAMPLE, capture_width, capture_height);
    register_callbacks();
    ShaderStage shaders[] = {{GL_VERTEX_SHADER, SHADERS_DIR "/simple.vert", 0},
                             {GL_FRAGMENT_SHADER, SHADERS_DIR "/simple.frag", 0},
                             {GL_NONE, nullptr, 0}};
    use_shader_program(shaders);
    set_fixed_gl_state();
    ViewMatrix = glm::mat4(1.0f);
    prepare_shapes();
}
