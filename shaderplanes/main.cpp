// shaderplanes: entry point. Opens the 4.0 core window, prints the banner and the
// GL information, loads the shaders, uploads the figures and runs the main loop.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shaderplanes.h"

int main(int argc, char* argv[])
{
    // Each line reaches a pipe or a log when it is printed, not in 4 KiB lumps. No
    // buffer at all, since Windows' C runtime has no line buffering: each printf is
    // one write.
    setvbuf(stdout, nullptr, _IONBF, 0);
    char program_name[64] = "TARNISK_HW1";
    char help_line_esc[256] = "    - Keys used: 'ESC' - Exit Program";
    char help_line_reset[256] = "                 'r(R)' - Reset Objects";

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_SINGLE | GLUT_MULTISAMPLE);
    glutInitWindowSize(1200, 800);
    glutInitContextVersion(4, 0);
    glutInitContextProfile(GLUT_CORE_PROFILE);
    create_main_window(program_name);

    print_banner(program_name, help_line_esc, help_line_reset);

    glewExperimental = GL_TRUE;
    GLenum err = glewInit();
    if (err != GLEW_OK) {
        fprintf(stderr, "Error: %s\n", glewGetErrorString(err));
        exit(-1);
    }
    print_gl_info();

    register_callbacks();

    ShaderStage shader_info[3] = {
        {GL_VERTEX_SHADER, "Shaders/simple.vert", 0},
        {GL_FRAGMENT_SHADER, "Shaders/simple.frag", 0},
        {GL_NONE, nullptr, 0},
    };
    use_shader_program(shader_info);

    set_fixed_gl_state();
    ViewMatrix = glm::mat4(1.0f);
    prepare_shapes();

    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutMainLoop();
    return 0;
}
