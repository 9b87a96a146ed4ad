// dragplanes figures in a real compatibility context: what each draw routine emits,
// captured through GL feedback, and the line widths and fill it leaves set.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dragplanes.h"
#include "emitted.h"
#include "feedback.h"
#include "gl_window.h"
#include "scene_state.h"

namespace {

class Figures : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGB | GLUT_SINGLE, 1024, 800);
        restore_initial_state();
        reshape(2048, 2048);
        glLineWidth(7);  // so that a routine that sets no width shows up
    }
};

// Where the float angle stands at the last step of each arc: the 0.1 steps drift, and
// the rounding gives 3600 vertices for 0..360, 601 for 0..60 and 600 for 120..180.
const float kFullCircleEnd = 359.91275f, kSixtyEnd = 59.999657f, kHalfCircleEnd = 179.903046f;

const Rgb kWhite{1, 1, 1}, kGreen{0, 1, 0}, kRed{1, 0, 0};

TEST_F(Figures, CloudIsSixWhiteDisksOfRadiusTwenty)
{
    FeedbackCapture cap = capture_feedback(draw_cloud);
    ASSERT_FALSE(cap.overflowed);
    const Point centres[] = {{17, 10}, {17, -10}, {48, 0}, {-17, 10}, {-17, -10}, {-48, 0}};
    const size_t per_disk = 3600 - 2;  // one filled polygon of 3600 vertices each
    ASSERT_EQ(cap.items.size(), 6 * per_disk);
    for (int d = 0; d < 6; ++d) {
        std::vector<std::pair<float, float>> distinct;
        for (size_t i = d * per_disk; i < (d + 1) * per_disk; ++i) {
            const FeedbackItem& tri = cap.items[i];
            ASSERT_EQ(tri.token, GL_POLYGON_TOKEN);
            ASSERT_TRUE(has_colour(tri, kWhite));
            for (const FeedbackVertex& v : tri.vertices) {
                Point p = world(v);
                ASSERT_NEAR(std::hypot(p.x - centres[d].x, p.y - centres[d].y), 20, 1e-3) << "disk " << d;
                distinct.push_back({p.x, p.y});
            }
        }
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        EXPECT_EQ(distinct.size(), 3600u) << "disk " << d;
    }
    EXPECT_EQ(current_line_width(), 2);
}

// The cross and the sixteen ticks, as separate segments in their drawing order.
std::vector<Point> reticle_segments()
{
    std::vector<Point> s = {{-100, 0}, {100, 0}, {0, -100}, {0, 100}};
    const float ticks[][2] = {{100, 10}, {80, 5}, {60, 5}, {40, 5}};
    for (const auto& t : ticks) {
        float d = t[0], h = t[1];
        std::vector<Point> group = {{-d, -h}, {-d, h}, {d, -h}, {d, h}, {-h, d}, {h, d}, {-h, -d}, {h, -d}};
        s.insert(s.end(), group.begin(), group.end());
    }
    return s;
}

TEST_F(Figures, ReticleIsAGreenCrossWithTicksAndNoRingWhenTheRightButtonIsUp)
{
    FeedbackCapture cap = capture_feedback(draw_reticle);
    ASSERT_EQ(cap.items.size(), 18u);
    size_t pos = 0;
    expect_segments(cap.items, pos, reticle_segments(), kGreen, "cross and ticks");
    EXPECT_EQ(current_line_width(), 2);
}

TEST_F(Figures, RingTakesTheRingColourForTheWholeReticle)
{
    ring_visible = 1;
    struct Case {
        float phase;
        Rgb colour;
    };
    const Case cases[] = {
        {0, kRed},
        {130, {125 / 255.0f, 130 / 255.0f, 0}},
        {150, {105 / 255.0f, 150 / 255.0f, 0}},
        {-30, kRed},  // (285/255, -30/255, 0) clamped by GL
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("ring_phase " + std::to_string(c.phase));
        ring_phase = c.phase;
        FeedbackCapture cap = capture_feedback(draw_reticle);
        ASSERT_EQ(cap.items.size(), 3599u + 18u);
        size_t pos = 0;
        expect_arc(cap.items, pos, {0, 0}, 40, 3600, 0, kFullCircleEnd, c.colour, "ring");
        expect_segments(cap.items, pos, reticle_segments(), c.colour, "cross and ticks");
        EXPECT_EQ(current_line_width(), 2);
    }
}

// Its parts and colours are checked where display places every airplane.
TEST_F(Figures, AirplaneLeavesFillLineWidthOneAndPointSizeFive)
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    FeedbackCapture cap = capture_feedback(draw_airplane);
    ASSERT_EQ(cap.items.size(), 20u + 1u);  // six parts as fans, then the centre point
    EXPECT_EQ(cap.items.back().token, GL_POINT_TOKEN);
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    GLfloat point_size = 0;
    glGetFloatv(GL_POINT_SIZE, &point_size);
    EXPECT_EQ(point_size, 5);
    EXPECT_EQ(current_line_width(), 1);
}

TEST_F(Figures, FrameEmitsAllThirtyOnePiecesInOrderAndColour)
{
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // the frame must set fill itself
    FeedbackCapture cap = capture_feedback(draw_frame);
    ASSERT_FALSE(cap.overflowed);
    const std::vector<FeedbackItem>& it = cap.items;

    auto grey = [](int n) { return Rgb{n / 255.0f, n / 255.0f, n / 255.0f}; };
    const Rgb orange{1, 99 / 255.0f, 71 / 255.0f}, gold{205 / 255.0f, 149 / 255.0f, 12 / 255.0f},
        olive{105 / 255.0f, 139 / 255.0f, 34 / 255.0f};
    size_t p = 0;
    expect_polygon(it, p, {{-220, 360}, {-225, 360}, {-150, -200}, {-145, -200}}, grey(150), "left pillar");
    expect_polygon(it, p, {{220, 360}, {225, 360}, {150, -200}, {145, -200}}, grey(150), "right pillar");
    expect_polygon(it, p,
                   {{-20, -126}, {-150, -130}, {-340, -200}, {-420, -220}, {-480, -230}, {-512, -300}, {-512, -400},
                    {0, -400}},
                   grey(170), "left upper side panel");
    expect_polygon(it, p,
                   {{20, -126}, {150, -130}, {340, -200}, {420, -220}, {480, -230}, {512, -300}, {512, -400}, {0, -400}},
                   grey(170), "right upper side panel");
    // Three separate segments per side: the gaps between them stay unlined.
    expect_segments(it, p, {{-20, -126}, {-150, -130}, {-340, -200}, {-420, -220}, {-480, -230}, {-512, -300}}, orange,
                    "left edge segments");
    expect_segments(it, p, {{20, -126}, {150, -130}, {340, -200}, {420, -220}, {480, -230}, {512, -300}}, orange,
                    "right edge segments");
    // The lower side panels are not mirror images.
    expect_polygon(it, p, {{0, -190}, {-190, -190}, {-330, -240}, {-400, -250}, {-600, -700}, {0, -700}}, grey(100),
                   "left lower side panel");
    expect_polygon(it, p, {{0, -190}, {190, -190}, {330, -240}, {400, -250}, {600, -400}, {0, -700}}, grey(100),
                   "right lower side panel");
    expect_polygon(it, p, {{-180, -180}, {-200, -360}, {200, -360}, {180, -180}}, grey(84), "centre block");
    expect_polygon(it, p, {{-180, -180}, {-170, -160}, {170, -160}, {180, -180}}, grey(127), "centre block top strip");
    expect_polygon(it, p, {{-20, -180}, {-20, -140}, {-10, -130}, {10, -130}, {20, -140}, {20, -180}}, grey(186),
                   "column");
    expect_polygon(it, p, {{-10, -115}, {-60, -120}, {-60, -130}, {-10, -125}}, grey(105), "left column bar");
    expect_polygon(it, p, {{10, -115}, {60, -120}, {60, -130}, {10, -125}}, grey(105), "right column bar");
    expect_polygon(it, p, {{-20, -140}, {-20, -125}, {-10, -115}, {-10, -130}}, grey(161), "hub left bevel");
    expect_polygon(it, p, {{-10, -130}, {-10, -115}, {10, -115}, {10, -130}}, grey(217), "hub face");
    expect_polygon(it, p, {{10, -130}, {10, -115}, {20, -125}, {20, -140}}, grey(240), "hub right bevel");
    expect_polygon(it, p, {{-20, -145}, {-70, -145}, {-170, -155}, {-20, -170}}, grey(222), "left fin");
    expect_polygon(it, p, {{20, -145}, {70, -145}, {170, -155}, {20, -170}}, grey(222), "right fin");
    expect_polygon(it, p, {{-170, -155}, {-170, -160}, {-20, -175}, {-20, -170}}, grey(71), "left fin edge");
    expect_polygon(it, p, {{170, -155}, {170, -160}, {20, -175}, {20, -170}}, grey(71), "right fin edge");
    expect_arc(it, p, {0, -350}, 200, 601, 0, kSixtyEnd, gold, "right inner band");
    expect_arc(it, p, {0, -350}, 200, 600, 120, kHalfCircleEnd, gold, "left inner band");
    expect_arc(it, p, {0, -350}, 230, 601, 0, kSixtyEnd, gold, "right outer band");
    expect_arc(it, p, {0, -350}, 230, 600, 120, kHalfCircleEnd, gold, "left outer band");
    Point upper{208.45f, -252.80f}, lower{222.16f, -290.47f};
    for (Point band : {upper, lower}) {
        ASSERT_LT(p, it.size());
        ASSERT_EQ(it[p].token, GL_LINE_TOKEN);
        EXPECT_TRUE(near(world(it[p].vertices[0]), band, 0.01f));
        EXPECT_TRUE(near(world(it[p].vertices[1]), {-band.x, band.y}, 0.01f));
        EXPECT_TRUE(has_colour(it[p], gold));
        ++p;
    }
    expect_polygon(it, p, {{-600, 260}, {-600, 700}, {-220, 700}, {-220, 360}}, grey(150), "left top panel");
    expect_polygon(it, p, {{-220, 360}, {-220, 700}, {220, 700}, {220, 360}}, grey(140), "centre top panel");
    expect_polygon(it, p, {{600, 260}, {600, 700}, {220, 700}, {220, 360}}, grey(150), "right top panel");
    expect_polygon(it, p, {{-200, -360}, {-400, -700}, {-390, -700}, {-190, -360}}, olive, "left lower bar");
    expect_polygon(it, p, {{200, -360}, {400, -700}, {390, -700}, {190, -360}}, olive, "right lower bar");
    EXPECT_EQ(p, it.size()) << "the frame emits more than its 31 pieces";

    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    EXPECT_EQ(current_line_width(), 100);  // the last width set, by the gold bands
}

}  // namespace
