// Pointer aiming and the launch: window-to-world conversion, aim angles, the press,
// the flight of the two swords and the explosion's growth and end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scene_fixture.h"  // GLEW first
#include "call_log.h"

namespace {

class Pointer : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        reset_objects();
    }
};

TEST_F(Pointer, WindowToWorldForEvenAndOddWindowSizes)
{
    float x, y;
    win_width = 1200;
    win_height = 800;
    window_to_world(600, 400, &x, &y);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
    window_to_world(0, 0, &x, &y);
    EXPECT_EQ(x, -600.0f);
    EXPECT_EQ(y, 400.0f);
    window_to_world(1199, 799, &x, &y);
    EXPECT_EQ(x, 599.0f);
    EXPECT_EQ(y, -399.0f);

    win_width = 1201;
    win_height = 801;
    window_to_world(600, 400, &x, &y);
    EXPECT_EQ(x, -0.5f);
    EXPECT_EQ(y, 0.5f);
    window_to_world(0, 0, &x, &y);
    EXPECT_EQ(x, -600.5f);
    EXPECT_EQ(y, 400.5f);
    window_to_world(1200, 800, &x, &y);
    EXPECT_EQ(x, 599.5f);
    EXPECT_EQ(y, -399.5f);
    win_width = 1200;
    win_height = 800;
}

TEST_F(Pointer, AimAnglesAtTheWindowCentreAreRoundedFromDoubleAtan2)
{
    CallLog log;
    motion(600, 400);
    EXPECT_EQ(pointer_x, 0.0f);
    EXPECT_EQ(pointer_y, 0.0f);
    EXPECT_EQ(aim_angle_left, static_cast<float>(std::atan2(450.0, 550.0)));
    EXPECT_EQ(aim_angle_right, static_cast<float>(std::atan2(450.0, -550.0)));
    EXPECT_NEAR(aim_angle_left, 0.6857, 1e-4);
    EXPECT_NEAR(aim_angle_right, 2.4559, 1e-4);
    EXPECT_TRUE(log.of_kind(LoggedCall::TIMER).empty());
}

// The same function serves moves with the button up and drags with it held.
TEST_F(Pointer, DragsMoveCrosshairAndLaunchersLikePlainMoves)
{
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 600, 400);  // armed, the flight not yet begun
    motion(900, 100);
    EXPECT_EQ(button_down, 1);
    EXPECT_EQ(pointer_x, 300.0f);
    EXPECT_EQ(pointer_y, 300.0f);
    EXPECT_EQ(aim_angle_left, static_cast<float>(std::atan2(750.0, 850.0)));
    EXPECT_EQ(aim_angle_right, static_cast<float>(std::atan2(750.0, -250.0)));
}

// The click sets only the target; the angles are those of the last move.
TEST_F(Pointer, ClickFiresAlongTheAnglesOfTheLastMoveFromEachMuzzle)
{
    motion(100, 100);  // world (-500, 300)
    const float left = aim_angle_left, right = aim_angle_right;
    {
        CallLog log;
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 900, 500);  // world (300, -100)
        std::vector<LoggedCall> timers = log.of_kind(LoggedCall::TIMER);
        ASSERT_EQ(timers.size(), 1u);
        EXPECT_EQ(timers[0].msecs, 1u);
        EXPECT_EQ(timers[0].timer, shot_timer);
        EXPECT_EQ(timers[0].value, 1);
    }
    EXPECT_EQ(target_x, 300.0f);
    EXPECT_EQ(target_y, -100.0f);
    EXPECT_EQ(shot_angle_left, left);
    EXPECT_EQ(shot_angle_right, right);
    EXPECT_EQ(launch_busy, 0) << "armed: the flight has not begun";
    EXPECT_EQ(pointer_x, -500.0f) << "a press does not move the pointer";

    shot_timer(1);
    EXPECT_EQ(launch_busy, 1);
    EXPECT_EQ(shots_flying, 1);
    // Step 1 lies 1/200 of the way from base + 210 (cos, sin) to the target.
    const double bases[2][2] = {{-550, -450}, {550, -450}};
    const float angles[2] = {left, right};
    const float got[2][2] = {{shot_left_x, shot_left_y}, {shot_right_x, shot_right_y}};
    for (int s = 0; s < 2; ++s) {
        double mx = bases[s][0] + 210 * std::cos(static_cast<double>(angles[s]));
        double my = bases[s][1] + 210 * std::sin(static_cast<double>(angles[s]));
        EXPECT_NEAR(got[s][0], mx + (300 - mx) / 200, 1e-3) << "sword " << s;
        EXPECT_NEAR(got[s][1], my + (-100 - my) / 200, 1e-3) << "sword " << s;
    }
    // And exactly the float arithmetic of the rule.
    const float cl = static_cast<float>(std::cos(static_cast<double>(left))) * 210;
    const float sl = static_cast<float>(std::sin(static_cast<double>(left))) * 210;
    EXPECT_EQ(shot_left_x, ((300.0f + 550) - cl) / 200 * 1.0f + (cl - 550));
    EXPECT_EQ(shot_left_y, ((-100.0f + 450) - sl) / 200 * 1.0f + (sl - 450));
}

TEST_F(Pointer, ClickWithoutAnyMoveFiresAlongTheOldAngles)
{
    aim_angle_left = 0.25f;
    aim_angle_right = 2.75f;
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 700);
    EXPECT_EQ(shot_angle_left, 0.25f);
    EXPECT_EQ(shot_angle_right, 2.75f);
    EXPECT_EQ(pointer_x, 0.0f);
    shot_timer(1);
    const float cr = static_cast<float>(std::cos(2.75)) * 210;
    EXPECT_EQ(shot_right_x, ((-500.0f - 550) - cr) / 200 + (cr + 550));
}

// Steps 1 to 201 fly, 200 lands on the target, 201 hides the swords and hands over;
// the explosion peaks at step 33, ends at 101, and aiming stays frozen throughout.
TEST_F(Pointer, LaunchFliesTwoHundredStepsThenExplodesAndFreezesAimUntilTheNextMove)
{
    motion(800, 300);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 750, 250);  // world (150, 150)
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 750, 250);
    const float left = aim_angle_left, right = aim_angle_right;
    for (int step = 1; step <= 201; ++step) {
        CallLog log;
        shot_timer(step);
        std::vector<LoggedCall> timers = log.of_kind(LoggedCall::TIMER);
        ASSERT_EQ(timers.size(), 1u);
        EXPECT_EQ(timers[0].msecs, 1u);
        if (step <= 200) {
            ASSERT_EQ(shots_flying, 1);
            EXPECT_EQ(timers[0].timer, shot_timer);
            EXPECT_EQ(timers[0].value, step + 1);
        } else {
            EXPECT_EQ(shots_flying, 0);
            EXPECT_EQ(timers[0].timer, blast_timer);
            EXPECT_EQ(timers[0].value, 1);
        }
        if (step == 200) {
            EXPECT_NEAR(shot_left_x, 150.0f, 1e-3f);
            EXPECT_NEAR(shot_left_y, 150.0f, 1e-3f);
            EXPECT_NEAR(shot_right_x, 150.0f, 1e-3f);
            EXPECT_NEAR(shot_right_y, 150.0f, 1e-3f);
        }
        if (step == 100) {
            motion(10, 790);  // the pointer moves on, the launchers do not
            EXPECT_EQ(pointer_x, -590.0f);
            // A press in flight changes the button and the pulse only.
            pulse = 6.0f;
            mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
            EXPECT_EQ(button_down, 1);
            EXPECT_EQ(pulse, 0.0f);
            EXPECT_EQ(target_x, 150.0f);
            EXPECT_EQ(target_y, 150.0f);
            mouse(GLUT_LEFT_BUTTON, GLUT_UP, 10, 10);
            EXPECT_EQ(button_down, 0);
        }
        EXPECT_EQ(launch_busy, 1);
    }
    EXPECT_EQ(blast_active, 0);
    for (int step = 1; step <= 101; ++step) {
        CallLog log;
        blast_timer(step);
        std::vector<LoggedCall> timers = log.of_kind(LoggedCall::TIMER);
        if (step <= 100) {
            ASSERT_EQ(blast_active, 1);
            ASSERT_EQ(launch_busy, 1);
            ASSERT_EQ(timers.size(), 1u);
            EXPECT_EQ(timers[0].timer, blast_timer);
            EXPECT_EQ(timers[0].value, step + 1);
        } else {
            EXPECT_TRUE(timers.empty()) << "the explosion schedules nothing after its last step";
        }
        if (step == 33) {
            EXPECT_EQ(blast_scale, 7.9199963f);
        }
        if (step == 99) {
            EXPECT_NEAR(blast_scale, 0.0f, 1e-4f);
        }
        if (step == 100) {
            EXPECT_NEAR(blast_scale, -0.12f, 1e-4f);
        }
        if (step == 50) {
            motion(300, 300);
            mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
            EXPECT_EQ(target_x, 150.0f);
            mouse(GLUT_LEFT_BUTTON, GLUT_UP, 300, 300);
        }
        EXPECT_EQ(aim_angle_left, left);
        EXPECT_EQ(aim_angle_right, right);
    }
    EXPECT_EQ(blast_scale, 0.0f);
    EXPECT_EQ(blast_active, 0);
    EXPECT_EQ(launch_busy, 0);
    EXPECT_EQ(shots_flying, 0);
    // The launchers do not turn back by themselves; the next move turns them.
    EXPECT_EQ(aim_angle_left, left);
    motion(300, 300);
    EXPECT_EQ(aim_angle_left, static_cast<float>(std::atan2(550.0, 250.0)));
}

// A second press in the millisecond before the first flight step finds no launch under
// way and arms a second chain. Both chains fly to the second press's point, side by
// side; the explosion grows twice as fast to twice its size, and the launch ends cleanly.
TEST_F(Pointer, TwoPressesWithinTheArmedMillisecondRunTwoChainsThatEndTogether)
{
    motion(800, 300);
    {
        CallLog log;
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 750, 250);  // world (150, 150)
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 750, 250);
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);  // world (-300, 100)
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 300, 300);
        EXPECT_EQ(log.of_kind(LoggedCall::TIMER).size(), 2u) << "two chains armed";
    }
    EXPECT_EQ(target_x, -300.0f);
    EXPECT_EQ(target_y, 100.0f);
    for (int step = 1; step <= 201; ++step) {
        shot_timer(step);
        shot_timer(step);
        if (step == 200) {
            EXPECT_NEAR(shot_left_x, -300.0f, 1e-3f);
            EXPECT_NEAR(shot_right_y, 100.0f, 1e-3f);
        }
    }
    float peak = 0.0f;
    for (int step = 1; step <= 101; ++step) {
        blast_timer(step);
        blast_timer(step);
        peak = std::max(peak, blast_scale);
        if (step <= 100) {
            ASSERT_EQ(launch_busy, 1);
        }
    }
    EXPECT_NEAR(peak, 66 * 0.24f, 1e-3f);
    EXPECT_EQ(blast_scale, 0.0f);
    EXPECT_EQ(blast_active, 0);
    EXPECT_EQ(launch_busy, 0);
    EXPECT_EQ(shots_flying, 0);
}

TEST_F(Pointer, RightAndMiddleButtonsChangeNothing)
{
    motion(700, 300);
    pulse = 4.0f;
    const float left = aim_angle_left;
    CallLog log;
    for (int button : {GLUT_RIGHT_BUTTON, GLUT_MIDDLE_BUTTON})
        for (int state : {GLUT_DOWN, GLUT_UP})
            mouse(button, state, 100, 100);
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ(button_down, 0);
    EXPECT_EQ(pulse, 4.0f);
    EXPECT_EQ(target_x, 0.0f);
    EXPECT_EQ(target_y, 0.0f);
    EXPECT_EQ(shot_angle_left, 0.0f);
    EXPECT_EQ(aim_angle_left, left);
    EXPECT_EQ(launch_busy, 0);
}

}  // namespace
