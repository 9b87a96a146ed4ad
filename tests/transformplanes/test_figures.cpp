// transformplanes figures in a real compatibility context: what each routine emits
// (GL feedback), the state it leaves, and the pixels of the non-convex figures.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "airplane_outline.h"
#include "feedback.h"
#include "gl_window.h"
#include "pixel_probe.h"
#include "transformplanes.h"

namespace {

struct Color {
    float r, g, b;
};

// The stored values the colours must have, as decimals.
const Color kStdWing = {0.58823532f, 0.50588238f, 0.71764708f};
const Color kStdYellow = {0.96078432f, 0.82745099f, 0.0f};
const Color kStdFuselage = {0.43529412f, 0.33333334f, 0.6156863f};
const Color kGreenWing = {0.039215688f, 0.43137255f, 0.35294119f};
const Color kBlueWing = {0.039215688f, 0.47058824f, 0.95294118f};
const Color kBrownFuselage = {0.39215687f, 0.31764707f, 0.05882353f};
const Color kTPiece = {0.78431374f, 0.023529412f, 0.78431374f};
const Color kRed = {1.0f, 0.0f, 0.0f};

class Figures : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
        reshape(1024, 800);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }

    // The routine's primitives in world units (the window centre is the origin).
    static std::vector<FeedbackItem> emitted(void (*draw)())
    {
        FeedbackCapture capture = capture_feedback([draw] { draw(); });
        EXPECT_EQ(capture.overflowed, 0);
        std::vector<FeedbackItem> items = join_feedback_primitives(capture.items);
        for (FeedbackItem& item : items)
            for (FeedbackVertex& v : item.vertices) {
                v.x -= 512.0f;
                v.y -= 400.0f;
            }
        return items;
    }
};

struct Piece {
    std::vector<std::pair<int, int>> vertices;
    Color color;
};

Piece part(int p, Color c)
{
    Piece piece{{}, c};
    const AirplanePart& ap = airplane_parts[p];
    for (int i = ap.first; i < ap.first + ap.count; ++i)
        piece.vertices.push_back({static_cast<int>(airplane_vertices[i][0]), static_cast<int>(airplane_vertices[i][1])});
    return piece;
}

::testing::AssertionResult same_color(const FeedbackVertex& v, Color c)
{
    if (v.r == c.r && v.g == c.g && v.b == c.b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour (" << v.r << ", " << v.g << ", " << v.b << "), expected (" << c.r
                                         << ", " << c.g << ", " << c.b << ")";
}

// The polygons in order with their exact vertices and colours, then the centre point.
void expect_pieces(const char* name, const std::vector<FeedbackItem>& got, const std::vector<Piece>& want,
                   int centre_point)
{
    SCOPED_TRACE(name);
    ASSERT_EQ(got.size(), want.size() + (centre_point ? 1 : 0));
    for (size_t k = 0; k < want.size(); ++k) {
        SCOPED_TRACE("piece " + std::to_string(k));
        ASSERT_EQ(got[k].token, GL_POLYGON_TOKEN);
        ASSERT_EQ(got[k].vertices.size(), want[k].vertices.size());
        for (size_t i = 0; i < want[k].vertices.size(); ++i) {
            EXPECT_EQ(got[k].vertices[i].x, want[k].vertices[i].first) << "vertex " << i;
            EXPECT_EQ(got[k].vertices[i].y, want[k].vertices[i].second) << "vertex " << i;
            EXPECT_TRUE(same_color(got[k].vertices[i], want[k].color)) << "vertex " << i;
        }
    }
    if (centre_point) {
        const FeedbackItem& point = got.back();
        ASSERT_EQ(point.token, GL_POINT_TOKEN);
        EXPECT_EQ(point.vertices[0].x, 0.0f);
        EXPECT_EQ(point.vertices[0].y, 0.0f);
        EXPECT_TRUE(same_color(point.vertices[0], kRed));
    }
}

struct AirplaneCase {
    const char* name;
    void (*draw)();
    std::vector<Piece> pieces;
    float point_size;  // 0: none
};

TEST_F(Figures, AirplaneVariantsEmitTheirPartsInOrderAndColours)
{
    auto full = [](Color wing, Color forward, Color fuselage) {
        return std::vector<Piece>{part(AIRPLANE_MAIN_WING, wing),      part(AIRPLANE_FORWARD_WING, forward),
                                  part(AIRPLANE_FUSELAGE, fuselage),   part(AIRPLANE_TAIL_CAP, kStdWing),
                                  part(AIRPLANE_LEFT_POD, kStdYellow), part(AIRPLANE_RIGHT_POD, kStdYellow)};
    };
    std::vector<Piece> leader = {{{{0, 20}, {5, 20}, {5, 40}, {-5, 40}, {-5, 20}}, kTPiece},
                                 {{{10, 40}, {10, 45}, {-10, 45}, {-10, 40}}, kTPiece}};
    for (const Piece& p : full(kBlueWing, kStdYellow, kBrownFuselage))
        leader.push_back(p);

    const AirplaneCase cases[] = {
        {"violet", draw_airplane_violet,
         full({0.78431374f, 0.43137255f, 0.95294118f}, {0.96078432f, 0.82745099f, 0.58823532f}, kStdFuselage), 5},
        {"teal", draw_airplane_teal, full({0.047058824f, 0.42745098f, 0.40392157f}, kStdYellow, kStdFuselage), 5},
        {"yellow", draw_airplane_yellow, full({0.95686275f, 0.95686275f, 0.35294119f}, kStdYellow, kStdFuselage), 5},
        {"green", draw_airplane_green, full(kGreenWing, kStdYellow, kStdFuselage), 5},
        {"blue", draw_airplane_blue, full(kBlueWing, kStdYellow, kBrownFuselage), 15},
        {"t_piece", draw_airplane_t_piece, leader, 22},
        {"sparse", draw_airplane_sparse,
         {part(AIRPLANE_TAIL_CAP, kStdWing), part(AIRPLANE_LEFT_POD, kStdYellow), part(AIRPLANE_RIGHT_POD, kStdYellow)},
         9},
        {"wings", draw_wings, {part(AIRPLANE_MAIN_WING, kGreenWing), part(AIRPLANE_FORWARD_WING, kStdYellow)}, 0},
        {"wings_fuselage", draw_wings_fuselage,
         {part(AIRPLANE_MAIN_WING, kGreenWing), part(AIRPLANE_FORWARD_WING, kStdYellow),
          part(AIRPLANE_FUSELAGE, kStdFuselage)},
         0},
        {"wing_fuselage", draw_wing_fuselage,
         {part(AIRPLANE_MAIN_WING, kGreenWing), part(AIRPLANE_FUSELAGE, kStdFuselage)}, 0},
    };
    for (const AirplaneCase& c : cases) {
        // Leave other state behind to see what each routine sets and what it keeps.
        glPointSize(7.0f);
        glLineWidth(4.0f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        expect_pieces(c.name, emitted(c.draw), c.pieces, c.point_size > 0);
        GLfloat point_size = 0, line_width = 0;
        GLint mode[2] = {0, 0};
        glGetFloatv(GL_POINT_SIZE, &point_size);
        glGetFloatv(GL_LINE_WIDTH, &line_width);
        glGetIntegerv(GL_POLYGON_MODE, mode);
        EXPECT_EQ(point_size, c.point_size > 0 ? c.point_size : 7.0f) << c.name;
        EXPECT_EQ(line_width, 1.0f) << c.name;
        EXPECT_EQ(mode[0], GL_FILL) << c.name;
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

TEST_F(Figures, RingsAreClosedLoopsOf360VerticesOfRadius8)
{
    struct RingCase {
        const char* name;
        void (*draw)();
        Color color;
        float width;
        int sets_fill;
    };
    const RingCase cases[] = {
        {"brown", draw_ring_brown, {0.4f, 0.2f, 0.0f}, 10.0f, 1},
        {"red", draw_ring_red, {1.0f, 0.0f, 0.0f}, 2.0f, 0},
        {"yellow", draw_ring_yellow, {0.9f, 0.9f, 0.2f}, 5.0f, 0},
    };
    for (const RingCase& c : cases) {
        SCOPED_TRACE(c.name);
        glLineWidth(1.0f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        // Enlarged 45 times (radius 360 pixels) so the angle steps can be told apart.
        static void (*ring)();
        ring = c.draw;
        std::vector<FeedbackItem> items = emitted([] {
            glPushMatrix();
            glScalef(45.0f, 45.0f, 1.0f);
            ring();
            glPopMatrix();
        });
        ASSERT_EQ(items.size(), 1u);
        ASSERT_EQ(items[0].token, GL_LINE_TOKEN);
        const std::vector<FeedbackVertex>& loop = items[0].vertices;
        ASSERT_EQ(loop.size(), 361u) << "360 vertices and the closing segment back to the first";
        const double step = static_cast<float>(3.14159 / 180);  // the stored single-precision step
        for (int i = 0; i < 360; ++i) {
            float a = static_cast<float>(i * step);
            double x = 8.0 * static_cast<float>(std::cos(static_cast<double>(a)));
            double y = 8.0 * static_cast<float>(std::sin(static_cast<double>(a)));
            EXPECT_NEAR(loop[i].x, 45.0 * x, 3e-4) << "vertex " << i;
            EXPECT_NEAR(loop[i].y, 45.0 * y, 3e-4) << "vertex " << i;
            // Pi taken as 3.14159: the last vertex falls just short of 359 degrees.
            EXPECT_NEAR(loop[i].x, 360.0 * std::cos(i * 3.14159 / 180.0), 3e-3) << "vertex " << i;
            EXPECT_TRUE(same_color(loop[i], c.color)) << "vertex " << i;
        }
        EXPECT_EQ(loop[0].x, 360.0f);
        EXPECT_EQ(loop[0].y, 0.0f);
        EXPECT_EQ(loop[360].x, loop[0].x);
        GLfloat width = 0;
        GLint mode[2] = {0, 0};
        glGetFloatv(GL_LINE_WIDTH, &width);
        glGetIntegerv(GL_POLYGON_MODE, mode);
        EXPECT_EQ(width, c.width) << "the ring leaves its width set";
        EXPECT_EQ(mode[0], c.sets_fill ? GL_FILL : GL_LINE);
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

TEST_F(Figures, SparkAndRocketSetTheirOwnStateAndColour)
{
    for (void (*draw)() : {spark, rocket}) {
        glLineWidth(6.0f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        std::vector<FeedbackItem> items = emitted(draw);
        ASSERT_FALSE(items.empty());
        Color want = draw == spark ? Color{0.78431374f, 0.023529412f, 0.035294119f} : kRed;
        for (const FeedbackItem& item : items) {
            ASSERT_EQ(item.token, GL_POLYGON_TOKEN);
            for (const FeedbackVertex& v : item.vertices)
                EXPECT_TRUE(same_color(v, want));
        }
        GLfloat width = 0;
        GLint mode[2] = {0, 0};
        glGetFloatv(GL_LINE_WIDTH, &width);
        glGetIntegerv(GL_POLYGON_MODE, mode);
        EXPECT_EQ(width, 1.0f);
        EXPECT_EQ(mode[0], GL_FILL);
    }
}

// Pixels of a figure drawn at the window centre, enlarged by the test so that the
// probes sit well inside or outside its edges. Probe points are in figure units.
struct Probe {
    float x, y;
    Color color;
};

void draw_enlarged(void (*draw)(), float scale)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glScalef(scale, scale, 1.0f);
    draw();
    glPopMatrix();
    glFinish();
}

void expect_probes(const char* name, float scale, const std::vector<Probe>& probes)
{
    SCOPED_TRACE(name);
    for (const Probe& p : probes) {
        int px, py;
        world_to_pixel(p.x * scale, p.y * scale, 1024, 800, &px, &py);
        EXPECT_TRUE(probe_rgb(px, py, p.color.r, p.color.g, p.color.b)) << "figure point (" << p.x << ", " << p.y << ")";
    }
}

const Color kBlack = {0, 0, 0};

TEST_F(Figures, NonConvexFiguresFillExactlyTheirOutlines)
{
    // Points marked "fan" lie outside the outline but inside what a single polygon
    // fanned from its first vertex would paint.
    draw_enlarged(rocket, 6.0f);
    expect_probes("rocket", 6.0f,
                  {{0, 10, kRed},
                   {-8, 2, kRed},
                   {13, 21, kRed},    // fin
                   {-13, 21, kRed},   // fin
                   {0, 43, kRed},     // near the tip
                   {12, 17, kBlack},  // fan
                   {-12, 17, kBlack}, // fan
                   {8, 44, kBlack}});

    const Color spark_color = {200 / 255.0f, 6 / 255.0f, 9 / 255.0f};
    draw_enlarged(spark, 8.0f);
    expect_probes("spark", 8.0f,
                  {{0, 3, spark_color},
                   {0, -3, spark_color},
                   {1.5f, 4.5f, spark_color},
                   {-1.5f, -4.5f, spark_color},
                   {1.6f, 0, kBlack},   // the waist of the bow-tie
                   {-1.6f, 0, kBlack},  // fan
                   {1.7f, -2, kBlack}});

    draw_enlarged(draw_airplane_t_piece, 6.0f);
    expect_probes("t_piece", 6.0f,
                  {{0, 32, kTPiece},
                   {-3, 38, kTPiece},
                   {8, 42.5f, kTPiece},   // bar
                   {-8, 42.5f, kTPiece},  // bar
                   {3, 22.5f, kStdWing},  // the tail cap is drawn over the stem
                   {7, 36, kBlack},       // fan
                   {-7, 36, kBlack}});
}

TEST_F(Figures, CentrePointKeepsItsPixelSizeUnderScaling)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(-200.0f, 0.0f, 0.0f);
    glScalef(3.0f, 2.0f, 1.0f);
    draw_airplane_t_piece();
    glPopMatrix();
    // 22 pixels wide at (-200, 0): pixels 301..322 across, 389..410 up.
    int cx = 512 - 200, cy = 400;
    EXPECT_TRUE(probe_rgb(cx - 10, cy - 10, 1, 0, 0));
    EXPECT_TRUE(probe_rgb(cx + 10, cy + 10, 1, 0, 0));
    EXPECT_FALSE(probe_rgb(cx + 12, cy, 1, 0, 0)) << "point wider than 22 pixels";
    EXPECT_FALSE(probe_rgb(cx, cy - 12, 1, 0, 0)) << "point taller than 22 pixels";
}

}  // namespace
