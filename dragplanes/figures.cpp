// The figures of dragplanes in immediate mode: the circle rule, the airplane, the cloud,
// the aiming reticle and the foreground frame.
#include <cmath>
#include <cstddef>

#include "airplane_immediate.h"
#include "airplane_outline.h"
#include "dragplanes.h"

// Every circle and arc: the angle is a float stepped by 0.1 degree while below the end
// angle, and pi is taken as 3.141592. The float rounding of the steps decides the
// counts: 3600 vertices for 0..360, 601 for 0..60, 600 for 120..180.
static void emit_circle_vertices(float cx, float cy, float radius, float first_angle, float end_angle)
{
    for (float a = first_angle; a < end_angle; a = static_cast<float>(a + 0.1)) {
        double theta = a * 3.141592 / 180;
        glVertex2f(static_cast<float>(cx + radius * std::cos(theta)),
                   static_cast<float>(cy + radius * std::sin(theta)));
    }
}

void draw_airplane()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1);
    for (int part = AIRPLANE_MAIN_WING; part <= AIRPLANE_RIGHT_POD; ++part) {
        const float* c = airplane_parts[part].color;
        if (part != AIRPLANE_RIGHT_POD)  // the two pods share one colour call
            glColor3f(c[0], c[1], c[2]);
        emit_airplane_polygon(part);
    }
    emit_airplane_centre_point(airplane_point_size);
}

// Six disks of radius 20, each its own polygon.
void draw_cloud()
{
    static const float centres[][2] = {{17, 10}, {17, -10}, {48, 0}, {-17, 10}, {-17, -10}, {-48, 0}};
    glColor3f(1.0f, 1.0f, 1.0f);
    glLineWidth(2);
    for (const auto& c : centres) {
        glBegin(GL_POLYGON);
        emit_circle_vertices(c[0], c[1], 20, 0, 360);
        glEnd();
    }
}

void draw_reticle()
{
    // Tick marks across the four arms: distance from the centre, half-length.
    static const int ticks[][2] = {{100, 10}, {80, 5}, {60, 5}, {40, 5}};

    if (ring_visible) {
        // GL clamps the overshoot phases (-30, 150 at the extremes) into 0..1.
        glColor3f((255 - ring_phase) / 255, ring_phase / 255, 0.0f);
        glLineWidth(2);
        glBegin(GL_LINE_STRIP);
        emit_circle_vertices(0, 0, 40, 0, 360);
        glEnd();
    } else {
        glColor3f(0.0f, 1.0f, 0.0f);
        glLineWidth(2);
    }
    glBegin(GL_LINES);
    glVertex2i(-100, 0);
    glVertex2i(100, 0);
    glVertex2i(0, -100);
    glVertex2i(0, 100);
    glEnd();
    for (const auto& t : ticks) {
        int d = t[0], h = t[1];
        glBegin(GL_LINES);
        glVertex2i(-d, -h);
        glVertex2i(-d, h);
        glEnd();
        glBegin(GL_LINES);
        glVertex2i(d, -h);
        glVertex2i(d, h);
        glEnd();
        glBegin(GL_LINES);
        glVertex2i(-h, d);
        glVertex2i(h, d);
        glEnd();
        glBegin(GL_LINES);
        glVertex2i(-h, -d);
        glVertex2i(h, -d);
        glEnd();
    }
}

// --- the foreground frame, in draw order; later pieces paint over earlier ones ---
static const int left_pillar[][2] = {{-220, 360}, {-225, 360}, {-150, -200}, {-145, -200}};
static const int right_pillar[][2] = {{220, 360}, {225, 360}, {150, -200}, {145, -200}};
// The side panels are not convex; GL_POLYGON fills them as a fan from the first vertex.
static const int left_upper_panel[][2] = {{-20, -126},  {-150, -130}, {-340, -200}, {-420, -220},
                                          {-480, -230}, {-512, -300}, {-512, -400}, {0, -400}};
static const int right_upper_panel[][2] = {{20, -126},  {150, -130}, {340, -200}, {420, -220},
                                           {480, -230}, {512, -300}, {512, -400}, {0, -400}};
// Three separate segments per side along the upper panels' top edges.
static const int left_edges[][2] = {{-20, -126}, {-150, -130}, {-340, -200}, {-420, -220}, {-480, -230}, {-512, -300}};
static const int right_edges[][2] = {{20, -126}, {150, -130}, {340, -200}, {420, -220}, {480, -230}, {512, -300}};
// The lower panels differ: the left turns down to (-600, -700), the right to (600, -400).
static const int left_lower_panel[][2] = {{0, -190}, {-190, -190}, {-330, -240}, {-400, -250}, {-600, -700}, {0, -700}};
static const int right_lower_panel[][2] = {{0, -190}, {190, -190}, {330, -240}, {400, -250}, {600, -400}, {0, -700}};
static const int centre_block[][2] = {{-180, -180}, {-200, -360}, {200, -360}, {180, -180}};
static const int centre_block_top[][2] = {{-180, -180}, {-170, -160}, {170, -160}, {180, -180}};
static const int column[][2] = {{-20, -180}, {-20, -140}, {-10, -130}, {10, -130}, {20, -140}, {20, -180}};
static const int left_column_bar[][2] = {{-10, -115}, {-60, -120}, {-60, -130}, {-10, -125}};
static const int right_column_bar[][2] = {{10, -115}, {60, -120}, {60, -130}, {10, -125}};
static const int hub_left_bevel[][2] = {{-20, -140}, {-20, -125}, {-10, -115}, {-10, -130}};
static const int hub_face[][2] = {{-10, -130}, {-10, -115}, {10, -115}, {10, -130}};
static const int hub_right_bevel[][2] = {{10, -130}, {10, -115}, {20, -125}, {20, -140}};
static const int left_fin[][2] = {{-20, -145}, {-70, -145}, {-170, -155}, {-20, -170}};
static const int right_fin[][2] = {{20, -145}, {70, -145}, {170, -155}, {20, -170}};
static const int left_fin_edge[][2] = {{-170, -155}, {-170, -160}, {-20, -175}, {-20, -170}};
static const int right_fin_edge[][2] = {{170, -155}, {170, -160}, {20, -175}, {20, -170}};
static const int left_top_panel[][2] = {{-600, 260}, {-600, 700}, {-220, 700}, {-220, 360}};
static const int centre_top_panel[][2] = {{-220, 360}, {-220, 700}, {220, 700}, {220, 360}};
static const int right_top_panel[][2] = {{600, 260}, {600, 700}, {220, 700}, {220, 360}};
static const int left_lower_bar[][2] = {{-200, -360}, {-400, -700}, {-390, -700}, {-190, -360}};
static const int right_lower_bar[][2] = {{200, -360}, {400, -700}, {390, -700}, {190, -360}};

template <std::size_t N>
static void emit_frame_polygon(const int (&v)[N][2])
{
    glBegin(GL_POLYGON);
    for (const auto& p : v)
        glVertex2i(p[0], p[1]);
    glEnd();
}

template <std::size_t N>
static void emit_frame_lines(const int (&v)[N][2])
{
    glBegin(GL_LINES);
    for (const auto& p : v)
        glVertex2i(p[0], p[1]);
    glEnd();
}

static void grey(int n)
{
    glColor3f(n / 255.0f, n / 255.0f, n / 255.0f);
}

// One gold band across the arcs, at the given angle in radians (from degrees with 3.141592).
static void emit_cross_band(double theta)
{
    glBegin(GL_LINES);
    glVertex2f(static_cast<float>(230 * std::cos(theta)), static_cast<float>(230 * std::sin(theta) - 350));
    glVertex2f(static_cast<float>(-230 * std::cos(theta)), static_cast<float>(230 * std::sin(theta) - 350));
    glEnd();
}

void draw_frame()
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(2);

    grey(150);
    emit_frame_polygon(left_pillar);
    emit_frame_polygon(right_pillar);
    grey(170);
    emit_frame_polygon(left_upper_panel);
    emit_frame_polygon(right_upper_panel);

    glColor3f(255 / 255.0f, 99 / 255.0f, 71 / 255.0f);  // orange
    glLineWidth(5);
    emit_frame_lines(left_edges);
    emit_frame_lines(right_edges);

    glLineWidth(2);
    grey(100);
    emit_frame_polygon(left_lower_panel);
    emit_frame_polygon(right_lower_panel);
    grey(84);
    emit_frame_polygon(centre_block);
    grey(127);
    emit_frame_polygon(centre_block_top);
    grey(186);
    emit_frame_polygon(column);
    grey(105);
    emit_frame_polygon(left_column_bar);
    emit_frame_polygon(right_column_bar);
    grey(161);
    emit_frame_polygon(hub_left_bevel);
    grey(217);
    emit_frame_polygon(hub_face);
    grey(240);
    emit_frame_polygon(hub_right_bevel);
    grey(222);
    emit_frame_polygon(left_fin);
    emit_frame_polygon(right_fin);
    grey(71);
    emit_frame_polygon(left_fin_edge);
    emit_frame_polygon(right_fin_edge);

    // Gold bands: arcs around (0, -350) drawn as 100-pixel lines, then two cross bands.
    glColor3f(205 / 255.0f, 149 / 255.0f, 12 / 255.0f);
    glLineWidth(100);
    glBegin(GL_LINE_STRIP);
    emit_circle_vertices(0, -350, 200, 0, 60);
    glEnd();
    glBegin(GL_LINE_STRIP);
    emit_circle_vertices(0, -350, 200, 120, 180);
    glEnd();
    glBegin(GL_LINE_STRIP);
    emit_circle_vertices(0, -350, 230, 0, 60);
    glEnd();
    glBegin(GL_LINE_STRIP);
    emit_circle_vertices(0, -350, 230, 120, 180);
    glEnd();
    emit_cross_band(25 * 3.141592 / 180);
    emit_cross_band(15 * 3.141592 / 180);

    grey(150);
    emit_frame_polygon(left_top_panel);
    grey(140);
    emit_frame_polygon(centre_top_panel);
    grey(150);
    emit_frame_polygon(right_top_panel);
    glColor3f(105 / 255.0f, 139 / 255.0f, 34 / 255.0f);  // olive
    emit_frame_polygon(left_lower_bar);
    emit_frame_polygon(right_lower_bar);
}
