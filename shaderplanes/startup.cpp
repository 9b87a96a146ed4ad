// Start-up pieces, the keyboard and the close callback of shaderplanes.

#include <cstdio>

#include "shaderplanes.h"

GLuint h_ShaderProgram = 0;
GLint loc_ModelViewProjectionMatrix = 0;
GLint loc_primitive_color = 0;
int reset_requested = 1;  // the first frame performs the reset

void print_banner(const char* program_name, const char* help_line_esc, const char* help_line_reset)
{
    fprintf(stdout, "**************************************************************\n\n");
    fprintf(stdout, "  PROGRAM NAME: %s\n\n", program_name);
    fprintf(stdout, "    This program was coded for TARNISK_HW1\n");
    fprintf(stdout, "      of Dept. of Comp. Sci. & Eng., Orvane University.\n\n");
    fprintf(stdout, "%s\n", help_line_esc);
    fprintf(stdout, "%s\n", help_line_reset);
    fprintf(stdout, "\n**************************************************************\n\n");
}

void print_gl_info()
{
    fprintf(stdout, "*********************************************************\n");
    fprintf(stdout, " - GLEW version supported: %s\n", glewGetString(GLEW_VERSION));
    fprintf(stdout, " - OpenGL renderer: %s\n", glGetString(GL_RENDERER));
    fprintf(stdout, " - OpenGL version supported: %s\n", glGetString(GL_VERSION));
    fprintf(stdout, "*********************************************************\n\n");
}

void register_callbacks()
{
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutReshapeFunc(reshape);
    glutCloseFunc(cleanup);
    glutMouseFunc(mouse);
    glutPassiveMotionFunc(motion);
    glutMotionFunc(motion);
    glutTimerFunc(10, pulse_timer, 0);
    glutTimerFunc(10, house_timer, 0);
    glutTimerFunc(10, car_timer, 0);
}

void use_shader_program(ShaderStage* shaders)
{
    h_ShaderProgram = LoadShaders(shaders);
    glUseProgram(h_ShaderProgram);
    loc_ModelViewProjectionMatrix = glGetUniformLocation(h_ShaderProgram, "u_ModelViewProjectionMatrix");
    loc_primitive_color = glGetUniformLocation(h_ShaderProgram, "u_primitive_color");
}

void set_fixed_gl_state()
{
    glEnable(GL_MULTISAMPLE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glClearColor(189 / 255.0f, 189 / 255.0f, 189 / 255.0f, 1.0f);
}

// glutPostRedisplay for the timers. When the window manager closes the window,
// freeglut still runs the timers that are due before the main loop returns, and
// glutPostRedisplay without a window ends the process with status 1.
void request_redisplay()
{
    if (glutGetWindow() != 0)
        glutPostRedisplay();
}

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case 27:  // ESC: cleanup runs when GLUT closes the window on the way out
        glutLeaveMainLoop();
        break;
    case 'r':
    case 'R':
        fprintf(stdout, "*Objects reseted\n\n");
        reset_requested = 1;
        break;
    }
}

// Runs while the window's context still exists; deletes in creation order.
void cleanup()
{
    glDeleteVertexArrays(1, &VAO_axes);
    glDeleteBuffers(1, &VBO_axes);
    glDeleteVertexArrays(1, &VAO_airplane);
    glDeleteBuffers(1, &VBO_airplane);
    glDeleteVertexArrays(1, &VAO_house);
    glDeleteBuffers(1, &VBO_house);
    glDeleteVertexArrays(1, &VAO_car);
    glDeleteBuffers(1, &VBO_car);
    glDeleteVertexArrays(1, &VAO_cannon);
    glDeleteBuffers(1, &VBO_cannon);
    glDeleteVertexArrays(1, &VAO_sword);
    glDeleteBuffers(1, &VBO_sword);
    glDeleteVertexArrays(1, &VAO_explosion);
    glDeleteBuffers(1, &VBO_explosion);
    fprintf(stdout, "\n*** Good Bye ***\n\n");
}
