// A null GL for the fixed-function programs: every call they make is taken here, and
// while capture_feedback_floats runs, appended to its vector as an opcode and then the
// arguments the program handed over. Linked in place of GL feedback where no GL can
// run (under Node) and beside it in the native reference, so both record alike; the
// executable's definitions win over libGL for the statically linked program library.
#include <GL/freeglut.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "feedback.h"

namespace {

enum Opcode {
    OP_BEGIN = 1,
    OP_END,
    OP_VERTEX_2I,
    OP_VERTEX_2F,
    OP_COLOR_3F,
    OP_TRANSLATE,
    OP_ROTATE,
    OP_SCALE,
    OP_LINE_WIDTH,
    OP_POINT_SIZE,
    OP_POLYGON_MODE,
    OP_RASTER_POS_2F,
    OP_BITMAP_CHARACTER,
    OP_MATRIX_MODE,
    OP_PUSH_MATRIX,
    OP_POP_MATRIX,
    OP_LOAD_IDENTITY,
    OP_ORTHO,
    OP_VIEWPORT,
    OP_CLEAR,
    OP_CLEAR_COLOR,
    OP_FLUSH,
};

std::vector<float>* recording = nullptr;  // set while a capture runs

void put(Opcode op, std::initializer_list<float> args = {})
{
    if (recording == nullptr)
        return;
    recording->push_back(static_cast<float>(op));
    recording->insert(recording->end(), args);
}

// A double as its two 32-bit halves, so that no bit is lost.
void put_double(double v)
{
    std::uint32_t halves[2];
    std::memcpy(halves, &v, sizeof v);
    float as_floats[2];
    std::memcpy(as_floats, halves, sizeof halves);
    recording->insert(recording->end(), as_floats, as_floats + 2);
}

}  // namespace

std::vector<float> capture_feedback_floats(const std::function<void()>& draw, std::size_t, int* overflowed)
{
    std::vector<float> calls;
    recording = &calls;
    draw();
    recording = nullptr;
    if (overflowed != nullptr)
        *overflowed = 0;
    return calls;
}

// Integers and enums go in as floats: every value these programs pass is exact in one.
void glBegin(GLenum mode) { put(OP_BEGIN, {static_cast<float>(mode)}); }
void glEnd() { put(OP_END); }
void glVertex2i(GLint x, GLint y) { put(OP_VERTEX_2I, {static_cast<float>(x), static_cast<float>(y)}); }
void glVertex2f(GLfloat x, GLfloat y) { put(OP_VERTEX_2F, {x, y}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { put(OP_COLOR_3F, {r, g, b}); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { put(OP_TRANSLATE, {x, y, z}); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { put(OP_ROTATE, {angle, x, y, z}); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { put(OP_SCALE, {x, y, z}); }
void glLineWidth(GLfloat width) { put(OP_LINE_WIDTH, {width}); }
void glPointSize(GLfloat size) { put(OP_POINT_SIZE, {size}); }
void glPolygonMode(GLenum face, GLenum mode)
{
    put(OP_POLYGON_MODE, {static_cast<float>(face), static_cast<float>(mode)});
}
void glRasterPos2f(GLfloat x, GLfloat y) { put(OP_RASTER_POS_2F, {x, y}); }
void glMatrixMode(GLenum mode) { put(OP_MATRIX_MODE, {static_cast<float>(mode)}); }
void glPushMatrix() { put(OP_PUSH_MATRIX); }
void glPopMatrix() { put(OP_POP_MATRIX); }
void glLoadIdentity() { put(OP_LOAD_IDENTITY); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    put(OP_VIEWPORT, {static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height)});
}
void glClear(GLbitfield mask) { put(OP_CLEAR, {static_cast<float>(mask)}); }
void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { put(OP_CLEAR_COLOR, {r, g, b, a}); }
void glFlush() { put(OP_FLUSH); }

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near_val, GLdouble far_val)
{
    if (recording == nullptr)
        return;
    put(OP_ORTHO);
    for (double v : {left, right, bottom, top, near_val, far_val})
        put_double(v);
}

// The font is a pointer on one platform and a small number on the other: only the
// character is recorded.
void glutBitmapCharacter(void*, int character) { put(OP_BITMAP_CHARACTER, {static_cast<float>(character)}); }
