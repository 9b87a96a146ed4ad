// Figure recognition from GL feedback for the transformplanes frame tests.
#include "figure_match.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "feedback.h"
#include "transformplanes.h"

namespace {

const double kUnitsPerPixel = 4.0;
const double kMaxResidual = 0.05;  // world units

struct Reference {
    const FigureRoutine* routine;
    std::vector<FeedbackItem> items;  // vertices in world (= figure) units
};

void to_world(std::vector<FeedbackItem>& items)
{
    for (FeedbackItem& item : items)
        for (FeedbackVertex& v : item.vertices) {
            v.x = static_cast<float>((v.x - 512.0) * kUnitsPerPixel);
            v.y = static_cast<float>((v.y - 400.0) * kUnitsPerPixel);
        }
}

std::vector<FeedbackItem> capture_world(void (*draw)())
{
    FeedbackCapture capture = capture_feedback([draw] { draw(); });
    std::vector<FeedbackItem> items = join_feedback_primitives(capture.items);
    to_world(items);
    return items;
}

bool same_shape(const FeedbackItem& a, const FeedbackItem& b)
{
    if (a.token != b.token || a.vertices.size() != b.vertices.size())
        return false;
    for (size_t i = 0; i < a.vertices.size(); ++i) {
        const FeedbackVertex &p = a.vertices[i], &q = b.vertices[i];
        if (p.r != q.r || p.g != q.g || p.b != q.b || p.a != q.a)
            return false;
    }
    return true;
}

// Least-squares affine map q = A p + t over all vertex pairs; returns the largest residual.
double fit_affine(const std::vector<FeedbackItem>& ref, const std::vector<FeedbackItem>& got, size_t first,
                  double a[2][2], double t[2])
{
    double n[3][3] = {}, rx[3] = {}, ry[3] = {};
    for (size_t k = 0; k < ref.size(); ++k)
        for (size_t i = 0; i < ref[k].vertices.size(); ++i) {
            const FeedbackVertex &p = ref[k].vertices[i], &q = got[first + k].vertices[i];
            double row[3] = {p.x, p.y, 1.0};
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c)
                    n[r][c] += row[r] * row[c];
                rx[r] += row[r] * q.x;
                ry[r] += row[r] * q.y;
            }
        }
    // Cramer's rule on the 3 x 3 normal equations.
    auto det = [](double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    double d = det(n);
    if (std::fabs(d) < 1e-9)
        return 1e9;
    double sol[2][3];
    for (int axis = 0; axis < 2; ++axis)
        for (int c = 0; c < 3; ++c) {
            double m[3][3];
            for (int r = 0; r < 3; ++r)
                for (int cc = 0; cc < 3; ++cc)
                    m[r][cc] = cc == c ? (axis == 0 ? rx[r] : ry[r]) : n[r][cc];
            sol[axis][c] = det(m) / d;
        }
    for (int axis = 0; axis < 2; ++axis) {
        a[axis][0] = sol[axis][0];
        a[axis][1] = sol[axis][1];
        t[axis] = sol[axis][2];
    }
    double worst = 0.0;
    for (size_t k = 0; k < ref.size(); ++k)
        for (size_t i = 0; i < ref[k].vertices.size(); ++i) {
            const FeedbackVertex &p = ref[k].vertices[i], &q = got[first + k].vertices[i];
            double ex = a[0][0] * p.x + a[0][1] * p.y + t[0] - q.x;
            double ey = a[1][0] * p.x + a[1][1] * p.y + t[1] - q.y;
            worst = std::max(worst, std::hypot(ex, ey));
        }
    return worst;
}

}  // namespace

void set_wide_projection()
{
    glViewport(0, 0, 1024, 800);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2048.0, 2048.0, -1600.0, 1600.0, -1000.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

double angle_difference(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d <= -180.0)
        d += 360.0;
    if (d > 180.0)
        d -= 360.0;
    return d;
}

FrameFigures capture_frame_figures(void (*draw)(), const std::vector<FigureRoutine>& routines)
{
    set_wide_projection();
    std::vector<Reference> refs;
    for (const FigureRoutine& r : routines)
        refs.push_back({&r, capture_world(r.draw)});
    // Longest first, so that a routine is not taken for a shorter one it begins with.
    std::stable_sort(refs.begin(), refs.end(),
                     [](const Reference& a, const Reference& b) { return a.items.size() > b.items.size(); });

    FeedbackCapture capture = capture_feedback([draw] { draw(); });
    std::vector<FeedbackItem> got = join_feedback_primitives(capture.items);
    to_world(got);

    FrameFigures frame{{}, 0, capture.overflowed};
    size_t k = 0;
    while (k < got.size()) {
        bool matched = false;
        for (const Reference& ref : refs) {
            if (k + ref.items.size() > got.size())
                continue;
            bool shape = true;
            for (size_t i = 0; i < ref.items.size() && shape; ++i)
                shape = same_shape(ref.items[i], got[k + i]);
            double a[2][2], t[2];
            if (!shape || fit_affine(ref.items, got, k, a, t) > kMaxResidual)
                continue;
            // A = diag(sx, sy) R(angle): the stretch is applied outside the rotation.
            double sx = std::hypot(a[0][0], a[0][1]), sy = std::hypot(a[1][0], a[1][1]);
            double angle = std::atan2(a[1][0] / sy, a[0][0] / sx) * 180.0 / 3.14159265358979323846;
            frame.figures.push_back({ref.routine->name, t[0], t[1], angle, sx, sy});
            k += ref.items.size();
            matched = true;
            break;
        }
        if (!matched) {
            ++frame.unmatched;
            ++k;
        }
    }
    return frame;
}

const std::vector<FigureRoutine>& transformplanes_routines()
{
    static const std::vector<FigureRoutine> routines = {
        {"draw_airplane_violet", draw_airplane_violet},
        {"draw_airplane_teal", draw_airplane_teal},
        {"draw_airplane_yellow", draw_airplane_yellow},
        {"draw_airplane_green", draw_airplane_green},
        {"draw_airplane_blue", draw_airplane_blue},
        {"draw_airplane_t_piece", draw_airplane_t_piece},
        {"draw_airplane_sparse", draw_airplane_sparse},
        {"draw_wings", draw_wings},
        {"draw_wings_fuselage", draw_wings_fuselage},
        {"draw_wing_fuselage", draw_wing_fuselage},
        {"draw_ring_brown", draw_ring_brown},
        {"draw_ring_red", draw_ring_red},
        {"draw_ring_yellow", draw_ring_yellow},
        {"spark", spark},
        {"rocket", rocket},
    };
    return routines;
}
