// dragplanes' input: arrow keys and their limits, mouse buttons, the reticle drag and
// its heading, and which of them request a redraw.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dragplanes.h"
#include "gl_window.h"
#include "scene_state.h"

namespace {

int redraws = 0;
void count_redraw()
{
    ++redraws;
}

class Input : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGB | GLUT_SINGLE, 1024, 800);
        glutDisplayFunc(count_redraw);  // a posted redisplay shows up as a call
        restore_initial_state();
        reshape(1024, 800);
    }

    // The redraws that action requests, seen through the window's display callback.
    static int redraws_requested(const std::function<void()>& action)
    {
        pump_test_window_events();
        redraws = 0;
        action();
        pump_test_window_events();
        return redraws;
    }

    static void press(int key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            special(key, 0, 0);
    }

    // Drag events to pointer (x, y), GLUT window coordinates.
    static void drag_to(int x, int y, int events = 1)
    {
        for (int i = 0; i < events; ++i)
            motion(x, y);
    }
};

TEST_F(Input, UpRaisesBothSpeedsUntilOneStepPastFifty)
{
    press(GLUT_KEY_UP);
    EXPECT_EQ(flight_speed, 12);
    EXPECT_EQ(cloud_speed, 24);
    press(GLUT_KEY_UP, 4);
    EXPECT_NEAR(cloud_speed, 49.7664, 1e-3);
    press(GLUT_KEY_UP);
    EXPECT_NEAR(cloud_speed, 59.7197, 1e-3) << "six presses";
    press(GLUT_KEY_UP, 2);
    EXPECT_NEAR(flight_speed, 42.9982, 1e-3);
    press(GLUT_KEY_UP);
    EXPECT_NEAR(flight_speed, 51.5978, 1e-3) << "nine presses";
    float flight = flight_speed, cloud = cloud_speed;
    press(GLUT_KEY_UP, 5);
    EXPECT_EQ(flight_speed, flight);
    EXPECT_EQ(cloud_speed, cloud);
}

TEST_F(Input, DownLowersBothSpeedsUntilOneStepPastTheirFloors)
{
    press(GLUT_KEY_DOWN, 3);
    EXPECT_NEAR(flight_speed, 5.78704, 1e-4);
    press(GLUT_KEY_DOWN);
    EXPECT_NEAR(flight_speed, 4.82253, 1e-4);
    press(GLUT_KEY_DOWN, 2);
    EXPECT_NEAR(flight_speed, 4.82253, 1e-4);
    EXPECT_NEAR(cloud_speed, 6.69796, 1e-4) << "six presses";
    press(GLUT_KEY_DOWN, 3);
    EXPECT_NEAR(cloud_speed, 6.69796, 1e-4);
}

TEST_F(Input, LeftAndRightTiltTheFrameInStepsOfTwoBetweenMinusAndPlusThirty)
{
    press(GLUT_KEY_LEFT, 15);
    EXPECT_EQ(frame_tilt, 30);
    press(GLUT_KEY_LEFT);
    EXPECT_EQ(frame_tilt, 30);
    press(GLUT_KEY_RIGHT, 29);
    EXPECT_EQ(frame_tilt, -28);
    press(GLUT_KEY_RIGHT);
    EXPECT_EQ(frame_tilt, -30);
    press(GLUT_KEY_RIGHT);
    EXPECT_EQ(frame_tilt, -30);
}

TEST_F(Input, EveryArrowKeyRequestsOneRedrawEvenAtItsLimitOtherKeysNone)
{
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_UP, GLUT_KEY_DOWN})
        EXPECT_EQ(redraws_requested([key] { special(key, 0, 0); }), 1) << "key " << key;
    frame_tilt = 30;
    EXPECT_EQ(redraws_requested([] { special(GLUT_KEY_LEFT, 0, 0); }), 1) << "left at the limit";

    restore_initial_state();
    for (int key : {GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN, GLUT_KEY_HOME, GLUT_KEY_INSERT, GLUT_KEY_F1, GLUT_KEY_F12}) {
        EXPECT_EQ(redraws_requested([key] { special(key, 0, 0); }), 0) << "key " << key;
    }
    EXPECT_EQ(frame_tilt, 0);
    EXPECT_EQ(flight_speed, 10);
    EXPECT_EQ(cloud_speed, 20);
}

TEST_F(Input, ButtonsOnlySetTheirFlags)
{
    int n = redraws_requested([] {
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
        EXPECT_EQ(drag_active, 1);
        mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10);
        EXPECT_EQ(ring_visible, 1);
        mouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 10, 10);
        EXPECT_EQ(drag_active, 1);
        EXPECT_EQ(ring_visible, 1);
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 10, 10);
        EXPECT_EQ(drag_active, 0);
        mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
        EXPECT_EQ(ring_visible, 0);
    });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(reticle_x, 0);
    EXPECT_EQ(reticle_y, 0);
}

TEST_F(Input, MotionWithoutTheLeftButtonChangesNothing)
{
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(redraws_requested([] { drag_to(100, 100, 20); }), 0);
    EXPECT_EQ(reticle_x, 0);
    EXPECT_EQ(reticle_y, 0);
    EXPECT_EQ(reticle_heading, 0);
    EXPECT_EQ(motion_count, 0);

    // With both buttons held the reticle follows and the ring shows.
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(redraws_requested([] { drag_to(100, 100); }), 1);
    EXPECT_EQ(reticle_x, -412);
    EXPECT_EQ(reticle_y, 300);
    EXPECT_EQ(ring_visible, 1);
}

TEST_F(Input, HeadingFollowsTheDragOnTheNinthEventThenEveryEighth)
{
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 512, 400);
    struct Leg {
        int x, y;     // pointer at the leg's end
        float heading;
        const char* what;
    };
    // Window centre is (512, 400); window y runs down.
    const Leg legs[] = {
        {602, 400, 90, "right"}, {602, 300, 180, "up"}, {502, 300, -90, "left"},
        {502, 300, 0, "no movement"}, {502, 250, 180, "up again"}, {502, 350, 0, "down"},
    };
    int events = 0;
    float heading = 0;
    for (const Leg& leg : legs) {
        SCOPED_TRACE(leg.what);
        int needed = events == 0 ? 9 : 8;
        drag_to(leg.x, leg.y, needed - 1);
        EXPECT_EQ(reticle_heading, heading) << "changed before its event";
        drag_to(leg.x, leg.y);
        EXPECT_EQ(reticle_heading, leg.heading);
        EXPECT_EQ(anchor_x, leg.x - 512);
        EXPECT_EQ(anchor_y, 400 - leg.y);
        events += needed;
        heading = leg.heading;
    }
}

TEST_F(Input, HeadingRoundsTheSlopeAndArcTangentToFloat)
{
    EXPECT_NEAR(drag_heading(3, 4), 143.1301, 1e-3);
    EXPECT_NEAR(drag_heading(-1, -1), -45, 1e-4);  // toward the lower left
    EXPECT_NEAR(drag_heading(1, -1), 45, 1e-4);
    EXPECT_EQ(drag_heading(0, 0.5f), 180);
    EXPECT_EQ(drag_heading(0, -3), 0);
}

TEST_F(Input, CountAndAnchorSurviveARelease)
{
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 512, 400);
    drag_to(602, 400, 9);  // first update: anchor (90, 0), count 1 after the event
    drag_to(620, 400, 3);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 620, 400);
    drag_to(700, 100, 5);  // not dragging: no count
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 572, 400);
    drag_to(572, 400, 4);
    EXPECT_EQ(reticle_heading, 90);
    drag_to(572, 400);  // the eighth since the update, 30 units left of the old anchor
    EXPECT_EQ(reticle_heading, -90);
    EXPECT_EQ(anchor_x, 60);
}

TEST_F(Input, ReticleCentreSitsUnderThePointerForAnyWindowSize)
{
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    const int sizes[][2] = {{1024, 800}, {1023, 799}, {801, 601}, {333, 221}, {1, 1}};
    for (const auto& size : sizes) {
        int w = size[0], h = size[1];
        reshape(w, h);
        GLdouble proj[16];
        GLint view[4];
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        glGetIntegerv(GL_VIEWPORT, view);
        const int pointers[][2] = {{0, 0}, {w - 1, h - 1}, {w / 3, h / 5}, {w / 2, h / 2}};
        for (const auto& p : pointers) {
            motion(p[0], p[1]);
            // Where GL puts the reticle centre, in window coordinates from the bottom left.
            double wx = view[0] + (proj[0] * reticle_x + proj[12] + 1) * 0.5 * view[2];
            double wy = view[1] + (proj[5] * reticle_y + proj[13] + 1) * 0.5 * view[3];
            EXPECT_NEAR(wx, p[0], 1e-3) << w << " x " << h << " at " << p[0] << ", " << p[1];
            EXPECT_NEAR(wy, h - p[1], 1e-3) << w << " x " << h << " at " << p[0] << ", " << p[1];
        }
    }
}

}  // namespace
