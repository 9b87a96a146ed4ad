// The choreography from its start through 12,000 ticks, well past the first cycle's end
// at tick 4,630: the whole tick state every tick and every vertex of every 7th frame.
#include <GL/freeglut.h>

#include "choreography_state.h"
#include "exactness.h"
#include "feedback.h"
#include "gl_window.h"
#include "transformplanes.h"

void run_exactness_script(TraceRecord record)
{
    open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
    reshape(1024, 800);
    restart_choreography();
    for (int tick = 1; tick <= 12000; ++tick) {
        timer(0);
        std::vector<float> frame;
        if (tick % 7 == 0)
            frame = capture_feedback_floats(display);
        record(tick, {TRACE_FIELD(row_rise), TRACE_FIELD(row_count), TRACE_FIELD(stage), TRACE_FIELD(climb),
                      TRACE_FIELD(escort_a_angle), TRACE_FIELD(escort_b_angle), TRACE_FIELD(escort_a_x),
                      TRACE_FIELD(escort_a_y), TRACE_FIELD(escort_b_x), TRACE_FIELD(escort_b_y),
                      TRACE_FIELD(escort_a_heading), TRACE_FIELD(escort_b_heading), TRACE_FIELD(show_ticks),
                      TRACE_FIELD(cycle_ticks), TRACE_FIELD(cycle_number), TRACE_FIELD(show_mode), TRACE_FIELD(scene),
                      TRACE_FIELD(orbiter_count), TRACE_FIELD(orbiter_first), TRACE_FIELD(orbiter_phase),
                      TRACE_FIELD(orbiter_pos), TRACE_FIELD(orbiter_turn), TRACE_FIELD(outer_radius),
                      TRACE_FIELD(scout_x), TRACE_FIELD(scout_y), TRACE_FIELD(scout_returning),
                      TRACE_FIELD(spiral_spacing), TRACE_FIELD(spiral_a_phase), TRACE_FIELD(spiral_b_phase),
                      TRACE_FIELD(spiral_a_pos), TRACE_FIELD(spiral_b_pos), TRACE_FIELD(spiral_a_turn),
                      TRACE_FIELD(spiral_b_turn), TRACE_FIELD(group_phase), TRACE_FIELD(group_pos),
                      TRACE_FIELD(group_turn), TRACE_FIELD(scene_placed),
                      {"display feedback", frame.data(), frame.size() * sizeof(float)}});
    }
}
