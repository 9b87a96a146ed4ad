// shaderplanes: module-level state and functions of the shader-based scene program.
#pragma once

#include <GL/glew.h>  // before any other GL header
#include <GL/freeglut.h>
#include <glm/glm.hpp>

// --- start-up, keys and shutdown (startup.cpp) ---
extern GLuint h_ShaderProgram;
extern GLint loc_ModelViewProjectionMatrix;
extern GLint loc_primitive_color;
extern int reset_requested;  // set by r/R, consumed by the next frame

void print_banner(const char* program_name, const char* help_line_esc, const char* help_line_reset);
void print_gl_info();
void register_callbacks();
void set_fixed_gl_state();
void request_redisplay();
void keyboard(unsigned char key, int x, int y);
void cleanup();

// --- shader loading (shader_loader.cpp) ---
struct ShaderStage {
    GLenum type;            // GL_NONE ends the list
    const char* file_name;  // relative to the working directory
    GLuint shader;          // written by LoadShaders
};

GLuint LoadShaders(ShaderStage* shaders);

// --- shapes (shapes.cpp) ---
extern GLuint VBO_axes, VAO_axes;
extern GLuint VBO_airplane, VAO_airplane;
extern GLuint VBO_house, VAO_house;
extern GLuint VBO_car, VAO_car;
extern GLuint VBO_cannon, VAO_cannon;
extern GLuint VBO_sword, VAO_sword;
extern GLuint VBO_explosion, VAO_explosion;

void prepare_shapes();

// --- projection (projection.cpp) ---
extern int win_width, win_height;  // pixels, as last reported to reshape
extern glm::mat4 ViewMatrix, ProjectionMatrix, ViewProjectionMatrix, ModelViewProjectionMatrix;

void reshape(int width, int height);

// --- frame (frame.cpp) ---
void display();

// --- timers (timers.cpp) ---
void pulse_timer(int value);
void house_timer(int value);
void car_timer(int value);

// --- pointer (pointer.cpp) ---
void motion(int x, int y);
void mouse(int button, int state, int x, int y);
