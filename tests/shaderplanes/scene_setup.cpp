// Shared set-up of the code that runs the program's own routines in the test window.
#include "scene_setup.h"

#include <string>

#include "gl_window.h"

void open_scene_window()
{
    static int prepared = 0;
    open_test_window(TEST_CONTEXT_CORE_4_0, GLUT_RGBA | GLUT_SINGLE | GLUT_MULTISAMPLE, 1200, 800);
    if (prepared)
        return;
    prepared = 1;
    std::string vert = std::string(SHADERS_DIR) + "/simple.vert";
    std::string frag = std::string(SHADERS_DIR) + "/simple.frag";
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_FRAGMENT_SHADER, frag.c_str(), 0}, {GL_NONE, nullptr, 0}};
    use_shader_program(list);
    set_fixed_gl_state();
    ViewMatrix = glm::mat4(1.0f);
    prepare_shapes();
    reshape(1200, 800);
}

void restore_load_state()
{
    for (int i = 0; i < SCENE_OBJECT_COUNT; ++i) {
        houses[i] = SceneObject{};
        cars[i] = SceneObject{};
    }
    pointer_x = pointer_y = 0;
    aim_angle_left = aim_angle_right = 0;
    button_down = 0;
    target_x = target_y = 0;
    shot_angle_left = shot_angle_right = 0;
    shot_left_x = shot_left_y = shot_right_x = shot_right_y = 0;
    launch_busy = shots_flying = blast_active = 0;
    blast_scale = 0;
    pulse = 0;
    pulse_dir = 1;
    ring_angle = 0;
    reset_requested = 1;
}
