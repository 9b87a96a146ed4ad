// The program's own shader program, figures and projection in the test window, and
// the scene state put back to its values at load before each test.
#pragma once

#include <gtest/gtest.h>

#include "shaderplanes.h"  // GLEW first

// Opens the window and, once per process, does what main does before the loop:
// loads Shaders/, makes the program current, sets the fixed state, uploads the
// figures and reshapes to 1200 x 800.
void open_scene_window();

// Every scene variable as at load: zero records, reset pending, pulse_dir +1.
void restore_load_state();

// Window back at 1200 x 800 (reshaped), program in use, state as at load.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// World point (window-centred units) to the pixel that holds it, at 1200 x 800.
void world_pixel(float wx, float wy, int* px, int* py);
