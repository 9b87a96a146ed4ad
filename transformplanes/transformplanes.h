// transformplanes: the choreography state, the GLUT callbacks and the figure routines.
// Every module-level variable is declared here once and defined in the file that owns it.
#pragma once

// ---- start-up and keys (startup.cpp) ----

extern int win_width, win_height;  // pixels, as last reported to reshape

void reshape(int width, int height);
void special(int key, int x, int y);

// ---- figures (figures.cpp); each draws around the current model-view origin ----

void draw_airplane_violet();
void draw_airplane_teal();
void draw_airplane_yellow();
void draw_airplane_green();
void draw_airplane_blue();
void draw_airplane_t_piece();
void draw_airplane_sparse();
void draw_wings();
void draw_wings_fuselage();
void draw_wing_fuselage();

void draw_ring_brown();
void draw_ring_red();
void draw_ring_yellow();

void spark();
void rocket();

// ---- display (display.cpp) ----

extern int scene_placed;  // 1 once the first stage-2 frame has placed the scout

void display();

// ---- tick-driven sequence (timer.cpp) ----

enum { ROW_TABLE_SIZE = 100, ORBITER_TABLE_SIZE = 100, SPIRAL_TABLE_SIZE = 100, GROUP_TABLE_SIZE = 100 };
enum { GROUP_COUNT = 7 };

// stage and opening
extern int tick_count;                  // ticks since start, never reset
extern int row_tick;                    // ticks since the last row started, 0..19
extern int row_count;                   // rows started so far (keeps growing)
extern float row_rise[ROW_TABLE_SIZE];  // height gained by each row
extern int stage;                       // 0 opening, 1 escort spiral, 2 show
extern float climb;                     // extra height of the rocket column and the leader
extern int escort_radius;
extern float escort_a_angle, escort_b_angle;  // radians
extern float escort_a_x, escort_a_y, escort_b_x, escort_b_y;
extern float escort_a_heading;  // degrees; 180 from main
extern float escort_b_heading;  // degrees, before the 180 that display adds

// show sequencer
extern int show_ticks;    // stage-2 ticks, restarts at 1000
extern int cycle_ticks;   // stage-2 ticks, restarts after 3000
extern int cycle_number;  // completed scene cycles
extern int show_mode;     // 0 parade, 1 scene sequence, 2 finale
extern int scene;         // 0..6

// parade
extern int orbiter_count;  // orbiters in play, at most 7
extern int orbiter_first;  // first orbiter still drawn as a cluster
extern int orbiter_ticks;  // 0..49
extern float orbiter_phase[ORBITER_TABLE_SIZE];
extern float orbiter_pos[ORBITER_TABLE_SIZE][2];
extern int orbiter_turn[ORBITER_TABLE_SIZE];  // degrees
extern float outer_radius;                    // radius of orbiters 5 and 6
extern float scout_x, scout_y;
extern int scout_returning;  // 1 while the scout moves toward -x, -y
extern float spiral_spacing;
extern float spiral_a_phase[SPIRAL_TABLE_SIZE], spiral_b_phase[SPIRAL_TABLE_SIZE];
extern float spiral_a_pos[SPIRAL_TABLE_SIZE][2], spiral_b_pos[SPIRAL_TABLE_SIZE][2];
extern int spiral_a_turn[SPIRAL_TABLE_SIZE], spiral_b_turn[SPIRAL_TABLE_SIZE];  // degrees

// figure groups g0..g6: curve parameters and points (u, v); display draws at x = v, y = u
extern float group_phase[GROUP_COUNT][GROUP_TABLE_SIZE];
extern float group_pos[GROUP_COUNT][GROUP_TABLE_SIZE][2];
extern int group_turn[GROUP_TABLE_SIZE];  // degrees, shared by all groups

extern const int group_points[GROUP_COUNT];  // points used per group: 10 or 40

void timer(int value);
