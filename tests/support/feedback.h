// Captures what a fixed-function draw routine emits, through GL feedback mode:
// every primitive's vertices after transformation, with their colours.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// Window coordinates (bottom-left origin, as the viewport maps them) and RGBA colour.
struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
};

// One record of the feedback buffer. token is GL_POINT_TOKEN, GL_LINE_TOKEN,
// GL_LINE_RESET_TOKEN, GL_POLYGON_TOKEN, GL_BITMAP_TOKEN, GL_DRAW_PIXEL_TOKEN,
// GL_COPY_PIXEL_TOKEN or GL_PASS_THROUGH_TOKEN (whose value is in pass_through).
struct FeedbackItem {
    int token;
    float pass_through;
    std::vector<FeedbackVertex> vertices;
};

struct FeedbackCapture {
    std::vector<FeedbackItem> items;
    int overflowed;  // 1 when the buffer was too small and items is incomplete
};

// Runs draw with glRenderMode(GL_FEEDBACK) and GL_3D_COLOR in an RGBA context, then
// returns to GL_RENDER. Nothing is rasterised while draw runs. Clipping still applies:
// what lies outside the view volume is not reported.
FeedbackCapture capture_feedback(const std::function<void()>& draw, std::size_t capacity_floats = 1u << 22);

// The same capture as the raw floats GL writes; *overflowed is set to 1 when the buffer
// was too small (all capacity_floats are then returned).
std::vector<float> capture_feedback_floats(const std::function<void()>& draw, std::size_t capacity_floats = 1u << 22,
                                           int* overflowed = nullptr);

// Joins the pieces GL reports back into the primitives that were drawn:
// - Mesa reports a GL_POLYGON of n vertices as n - 2 triangles (v_i, v_i+1, v_0);
//   each such run of one colour becomes one GL_POLYGON_TOKEN item with v_0 .. v_n-1.
// - A run of line segments, each starting where the last ended, becomes one
//   GL_LINE_TOKEN item holding the polyline; a run ends where it comes back to its
//   first vertex, so a line loop of n vertices gives n + 1 vertices, the last equal
//   to the first.
// Other items pass through unchanged.
std::vector<FeedbackItem> join_feedback_primitives(const std::vector<FeedbackItem>& items);

// The items with the given token, in order.
std::vector<FeedbackItem> feedback_items_of(const FeedbackCapture& capture, int token);
