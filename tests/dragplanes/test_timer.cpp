// dragplanes' animation clock: the five phases over many ticks. Each tick re-arms a
// timer that nothing here lets fire, so this process never pumps window events.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "dragplanes.h"
#include "gl_window.h"
#include "scene_state.h"

namespace {

class Clock : public ::testing::Test {
protected:
    void SetUp() override
    {
        // glutTimerFunc and glutPostRedisplay need GLUT and a window.
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGB | GLUT_SINGLE, 1024, 800);
        restore_initial_state();
    }
};

// A phase that bounces between two bounds, one step past each: 0, 1, ..., peak + 1,
// peak, ..., -1, 0, ... in units of its step, over a period of 2 * peak + 4 ticks.
float bouncing(int tick, int peak, float step)
{
    int period = 2 * peak + 4;
    int j = tick % period;
    return step * (j <= peak + 1 ? j : period - 2 - j);
}

TEST_F(Clock, FirstTickAdvancesEveryPhaseByItsStep)
{
    timer(0);
    EXPECT_EQ(arc_phase, 10);
    EXPECT_EQ(flyover_distance, 10);
    EXPECT_EQ(energy_phase, 15);
    EXPECT_EQ(ring_phase, 30);
    EXPECT_EQ(cloud_phase, 20);
}

TEST_F(Clock, PhasesRunTheirCyclesOfSixtyOneEightHundredOneElevenTwentyEightAndTwelveTicks)
{
    for (int tick = 1; tick <= 1700; ++tick) {
        timer(0);
        SCOPED_TRACE("tick " + std::to_string(tick));
        ASSERT_EQ(arc_phase, 10.0f * (tick % 61));
        ASSERT_EQ(flyover_distance, 10.0f * (tick % 801));
        ASSERT_EQ(cloud_phase, 20.0f * (tick % 11));
        ASSERT_EQ(energy_phase, bouncing(tick, 12, 15));
        ASSERT_EQ(ring_phase, bouncing(tick, 4, 30));
        // A phase landing exactly on its bound keeps it for the tick; the colour
        // phases overshoot by one step and turn.
        switch (tick) {
        case 5: EXPECT_EQ(ring_phase, 150); break;
        case 10: EXPECT_EQ(cloud_phase, 200); break;
        case 11: EXPECT_EQ(ring_phase, -30); break;
        case 13: EXPECT_EQ(energy_phase, 195); break;
        case 27: EXPECT_EQ(energy_phase, -15); break;
        case 60: EXPECT_EQ(arc_phase, 600); break;
        case 800: EXPECT_EQ(flyover_distance, 8000); break;
        default: break;
        }
    }
}

TEST_F(Clock, ArcPhaseWrapsFromTheFirstValueAboveSixHundred)
{
    special(GLUT_KEY_UP, 0, 0);  // flight_speed 12
    for (int tick = 1; tick <= 50; ++tick)
        timer(0);
    EXPECT_EQ(arc_phase, 600);
    timer(0);
    EXPECT_EQ(arc_phase, 0) << "tick 51";

    restore_initial_state();
    flight_speed = 7;
    for (int tick = 1; tick <= 85; ++tick)
        timer(0);
    EXPECT_EQ(arc_phase, 595);
    timer(0);
    EXPECT_EQ(arc_phase, 0) << "602 is past the bound";
}

TEST_F(Clock, SpeedChangesTakeEffectAtTheNextTick)
{
    timer(0);
    timer(0);
    special(GLUT_KEY_UP, 0, 0);
    timer(0);
    EXPECT_EQ(arc_phase, 32);
    EXPECT_EQ(flyover_distance, 32);
    EXPECT_EQ(cloud_phase, 64);
}

}  // namespace
