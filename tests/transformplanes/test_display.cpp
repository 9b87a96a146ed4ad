// transformplanes frames: which figures each stage and show mode draws, where, turned
// and stretched how and in what order, and what each frame writes to the console.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "choreography_state.h"
#include "figure_match.h"
#include "gl_window.h"
#include "pixel_probe.h"
#include "transformplanes.h"

namespace {

struct Want {
    std::string name;
    double x, y, angle;
    int stretched;  // 1: 3 x 2 along the world axes
};

class Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
        restart_choreography();
    }
    void TearDown() override
    {
        restart_choreography();
        reshape(1024, 800);
    }

    // Draws one frame, recognises its figures and keeps what it printed.
    FrameFigures frame()
    {
        FrameFigures f;
        printed_ = capture_stdout([&f] { f = capture_frame_figures(display, transformplanes_routines()); });
        EXPECT_EQ(f.overflowed, 0);
        EXPECT_EQ(f.unmatched, 0) << "primitives that belong to no figure";
        return f;
    }

    static void expect_figures(const FrameFigures& got, const std::vector<Want>& want)
    {
        ASSERT_EQ(got.figures.size(), want.size());
        for (size_t i = 0; i < want.size(); ++i) {
            const PlacedFigure& g = got.figures[i];
            const Want& w = want[i];
            SCOPED_TRACE("figure " + std::to_string(i) + ", " + w.name);
            EXPECT_EQ(g.name, w.name);
            EXPECT_NEAR(g.x, w.x, 0.02);
            EXPECT_NEAR(g.y, w.y, 0.02);
            EXPECT_NEAR(angle_difference(g.angle, w.angle), 0.0, 0.01);
            EXPECT_NEAR(g.sx, w.stretched ? 3.0 : 1.0, 1e-3);
            EXPECT_NEAR(g.sy, w.stretched ? 2.0 : 1.0, 1e-3);
        }
    }

    std::string printed_;
};

std::vector<Want> opening_airplanes(float climb_now)
{
    return {{"draw_airplane_blue", escort_a_x - 150.0, escort_a_y - 250.0, escort_a_heading, 1},
            {"draw_airplane_blue", escort_a_x - 300.0, escort_a_y - 300.0, escort_a_heading, 1},
            {"draw_airplane_t_piece", 0, climb_now - 200.0, 180, 1},
            {"draw_airplane_blue", escort_b_x + 150.0, escort_b_y - 250.0, escort_b_heading + 180.0, 1},
            {"draw_airplane_blue", escort_b_x + 300.0, escort_b_y - 300.0, escort_b_heading + 180.0, 1}};
}

TEST_F(Frame, OpeningWithoutRowsDrawsOnlyTheFiveAirplanes)
{
    FrameFigures f = frame();
    expect_figures(f, {{"draw_airplane_blue", -150, -250, 180, 1},
                       {"draw_airplane_blue", -300, -300, 180, 1},
                       {"draw_airplane_t_piece", 0, -200, 180, 1},
                       {"draw_airplane_blue", 150, -250, 180, 1},
                       {"draw_airplane_blue", 300, -300, 180, 1}});
    EXPECT_EQ(printed_, "");
}

TEST_F(Frame, OpeningRowsRiseFromTheAirplanesStretchedAlongTheWorldAxes)
{
    row_count = 2;
    row_rise[0] = 10.0f;
    row_rise[1] = 5.0f;
    climb = 6.0f;
    // Turned escorts: the stretch must act along the world axes, after the turn.
    escort_a_x = 4.0f;
    escort_a_y = -3.0f;
    escort_a_heading = 30.0f;
    escort_b_x = -2.0f;
    escort_b_y = 7.0f;
    escort_b_heading = -50.0f;

    std::vector<Want> want;
    for (float r : {10.0f, 5.0f})
        for (auto [x, y] : {std::pair{-150.0, r - 250.0}, {-300.0, r - 300.0}, {150.0, r - 250.0}, {300.0, r - 300.0}})
            want.push_back({"spark", x, y, 180, 1});
    want.push_back({"rocket", 0, 10.0 - 200 + 6, 0, 1});
    want.push_back({"rocket", 0, 5.0 - 200 + 6, 0, 1});
    for (const Want& w : opening_airplanes(6.0f))
        want.push_back(w);
    expect_figures(frame(), want);
    EXPECT_EQ(printed_, "");

    // Stage 1: the sparks are gone, the rockets stay.
    stage = 1;
    want.erase(want.begin(), want.begin() + 8);
    expect_figures(frame(), want);
}

TEST_F(Frame, FirstShowFramePlacesTheScoutOnceAndDropsTheOpening)
{
    stage = 2;
    row_count = 31;
    scout_x = 12.0f;
    scout_y = 12.0f;
    FrameFigures f = frame();
    EXPECT_EQ(scene_placed, 1);
    EXPECT_EQ(scout_x, -900.0f);
    EXPECT_EQ(scout_y, -900.0f);
    for (const PlacedFigure& p : f.figures) {
        EXPECT_NE(p.name, "rocket");
        EXPECT_NE(p.name, "spark");
        EXPECT_NE(p.name, "draw_airplane_t_piece");
    }
    scout_x = 5.0f;
    scout_y = 6.0f;
    frame();
    EXPECT_EQ(scout_x, 5.0f) << "the scout is placed only once";
}

TEST_F(Frame, ParadeDrawsClustersOuterOrbitersScoutAndSpiralsInOrder)
{
    stage = 2;
    scene_placed = 1;
    orbiter_first = 4;
    orbiter_count = 7;
    for (int i = 0; i < 7; ++i) {
        orbiter_pos[i][0] = 10.0f * i - 20.0f;
        orbiter_pos[i][1] = 30.5f - 7.0f * i;
        orbiter_turn[i] = -95 + 40 * i;
    }
    scout_x = -40.0f;
    scout_y = -41.0f;
    for (int j = 0; j < 10; ++j) {
        spiral_a_pos[j][0] = 3.0f * j;
        spiral_a_pos[j][1] = -2.0f * j;
        spiral_a_turn[j] = 17 * j - 80;
        spiral_b_pos[j][0] = -4.0f * j;
        spiral_b_pos[j][1] = 5.0f * j;
        spiral_b_turn[j] = 120 - 13 * j;
    }

    std::vector<Want> want;
    const float d = 0.89999998f;
    for (int g = 4; g < 7; ++g) {
        float x = orbiter_pos[g][0], y = orbiter_pos[g][1];
        double t = orbiter_turn[g];
        want.push_back({"draw_airplane_blue", x, y, t, 0});
        want.push_back({"draw_airplane_green", x + 100.0, y + 100.0, t, 0});
        want.push_back({"draw_airplane_yellow", x - 100.0, y - 100.0, t, 0});
        want.push_back({"draw_airplane_violet", x + 100.0, y - 100.0, t, 0});
        want.push_back({"draw_airplane_teal", x - 100.0, y + 100.0, t, 0});
        want.push_back({"draw_airplane_blue", x - 150 + d, y - 150 + d, t, 0});
        want.push_back({"draw_airplane_blue", x + 150 + d, y - 150 - d, t, 0});
        want.push_back({"draw_airplane_blue", x + 150 - d, y + 150 + d, t, 0});
        want.push_back({"draw_airplane_blue", x - 150 - d, y + 150 + d, t, 0});
    }
    for (int i = 5; i < 7; ++i)
        want.push_back({"draw_airplane_blue", orbiter_pos[i][0], orbiter_pos[i][1], double(orbiter_turn[i]), 0});
    want.push_back({"draw_airplane_sparse", -40, -41, 135, 0});
    for (int j = 0; j < 10; ++j)
        want.push_back({"draw_wings_fuselage", spiral_a_pos[j][0], spiral_a_pos[j][1], double(spiral_a_turn[j]), 0});
    for (int j = 0; j < 10; ++j)
        want.push_back(
            {"draw_wing_fuselage", spiral_b_pos[j][0], spiral_b_pos[j][1], double(spiral_b_turn[j] + 180), 0});
    expect_figures(frame(), want);
    EXPECT_EQ(printed_, "");

    // Every cluster retired: the outer orbiters 5 and 6 still fly.
    orbiter_first = 7;
    FrameFigures f = frame();
    ASSERT_GE(f.figures.size(), 3u);
    EXPECT_EQ(f.figures[0].name, "draw_airplane_blue");
    EXPECT_NEAR(f.figures[0].x, orbiter_pos[5][0], 0.02);
    EXPECT_NEAR(f.figures[1].y, orbiter_pos[6][1], 0.02);
    EXPECT_EQ(f.figures[2].name, "draw_airplane_sparse");
}

// Group points with distinct places and rotations, so every figure can be told apart.
void fill_groups()
{
    for (int g = 0; g < GROUP_COUNT; ++g)
        for (int j = 0; j < GROUP_TABLE_SIZE; ++j) {
            group_pos[g][j][0] = 20.0f * g - 60.0f + 2.5f * j;  // u: drawn as y
            group_pos[g][j][1] = 15.0f * j - 280.0f - 3.0f * g;  // v: drawn as x
        }
    for (int j = 0; j < GROUP_TABLE_SIZE; ++j)
        group_turn[j] = (j * 47) % 360 - 170;
}

const float copies_a[5][2] = {{0, 0}, {-300, -300}, {300, 300}, {-300, 300}, {300, -300}};
const float copies_b[5][2] = {{0, 0}, {-300, -300}, {300, 300}, {300, -300}, {-300, 300}};
const float single[1][2] = {{0, 0}};

void want_group(std::vector<Want>& want, int g, int points, const char* routine, const float (*copies)[2], int n)
{
    for (int j = 0; j < points; ++j)
        for (int c = 0; c < n; ++c)
            want.push_back({routine, group_pos[g][j][1] + copies[c][0], group_pos[g][j][0] + copies[c][1],
                            double(group_turn[j] + 180), 0});
}

std::string sixes(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "6\n";
    return s;
}

TEST_F(Frame, EachSceneDrawsItsGroupWithItsRoutineAndCopies)
{
    stage = 2;
    scene_placed = 1;
    show_mode = 1;
    fill_groups();
    struct SceneCase {
        int group, points;
        const char* routine;
        const float (*copies)[2];
        int n;
    };
    const SceneCase scenes[7] = {
        {0, 10, "draw_wings", copies_a, 5},     {1, 10, "draw_ring_brown", copies_b, 5},
        {2, 10, "draw_wings", copies_b, 5},     {3, 40, "draw_wings", copies_b, 5},
        {4, 10, "draw_airplane_blue", single, 1}, {5, 40, "draw_ring_yellow", single, 1},
        {6, 40, "draw_ring_red", single, 1},
    };
    for (int s = 0; s < 7; ++s) {
        SCOPED_TRACE("scene " + std::to_string(s));
        scene = s;
        std::vector<Want> want;
        want_group(want, scenes[s].group, scenes[s].points, scenes[s].routine, scenes[s].copies, scenes[s].n);
        expect_figures(frame(), want);
        EXPECT_EQ(printed_, s == 6 ? sixes(40) : "");
    }
}

TEST_F(Frame, FinaleDrawsAllSevenGroupsEachWithItsOwnRoutine)
{
    stage = 2;
    scene_placed = 1;
    show_mode = 2;
    scene = 6;
    fill_groups();
    std::vector<Want> want;
    want_group(want, 0, 10, "draw_wings", single, 1);
    want_group(want, 1, 10, "draw_wings", copies_b, 5);
    want_group(want, 2, 10, "draw_wings", single, 1);
    want_group(want, 3, 40, "draw_ring_yellow", single, 1);
    want_group(want, 4, 10, "draw_airplane_blue", single, 1);
    want_group(want, 5, 40, "draw_ring_yellow", single, 1);
    want_group(want, 6, 40, "draw_ring_red", single, 1);
    expect_figures(frame(), want);
    EXPECT_EQ(printed_, sixes(40));
}

// A window squeezed to nothing (minimised by some window managers) and restored:
// the parade frame comes back pixel for pixel.
TEST_F(Frame, WindowOfZeroWidthOrHeightDrawsTheSameFrameOnceRestored)
{
    capture_stdout([] { run_ticks(1000); });
    reshape(1024, 800);
    display();
    const std::vector<unsigned char> before = read_framebuffer(1024, 800);
    const int sizes[][2] = {{0, 800}, {1024, 0}, {0, 0}};
    for (const auto& size : sizes) {
        reshape(size[0], size[1]);
        display();
    }
    reshape(1024, 800);
    display();
    EXPECT_TRUE(read_framebuffer(1024, 800) == before) << "the restored frame differs";
}

}  // namespace
