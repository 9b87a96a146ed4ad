// The figures of the choreography: ten airplane variants, three rings, the spark and
// the rocket, each drawn around the origin of the current model-view matrix.
#include "transformplanes.h"

#include <GL/gl.h>

#include <cmath>
#include <iterator>

#include "airplane_immediate.h"
#include "airplane_outline.h"

namespace {

// Colours of the parts; std_ are the airplane's standard colours.
const float std_wing[3] = {150 / 255.0f, 129 / 255.0f, 183 / 255.0f};
const float std_yellow[3] = {245 / 255.0f, 211 / 255.0f, 0 / 255.0f};
const float std_fuselage[3] = {111 / 255.0f, 85 / 255.0f, 157 / 255.0f};
const float violet_wing[3] = {200 / 255.0f, 110 / 255.0f, 243 / 255.0f};
const float violet_forward_wing[3] = {245 / 255.0f, 211 / 255.0f, 150 / 255.0f};
const float teal_wing[3] = {12 / 255.0f, 109 / 255.0f, 103 / 255.0f};
const float yellow_wing[3] = {244 / 255.0f, 244 / 255.0f, 90 / 255.0f};
const float green_wing[3] = {10 / 255.0f, 110 / 255.0f, 90 / 255.0f};
const float blue_wing[3] = {10 / 255.0f, 120 / 255.0f, 243 / 255.0f};
const float brown_fuselage[3] = {100 / 255.0f, 81 / 255.0f, 15 / 255.0f};
const float t_piece_color[3] = {200 / 255.0f, 6 / 255.0f, 200 / 255.0f};
const float spark_color[3] = {200 / 255.0f, 6 / 255.0f, 9 / 255.0f};

// Which parts a variant draws and in what colours; a null colour leaves the part out.
struct AirplaneStyle {
    const float* main_wing;
    const float* forward_wing;
    const float* fuselage;
    const float* tail_cap;
    const float* pods;   // one colour call for both pods
    float point_size;    // 0: no centre point, the point size is left alone
};

void draw_part(int part, const float* color)
{
    glColor3f(color[0], color[1], color[2]);
    emit_airplane_polygon(part);
}

void draw_airplane_style(const AirplaneStyle& s)
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    if (s.main_wing)
        draw_part(AIRPLANE_MAIN_WING, s.main_wing);
    if (s.forward_wing)
        draw_part(AIRPLANE_FORWARD_WING, s.forward_wing);
    if (s.fuselage)
        draw_part(AIRPLANE_FUSELAGE, s.fuselage);
    if (s.tail_cap)
        draw_part(AIRPLANE_TAIL_CAP, s.tail_cap);
    if (s.pods) {
        draw_part(AIRPLANE_LEFT_POD, s.pods);
        emit_airplane_polygon(AIRPLANE_RIGHT_POD);
    }
    if (s.point_size > 0.0f)
        emit_airplane_centre_point(s.point_size);
}

const AirplaneStyle blue_style = {blue_wing, std_yellow, brown_fuselage, std_wing, std_yellow, 15.0f};

// A convex piece of a larger outline, emitted as one polygon.
void emit_piece(const int (*vertices)[2], int count)
{
    glBegin(GL_POLYGON);
    for (int i = 0; i < count; ++i)
        glVertex2i(vertices[i][0], vertices[i][1]);
    glEnd();
}

// The T-piece, the rocket and the spark are not convex, and GL fills a non-convex
// polygon as it pleases (Mesa fans it from the first vertex, which paints outside the
// outline). Each is sent as convex pieces that together fill exactly its outline.

// T-piece: stem 10 wide from y 20 to 40 under a bar 20 wide from y 40 to 45.
const int t_stem[][2] = {{0, 20}, {5, 20}, {5, 40}, {-5, 40}, {-5, 20}};
const int t_bar[][2] = {{10, 40}, {10, 45}, {-10, 45}, {-10, 40}};

// Rocket: body 20 wide from y 0 to 20, then fins to x = +-15 narrowing to the tip (0, 45).
const int rocket_body[][2] = {{0, 0}, {10, 0}, {10, 20}, {-10, 20}, {-10, 0}};
const int rocket_head[][2] = {{15, 20}, {10, 40}, {0, 45}, {-10, 40}, {-15, 20}};

// Spark: a bow-tie of two triangles meeting at the origin, where the diagonals of the
// rectangle x -2..2, y -5..5 cross.
const int spark_top[][2] = {{2, 5}, {-2, 5}, {0, 0}};
const int spark_bottom[][2] = {{-2, -5}, {2, -5}, {0, 0}};

// 3.14159 / 180 as stored in single precision; each angle is formed in double and rounded.
const double ring_step = static_cast<double>(static_cast<float>(3.14159 / 180));

void emit_ring()
{
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 360; ++i) {
        float a = static_cast<float>(i * ring_step);
        float c = static_cast<float>(std::cos(static_cast<double>(a)));
        float s = static_cast<float>(std::sin(static_cast<double>(a)));
        glVertex2f(static_cast<float>(8.0 * c), static_cast<float>(8.0 * s));
    }
    glEnd();
}

}  // namespace

void draw_airplane_violet()
{
    draw_airplane_style({violet_wing, violet_forward_wing, std_fuselage, std_wing, std_yellow, 5.0f});
}

void draw_airplane_teal()
{
    draw_airplane_style({teal_wing, std_yellow, std_fuselage, std_wing, std_yellow, 5.0f});
}

void draw_airplane_yellow()
{
    draw_airplane_style({yellow_wing, std_yellow, std_fuselage, std_wing, std_yellow, 5.0f});
}

void draw_airplane_green()
{
    draw_airplane_style({green_wing, std_yellow, std_fuselage, std_wing, std_yellow, 5.0f});
}

void draw_airplane_blue()
{
    draw_airplane_style(blue_style);
}

// The leader: the T-piece behind its tail, then the blue airplane with a 22-pixel point.
void draw_airplane_t_piece()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    glColor3f(t_piece_color[0], t_piece_color[1], t_piece_color[2]);
    emit_piece(t_stem, static_cast<int>(std::size(t_stem)));
    emit_piece(t_bar, static_cast<int>(std::size(t_bar)));
    AirplaneStyle leader = blue_style;
    leader.point_size = 22.0f;
    draw_airplane_style(leader);
}

void draw_airplane_sparse()
{
    draw_airplane_style({nullptr, nullptr, nullptr, std_wing, std_yellow, 9.0f});
}

void draw_wings()
{
    draw_airplane_style({green_wing, std_yellow, nullptr, nullptr, nullptr, 0.0f});
}

void draw_wings_fuselage()
{
    draw_airplane_style({green_wing, std_yellow, std_fuselage, nullptr, nullptr, 0.0f});
}

void draw_wing_fuselage()
{
    draw_airplane_style({green_wing, nullptr, std_fuselage, nullptr, nullptr, 0.0f});
}

// The rings leave their line width set.
void draw_ring_brown()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor3f(0.4f, 0.2f, 0.0f);
    glLineWidth(10.0f);
    emit_ring();
}

void draw_ring_red()
{
    glColor3f(1.0f, 0.0f, 0.0f);
    glLineWidth(2.0f);
    emit_ring();
}

void draw_ring_yellow()
{
    glColor3f(0.9f, 0.9f, 0.2f);
    glLineWidth(5.0f);
    emit_ring();
}

void spark()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    glColor3f(spark_color[0], spark_color[1], spark_color[2]);
    emit_piece(spark_top, static_cast<int>(std::size(spark_top)));
    emit_piece(spark_bottom, static_cast<int>(std::size(spark_bottom)));
}

void rocket()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    emit_piece(rocket_body, static_cast<int>(std::size(rocket_body)));
    emit_piece(rocket_head, static_cast<int>(std::size(rocket_head)));
}
