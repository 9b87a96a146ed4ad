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

// The items with the given token, in order.
std::vector<FeedbackItem> feedback_items_of(const FeedbackCapture& capture, int token);
