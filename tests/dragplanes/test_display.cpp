// dragplanes' whole frame and Energy readout in a real compatibility context: the order
// and placement of every figure (through GL feedback) and the colours it paints.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <string>
#include <vector>

#include "airplane_outline.h"
#include "dragplanes.h"
#include "emitted.h"
#include "feedback.h"
#include "gl_window.h"
#include "pixel_probe.h"
#include "scene_state.h"

namespace {

const double kDeg = M_PI / 180;

class Readout : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGB | GLUT_SINGLE, 1024, 800);
        restore_initial_state();
    }
};

TEST_F(Readout, BarAndSixtyNineCharactersSitOneEighthOfTheWidthRightOfCentre)
{
    struct Case {
        int width;
        int left, right;  // the bar's ends, truncated toward zero
        float text_x;
    };
    for (Case c : {Case{1024, 200, 428, 128}, Case{1023, 199, 427, 127.875f}, Case{1001, 197, 425, 125.125f}}) {
        SCOPED_TRACE("width " + std::to_string(c.width));
        reshape(c.width, 800);
        FeedbackCapture cap = capture_feedback(draw_energy);
        ASSERT_EQ(cap.items.size(), 2u + 69u);
        size_t pos = 0;
        expect_polygon(cap.items, pos, {{float(c.left), -290}, {float(c.right), -290}, {float(c.right), -300},
                                        {float(c.left), -300}},
                       {1, 0, 0}, "bar");
        float x = c.text_x;
        for (; pos < cap.items.size(); ++pos) {
            const FeedbackItem& glyph = cap.items[pos];
            ASSERT_EQ(glyph.token, GL_BITMAP_TOKEN);
            EXPECT_TRUE(has_colour(glyph, {1, 1, 1}));
            Point at = world(glyph.vertices[0]);
            EXPECT_EQ(at.y, -300);
            if (pos == 2)
                EXPECT_EQ(at.x, x) << "the text starts elsewhere";
            else
                EXPECT_GT(at.x, x) << "character " << pos - 2 << " does not advance";
            x = at.x;
        }
    }
}

TEST_F(Readout, NoTextBelowAWindowLessThanSixHundredHigh)
{
    reshape(1024, 600);
    EXPECT_EQ(feedback_items_of(capture_feedback(draw_energy), GL_BITMAP_TOKEN).size(), 69u);
    reshape(1024, 599);
    EXPECT_TRUE(feedback_items_of(capture_feedback(draw_energy), GL_BITMAP_TOKEN).empty());
}

TEST_F(Readout, BarColourPulsesWithTheEnergyPhase)
{
    reshape(1024, 800);
    struct Case {
        float phase;
        Rgb colour;
    };
    for (Case c : {Case{0, {1, 0, 0}}, Case{90, {1, 90 / 255.0f, 90 / 255.0f}},
                   Case{195, {1, 195 / 255.0f, 195 / 255.0f}}, Case{-15, {1, 0, 0}}}) {
        energy_phase = c.phase;
        FeedbackCapture cap = capture_feedback(draw_energy);
        ASSERT_EQ(cap.items[0].token, GL_POLYGON_TOKEN);
        EXPECT_TRUE(has_colour(cap.items[0], c.colour)) << "energy_phase " << c.phase;
    }
}

TEST_F(Readout, ArcHeightCountsASlightlyNegativeDifferenceAsZero)
{
    EXPECT_EQ(arc_height(5, 3), -296);
    EXPECT_EQ(arc_height(700, 700), -300);
    // A difference of squares that rounding has made negative keeps the airplane on the line.
    EXPECT_EQ(arc_height(100, std::nextafter(100.0f, 200.0f)), -300);
}

// --- the whole frame, captured with a view large enough that nothing is clipped ---

glm::vec2 apply(const glm::mat4& m, float x, float y)
{
    glm::vec4 p = m * glm::vec4(x, y, 0, 1);
    return {p.x, p.y};
}

std::vector<Point> transformed(const glm::mat4& m, int first, int count)
{
    std::vector<Point> out;
    for (int i = first; i < first + count; ++i) {
        glm::vec2 p = apply(m, airplane_vertices[i][0], airplane_vertices[i][1]);
        out.push_back({p.x, p.y});
    }
    return out;
}

glm::mat4 placement(float x, float y, float degrees, glm::vec3 axis, float scale)
{
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(x, y, 0));
    m = glm::rotate(m, glm::radians(degrees), axis);
    return glm::scale(m, glm::vec3(scale, scale, 1));
}

class Frame : public Readout {};

TEST_F(Frame, DrawsEveryFigureInLayerOrderTranslatedRotatedAndScaled)
{
    reshape(2048, 2048);
    FeedbackCapture frame_alone = capture_feedback(draw_frame);
    const float P = 100, T = 1250, S = 100;
    arc_phase = P;
    flyover_distance = T;
    cloud_phase = S;
    reticle_x = 30;
    reticle_y = -40;
    reticle_heading = 30;
    frame_tilt = 10;

    FeedbackCapture cap = capture_feedback(display, 12u << 20);
    ASSERT_FALSE(cap.overflowed);
    const std::vector<FeedbackItem>& it = cap.items;
    const size_t disk = 3598, airplane = 21, reticle = 18;
    ASSERT_EQ(it.size(), 20 * 6 * disk + 11 * airplane + reticle + frame_alone.items.size() + 2 + 69);

    GLfloat mv[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(mv[i], i % 5 == 0 ? 1.0f : 0.0f) << "modelview not restored";

    // Clouds: rows n = 0..9, left then right, each disk's centre where the
    // placement takes it (the mean of its 3600 rim points).
    const Point disks[] = {{17, 10}, {17, -10}, {48, 0}, {-17, 10}, {-17, -10}, {-48, 0}};
    size_t pos = 0;
    for (int cloud = 0; cloud < 20; ++cloud) {
        int n = cloud / 2;
        float side = cloud % 2 == 0 ? -1.0f : 1.0f;
        glm::mat4 m = placement(side * (500 + S - 50 * n), 50 - S - 30 * n, -side * (15 * n - 45), {0, 0, 1}, S / 100);
        for (const Point& d : disks) {
            double sx = 0, sy = 0, count = 0;
            for (size_t k = 0; k < disk; ++k, ++pos) {
                ASSERT_TRUE(has_colour(it[pos], {1, 1, 1})) << "cloud " << cloud;
                for (size_t v = 0; v < 2; ++v) {  // each triangle's two rim points, once each
                    Point p = world(it[pos].vertices[v]);
                    sx += p.x;
                    sy += p.y;
                    ++count;
                }
            }
            glm::vec2 want = apply(m, d.x, d.y);
            EXPECT_NEAR(sx / count, want.x, 0.05) << "cloud " << cloud;
            EXPECT_NEAR(sy / count, want.y, 0.05) << "cloud " << cloud;
        }
    }

    // Airplanes: the arc formation on the upper half of a circle of radius P + 100
    // around (0, -300), turned about (0, 3, 1); the line-abreast formation; the fly-over.
    std::vector<glm::mat4> planes;
    float r = P + 100;
    planes.push_back(placement(r, -300, P / 2 + 90, {0, 3, 1}, 2));  // at the circle's right end
    for (int m = 1; m < 5; ++m) {
        double a = (P / 2 + 45 * m) * kDeg;
        planes.push_back(placement(float(r * std::cos(a)), float(r * std::fabs(std::sin(a)) - 300), P / 2 + 90 + 45 * m,
                                   {0, 3, 1}, 2));
    }
    float d = 500 - P * 1.5f;
    for (int q = 0; q <= 200; q += 50)
        planes.push_back(placement(d + q, d - q, -45, {0, 0, 1}, 1));
    float l = 1000 - T * 0.8f;
    planes.push_back(placement(l, -l, -135, {0, 0, 1}, 30));
    for (size_t k = 0; k < planes.size(); ++k) {
        SCOPED_TRACE("airplane " + std::to_string(k));
        for (int part = AIRPLANE_MAIN_WING; part <= AIRPLANE_RIGHT_POD; ++part) {
            const AirplanePart& ap = airplane_parts[part];
            expect_polygon(it, pos, transformed(planes[k], ap.first, ap.count), {ap.color[0], ap.color[1], ap.color[2]},
                           ap.name, 0.02f);
        }
        ASSERT_EQ(it[pos].token, GL_POINT_TOKEN);
        glm::vec2 centre = apply(planes[k], 0, 0);
        EXPECT_TRUE(near(world(it[pos].vertices[0]), {centre.x, centre.y}, 0.02f));
        ++pos;
    }

    // The reticle, turned by its heading about its centre.
    glm::mat4 rm = placement(30, -40, 30, {0, 0, 1}, 1);
    auto at = [&](float x, float y) {
        glm::vec2 p = apply(rm, x, y);
        return Point{p.x, p.y};
    };
    expect_segments(it, pos, {at(-100, 0), at(100, 0), at(0, -100), at(0, 100)}, {0, 1, 0}, "reticle cross", 0.01f);
    pos += reticle - 2;

    // The frame as draw_frame emits it, turned by the tilt about the window centre.
    const double c = std::cos(10 * kDeg), s = std::sin(10 * kDeg);
    for (const FeedbackItem& alone : frame_alone.items) {
        ASSERT_EQ(it[pos].token, alone.token) << "frame item " << pos;
        for (size_t v = 0; v < alone.vertices.size(); ++v) {
            Point a = world(alone.vertices[v]);
            Point want{float(a.x * c - a.y * s), float(a.x * s + a.y * c)};
            ASSERT_TRUE(near(world(it[pos].vertices[v]), want, 0.01f)) << "frame item " << pos;
            ASSERT_EQ(it[pos].vertices[v].g, alone.vertices[v].g);
        }
        ++pos;
    }

    // The readout last, untilted.
    expect_polygon(it, pos, {{328, -290}, {556, -290}, {556, -300}, {328, -300}}, {1, 0, 0}, "Energy bar");
    ASSERT_EQ(it[pos].token, GL_BITMAP_TOKEN);
    EXPECT_TRUE(near(world(it[pos].vertices[0]), {256, -300}));
}

// --- pixels in the 1024 x 800 window ---

::testing::AssertionResult probe_world(float wx, float wy, float r, float g, float b)
{
    int px, py;
    world_to_pixel(wx, wy, win_width, win_height, &px, &py);
    return probe_rgb(px, py, r, g, b);
}

const float kSky[3] = {127 / 255.0f, 1, 212 / 255.0f};

class Picture : public Readout {
protected:
    void SetUp() override
    {
        Readout::SetUp();
        set_fixed_gl_state();  // the sky colour, as main sets it
        reshape(1024, 800);
    }
};

TEST_F(Picture, OpeningFramePaintsSkyReticleFrameAndBar)
{
    display();
    EXPECT_TRUE(probe_world(0, 200, kSky[0], kSky[1], kSky[2]));
    EXPECT_TRUE(probe_world(-500, -110, kSky[0], kSky[1], kSky[2])) << "a cloud at scale 0 shows";
    EXPECT_TRUE(probe_world(50, 0, 0, 1, 0)) << "reticle arm";
    EXPECT_TRUE(probe_world(0, 50, 0, 1, 0)) << "reticle arm";
    EXPECT_TRUE(probe_world(0, 380, 140 / 255.0f, 140 / 255.0f, 140 / 255.0f)) << "centre top panel";
    EXPECT_TRUE(probe_world(0, -352, 84 / 255.0f, 84 / 255.0f, 84 / 255.0f)) << "lower centre block";
    EXPECT_TRUE(probe_world(210, -293, 1, 0, 0)) << "Energy bar";
    // The lower side panels differ: on the left the upper panel shows below them.
    EXPECT_TRUE(probe_world(-500, -390, 170 / 255.0f, 170 / 255.0f, 170 / 255.0f));
    EXPECT_TRUE(probe_world(500, -390, 100 / 255.0f, 100 / 255.0f, 100 / 255.0f));

    // The orange edge segment is 5 pixels thick.
    int px, py, orange = 0;
    world_to_pixel(-100, -140, 1024, 800, &px, &py);
    for (int y = py; y < py + 25; ++y) {
        Rgb8 c = read_pixel(px, y);
        orange += (c.r == 255 && c.g == 99 && c.b == 71);
    }
    EXPECT_EQ(orange, 5);
}

TEST_F(Picture, CloudsGrowIntoViewAndTheFrameCoversTheReticle)
{
    cloud_phase = 100;  // third row's left cloud at (-500, -110), full size
    reticle_x = -350;
    reticle_y = -300;
    display();
    EXPECT_TRUE(probe_world(-500, -110, 1, 1, 1));
    EXPECT_TRUE(probe_world(-380, -300, 100 / 255.0f, 100 / 255.0f, 100 / 255.0f)) << "reticle arm over the frame";
}

TEST_F(Picture, TiltTurnsTheFrameCounterClockwise)
{
    display();
    EXPECT_TRUE(probe_world(450, -180, kSky[0], kSky[1], kSky[2]));
    frame_tilt = 20;  // raises the right side: the lower side panel now reaches this point
    display();
    EXPECT_TRUE(probe_world(450, -180, 100 / 255.0f, 100 / 255.0f, 100 / 255.0f));
}

// A window squeezed to nothing (minimised by some window managers) and restored.
TEST_F(Picture, WindowOfZeroWidthOrHeightDrawsTheSameFrameOnceRestored)
{
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
