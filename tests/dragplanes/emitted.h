// Matching what dragplanes' draw routines emit, as captured in GL feedback mode,
// against the pieces they should draw, in world units (one per pixel, origin at centre).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "feedback.h"

struct Point {
    float x, y;
};
struct Rgb {
    float r, g, b;
};

// The world point of a feedback vertex under the projection set by the last reshape.
Point world(const FeedbackVertex& v);

bool near(Point a, Point b, float tol = 1e-3f);

// Every vertex of the item has exactly this colour (as GL clamps it).
::testing::AssertionResult has_colour(const FeedbackItem& item, Rgb c);

// A GL_POLYGON comes back as the fan from its first vertex: triangle i holds v0, vi, vi+1.
// Checks those triangles at items[pos...] and advances pos past them.
void expect_polygon(const std::vector<FeedbackItem>& items, size_t& pos, const std::vector<Point>& v, Rgb c,
                    const std::string& name, float tol = 1e-3f);

// Separate segments ends[0]-ends[1], ends[2]-ends[3], ...
void expect_segments(const std::vector<FeedbackItem>& items, size_t& pos, const std::vector<Point>& ends, Rgb c,
                     const std::string& name, float tol = 1e-3f);

// A line strip of the given vertex count on a circle: consecutive segments share their
// ends and the strip runs from first_deg to last_deg.
void expect_arc(const std::vector<FeedbackItem>& items, size_t& pos, Point centre, float radius, int vertices,
                float first_deg, float last_deg, Rgb c, const std::string& name);

float current_line_width();
