// transformplanes start-up pieces in a real window: the projection, the keys and the first frame.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "choreography_state.h"
#include "gl_window.h"
#include "pixel_probe.h"
#include "transformplanes.h"

namespace {

int redisplays = 0;
void count_redisplay()
{
    ++redisplays;
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }

    // Redisplays GLUT serves after work; nothing in this binary arms a timer.
    int redisplays_after(void (*work)())
    {
        glutDisplayFunc(count_redisplay);
        pump_test_window_events();
        redisplays = 0;
        work();
        pump_test_window_events();
        return redisplays;
    }
};

TEST_F(Startup, ReshapeCentresOneUnitPerPixelEvenForOddSizes)
{
    reshape(999, 801);
    EXPECT_EQ(win_width, 999);
    EXPECT_EQ(win_height, 801);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 999);
    EXPECT_EQ(viewport[3], 801);

    // glOrtho(-499.5, 499.5, -400.5, 400.5, -1000, 1000).
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_FLOAT_EQ(p[0], static_cast<float>(2.0 / 999.0));
    EXPECT_FLOAT_EQ(p[5], static_cast<float>(2.0 / 801.0));
    EXPECT_FLOAT_EQ(p[10], static_cast<float>(-2.0 / 2000.0));
    EXPECT_EQ(p[12], 0.0f) << "bounds not centred";
    EXPECT_EQ(p[13], 0.0f) << "bounds not centred";
    EXPECT_FLOAT_EQ(499.5f * p[0], 1.0f);
    EXPECT_FLOAT_EQ(-400.5f * p[5], -1.0f);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f);

    EXPECT_EQ(redisplays_after([] { reshape(1024, 800); }), 1);
}

TEST_F(Startup, ArrowsRequestARedrawOtherSpecialKeysNothing)
{
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN}) {
        static int k;
        k = key;
        EXPECT_EQ(redisplays_after([] { special(k, 10, 10); }), 1) << "key " << key;
    }
    for (int key : {GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN, GLUT_KEY_HOME, GLUT_KEY_INSERT, GLUT_KEY_F1, GLUT_KEY_F12}) {
        static int k;
        k = key;
        EXPECT_EQ(redisplays_after([] { special(k, 10, 10); }), 0) << "key " << key;
    }
}

TEST_F(Startup, ArrowKeysChangeNothingThatIsDrawn)
{
    restart_choreography();
    row_count = 3;
    row_rise[0] = 15.0f;
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN, GLUT_KEY_PAGE_UP, GLUT_KEY_HOME})
        special(key, 0, 0);
    EXPECT_EQ(row_count, 3);
    EXPECT_EQ(row_rise[0], 15.0f);
    EXPECT_EQ(stage, 0);
    EXPECT_EQ(tick_count, 0);
    restart_choreography();
}

TEST(StartupKeys, EndExitsWithStatusZero)
{
    // A fresh process for the child, so that its exit leaves the test window alone.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(special(GLUT_KEY_END, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST_F(Startup, FirstFrameIsBlackWithTheLeaderAndEscortsAtTheirPlaces)
{
    restart_choreography();
    reshape(1024, 800);
    display();
    // Background far from every figure.
    EXPECT_TRUE(probe_rgb(5, 5, 0, 0, 0));
    EXPECT_TRUE(probe_rgb(1018, 795, 0, 0, 0));
    EXPECT_TRUE(probe_rgb(512, 700, 0, 0, 0));
    // The leader's 22-pixel centre point at (0, -200), the escorts' 15-pixel points.
    int px, py;
    world_to_pixel(0, -200, 1024, 800, &px, &py);
    EXPECT_TRUE(probe_rgb(px - 10, py - 10, 1, 0, 0));
    EXPECT_TRUE(probe_rgb(px + 9, py + 9, 1, 0, 0));
    const float escorts[4][2] = {{-150, -250}, {-300, -300}, {150, -250}, {300, -300}};
    for (const auto& e : escorts) {
        world_to_pixel(e[0], e[1], 1024, 800, &px, &py);
        EXPECT_TRUE(probe_rgb(px - 6, py - 6, 1, 0, 0)) << e[0] << ", " << e[1];
        EXPECT_TRUE(probe_rgb(px + 6, py + 6, 1, 0, 0)) << e[0] << ", " << e[1];
        EXPECT_FALSE(probe_rgb(px + 9, py, 1, 0, 0)) << "escort point wider than 15 pixels";
    }
}

}  // namespace
