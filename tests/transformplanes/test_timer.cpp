// transformplanes tick sequence, run by calling timer directly: the schedule of stages,
// rows, orbiters and scenes, the values the rounding decides, and the console numbers.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "choreography_state.h"
#include "gl_window.h"
#include "transformplanes.h"

namespace {

// timer requests redisplays and re-arms itself, which needs GLUT and a window. The
// re-armed timers are never served here: nothing in this binary runs the event loop.
class Ticks : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
        restart_choreography();
    }
    void TearDown() override { restart_choreography(); }

    // Runs ticks until show tick s (the show's first tick is tick 630, s = 1).
    static void run_to_show_tick(int s) { run_ticks(629 + s - tick_count); }
};

TEST_F(Ticks, OpeningScheduleRowsStagesAndClimb)
{
    for (int n = 1; n <= 630; ++n) {
        timer(0);
        SCOPED_TRACE("tick " + std::to_string(n));
        ASSERT_EQ(tick_count, n);
        ASSERT_EQ(row_count, n / 20);
        // Row i starts on tick 20(i + 1) and has risen 5 units by its first frame.
        for (int i = 0; i < row_count; ++i)
            ASSERT_EQ(row_rise[i], 5.0f * (n - 20 * (i + 1) + 1)) << "row " << i;
        ASSERT_EQ(row_rise[row_count], 0.0f);
        int want_stage = n < 300 ? 0 : (n < 630 ? 1 : 2);
        ASSERT_EQ(stage, want_stage);
        ASSERT_EQ(climb, n <= 400 ? 0.0f : 3.0f * (n - 400));
    }
    // Tick 630 runs the show's steps in the same tick.
    EXPECT_EQ(show_ticks, 1);
    EXPECT_EQ(cycle_ticks, 1);
    EXPECT_EQ(orbiter_ticks, 1);
    EXPECT_EQ(spiral_spacing, 30.1f);
    // climb keeps growing in the show.
    run_ticks(100);
    EXPECT_EQ(climb, 3.0f * (730 - 400));
}

TEST_F(Ticks, EscortsOnTheFirstSpiralTick)
{
    run_ticks(299);
    EXPECT_EQ(escort_radius, 0);
    EXPECT_EQ(escort_a_heading, 180.0f) << "untouched before stage 1";
    timer(0);
    EXPECT_EQ(escort_radius, 3);
    EXPECT_EQ(escort_a_x, 2.9850125f);
    EXPECT_EQ(escort_a_y, -0.29950026f);
    EXPECT_EQ(escort_a_heading, -5.729578f);
    EXPECT_EQ(escort_b_x, 2.9850125f);
    EXPECT_EQ(escort_b_y, 0.29950026f);
    EXPECT_EQ(escort_b_heading, 5.729578f);
    timer(0);
    EXPECT_EQ(escort_radius, 6);
    EXPECT_EQ(escort_a_angle, -0.2f);
}

TEST_F(Ticks, OrbitersJoinAndRetireEveryFiftyShowTicks)
{
    for (int s = 1; s <= 760; ++s) {
        run_to_show_tick(s);
        SCOPED_TRACE("show tick " + std::to_string(s));
        ASSERT_EQ(orbiter_count, std::min(7, s / 50));
        ASSERT_EQ(orbiter_first, std::max(0, s / 50 - 7));
        if (s == 50) {
            // Orbiter 0 joins but is first moved on the next tick: the cluster shows at
            // the centre unturned for one frame.
            EXPECT_EQ(orbiter_pos[0][0], 0.0f);
            EXPECT_EQ(orbiter_pos[0][1], 0.0f);
            EXPECT_EQ(orbiter_turn[0], 0);
        }
        if (s == 51) {
            EXPECT_EQ(orbiter_pos[0][0], 99.50042f);
            EXPECT_EQ(orbiter_pos[0][1], -9.983342f);
            EXPECT_EQ(orbiter_turn[0], -5) << "truncated toward zero";
        }
        if (s == 100 || s == 150 || s == 200 || s == 250) {
            int i = s / 50 - 1;
            EXPECT_EQ(orbiter_pos[i][0], 0.0f);
            EXPECT_EQ(orbiter_turn[i], 30 * i) << "a new orbiter shows its start rotation once";
        }
        if (s == 320) {
            // Orbiters 0..4 circle at radius 100; orbiter 5 on the growing outer radius.
            EXPECT_NEAR(std::hypot(orbiter_pos[4][0], orbiter_pos[4][1]), 100.0, 1e-3);
            EXPECT_NEAR(outer_radius, 10.0 + 0.1 * 320, 1e-3);
            EXPECT_NEAR(std::hypot(orbiter_pos[5][0], orbiter_pos[5][1]), outer_radius, 1e-3);
        }
    }
}

TEST_F(Ticks, ScenesCycleWithTheFinaleOnceAndCycleNumbersPrinted)
{
    std::string out = capture_stdout([] { run_to_show_tick(999); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(show_mode, 0);

    auto scene_for = [](int cycle) {
        if (cycle < 1300)
            return 0;
        if (cycle < 1600)
            return 1;
        if (cycle < 1900)
            return 2;
        if (cycle < 2100)
            return 3;
        if (cycle < 2400)
            return 4;
        if (cycle < 2700)
            return 5;
        return 6;
    };
    out = capture_stdout([&] {
        for (int s = 1000; s <= 2999; ++s) {
            timer(0);
            ASSERT_EQ(show_mode, 1) << "show tick " << s;
            ASSERT_EQ(scene, scene_for(s)) << "show tick " << s;
        }
    });
    EXPECT_EQ(out, "");

    // Show tick 3000 ends the first cycle and starts the finale in the same tick.
    out = capture_stdout([] { timer(0); });
    EXPECT_EQ(out, "0");
    EXPECT_EQ(show_mode, 2);
    EXPECT_EQ(scene, 6);
    EXPECT_EQ(cycle_number, 1);

    out = capture_stdout([] {
        for (int s = 3001; s <= 3999; ++s) {
            timer(0);
            ASSERT_EQ(show_mode, 2) << "show tick " << s;
            ASSERT_EQ(scene, 6) << "show tick " << s;
        }
    });
    EXPECT_EQ(out, "");
    timer(0);  // s = 4000
    EXPECT_EQ(show_mode, 1);
    EXPECT_EQ(scene, 0);
    EXPECT_EQ(cycle_ticks, 1000);

    out = capture_stdout([] { run_to_show_tick(5999); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(scene, 6);
    out = capture_stdout([] { timer(0); });  // s = 6000
    EXPECT_EQ(out, "1");
    EXPECT_EQ(scene, 6) << "the scene is kept for the tick that ends a cycle";
    EXPECT_EQ(show_mode, 1) << "the finale is shown once";
    EXPECT_EQ(cycle_ticks, 0);

    // Scene 0 now lasts 1299 ticks.
    for (int s = 6001; s <= 7299; ++s) {
        timer(0);
        ASSERT_EQ(scene, 0) << "show tick " << s;
    }
    timer(0);
    EXPECT_EQ(scene, 1);
    out = capture_stdout([] { run_to_show_tick(9000); });
    EXPECT_EQ(out, "2");
    EXPECT_EQ(show_mode, 1);
}

TEST_F(Ticks, ScoutReversesAfterPassingOneHundredAndOnTheTickAfterMinusOneHundred)
{
    run_to_show_tick(1);
    // Moving up: it reverses on the tick its new x exceeds 100.
    scout_returning = 0;
    scout_x = scout_y = 99.0f;
    timer(0);
    EXPECT_EQ(scout_x, 99.9f);
    EXPECT_EQ(scout_returning, 0);
    timer(0);
    EXPECT_EQ(scout_x, static_cast<float>(99.9f + 0.8999999761581421));
    EXPECT_EQ(scout_returning, 1);
    timer(0);
    EXPECT_EQ(scout_x, static_cast<float>(static_cast<float>(99.9f + 0.8999999761581421) - 0.8999999761581421));

    // Moving down: the test comes before the move, so it still moves down once more.
    scout_returning = 1;
    scout_x = scout_y = -99.5f;
    timer(0);
    EXPECT_EQ(scout_x, -100.4f);
    EXPECT_EQ(scout_returning, 1);
    timer(0);
    EXPECT_EQ(scout_returning, 0);
    EXPECT_EQ(scout_x, static_cast<float>(-100.4f - 0.8999999761581421)) << "moved down on the reversing tick";
    float low = scout_x;
    timer(0);
    EXPECT_GT(scout_x, low);
    EXPECT_EQ(scout_y, scout_x) << "the scout runs along y = x";
}

TEST_F(Ticks, SpiralsStayOnRaysFromTheirCentreAndMirrorEachOther)
{
    for (int s = 1; s <= 300; ++s) {
        run_to_show_tick(s);
        for (int j = 0; j < 10; ++j) {
            double ax = spiral_a_pos[j][0] + 10.0, ay = spiral_a_pos[j][1] + 10.0;
            ASSERT_NEAR(std::hypot(ax, ay), (j + 1) * double(spiral_spacing), 2e-3) << "s " << s << " j " << j;
            // Spiral B turns the other way from the same start: its points mirror A's.
            ASSERT_EQ(spiral_b_pos[j][0], spiral_a_pos[j][0]);
            ASSERT_NEAR(spiral_b_pos[j][1] + 10.0, -(spiral_a_pos[j][1] + 10.0), 1e-4);
        }
    }
    EXPECT_NEAR(spiral_spacing, 30.0 + 0.1 * 300, 1e-3);
}

TEST_F(Ticks, GroupRotationsAndTheDoubleSpeedOfGroupZero)
{
    run_to_show_tick(1);
    // After one tick g0 and g1 share their curve (point 0 of g0 has its own).
    for (int j = 1; j < 10; ++j) {
        EXPECT_EQ(group_pos[0][j][0], group_pos[1][j][0]) << j;
        EXPECT_EQ(group_pos[0][j][1], group_pos[1][j][1]) << j;
    }
    EXPECT_NE(group_pos[0][0][0], group_pos[1][0][0]);
    float g0_after_2[10][2];
    run_to_show_tick(2);
    std::memcpy(g0_after_2, group_pos[0], sizeof g0_after_2);
    run_to_show_tick(3);
    // g0 advances twice per tick: g1 reaches on tick 3 what g0 had on tick 2.
    for (int j = 1; j < 10; ++j) {
        EXPECT_EQ(group_pos[1][j][0], g0_after_2[j][0]) << j;
        EXPECT_EQ(group_pos[1][j][1], g0_after_2[j][1]) << j;
    }

    int seen[3] = {0, 0, 0};
    for (int s = 4; s <= 1500; ++s) {
        run_to_show_tick(s);
        for (int j = 10; j < 40; ++j) {
            ASSERT_EQ(group_pos[4][j][0], 0.0f);
            int want = group_pos[6][j][1] > 0 ? 90 : (group_pos[6][j][1] < 0 ? -90 : 0);
            ASSERT_EQ(group_turn[j], want) << "entry " << j << " at show tick " << s;
            seen[want == 90 ? 0 : (want == -90 ? 1 : 2)] += 1;
        }
        ASSERT_EQ(group_pos[3][40][0], 0.0f) << "points past a group's count stay zero";
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}

TEST_F(Ticks, RowsPastTheTableAreNotUpdated)
{
    // Rows keep starting for the whole run; the table holds 100 of them.
    run_ticks(2100);
    EXPECT_EQ(row_count, 105);
    EXPECT_EQ(row_rise[99], 5.0f * (2100 - 2000 + 1));
    EXPECT_EQ(row_rise[0], 5.0f * (2100 - 20 + 1));
    EXPECT_EQ(stage, 2);
    EXPECT_EQ(climb, 3.0f * (2100 - 400));
}

}  // namespace
