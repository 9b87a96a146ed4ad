// Matching captured feedback items against expected pieces.
#include "emitted.h"

#include <GL/gl.h>

#include <cmath>

#include "dragplanes.h"

Point world(const FeedbackVertex& v)
{
    return {static_cast<float>(v.x - win_width * 0.5), static_cast<float>(v.y - win_height * 0.5)};
}

bool near(Point a, Point b, float tol)
{
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol;
}

::testing::AssertionResult has_colour(const FeedbackItem& item, Rgb c)
{
    for (const FeedbackVertex& v : item.vertices)
        if (v.r != c.r || v.g != c.g || v.b != c.b)
            return ::testing::AssertionFailure() << "colour (" << v.r << ", " << v.g << ", " << v.b
                                                 << "), expected (" << c.r << ", " << c.g << ", " << c.b << ")";
    return ::testing::AssertionSuccess();
}

static bool same_triangle(const FeedbackItem& item, Point a, Point b, Point c, float tol)
{
    if (item.token != GL_POLYGON_TOKEN || item.vertices.size() != 3)
        return false;
    Point want[3] = {a, b, c};
    bool used[3] = {false, false, false};
    for (const FeedbackVertex& v : item.vertices) {
        bool found = false;
        for (int k = 0; k < 3 && !found; ++k)
            if (!used[k] && near(world(v), want[k], tol))
                used[k] = found = true;
        if (!found)
            return false;
    }
    return true;
}

void expect_polygon(const std::vector<FeedbackItem>& items, size_t& pos, const std::vector<Point>& v, Rgb c,
                    const std::string& name, float tol)
{
    for (size_t i = 1; i + 1 < v.size(); ++i, ++pos) {
        ASSERT_LT(pos, items.size()) << name << " is missing";
        EXPECT_TRUE(same_triangle(items[pos], v[0], v[i], v[i + 1], tol))
            << name << ": triangle " << i << " (item " << pos << ") is not (v0, v" << i << ", v" << i + 1 << ")";
        EXPECT_TRUE(has_colour(items[pos], c)) << name;
    }
}

void expect_segments(const std::vector<FeedbackItem>& items, size_t& pos, const std::vector<Point>& ends, Rgb c,
                     const std::string& name, float tol)
{
    for (size_t i = 0; i + 1 < ends.size(); i += 2, ++pos) {
        ASSERT_LT(pos, items.size()) << name << " is missing";
        const FeedbackItem& seg = items[pos];
        EXPECT_TRUE(seg.token == GL_LINE_TOKEN && seg.vertices.size() == 2 &&
                    near(world(seg.vertices[0]), ends[i], tol) && near(world(seg.vertices[1]), ends[i + 1], tol))
            << name << ": segment " << i / 2 << " (item " << pos << ")";
        EXPECT_TRUE(has_colour(seg, c)) << name;
    }
}

void expect_arc(const std::vector<FeedbackItem>& items, size_t& pos, Point centre, float radius, int vertices,
                float first_deg, float last_deg, Rgb c, const std::string& name)
{
    const double to_rad = 3.141592 / 180;
    Point first{static_cast<float>(centre.x + radius * std::cos(first_deg * to_rad)),
                static_cast<float>(centre.y + radius * std::sin(first_deg * to_rad))};
    Point last{static_cast<float>(centre.x + radius * std::cos(last_deg * to_rad)),
               static_cast<float>(centre.y + radius * std::sin(last_deg * to_rad))};
    size_t start = pos;
    for (int i = 0; i + 1 < vertices; ++i, ++pos) {
        ASSERT_LT(pos, items.size()) << name << " is missing";
        const FeedbackItem& seg = items[pos];
        ASSERT_EQ(seg.token, GL_LINE_TOKEN) << name << " segment " << i;
        for (const FeedbackVertex& v : seg.vertices) {
            Point p = world(v);
            ASSERT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), radius, 2e-3) << name << " segment " << i;
        }
        if (i > 0) {
            ASSERT_TRUE(near(world(items[pos - 1].vertices[1]), world(seg.vertices[0])))
                << name << " is broken at " << i;
        }
        EXPECT_TRUE(has_colour(seg, c)) << name;
    }
    EXPECT_TRUE(near(world(items[start].vertices[0]), first, 2e-3f)) << name << " starts elsewhere";
    EXPECT_TRUE(near(world(items[pos - 1].vertices[1]), last, 2e-3f)) << name << " ends elsewhere";
}

float current_line_width()
{
    GLfloat w = 0;
    glGetFloatv(GL_LINE_WIDTH, &w);
    return w;
}
