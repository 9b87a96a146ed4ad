// The frame: the opening (stages 0 and 1) or the show (parade, scene sequence, finale),
// drawn back to front from the state the tick keeps.
#include "transformplanes.h"

#include <GL/gl.h>

#include <cstdio>

int scene_placed = 0;

namespace {

// Figures are placed by translation, then the optional 3 x 2 stretch along the world
// axes, then the rotation, so a turned figure is stretched along the world axes.
void place(float x, float y, float angle, int stretch, void (*draw)())
{
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    if (stretch)
        glScalef(3.0f, 2.0f, 1.0f);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    draw();
    glPopMatrix();
}

// Offsets of the five copies of a group point; two orders are in use.
const float copies_a[5][2] = {{0, 0}, {-300, -300}, {300, 300}, {-300, 300}, {300, -300}};
const float copies_b[5][2] = {{0, 0}, {-300, -300}, {300, 300}, {300, -300}, {-300, 300}};

// A group point (u, v) stands at x = v, y = u, turned by the shared rotation + 180.
// Each point's copies are drawn together; rings of g6 report the scene after each one.
void draw_group(int g, void (*draw)(), const float (*offsets)[2], int copies, int print_scene)
{
    for (int j = 0; j < group_points[g]; ++j) {
        float x = group_pos[g][j][1];
        float y = group_pos[g][j][0];
        float angle = static_cast<float>(group_turn[j] + 180);
        for (int c = 0; c < copies; ++c)
            place(x + offsets[c][0], y + offsets[c][1], angle, 0, draw);
        if (print_scene)
            printf("%d\n", scene);
    }
}

const float no_offset[1][2] = {{0, 0}};

// Sparks only before the escorts leave; the rockets keep rising while they spiral away.
void draw_opening()
{
    if (stage == 0) {
        for (int i = 0; i < row_count && i < ROW_TABLE_SIZE; ++i) {
            float r = row_rise[i];
            place(-150, r - 250, 180, 1, spark);
            place(-300, r - 300, 180, 1, spark);
            place(150, r - 250, 180, 1, spark);
            place(300, r - 300, 180, 1, spark);
        }
    }
    for (int i = 0; i < row_count && i < ROW_TABLE_SIZE; ++i)
        place(0, (row_rise[i] - 200) + climb, 0, 1, rocket);

    // Pair A, the leader, then pair B, whose heading is turned half round.
    place(escort_a_x - 150, escort_a_y - 250, escort_a_heading, 1, draw_airplane_blue);
    place(escort_a_x - 300, escort_a_y - 300, escort_a_heading, 1, draw_airplane_blue);
    place(0, climb - 200, 180, 1, draw_airplane_t_piece);
    place(escort_b_x + 150, escort_b_y - 250, escort_b_heading + 180, 1, draw_airplane_blue);
    place(escort_b_x + 300, escort_b_y - 300, escort_b_heading + 180, 1, draw_airplane_blue);
}

void draw_parade()
{
    const float d = 0.9f;
    // Nine airplanes around each orbiter that still has its cluster.
    for (int g = orbiter_first; g < orbiter_count; ++g) {
        float x = orbiter_pos[g][0], y = orbiter_pos[g][1];
        float t = static_cast<float>(orbiter_turn[g]);
        place(x, y, t, 0, draw_airplane_blue);
        place(x + 100, y + 100, t, 0, draw_airplane_green);
        place(x - 100, y - 100, t, 0, draw_airplane_yellow);
        place(x + 100, y - 100, t, 0, draw_airplane_violet);
        place(x - 100, y + 100, t, 0, draw_airplane_teal);
        place(x - 150 + d, y - 150 + d, t, 0, draw_airplane_blue);
        place(x + 150 + d, y - 150 - d, t, 0, draw_airplane_blue);
        place(x + 150 - d, y + 150 + d, t, 0, draw_airplane_blue);
        place(x - 150 - d, y + 150 + d, t, 0, draw_airplane_blue);
    }
    // Orbiters 5 and 6 stay on their own radius even after their clusters retire.
    for (int i = 5; i < orbiter_count; ++i)
        place(orbiter_pos[i][0], orbiter_pos[i][1], static_cast<float>(orbiter_turn[i]), 0, draw_airplane_blue);
    place(scout_x, scout_y, 135, 0, draw_airplane_sparse);
    for (int j = 0; j < 10; ++j)
        place(spiral_a_pos[j][0], spiral_a_pos[j][1], static_cast<float>(spiral_a_turn[j]), 0, draw_wings_fuselage);
    for (int j = 0; j < 10; ++j)
        place(spiral_b_pos[j][0], spiral_b_pos[j][1], static_cast<float>(spiral_b_turn[j] + 180), 0,
              draw_wing_fuselage);
}

void draw_scene()
{
    switch (scene) {
    case 0:
        draw_group(0, draw_wings, copies_a, 5, 0);
        break;
    case 1:
        draw_group(1, draw_ring_brown, copies_b, 5, 0);
        break;
    case 2:
        draw_group(2, draw_wings, copies_b, 5, 0);
        break;
    case 3:
        draw_group(3, draw_wings, copies_b, 5, 0);
        break;
    case 4:
        draw_group(4, draw_airplane_blue, no_offset, 1, 0);
        break;
    case 5:
        draw_group(5, draw_ring_yellow, no_offset, 1, 0);
        break;
    case 6:
        draw_group(6, draw_ring_red, no_offset, 1, 1);
        break;
    default:
        break;
    }
}

void draw_finale()
{
    draw_group(0, draw_wings, no_offset, 1, 0);
    draw_group(1, draw_wings, copies_b, 5, 0);
    draw_group(2, draw_wings, no_offset, 1, 0);
    draw_group(3, draw_ring_yellow, no_offset, 1, 0);
    draw_group(4, draw_airplane_blue, no_offset, 1, 0);
    draw_group(5, draw_ring_yellow, no_offset, 1, 0);
    draw_group(6, draw_ring_red, no_offset, 1, 1);
}

}  // namespace

void display()
{
    glClear(GL_COLOR_BUFFER_BIT);
    if (stage != 2) {
        draw_opening();
        glFlush();
        return;
    }
    if (scene_placed == 0) {
        // The scout enters from the lower left corner, whatever the first ticks did.
        scene_placed = 1;
        scout_x = -900.0f;
        scout_y = -900.0f;
    }
    if (show_mode == 0)
        draw_parade();
    else if (show_mode == 1)
        draw_scene();
    else if (show_mode == 2)
        draw_finale();
    glFlush();
}
