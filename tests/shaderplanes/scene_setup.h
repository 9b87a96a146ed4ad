// The program's own shader program, figures and projection in the test window, and the
// scene state as at load: the set-up the tests and the exactness script share.
#pragma once

#include "shaderplanes.h"  // GLEW first

// Opens the window and, once per process, does what main does before the loop:
// loads Shaders/, makes the program current, sets the fixed state, uploads the
// figures and reshapes to 1200 x 800.
void open_scene_window();

// Every scene variable as at load: zero records, reset pending, pulse_dir +1.
void restore_load_state();
