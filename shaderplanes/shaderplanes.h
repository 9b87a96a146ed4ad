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

int create_main_window(const char* title);  // per platform: main_window.cpp, main_window_win32.cpp
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

// Loads the program from the list, makes it current for the whole run and looks up
// its two uniforms. A failed load leaves program 0 in use and both locations -1.
void use_shader_program(ShaderStage* shaders);

// --- shapes (shapes.cpp) ---
extern GLuint VBO_axes, VAO_axes;
extern GLuint VBO_airplane, VAO_airplane;
extern GLuint VBO_house, VAO_house;
extern GLuint VBO_car, VAO_car;
extern GLuint VBO_cannon, VAO_cannon;
extern GLuint VBO_sword, VAO_sword;
extern GLuint VBO_explosion, VAO_explosion;

extern GLfloat axes_vertices[8];  // -W, 0, W, 0, 0, -H, 0, H; refitted by reshape

void prepare_shapes();
void draw_axes();
void draw_airplane();
void draw_house();
void draw_car();
void draw_cannon();
void draw_sword();
void draw_explosion();

// --- projection (projection.cpp) ---
extern int win_width, win_height;  // pixels, as last reported to reshape
extern glm::mat4 ViewMatrix, ProjectionMatrix, ViewProjectionMatrix, ModelViewProjectionMatrix;

void reshape(int width, int height);

// --- scene state and reset (scene.cpp) ---
struct SceneObject {
    int hit;      // 1 from the moment the explosion reaches it
    float x, y;   // reference point, window-centred units
    float angle;  // degrees, counter-clockwise
    float scale;
};

enum { SCENE_OBJECT_COUNT = 5 };
extern SceneObject houses[SCENE_OBJECT_COUNT];
extern SceneObject cars[SCENE_OBJECT_COUNT];

extern float pointer_x, pointer_y;              // window-centred units
extern float aim_angle_left, aim_angle_right;   // radians, launcher base to pointer
extern int button_down;                         // left button held
extern float target_x, target_y;                // clicked point of the current launch
extern float shot_angle_left, shot_angle_right; // radians, aim frozen at the click
extern float shot_left_x, shot_left_y;
extern float shot_right_x, shot_right_y;
extern int launch_busy;   // a launch is under way: aim frozen, clicks start nothing
extern int shots_flying;  // the two swords are in flight
extern int blast_active;  // the explosion is drawn and hits are tested
extern float blast_scale;
extern float pulse;       // breathing value, about 0..10
extern int pulse_dir;     // +1 or -1
extern int ring_angle;    // degrees, 0..359

void reset_objects();

// --- frame (frame.cpp) ---
void display();

// --- timers (timers.cpp) ---
void pulse_timer(int value);
void house_timer(int value);
void car_timer(int value);

// --- pointer (pointer.cpp) ---
void window_to_world(int x, int y, float* cx, float* cy);
void motion(int x, int y);
void mouse(int button, int state, int x, int y);
void shot_timer(int step);
void blast_timer(int step);
