// Three flyover periods with the speed keys, the tilt keys, left-button drags around a
// circle and the right button: the whole scene state every tick, and every vertex of
// every 23rd frame (a frame's clouds alone are some 40 MB of feedback).
#include <GL/freeglut.h>

#include <cmath>

#include "dragplanes.h"
#include "exactness.h"
#include "feedback.h"
#include "gl_window.h"
#include "scene_state.h"

namespace {

const int special_keys[] = {GLUT_KEY_UP, GLUT_KEY_LEFT, GLUT_KEY_DOWN, GLUT_KEY_RIGHT, GLUT_KEY_UP, GLUT_KEY_DOWN};

// A drag of 40 ticks, three events a tick, around a circle about a moving centre.
void drag_step(int tick)
{
    int phase = tick % 100;
    if (phase == 0)
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 512, 400);
    if (phase < 40) {
        for (int e = 0; e < 3; ++e) {
            double a = (3 * phase + e) * 0.13 + tick * 0.001;
            motion(512 + static_cast<int>(300 * std::cos(a)) + phase, 400 + static_cast<int>(250 * std::sin(a)));
        }
    }
    if (phase == 40)
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
}

}  // namespace

void run_exactness_script(TraceRecord record)
{
    open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
    reshape(1024, 800);
    restore_initial_state();
    for (int tick = 1; tick <= 2400; ++tick) {
        if (tick % 37 == 0)
            special(special_keys[(tick / 37) % 6], 0, 0);
        if (tick % 150 == 60)
            mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
        if (tick % 150 == 90)
            mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 0, 0);
        drag_step(tick);
        timer(0);
        std::vector<float> frame;
        if (tick % 23 == 0)
            frame = capture_feedback_floats(display, 12u << 20);
        record(tick, {TRACE_FIELD(flight_speed), TRACE_FIELD(cloud_speed), TRACE_FIELD(frame_tilt),
                      TRACE_FIELD(reticle_x), TRACE_FIELD(reticle_y), TRACE_FIELD(reticle_heading),
                      TRACE_FIELD(anchor_x), TRACE_FIELD(anchor_y), TRACE_FIELD(motion_count),
                      TRACE_FIELD(drag_active), TRACE_FIELD(ring_visible), TRACE_FIELD(energy_step),
                      TRACE_FIELD(ring_step), TRACE_FIELD(arc_phase), TRACE_FIELD(flyover_distance),
                      TRACE_FIELD(cloud_phase), TRACE_FIELD(energy_phase), TRACE_FIELD(ring_phase),
                      {"display feedback", frame.data(), frame.size() * sizeof(float)}});
    }
}
