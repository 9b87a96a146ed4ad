// The scene fixture of the GL tests.
#include "scene_fixture.h"

#include "gl_window.h"
#include "pixel_probe.h"

void SceneTest::SetUp()
{
    open_scene_window();
    ASSERT_NE(h_ShaderProgram, 0u) << "the shipped shaders did not build";
    glUseProgram(h_ShaderProgram);
    if (win_width != 1200 || win_height != 800) {
        ASSERT_TRUE(resize_test_window(1200, 800));
        reshape(1200, 800);
    }
    restore_load_state();
}

void world_pixel(float wx, float wy, int* px, int* py)
{
    world_to_pixel(wx, wy, win_width, win_height, px, py);
}
