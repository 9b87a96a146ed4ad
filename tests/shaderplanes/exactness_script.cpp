// 800 frames (the ring turns twice) of the pointer circling the scene, with a launch at
// a house or a car every 150 frames and one reset: the whole scene state and every
// matrix and colour each frame uploads.
#include "call_log.h"
#include "exactness.h"
#include "scene_setup.h"

#include <cmath>

namespace {

int shot_step = 0, blast_step = 0;  // next step of the launch chain, 0 while idle

// Clicks at a house (even launches) or a car, after a move there to aim.
void launch(int n)
{
    const SceneObject& target = (n % 2 == 0 ? houses : cars)[n % SCENE_OBJECT_COUNT];
    int x = static_cast<int>(target.x) + 600, y = 400 - static_cast<int>(target.y);
    motion(x, y);
    int idle = launch_busy == 0;
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    if (idle)
        shot_step = 1;
}

// The 1 ms launch chain: ten steps per 10 ms frame.
void serve_launch_steps()
{
    for (int i = 0; i < 10; ++i) {
        if (shot_step != 0) {
            shot_timer(shot_step);
            if (shot_step > 200) {
                shot_step = 0;
                blast_step = 1;
            } else {
                ++shot_step;
            }
        } else if (blast_step != 0) {
            blast_timer(blast_step);
            blast_step = blast_step > 100 ? 0 : blast_step + 1;
        }
    }
}

}  // namespace

void run_exactness_script(TraceRecord record)
{
    open_scene_window();
    glUseProgram(h_ShaderProgram);
    // The uploads are compared, not the pixels: clear and draw into one pixel only.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    restore_load_state();
    CallLog log;
    std::vector<float> uploads;
    for (int frame = 1; frame <= 800; ++frame) {
        double a = frame * 0.04;
        motion(600 + static_cast<int>(520 * std::cos(a)), 400 + static_cast<int>(330 * std::sin(1.3 * a)));
        if (frame % 150 == 40 && frame < 700)
            launch(frame / 150);
        if (frame % 150 == 50)
            mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
        if (frame == 720)
            keyboard('r', 0, 0);
        serve_launch_steps();
        pulse_timer(frame);
        house_timer(0);
        car_timer(0);
        log.calls.clear();
        display();
        uploads.clear();
        for (const LoggedCall& call : log.calls) {
            if (call.kind == LoggedCall::MATRIX)
                uploads.insert(uploads.end(), call.values, call.values + 16);
            else if (call.kind == LoggedCall::COLOR)
                uploads.insert(uploads.end(), call.values, call.values + 3);
        }
        record(frame, {TRACE_FIELD(houses), TRACE_FIELD(cars), TRACE_FIELD(pointer_x), TRACE_FIELD(pointer_y),
                       TRACE_FIELD(aim_angle_left), TRACE_FIELD(aim_angle_right), TRACE_FIELD(button_down),
                       TRACE_FIELD(target_x), TRACE_FIELD(target_y), TRACE_FIELD(shot_angle_left),
                       TRACE_FIELD(shot_angle_right), TRACE_FIELD(shot_left_x), TRACE_FIELD(shot_left_y),
                       TRACE_FIELD(shot_right_x), TRACE_FIELD(shot_right_y), TRACE_FIELD(launch_busy),
                       TRACE_FIELD(shots_flying), TRACE_FIELD(blast_active), TRACE_FIELD(blast_scale),
                       TRACE_FIELD(pulse), TRACE_FIELD(pulse_dir), TRACE_FIELD(ring_angle),
                       TRACE_FIELD(reset_requested), {"uploaded uniforms", uploads.data(), uploads.size() * sizeof(float)}});
    }
    glDisable(GL_SCISSOR_TEST);
}
