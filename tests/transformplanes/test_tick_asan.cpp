// transformplanes ticks under the address sanitizer: the tick re-arms itself, and a
// long run (rows keep starting long after the row table is full) stays in bounds.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "choreography_state.h"
#include "gl_window.h"
#include "transformplanes.h"

namespace {

int redisplays = 0;
void count_redisplay()
{
    ++redisplays;
}

TEST(TickRun, TimerRequestsARedrawAndArmsItselfAgain)
{
    open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
    restart_choreography();
    glutDisplayFunc(count_redisplay);
    redisplays = 0;
    timer(0);
    // GLUT serves the re-armed tick 15 ms later, and that one arms the next.
    for (int i = 0; i < 2000 && (tick_count < 3 || redisplays < 1); ++i) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_GE(tick_count, 3);
    EXPECT_GE(redisplays, 1);
    restart_choreography();
}

TEST(TickRun, HundredThousandTicksStayInBounds)
{
    open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
    restart_choreography();
    std::string out = capture_stdout([] { run_ticks(100000); });
    // Show tick 99371: cycles end at show ticks 3000, 6000, ... 99000.
    std::string numbers;
    for (int c = 0; c <= 32; ++c)
        numbers += std::to_string(c);
    EXPECT_EQ(out, numbers);
    EXPECT_EQ(tick_count, 100000);
    EXPECT_EQ(row_count, 5000);
    EXPECT_EQ(row_rise[99], 5.0f * (100000 - 2000 + 1));
    EXPECT_EQ(stage, 2);
    EXPECT_EQ(show_mode, 1);
    EXPECT_EQ(orbiter_count, 7);
}

}  // namespace
