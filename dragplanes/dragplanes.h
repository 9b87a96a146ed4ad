// dragplanes: module-level state and functions of the mouse-steered scene program.
#pragma once

#include <GL/freeglut.h>

// --- start-up (startup.cpp) ---
extern const char window_title_cp949[];  // the window title as CP949 bytes

void register_callbacks();
void set_fixed_gl_state();

// --- window and input (input.cpp) ---
extern int win_width, win_height;  // pixels, as last reported to reshape
extern float flight_speed;         // per-tick step of arc_phase and flyover_distance
extern float cloud_speed;          // per-tick step of cloud_phase
extern float frame_tilt;           // degrees, -30..30, counter-clockwise
extern float reticle_x, reticle_y; // reticle centre, window-centred pixels
extern float reticle_heading;      // degrees, 0 = toward -y, 90 = toward +x
extern float anchor_x, anchor_y;   // reticle position at the last heading update
extern int motion_count;           // drag events since the last heading update
extern int drag_active;            // 1 while the left button is held
extern int ring_visible;           // 1 while the right button is held

void reshape(int width, int height);
void special(int key, int x, int y);
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
float drag_heading(float dx, float dy);

// --- figures (figures.cpp) ---
void draw_airplane();
void draw_cloud();
void draw_reticle();
void draw_frame();

// --- display (display.cpp) ---
float arc_height(float radius, float x);
void display();

// --- timer and Energy readout (timer.cpp) ---
extern float energy_step;       // signed per-tick step of energy_phase
extern float ring_step;         // signed per-tick step of ring_phase
extern float arc_phase;         // 0..600, drives both formations
extern float flyover_distance;  // 0..8000, drives the fly-over airplane
extern float cloud_phase;       // 0..200, drives the cloud rows
extern float energy_phase;      // bouncing colour phase of the Energy bar
extern float ring_phase;        // bouncing colour phase of the reticle ring

void timer(int value);
void draw_energy();
