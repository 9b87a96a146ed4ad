// The scene fixture of the GL tests: the test window at 1200 x 800 with the program's
// shader program in use and the scene state put back to its values at load.
#pragma once

#include <gtest/gtest.h>

#include "scene_setup.h"  // GLEW first

// Window back at 1200 x 800 (reshaped), program in use, state as at load.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// World point (window-centred units) to the pixel that holds it, at 1200 x 800.
void world_pixel(float wx, float wy, int* px, int* py);
