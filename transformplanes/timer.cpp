// The tick: every 15 ms it advances the whole choreography by one step, from the
// opening through the escort spirals to the show's parade, scenes and finale.
#include "transformplanes.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>

// Stage and opening.
int tick_count = 0;
int row_tick = 0;
int row_count = 0;
float row_rise[ROW_TABLE_SIZE];
int stage = 0;
float climb = 0.0f;
int escort_radius = 0;
float escort_a_angle = 0.0f, escort_b_angle = 0.0f;
float escort_a_x = 0.0f, escort_a_y = 0.0f, escort_b_x = 0.0f, escort_b_y = 0.0f;
float escort_a_heading = 0.0f;
float escort_b_heading = 0.0f;

// Show sequencer.
int show_ticks = 0;
int cycle_ticks = 0;
int cycle_number = 0;
int show_mode = 0;
int scene = 0;

// Parade: orbiter clusters, the scout and the two spirals.
int orbiter_count = 0;
int orbiter_first = 0;
int orbiter_ticks = 0;
float orbiter_phase[ORBITER_TABLE_SIZE];
float orbiter_pos[ORBITER_TABLE_SIZE][2];
int orbiter_turn[ORBITER_TABLE_SIZE] = {0, 30, 60, 90, 120};  // the first five clusters start turned
float outer_radius = 10.0f;
float scout_x = 0.0f, scout_y = 0.0f;
int scout_returning = 0;
float spiral_spacing = 30.0f;
float spiral_a_phase[SPIRAL_TABLE_SIZE], spiral_b_phase[SPIRAL_TABLE_SIZE];
float spiral_a_pos[SPIRAL_TABLE_SIZE][2], spiral_b_pos[SPIRAL_TABLE_SIZE][2];
int spiral_a_turn[SPIRAL_TABLE_SIZE], spiral_b_turn[SPIRAL_TABLE_SIZE];

// Figure groups g0..g6 of the scenes and the finale.
float group_phase[GROUP_COUNT][GROUP_TABLE_SIZE];
float group_pos[GROUP_COUNT][GROUP_TABLE_SIZE][2];
int group_turn[GROUP_TABLE_SIZE];

const int group_points[GROUP_COUNT] = {10, 10, 10, 40, 10, 40, 40};

namespace {

// The curve of each group: u = ua cos(t + uc1 j) - ub cos(2t + uc2 j),
// v = va sin(t + vc1 j) - vb sin(2t + vc2 j), j the point's index.
struct GroupCurve {
    double step;  // added to t every tick
    double ua, ub;
    int uc1, uc2;
    double va, vb;
    int vc1, vc2;
};

const GroupCurve group_curves[GROUP_COUNT] = {
    {0.04, 40, 40, 10, 10, 40, 40, 10, 10},      // g0 (twice as fast, see advance_lead_point)
    {0.04, 40, 40, 10, 10, 40, 40, 10, 10},      // g1
    {0.04, 200, 60, 10, 10, 40, 40, 15, 10},     // g2
    {0.03, 60, 160, 10, 10, 200, 20, 10, 10},    // g3
    {0.04, 60, 200, 25, 100, 20, 100, 25, 10},   // g4
    {0.05, 2, 22, 10, 10, 180, 200, 30, 30},     // g5
    {0.05, 20, 200, 30, 10, 80, 200, 30, 30},    // g6
};

// Sine and cosine in double of an argument already rounded, rounded again.
float cos_f(float a)
{
    return static_cast<float>(std::cos(static_cast<double>(a)));
}

float sin_f(float a)
{
    return static_cast<float>(std::sin(static_cast<double>(a)));
}

// Heading of (x, y) in degrees; 3.14159262 rather than pi, as the choreography has always used.
double heading_degrees(float y, float x)
{
    float a = static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
    return a * 180.0 / 3.14159262;
}

// Integer rotations truncate toward zero.
int heading_whole_degrees(float y, float x)
{
    return static_cast<int>(heading_degrees(y, x));
}

void advance_rows()
{
    row_tick += 1;
    tick_count += 1;
    if (row_tick == 20) {
        row_count += 1;
        row_tick = 0;
    }
    // Holds for ticks 300..319; stage 2 later overrides it for good.
    if (row_count == 15)
        stage = 1;
    // row_count keeps growing for the whole run; rows past the table stay still.
    int rows = row_count < ROW_TABLE_SIZE ? row_count : ROW_TABLE_SIZE;
    for (int i = 0; i < rows; ++i)
        row_rise[i] += 5.0;
}

void advance_escorts()
{
    escort_a_angle -= 0.1;
    escort_radius += 3;
    float r = static_cast<float>(escort_radius);
    escort_a_x = cos_f(escort_a_angle) * r;
    escort_a_y = sin_f(escort_a_angle) * r;
    escort_a_heading = static_cast<float>(heading_degrees(escort_a_y, escort_a_x));
    escort_b_angle += 0.1;
    escort_b_x = cos_f(escort_b_angle) * r;
    escort_b_y = sin_f(escort_b_angle) * r;
    escort_b_heading = static_cast<float>(heading_degrees(escort_b_y, escort_b_x));
}

void select_scene()
{
    if (cycle_ticks < 1300)
        scene = 0;
    else if (cycle_ticks < 1600)
        scene = 1;
    else if (cycle_ticks < 1900)
        scene = 2;
    else if (cycle_ticks < 2100)
        scene = 3;
    else if (cycle_ticks < 2400)
        scene = 4;
    else if (cycle_ticks < 2700)
        scene = 5;
    else if (cycle_ticks < 3000)
        scene = 6;
    else {
        // No line break: the number is seen in front of the next line of scene numbers.
        printf("%d", cycle_number);
        cycle_ticks = 0;
        cycle_number += 1;
        if (cycle_number == 1)
            show_mode = 2;  // the finale, once
    }
}

void advance_show()
{
    show_ticks += 1;
    cycle_ticks += 1;
    if (show_ticks == 1000) {
        show_mode = 1;
        show_ticks = 0;
        select_scene();
    } else if (show_mode == 1) {
        select_scene();
    }
}

// The scout tests before it moves on the way back, after it moves on the way out.
void advance_scout()
{
    if (scout_returning == 1) {
        if (scout_x < -100.0)
            scout_returning = 0;
        scout_x -= 0.9f;
        scout_y -= 0.9f;
    } else {
        scout_x += 0.9f;
        scout_y += 0.9f;
        if (scout_x > 100.0)
            scout_returning = 1;
    }
}

// A new orbiter starts at phase 0 and circles clockwise, 5 radians behind the one before.
void advance_orbiters()
{
    orbiter_ticks += 1;
    for (int i = 0; i < orbiter_count; ++i) {
        orbiter_phase[i] -= 0.1;
        orbiter_pos[i][0] = static_cast<float>(cos_f(orbiter_phase[i]) * 100.0);
        orbiter_pos[i][1] = static_cast<float>(sin_f(orbiter_phase[i]) * 100.0);
        orbiter_turn[i] = heading_whole_degrees(orbiter_pos[i][1], orbiter_pos[i][0]);
    }
    if (orbiter_ticks == 50) {
        if (orbiter_count == 7)
            orbiter_first += 1;  // retire the oldest cluster
        else
            orbiter_count += 1;
        orbiter_ticks = 0;
    }
}

// Ten points on one ray from (-10, -10), at 1 to 10 times the spacing.
void advance_spiral(float* phase, float (*pos)[2], int* turn, double step)
{
    for (int j = 0; j < 10; ++j) {
        int k = j + 1;
        phase[j] += step;
        double d = k * static_cast<double>(spiral_spacing);
        pos[j][0] = static_cast<float>(cos_f(phase[j]) * d - 10.0);
        pos[j][1] = static_cast<float>(sin_f(phase[j]) * d - 10.0);
        turn[j] = heading_whole_degrees(pos[j][1], pos[j][0]);
    }
}

void advance_outer_orbiters()
{
    for (int i = 5; i < orbiter_count; ++i) {
        orbiter_pos[i][0] = cos_f(orbiter_phase[i]) * outer_radius;
        orbiter_pos[i][1] = sin_f(orbiter_phase[i]) * outer_radius;
        orbiter_turn[i] = heading_whole_degrees(orbiter_pos[i][1], orbiter_pos[i][0]);
    }
}

// Offsets are whole radians; t + c and 2t + c are rounded before the cosine or sine.
void advance_groups()
{
    for (int g = 0; g < GROUP_COUNT; ++g) {
        const GroupCurve& k = group_curves[g];
        for (int j = 0; j < group_points[g]; ++j) {
            group_phase[g][j] += k.step;
            float t = group_phase[g][j];
            double t2 = 2.0 * t;
            float u1 = static_cast<float>(t + static_cast<double>(k.uc1 * j));
            float u2 = static_cast<float>(t2 + k.uc2 * j);
            float v1 = static_cast<float>(t + static_cast<double>(k.vc1 * j));
            float v2 = static_cast<float>(t2 + k.vc2 * j);
            group_pos[g][j][0] = static_cast<float>(k.ua * cos_f(u1) - k.ub * cos_f(u2));
            group_pos[g][j][1] = static_cast<float>(k.va * sin_f(v1) - k.vb * sin_f(v2));
        }
    }
    // One rotation table for every group: v of g6 against u of g4, whose entries
    // past its ten points stay zero, so those rotations are 90, -90 or 0.
    for (int j = 0; j < 40; ++j)
        group_turn[j] = heading_whole_degrees(group_pos[6][j][1], group_pos[4][j][0]);
}

// g0 runs twice as fast, and its point 0 follows a curve of its own.
void advance_lead_point()
{
    for (int j = 0; j < 10; ++j)
        group_phase[0][j] += 0.04;
    float w = group_phase[0][0];
    float w3 = static_cast<float>(3.0 * w);
    float w2 = static_cast<float>(2.0 * w);
    float u = static_cast<float>(10.0 * cos_f(w) - 180.0 * cos_f(w3));
    float v = static_cast<float>(2.0 * sin_f(w) - 40.0 * sin_f(w2));
    group_pos[0][0][0] = u;
    group_pos[0][0][1] = v;
    group_turn[0] = heading_whole_degrees(v, u);
}

}  // namespace

void timer(int)
{
    advance_rows();
    if (stage == 1)
        advance_escorts();
    if (tick_count > 400)
        climb += 3.0;

    // The show starts on tick 630 and runs its steps in that same tick.
    if (tick_count == 630)
        stage = 2;
    if (stage == 2) {
        advance_show();
        advance_scout();
        advance_orbiters();
        outer_radius += 0.1;
        spiral_spacing += 0.1;
        advance_spiral(spiral_a_phase, spiral_a_pos, spiral_a_turn, -0.1);
        advance_spiral(spiral_b_phase, spiral_b_pos, spiral_b_turn, 0.1);
        advance_outer_orbiters();
        advance_groups();
        advance_lead_point();
    }

    glutPostRedisplay();
    glutTimerFunc(15, timer, 0);
}
