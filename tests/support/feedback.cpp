// GL feedback-mode capture for tests of immediate-mode draw routines.
#include "feedback.h"

#include <GL/gl.h>

namespace {

// GL_3D_COLOR in RGBA mode: x, y, z and four colour components per vertex.
const int kVertexFloats = 7;

FeedbackVertex read_vertex(const GLfloat* f)
{
    return {f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}

bool same_vertex(const FeedbackVertex& a, const FeedbackVertex& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool is_line(int token)
{
    return token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN;
}

}  // namespace

std::vector<float> capture_feedback_floats(const std::function<void()>& draw, std::size_t capacity_floats,
                                           int* overflowed)
{
    static std::vector<GLfloat> buffer;  // kept between captures: GL holds the pointer until GL_RENDER
    if (buffer.size() < capacity_floats)
        buffer.resize(capacity_floats);
    glFeedbackBuffer(static_cast<GLsizei>(capacity_floats), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    if (overflowed != nullptr)
        *overflowed = used < 0 ? 1 : 0;
    return std::vector<float>(buffer.begin(), used < 0 ? buffer.end() : buffer.begin() + used);
}

FeedbackCapture capture_feedback(const std::function<void()>& draw, std::size_t capacity_floats)
{
    FeedbackCapture capture{{}, 0};
    std::vector<float> buffer = capture_feedback_floats(draw, capacity_floats, &capture.overflowed);
    std::size_t n = buffer.size();
    std::size_t i = 0;
    while (i < n) {
        FeedbackItem item{static_cast<int>(buffer[i]), 0.0f, {}};
        ++i;
        int vertices = 0;
        switch (item.token) {
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            vertices = 1;
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            vertices = 2;
            break;
        case GL_POLYGON_TOKEN:
            if (i >= n)
                return capture;
            vertices = static_cast<int>(buffer[i]);
            ++i;
            break;
        case GL_PASS_THROUGH_TOKEN:
            if (i >= n)
                return capture;
            item.pass_through = buffer[i];
            ++i;
            break;
        default:
            capture.overflowed = 1;  // unknown token: the stream cannot be read further
            return capture;
        }
        if (i + static_cast<std::size_t>(vertices) * kVertexFloats > n)
            break;  // cut off by an overflow
        for (int v = 0; v < vertices; ++v, i += kVertexFloats)
            item.vertices.push_back(read_vertex(&buffer[i]));
        capture.items.push_back(item);
    }
    return capture;
}

std::vector<FeedbackItem> feedback_items_of(const FeedbackCapture& capture, int token)
{
    std::vector<FeedbackItem> out;
    for (const FeedbackItem& item : capture.items)
        if (item.token == token)
            out.push_back(item);
    return out;
}

std::vector<FeedbackItem> join_feedback_primitives(const std::vector<FeedbackItem>& items)
{
    std::vector<FeedbackItem> out;
    int open_fan = 0, open_line = 0;  // whether out.back() may still grow
    for (const FeedbackItem& item : items) {
        if (item.token == GL_POLYGON_TOKEN && item.vertices.size() == 3) {
            const std::vector<FeedbackVertex>& v = item.vertices;
            if (open_fan) {
                std::vector<FeedbackVertex>& poly = out.back().vertices;
                if (same_vertex(v[2], poly[0]) && same_vertex(v[0], poly.back())) {
                    poly.push_back(v[1]);
                    continue;
                }
            }
            out.push_back({GL_POLYGON_TOKEN, 0.0f, {v[2], v[0], v[1]}});
            open_fan = 1;
            open_line = 0;
            continue;
        }
        if (is_line(item.token) && item.vertices.size() == 2) {
            if (open_line && item.token == GL_LINE_TOKEN) {
                std::vector<FeedbackVertex>& line = out.back().vertices;
                if (same_vertex(item.vertices[0], line.back())) {
                    line.push_back(item.vertices[1]);
                    if (same_vertex(line.back(), line.front()))
                        open_line = 0;  // the loop is closed
                    continue;
                }
            }
            out.push_back({GL_LINE_TOKEN, 0.0f, item.vertices});
            open_line = 1;
            open_fan = 0;
            continue;
        }
        out.push_back(item);
        open_fan = open_line = 0;
    }
    return out;
}
