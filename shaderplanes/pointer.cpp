// Pointer aiming and the launch sequence of shaderplanes: the launchers follow the
// pointer, a left press fires two swords at the clicked point, an explosion follows.
#include <cmath>

#include "shaderplanes.h"

static const float launcher_base_x = 550.0f;  // the left launcher stands at -x, the right at +x
static const float launcher_base_y = -450.0f;
static const float muzzle_distance = 210.0f;
static const int flight_steps = 200;
static const int blast_last_step = 100;
static const int blast_growth_steps = 33;
static const int step_wrap = 2147483647;

// GLUT window coordinates (top left, y down) to window-centred units (y up).
void window_to_world(int x, int y, float* cx, float* cy)
{
    *cx = static_cast<float>(x) - static_cast<float>(win_width) * 0.5f;
    *cy = static_cast<float>(win_height - y) - static_cast<float>(win_height) * 0.5f;
}

// Serves moves with and without a button. Aim stays frozen while a launch is under way.
void motion(int x, int y)
{
    window_to_world(x, y, &pointer_x, &pointer_y);
    if (launch_busy == 0) {
        // Sums in single precision, atan2 in double, stored as float.
        const float rise = pointer_y - launcher_base_y;
        aim_angle_left = static_cast<float>(std::atan2(static_cast<double>(rise),
                                                       static_cast<double>(pointer_x + launcher_base_x)));
        aim_angle_right = static_cast<float>(std::atan2(static_cast<double>(rise),
                                                        static_cast<double>(pointer_x - launcher_base_x)));
    }
    glutPostRedisplay();
}

// Every left press tightens the cursor figures; it starts a launch only when none is
// under way, along the angles of the last pointer move, not recomputed from the click.
void mouse(int button, int state, int x, int y)
{
    if (button != GLUT_LEFT_BUTTON)
        return;
    if (state == GLUT_DOWN) {
        button_down = 1;
        pulse = 0.0f;
        if (launch_busy == 0) {
            window_to_world(x, y, &target_x, &target_y);
            shot_angle_left = aim_angle_left;
            shot_angle_right = aim_angle_right;
            glutTimerFunc(1, shot_timer, 1);
        }
    } else if (state == GLUT_UP) {
        button_down = 0;
    }
}

// Each sword moves step/200 of the way from its launcher's muzzle to the target.
// Step 201 hands over to the explosion and hides the swords before a frame shows it.
void shot_timer(int step)
{
    launch_busy = 1;
    shots_flying = 1;

    // cos and sin in double from the float angle, rounded to float, then scaled.
    const float cl = static_cast<float>(std::cos(static_cast<double>(shot_angle_left))) * muzzle_distance;
    const float sl = static_cast<float>(std::sin(static_cast<double>(shot_angle_left))) * muzzle_distance;
    const float cr = static_cast<float>(std::cos(static_cast<double>(shot_angle_right))) * muzzle_distance;
    const float sr = static_cast<float>(std::sin(static_cast<double>(shot_angle_right))) * muzzle_distance;
    const float f = static_cast<float>(step);
    const float steps = static_cast<float>(flight_steps);
    shot_left_x = ((target_x + launcher_base_x) - cl) / steps * f + (cl - launcher_base_x);
    shot_left_y = ((target_y - launcher_base_y) - sl) / steps * f + (sl + launcher_base_y);
    shot_right_x = ((target_x - launcher_base_x) - cr) / steps * f + (cr + launcher_base_x);
    shot_right_y = ((target_y - launcher_base_y) - sr) / steps * f + (sr + launcher_base_y);

    request_redisplay();
    if (step > flight_steps) {
        glutTimerFunc(1, blast_timer, 1);
        shots_flying = 0;
    } else {
        glutTimerFunc(1, shot_timer, (step + 1) % step_wrap);
    }
}

// Grows the explosion for 33 steps, shrinks it after; step 101 ends the launch. The
// last steps go slightly below 0 (a tiny mirrored explosion). No redraw is asked for:
// the ring's 10 ms requests show it.
void blast_timer(int step)
{
    blast_active = 1;
    if (step <= blast_growth_steps)
        blast_scale += 0.24f;
    else
        blast_scale -= 0.12f;
    if (step > blast_last_step) {
        blast_scale = 0.0f;
        blast_active = 0;
        launch_busy = 0;
    } else {
        glutTimerFunc(1, blast_timer, (step + 1) % step_wrap);
    }
}
