// The fixed-function GL that transformplanes and dragplanes call, over WebGL 2: immediate
// mode, the matrix stacks, and wide lines and large points as Mesa's llvmpipe draws them.
#include <GL/gl.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "immediate_gl.h"

// The real WebGL calls; this file defines the plain gl names itself.
extern "C" {
GLuint emscripten_glCreateShader(GLenum);
void emscripten_glShaderSource(GLuint, GLsizei, const GLchar* const*, const GLint*);
void emscripten_glCompileShader(GLuint);
GLuint emscripten_glCreateProgram();
void emscripten_glAttachShader(GLuint, GLuint);
void emscripten_glBindAttribLocation(GLuint, GLuint, const GLchar*);
void emscripten_glLinkProgram(GLuint);
void emscripten_glGetProgramiv(GLuint, GLenum, GLint*);
GLint emscripten_glGetUniformLocation(GLuint, const GLchar*);
void emscripten_glUseProgram(GLuint);
void emscripten_glUniform2f(GLint, GLfloat, GLfloat);
void emscripten_glGenBuffers(GLsizei, GLuint*);
void emscripten_glBindBuffer(GLenum, GLuint);
void emscripten_glBufferData(GLenum, GLsizeiptr, const void*, GLenum);
void emscripten_glGenVertexArrays(GLsizei, GLuint*);
void emscripten_glBindVertexArray(GLuint);
void emscripten_glEnableVertexAttribArray(GLuint);
void emscripten_glVertexAttribPointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*);
void emscripten_glDrawElements(GLenum, GLsizei, GLenum, const void*);
void emscripten_glViewport(GLint, GLint, GLsizei, GLsizei);
void emscripten_glGetIntegerv(GLenum, GLint*);
void emscripten_glClearColor(GLfloat, GLfloat, GLfloat, GLfloat);
void emscripten_glClear(GLbitfield);
void emscripten_glFlush();
}

// --- state ---

struct Matrix {
    float m[16];  // column-major, as GL keeps it
};

struct BatchVertex {
    float x, y;               // window coordinates, pixels
    unsigned char rgba[4];    // normalised to 0..1 by the vertex fetch
};

struct PrimitiveVertex {  // a vertex of a line or point primitive, kept until glEnd
    float clip[4];
    unsigned char rgba[4];
};

static const int stack_depth = 32;  // both stacks, as in Mesa
static Matrix modelview_stack[stack_depth] = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};
static Matrix projection_stack[stack_depth] = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};
static int modelview_top = 0, projection_top = 0;
static GLenum matrix_mode = GL_MODELVIEW;
static Matrix mvp;          // projection x modelview, as Mesa's fixed-function program uses it
static int mvp_stale = 1;

// Set by the programs' reshape, which GLUT runs before anything is drawn.
static float viewport_scale[2] = {0, 0}, viewport_offset[2] = {0, 0};
static unsigned char current_rgba[4] = {255, 255, 255, 255};
static float line_width = 1, point_size = 1;
static GLenum polygon_mode_front = GL_FILL, polygon_mode_back = GL_FILL;
static float clear_color[4] = {0, 0, 0, 0};

static GLenum primitive_mode = 0;
static int inside_begin = 0;
static const float* begin_mvp = nullptr;        // the matrices cannot change inside glBegin/glEnd
static std::vector<PrimitiveVertex> primitive;  // reused, never shrinks
static uint32_t polygon_first = 0;              // a polygon's first vertex in the batch

// The batch. Every vertex is taken to window coordinates on the CPU as it is given, and
// every primitive becomes triangles here, in drawing order: a polygon its fan, a line, a
// point or a glyph whole-pixel rectangles. One small shader draws them all when a clear,
// a flush, a viewport change or a full batch forces it. The buffers keep their capacity
// from frame to frame.
static const std::size_t batch_flush_vertices = 1u << 20;
static std::vector<BatchVertex> batch_vertices;
static std::vector<uint32_t> batch_indices;

static GLuint h_program = 0, h_vertex_buffer = 0, h_index_buffer = 0, h_vertex_array = 0;
static GLint loc_viewport_origin = -1, loc_viewport_scale = -1;
static GLint max_viewport[2] = {0, 0};
static int gl_objects_failed = 0;

// --- the shader program and the flush ---

static const char* vertex_source =
    "#version 300 es\n"
    "uniform vec2 u_viewport_origin;  // window coordinates of WebGL's viewport corner\n"
    "uniform vec2 u_viewport_scale;   // 2 / its size\n"
    "in vec2 a_position;              // window coordinates\n"
    "in vec4 a_color;\n"
    "out vec4 v_color;\n"
    "void main() {\n"
    "    v_color = a_color;\n"
    "    gl_Position = vec4((a_position - u_viewport_origin) * u_viewport_scale - 1.0, 0.0, 1.0);\n"
    "}\n";

static const char* fragment_source =
    "#version 300 es\n"
    "precision highp float;\n"
    "in vec4 v_color;\n"
    "out vec4 frag_color;\n"
    "void main() {\n"
    "    frag_color = v_color;\n"
    "}\n";

static int have_context()
{
    return emscripten_webgl_get_current_context() != 0;
}

static GLuint compile(GLenum type, const char* source)
{
    GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    return shader;
}

// Made once, on the first flush with a context, and left bound: nothing else in the
// page draws with this context.
static int make_gl_objects()
{
    if (h_program != 0 || gl_objects_failed)
        return !gl_objects_failed;
    h_program = emscripten_glCreateProgram();
    emscripten_glAttachShader(h_program, compile(GL_VERTEX_SHADER, vertex_source));
    emscripten_glAttachShader(h_program, compile(GL_FRAGMENT_SHADER, fragment_source));
    emscripten_glBindAttribLocation(h_program, 0, "a_position");
    emscripten_glBindAttribLocation(h_program, 1, "a_color");
    emscripten_glLinkProgram(h_program);
    GLint linked = 0;
    emscripten_glGetProgramiv(h_program, GL_LINK_STATUS, &linked);
    if (!linked) {
        fprintf(stderr, "immediate-mode layer: the shader program did not link\n");
        gl_objects_failed = 1;
        return 0;
    }
    emscripten_glUseProgram(h_program);
    loc_viewport_origin = emscripten_glGetUniformLocation(h_program, "u_viewport_origin");
    loc_viewport_scale = emscripten_glGetUniformLocation(h_program, "u_viewport_scale");
    emscripten_glGetIntegerv(GL_MAX_VIEWPORT_DIMS, max_viewport);

    emscripten_glGenVertexArrays(1, &h_vertex_array);
    emscripten_glBindVertexArray(h_vertex_array);
    emscripten_glGenBuffers(1, &h_vertex_buffer);
    emscripten_glGenBuffers(1, &h_index_buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, h_vertex_buffer);
    emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, h_index_buffer);
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(BatchVertex), nullptr);
    emscripten_glEnableVertexAttribArray(1);
    emscripten_glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(BatchVertex),
                                     reinterpret_cast<const void*>(offsetof(BatchVertex, rgba)));
    return 1;
}

// Draws the batch in one call and empties it; without a context it is just dropped.
static void flush_batch()
{
    if (!batch_indices.empty() && have_context() && make_gl_objects()) {
        int width = 0, height = 0;
        emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &width, &height);
        if (width > 0 && height > 0) {
            // The vertices are already in window coordinates; the shader takes them to
            // WebGL's viewport. That viewport reaches well past the canvas on every side,
            // a guard band as llvmpipe has: a triangle that pokes a little out of the
            // window is then not clipped (clipping opens hairline cracks between a fan's
            // triangles along the window's edges), and what falls outside is dropped.
            int pad_x = std::min(2048, (max_viewport[0] - width) / 2);
            int pad_y = std::min(2048, (max_viewport[1] - height) / 2);
            pad_x = std::max(pad_x, 0);
            pad_y = std::max(pad_y, 0);
            emscripten_glViewport(-pad_x, -pad_y, width + 2 * pad_x, height + 2 * pad_y);
            emscripten_glUniform2f(loc_viewport_origin, static_cast<float>(-pad_x), static_cast<float>(-pad_y));
            emscripten_glUniform2f(loc_viewport_scale, 2.0f / (width + 2 * pad_x), 2.0f / (height + 2 * pad_y));
            emscripten_glBufferData(GL_ARRAY_BUFFER, batch_vertices.size() * sizeof(BatchVertex),
                                    batch_vertices.data(), GL_STREAM_DRAW);
            emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, batch_indices.size() * sizeof(uint32_t),
                                    batch_indices.data(), GL_STREAM_DRAW);
            emscripten_glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch_indices.size()),
                                      GL_UNSIGNED_INT, nullptr);
        }
    }
    batch_vertices.clear();
    batch_indices.clear();
}

static uint32_t add_vertex(float x, float y, const unsigned char rgba[4])
{
    batch_vertices.push_back({x, y, {rgba[0], rgba[1], rgba[2], rgba[3]}});
    return static_cast<uint32_t>(batch_vertices.size() - 1);
}

void immediate_pixel_rect(int x0, int y0, int x1, int y1, const unsigned char rgba[4])
{
    float left = static_cast<float>(x0), right = static_cast<float>(x1);
    float bottom = static_cast<float>(y0), top = static_cast<float>(y1);
    uint32_t first = add_vertex(left, bottom, rgba);
    add_vertex(right, bottom, rgba);
    add_vertex(right, top, rgba);
    add_vertex(left, top, rgba);
    batch_indices.insert(batch_indices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
}

// --- matrices ---

static Matrix& current_matrix()
{
    mvp_stale = 1;
    return matrix_mode == GL_PROJECTION ? projection_stack[projection_top] : modelview_stack[modelview_top];
}

// a = a x b, summed in the order Mesa's matrix product sums, so the floats agree.
static void multiply(Matrix& a, const float* b)
{
    for (int row = 0; row < 4; ++row) {
        float r0 = a.m[row], r1 = a.m[4 + row], r2 = a.m[8 + row], r3 = a.m[12 + row];
        for (int col = 0; col < 4; ++col) {
            const float* bc = b + 4 * col;
            a.m[4 * col + row] = r0 * bc[0] + r1 * bc[1] + r2 * bc[2] + r3 * bc[3];
        }
    }
}

static const Matrix& current_mvp()
{
    if (mvp_stale) {
        mvp = projection_stack[projection_top];
        multiply(mvp, modelview_stack[modelview_top].m);
        mvp_stale = 0;
    }
    return mvp;
}

extern "C" void glMatrixMode(GLenum mode)
{
    if (mode == GL_MODELVIEW || mode == GL_PROJECTION)
        matrix_mode = mode;
}

extern "C" void glLoadIdentity()
{
    current_matrix() = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

// A full or empty stack ignores the call (GL reports an error and changes nothing).
extern "C" void glPushMatrix()
{
    int& top = matrix_mode == GL_PROJECTION ? projection_top : modelview_top;
    Matrix* stack = matrix_mode == GL_PROJECTION ? projection_stack : modelview_stack;
    if (top + 1 < stack_depth) {
        stack[top + 1] = stack[top];
        ++top;
    }
}

extern "C" void glPopMatrix()
{
    int& top = matrix_mode == GL_PROJECTION ? projection_top : modelview_top;
    if (top > 0) {
        --top;
        mvp_stale = 1;
    }
}

extern "C" void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    float* m = current_matrix().m;
    for (int i = 0; i < 4; ++i)
        m[12 + i] = m[i] * x + m[4 + i] * y + m[8 + i] * z + m[12 + i];
}

extern "C" void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    float* m = current_matrix().m;
    for (int i = 0; i < 4; ++i) {
        m[i] *= x;
        m[4 + i] *= y;
        m[8 + i] *= z;
    }
}

// GL's rotation by angle degrees about the axis (x, y, z), normalised first; an axis
// too short to normalise leaves the matrix alone. The sine and cosine are of the angle
// in radians rounded to float, each rounded to float.
extern "C" void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    float length = std::sqrt(x * x + y * y + z * z);
    if (angle == 0 || length <= 1.0e-4f)
        return;
    x /= length;
    y /= length;
    z /= length;
    float radians = static_cast<float>(angle * 3.14159265358979323846 / 180.0);
    float s = static_cast<float>(std::sin(static_cast<double>(radians)));
    float c = static_cast<float>(std::cos(static_cast<double>(radians)));
    float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
    float xs = x * s, ys = y * s, zs = z * s, one_c = 1.0f - c;
    const float r[16] = {
        one_c * xx + c,  one_c * xy + zs, one_c * zx - ys, 0,
        one_c * xy - zs, one_c * yy + c,  one_c * yz + xs, 0,
        one_c * zx + ys, one_c * yz - xs, one_c * zz + c,  0,
        0,               0,               0,               1,
    };
    multiply(current_matrix(), r);
}

// The parallel projection, computed in float from the bounds rounded to float.
extern "C" void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top,
                        GLdouble near_val, GLdouble far_val)
{
    float l = static_cast<float>(left), r = static_cast<float>(right);
    float b = static_cast<float>(bottom), t = static_cast<float>(top);
    float n = static_cast<float>(near_val), f = static_cast<float>(far_val);
    const float o[16] = {
        2.0f / (r - l),      0,                   0,                   0,
        0,                   2.0f / (t - b),      0,                   0,
        0,                   0,                   -2.0f / (f - n),     0,
        -(r + l) / (r - l),  -(t + b) / (t - b),  -(f + n) / (f - n),  1,
    };
    multiply(current_matrix(), o);
}

// --- vertices to window coordinates ---

static void to_clip(const float* m, float x, float y, float clip[4])
{
    // z = 0 and w = 1: the z column adds nothing.
    for (int i = 0; i < 4; ++i)
        clip[i] = m[i] * x + m[4 + i] * y + m[12 + i];
}

static void to_window(const float clip[4], float* x, float* y)
{
    float inverse_w = 1.0f / clip[3];
    *x = clip[0] * inverse_w * viewport_scale[0] + viewport_offset[0];
    *y = clip[1] * inverse_w * viewport_scale[1] + viewport_offset[1];
}

int immediate_window_position(float x, float y, float* window_x, float* window_y)
{
    float clip[4];
    to_clip(current_mvp().m, x, y, clip);
    for (int i = 0; i < 3; ++i)
        if (clip[i] < -clip[3] || clip[i] > clip[3])
            return 0;
    to_window(clip, window_x, window_y);
    return 1;
}

// llvmpipe places a point on a 1/256-pixel grid before it decides which pixel centres
// the point covers.
static float snap(float v)
{
    return std::nearbyint(v * 256.0f) / 256.0f;
}

// --- primitives ---

// The polygon's vertices went into the batch as they came (a cloud's disks are most of
// a frame); its triangles are the fan from its first vertex, convex or not, as Mesa
// draws a polygon.
static void emit_polygon_fill()
{
    uint32_t n = static_cast<uint32_t>(batch_vertices.size() - polygon_first);
    std::size_t at = batch_indices.size();
    batch_indices.resize(at + 3 * (n - 2));
    uint32_t* index = batch_indices.data() + at;
    for (uint32_t i = 2; i < n; ++i) {
        *index++ = polygon_first;
        *index++ = polygon_first + i - 1;
        *index++ = polygon_first + i;
    }
}

// Whether the pixel-centre diamond |dx| + |dy| < 1/2 of the pixel holding (major, minor)
// contains the point.
static int inside_diamond(float major, float minor)
{
    return std::fabs(major - std::floor(major) - 0.5f) + std::fabs(minor - std::floor(minor) - 0.5f) < 0.5f;
}

static const int far_pixels = 1 << 14;  // beyond the largest WebGL drawing buffer

// floor(n / d) and ceil(n / d) for d > 0.
static int64_t floor_div(int64_t n, int64_t d)
{
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

static int64_t ceil_div(int64_t n, int64_t d)
{
    return -floor_div(-n, d);
}

// One segment of a non-antialiased wide line, between window points a and b, as llvmpipe
// draws it, handed over as whole-pixel rectangles so that any rasteriser fills exactly
// those pixels. The line is widened along its minor axis only: an x-major segment
// (|dx| >= |dy|) is a band `line_width` pixels tall, a y-major one a band as wide.
static void emit_segment(const BatchVertex& a, const BatchVertex& b)
{
    int x_major = std::fabs(b.x - a.x) >= std::fabs(b.y - a.y);
    // Work in (major, minor) coordinates.
    float a_major = x_major ? a.x : a.y, a_minor = x_major ? a.y : a.x;
    float b_major = x_major ? b.x : b.y, b_minor = x_major ? b.y : b.x;
    float d_major = b_major - a_major;
    if (d_major == 0)
        return;  // zero length draws nothing
    float slope = (b_minor - a_minor) / d_major;

    // Along the major axis, the pixels of llvmpipe's diamond-exit rule: the first pixel
    // when the segment starts at or before its centre, or inside its diamond; the last
    // when it ends beyond its centre and outside its diamond.
    int forward = d_major > 0;
    int start_pixel = static_cast<int>(std::floor(a_major));
    int end_pixel = static_cast<int>(std::floor(b_major));
    float start_centre = start_pixel + 0.5f, end_centre = end_pixel + 0.5f;
    int start_drawn = inside_diamond(a_major, a_minor) || (forward ? a_major <= start_centre : a_major >= start_centre);
    int end_drawn = !inside_diamond(b_major, b_minor) && (forward ? b_major > end_centre : b_major < end_centre);
    int low, high;  // first and last pixel covered along the major axis
    if (forward) {
        low = start_drawn ? start_pixel : start_pixel + 1;
        high = end_drawn ? end_pixel : end_pixel - 1;
    } else {
        low = end_drawn ? end_pixel : end_pixel + 1;
        high = start_drawn ? start_pixel : start_pixel - 1;
    }
    low = std::max(low, -far_pixels);  // nothing of a line beyond any canvas shows
    high = std::min(high, far_pixels);

    // Across, llvmpipe's band is centred on the line through its two corner points, each
    // on the 1/256-pixel grid: an end where the band from that end already covers (or
    // leaves out) its pixel as the rule wants, else the pixel boundary it moves the end to.
    int plain_start = forward ? a_major <= start_centre : a_major > start_centre;
    int plain_end = forward ? b_major > end_centre : b_major <= end_centre;
    float start_at = start_drawn == plain_start ? a_major : start_pixel + (forward == start_drawn ? 0 : 1);
    float end_at = end_drawn == plain_end ? b_major : end_pixel + (forward == end_drawn ? 1 : 0);
    int64_t m0 = std::llrint(start_at * 256.0f), n0 = std::llrint((a_minor + (start_at - a_major) * slope) * 256.0f);
    int64_t m1 = std::llrint(end_at * 256.0f), n1 = std::llrint((a_minor + (end_at - a_major) * slope) * 256.0f);
    if (m1 < m0) {
        std::swap(m0, m1);
        std::swap(n0, n1);
    }
    int64_t dm = m1 > m0 ? m1 - m0 : 1;
    int64_t half = std::llrint(line_width * 128.0f);
    // A pixel centre on the band's edge counts on a left edge and a bottom one: the lower
    // edge of an x-major band rising to the right is a right edge, its upper edge a left one.
    int lower_inclusive = !x_major || n1 <= n0;

    // One rectangle per run of pixels with the same extent across and the same colour.
    int run_start = low, run_from = 0, run_to = 0;
    unsigned char run_rgba[4] = {0, 0, 0, 0};
    for (int i = low; i <= high + 1; ++i) {
        int from = 0, to = 0;
        unsigned char rgba[4] = {0, 0, 0, 0};
        if (i <= high) {
            // The band's centre at this pixel's centre is n0 + r, r = num / dm; the
            // extremes lo and hi of the pixel centres it takes, in 1/256 pixels.
            int64_t num = (256 * static_cast<int64_t>(i) + 128 - m0) * (n1 - n0);
            int64_t lo, hi;
            if (lower_inclusive) {
                lo = ceil_div(num, dm) + n0 - half;
                hi = ceil_div(num, dm) + n0 + half - 1;
            } else {
                lo = floor_div(num, dm) + n0 - half + 1;
                hi = floor_div(num, dm) + n0 + half;
            }
            from = static_cast<int>(ceil_div(lo - 128, 256));
            to = static_cast<int>(floor_div(hi - 128, 256)) + 1;
            float t = std::fmin(std::fmax((i + 0.5f - a_major) / d_major, 0.0f), 1.0f);
            for (int k = 0; k < 4; ++k)
                rgba[k] = static_cast<unsigned char>(std::nearbyint(a.rgba[k] + t * (b.rgba[k] - a.rgba[k])));
        }
        int same = i <= high && from == run_from && to == run_to && std::equal(rgba, rgba + 4, run_rgba);
        if (i > low && !same && run_to > run_from) {
            if (x_major)
                immediate_pixel_rect(run_start, run_from, i, run_to, run_rgba);
            else
                immediate_pixel_rect(run_from, run_start, run_to, i, run_rgba);
        }
        if (!same) {
            run_start = i;
            run_from = from;
            run_to = to;
            std::copy(rgba, rgba + 4, run_rgba);
        }
    }
}

// A line with both ends beyond the same side of the view volume draws nothing, even
// where its width would reach into the window; any other line is drawn whole, not cut
// at the window's edges (llvmpipe clips lines only far outside, in a guard band).
static void emit_line(const PrimitiveVertex& a, const PrimitiveVertex& b)
{
    for (int axis = 0; axis < 3; ++axis) {
        if (a.clip[axis] > a.clip[3] && b.clip[axis] > b.clip[3])
            return;
        if (a.clip[axis] < -a.clip[3] && b.clip[axis] < -b.clip[3])
            return;
    }
    BatchVertex ends[2];
    const PrimitiveVertex* from[2] = {&a, &b};
    for (int e = 0; e < 2; ++e) {
        to_window(from[e]->clip, &ends[e].x, &ends[e].y);
        // GL would clip a line from that far off to its guard band; this layer drops it.
        if (!(std::fabs(ends[e].x) < 1.0e6f && std::fabs(ends[e].y) < 1.0e6f))
            return;
        for (int i = 0; i < 4; ++i)
            ends[e].rgba[i] = from[e]->rgba[i];
    }
    emit_segment(ends[0], ends[1]);
}

// A point is the square of side `point_size` around its centre, covering the pixel
// centres c with centre - size/2 < c <= centre + size/2 on both axes, as llvmpipe's point
// setup does. Its centre is not clipped: a large point whose centre is just outside the
// window still shows its inside part, as it does under llvmpipe.
static void emit_point(const PrimitiveVertex& p)
{
    float x, y;
    to_window(p.clip, &x, &y);
    if (!(std::fabs(x) < 1.0e6f && std::fabs(y) < 1.0e6f))
        return;  // far beyond any canvas
    float half = 0.5f * point_size;
    x = snap(x);
    y = snap(y);
    int left = static_cast<int>(std::floor(x - half - 0.5f)) + 1;
    int right = static_cast<int>(std::floor(x + half - 0.5f)) + 1;
    int bottom = static_cast<int>(std::floor(y - half - 0.5f)) + 1;
    int top = static_cast<int>(std::floor(y + half - 0.5f)) + 1;
    immediate_pixel_rect(left, bottom, right, top, p.rgba);
}

// The mode for the polygon just given: front-facing when counter-clockwise in window
// coordinates (its signed area is positive).
static GLenum polygon_mode()
{
    if (polygon_mode_front == polygon_mode_back)
        return polygon_mode_front;
    float area = 0;
    const BatchVertex* v = batch_vertices.data() + polygon_first;
    std::size_t n = batch_vertices.size() - polygon_first;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++)
        area += v[j].x * v[i].y - v[i].x * v[j].y;
    return area >= 0 ? polygon_mode_front : polygon_mode_back;
}

extern "C" void glBegin(GLenum mode)
{
    primitive_mode = mode;
    primitive.clear();
    inside_begin = 1;
    begin_mvp = current_mvp().m;
    polygon_first = static_cast<uint32_t>(batch_vertices.size());
}

extern "C" void glEnd()
{
    if (!inside_begin)
        return;
    inside_begin = 0;
    std::size_t n = primitive.size();
    switch (primitive_mode) {
    case GL_POINTS:
        for (const PrimitiveVertex& v : primitive)
            emit_point(v);
        break;
    case GL_LINES:
        for (std::size_t i = 0; i + 1 < n; i += 2)
            emit_line(primitive[i], primitive[i + 1]);
        break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        for (std::size_t i = 0; i + 1 < n; ++i)
            emit_line(primitive[i], primitive[i + 1]);
        if (primitive_mode == GL_LINE_LOOP && n > 1)
            emit_line(primitive[n - 1], primitive[0]);
        break;
    case GL_POLYGON:
        if (batch_vertices.size() - polygon_first >= 3 && polygon_mode() == GL_FILL) {
            emit_polygon_fill();
            break;
        }
        batch_vertices.resize(polygon_first);  // not filled after all
        // Line mode draws the outline, edge by edge, at the current line width.
        for (std::size_t i = 0; n >= 3 && i < n; ++i)
            emit_line(primitive[i], primitive[(i + 1) % n]);
        break;
    default:
        break;  // no other primitive is used
    }
    if (batch_vertices.size() >= batch_flush_vertices)
        flush_batch();
}

static void add_primitive_vertex(float x, float y)
{
    if (!inside_begin)
        return;
    PrimitiveVertex v;
    to_clip(begin_mvp, x, y, v.clip);
    for (int i = 0; i < 4; ++i)
        v.rgba[i] = current_rgba[i];
    if (primitive_mode == GL_POLYGON) {
        // Straight into the batch; kept aside as well only if it may be outlined instead.
        float wx, wy;
        to_window(v.clip, &wx, &wy);
        add_vertex(wx, wy, v.rgba);
        if (polygon_mode_front == GL_FILL && polygon_mode_back == GL_FILL)
            return;
    }
    primitive.push_back(v);
}

extern "C" void glVertex2f(GLfloat x, GLfloat y)
{
    add_primitive_vertex(x, y);
}

extern "C" void glVertex2i(GLint x, GLint y)
{
    add_primitive_vertex(static_cast<float>(x), static_cast<float>(y));
}

// The colour is clamped to 0..1 and rounded to the nearest 8-bit step (the product in
// float, ties to even), as llvmpipe writes it to the framebuffer.
extern "C" void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    const float c[4] = {red, green, blue, 1.0f};
    for (int i = 0; i < 4; ++i) {
        float clamped = std::fmin(std::fmax(c[i], 0.0f), 1.0f);
        current_rgba[i] = static_cast<unsigned char>(std::nearbyint(clamped * 255.0f));
    }
}

void immediate_current_rgba(unsigned char rgba[4])
{
    for (int i = 0; i < 4; ++i)
        rgba[i] = current_rgba[i];
}

// --- fixed state, clearing and flushing ---

extern "C" void glPolygonMode(GLenum face, GLenum mode)
{
    if (mode != GL_FILL && mode != GL_LINE)
        return;  // point mode is not used
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK)
        polygon_mode_front = mode;
    if (face == GL_BACK || face == GL_FRONT_AND_BACK)
        polygon_mode_back = mode;
}

// llvmpipe's range for aliased lines and points is 1..255.
extern "C" void glLineWidth(GLfloat width)
{
    if (width > 0)
        line_width = std::fmin(std::fmax(width, 1.0f), 255.0f);
}

extern "C" void glPointSize(GLfloat size)
{
    if (size > 0)
        point_size = std::fmin(std::fmax(size, 1.0f), 255.0f);
}

extern "C" void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    flush_batch();
    viewport_scale[0] = width * 0.5f;
    viewport_scale[1] = height * 0.5f;
    viewport_offset[0] = x + width * 0.5f;
    viewport_offset[1] = y + height * 0.5f;
}

extern "C" void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    const float c[4] = {red, green, blue, alpha};
    for (int i = 0; i < 4; ++i)
        clear_color[i] = std::fmin(std::fmax(c[i], 0.0f), 1.0f);
}

extern "C" void glClear(GLbitfield mask)
{
    flush_batch();
    if (have_context()) {
        emscripten_glClearColor(clear_color[0], clear_color[1], clear_color[2], clear_color[3]);
        emscripten_glClear(mask);
    }
}

extern "C" void glFlush()
{
    flush_batch();
    if (have_context())
        emscripten_glFlush();
}
