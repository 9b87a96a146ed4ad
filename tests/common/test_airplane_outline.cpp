// The shared airplane table: layout, shape properties and stored colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

#include "airplane_outline.h"

static float cross(const float* o, const float* a, const float* b)
{
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}

TEST(AirplaneOutline, PartsLieBackToBackInDrawOrder)
{
    ASSERT_EQ(std::size(airplane_vertices), 33u);
    const int firsts[] = {0, 6, 12, 17, 22, 27, 32};
    const int counts[] = {6, 6, 5, 5, 5, 5, 1};
    int next = 0;
    for (int part = 0; part < AIRPLANE_PART_COUNT; ++part) {
        EXPECT_EQ(airplane_parts[part].first, firsts[part]) << airplane_parts[part].name;
        EXPECT_EQ(airplane_parts[part].count, counts[part]) << airplane_parts[part].name;
        EXPECT_EQ(airplane_parts[part].first, next) << airplane_parts[part].name;
        next = airplane_parts[part].first + airplane_parts[part].count;
    }
    EXPECT_EQ(next, 33);
    // 33 vertices of two 32-bit floats, as the shader program uploads them
    EXPECT_EQ(sizeof airplane_vertices, 264u);
    EXPECT_EQ(airplane_point_size, 5.0f);
}

TEST(AirplaneOutline, FigureSpansItsBoxWithTheNoseTowardMinusY)
{
    float min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    for (const auto& v : airplane_vertices) {
        min_x = std::min(min_x, v[0]);
        max_x = std::max(max_x, v[0]);
        min_y = std::min(min_y, v[1]);
        max_y = std::max(max_y, v[1]);
    }
    EXPECT_EQ(min_x, -20.0f);
    EXPECT_EQ(max_x, 20.0f);
    EXPECT_EQ(min_y, -25.0f);
    EXPECT_EQ(max_y, 25.0f);
    const float* nose = airplane_vertices[airplane_parts[AIRPLANE_FUSELAGE].first];
    EXPECT_EQ(nose[0], 0.0f);
    EXPECT_EQ(nose[1], -25.0f);
    const float* centre = airplane_vertices[airplane_parts[AIRPLANE_CENTRE_POINT].first];
    EXPECT_EQ(centre[0], 0.0f);
    EXPECT_EQ(centre[1], 0.0f);
}

TEST(AirplaneOutline, BodyPartsAreMirrorSymmetricAndPodsMirrorEachOther)
{
    for (int part : {AIRPLANE_MAIN_WING, AIRPLANE_FORWARD_WING, AIRPLANE_FUSELAGE, AIRPLANE_TAIL_CAP}) {
        const AirplanePart& p = airplane_parts[part];
        std::set<std::pair<float, float>> points;
        for (int i = p.first; i < p.first + p.count; ++i)
            points.insert({airplane_vertices[i][0], airplane_vertices[i][1]});
        for (const auto& pt : points)
            EXPECT_TRUE(points.count({-pt.first, pt.second})) << p.name << " lacks the mirror of (" << pt.first
                                                              << ", " << pt.second << ")";
    }
    const AirplanePart& left = airplane_parts[AIRPLANE_LEFT_POD];
    const AirplanePart& right = airplane_parts[AIRPLANE_RIGHT_POD];
    ASSERT_EQ(left.count, right.count);
    for (int i = 0; i < left.count; ++i) {
        EXPECT_EQ(airplane_vertices[left.first + i][0], -airplane_vertices[right.first + i][0]) << "pod vertex " << i;
        EXPECT_EQ(airplane_vertices[left.first + i][1], airplane_vertices[right.first + i][1]) << "pod vertex " << i;
    }
}

TEST(AirplaneOutline, ForwardWingFanCoversTheNotchedOutline)
{
    const AirplanePart& wing = airplane_parts[AIRPLANE_FORWARD_WING];
    const float* hub = airplane_vertices[wing.first];
    EXPECT_EQ(hub[1], -18.0f);
    // The notch vertex (0, -10) sits between (-12, -7) and (12, -7).
    const float* notch = airplane_vertices[wing.first + 3];
    EXPECT_EQ(notch[0], 0.0f);
    EXPECT_EQ(notch[1], -10.0f);
    float first = cross(hub, airplane_vertices[wing.first + 1], airplane_vertices[wing.first + 2]);
    ASSERT_NE(first, 0.0f);
    for (int i = 1; i + 1 < wing.count; ++i) {
        float c = cross(hub, airplane_vertices[wing.first + i], airplane_vertices[wing.first + i + 1]);
        EXPECT_GT(c * first, 0.0f) << "fan triangle " << i << " turns the other way";
    }
}

TEST(AirplaneOutline, ConvexPartsTurnOneWayAtEveryCorner)
{
    for (int part : {AIRPLANE_MAIN_WING, AIRPLANE_FUSELAGE, AIRPLANE_TAIL_CAP, AIRPLANE_LEFT_POD, AIRPLANE_RIGHT_POD}) {
        const AirplanePart& p = airplane_parts[part];
        int sign = 0;
        for (int i = 0; i < p.count; ++i) {
            const float* a = airplane_vertices[p.first + i];
            const float* b = airplane_vertices[p.first + (i + 1) % p.count];
            const float* c = airplane_vertices[p.first + (i + 2) % p.count];
            float turn = cross(a, b, c);
            if (turn == 0)
                continue;
            int s = turn > 0 ? 1 : -1;
            if (sign == 0)
                sign = s;
            EXPECT_EQ(s, sign) << p.name << " bends the other way at vertex " << (i + 1) % p.count;
        }
    }
}

TEST(AirplaneOutline, StandardColoursAreStoredAsTheNearestFloats)
{
    const float violet[] = {0.58823532f, 0.50588238f, 0.71764708f};
    const float yellow[] = {0.96078432f, 0.82745099f, 0.0f};
    const float purple[] = {0.43529412f, 0.33333334f, 0.61568630f};
    const float red[] = {1.0f, 0.0f, 0.0f};
    const float* expected[] = {violet, yellow, purple, violet, yellow, yellow, red};
    for (int part = 0; part < AIRPLANE_PART_COUNT; ++part)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(airplane_parts[part].color[c], expected[part][c])
                << airplane_parts[part].name << " component " << c;
}
