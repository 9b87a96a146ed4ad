// The figure catalogue: what each buffer holds, how each vertex array reads it, the
// colour and draw calls of every draw routine, and cleanup.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "scene_fixture.h"  // GLEW first
#include "airplane_outline.h"
#include "call_log.h"

namespace {

struct ExpectedPart {
    GLenum mode;
    GLint first;
    GLsizei count;
    float color[3];  // as stored
};

struct Figure {
    const char* name;
    GLuint* vbo;
    GLuint* vao;
    void (*draw)();
    std::vector<float> vertices;  // x, y pairs in buffer order
    std::vector<ExpectedPart> parts;
};

const GLenum FAN = GL_TRIANGLE_FAN;

// The figures as the catalogue gives them, colours as the floats that are stored.
std::vector<Figure> figures()
{
    const float hilt[3] = {0.54509807f, 0.27058825f, 0.07450981f};
    const float grey = 0.60784316f;
    std::vector<Figure> list = {
        {"house", &VBO_house, &VAO_house, draw_house,
         {-12, 0, 0, 12, 12, 0,                  // roof
          -12, -14, -12, 0, 12, 0, 12, -14,      // wall
          6, 6, 6, 14, 10, 14, 10, 2,            // chimney
          -8, -14, -8, -8, -4, -8, -4, -14,      // door
          4, -6, 4, -2, 8, -2, 8, -6},           // window
         {{FAN, 0, 3, {0.78431374f, 0.15294118f, 0.16470589f}},
          {FAN, 3, 4, {0.92156863f, 0.88235295f, 0.76862746f}},
          {FAN, 7, 4, {1.0f, 0.0f, 0.0f}},
          {FAN, 11, 4, {0.91372550f, 0.44313726f, 0.09019608f}},
          {FAN, 15, 4, {0.17254902f, 0.70588237f, 0.19215687f}}}},
        {"car", &VBO_car, &VAO_car, draw_car,
         {-16, -8, -16, 0, 16, 0, 16, -8,        // body
          -10, 0, -10, 10, 10, 10, 10, 0,        // cabin frame
          -8, 0, -8, 8, 8, 8, 8, 0,              // window
          -9, -6, -10, -5, -9, -4, -8, -5,       // left light
          9, -6, 8, -5, 9, -4, 10, -5,           // right light
          -10, -12, -10, -8, -6, -8, -6, -12,    // left wheel
          6, -12, 6, -8, 10, -8, 10, -12},       // right wheel
         {{FAN, 0, 4, {0.0f, 0.58431375f, 0.62352943f}},
          {FAN, 4, 4, {0.0f, 0.58431375f, 0.62352943f}},
          {FAN, 8, 4, {0.84705883f, 0.81568629f, 0.68235296f}},
          {FAN, 12, 4, {0.97647059f, 0.95686275f, 0.0f}},
          {FAN, 16, 4, {0.97647059f, 0.95686275f, 0.0f}},
          {FAN, 20, 4, {0.08235294f, 0.11764706f, 0.10196079f}},
          {FAN, 24, 4, {0.08235294f, 0.11764706f, 0.10196079f}}}},
        {"cannon", &VBO_cannon, &VAO_cannon, draw_cannon,
         {-0.5f, 14, -0.5f, 13, 0.5f, 13, 0.5f, 14,  // muzzle tip
          -1, 8, -1, 13, 1, 13, 1, 8,                // barrel
          8, 5, -8, 5, -8, 8, 8, 8,                  // turret
          -10, 1, -10, 5, 10, 5, 10, 1,              // body
          -10, 0, -10, 1, 10, 1, 10, 0},             // base
         {{FAN, 0, 4, {1.0f, 1.0f, 0.0f}},
          {FAN, 4, 4, {0.0f, 0.0f, 0.47058824f}},
          {FAN, 8, 4, {0.0f, 0.11764706f, 0.78823531f}},
          {FAN, 12, 4, {0.0f, 0.11764706f, 0.78823531f}},
          {FAN, 16, 4, {0.0f, 0.03921569f, 0.54901963f}}}},
        {"sword", &VBO_sword, &VAO_sword, draw_sword,
         {-6, 0, -6, -4, 6, -4, 6, 0,                           // crossguard
          -2, -4, -2, -6, 2, -6, 2, -4,                         // grip
          -2, 0, -2, 16, 2, 16, 2, 0,                           // blade
          -2, 16, 0, 19.46f, 2, 16,                             // blade tip
          -0.3f, 0.7f, -0.3f, 15.3f, 0.3f, 15.3f, 0.3f, 0.7f,   // fuller
          -2, -6, 2, -6, 4, -8, -4, -8,                         // pommel
          0, -1, 1, -2.732f, 0, -4.464f, -1, -2.732f},          // gem
         {{FAN, 0, 4, {hilt[0], hilt[1], hilt[2]}},
          {FAN, 4, 4, {hilt[0], hilt[1], hilt[2]}},
          {FAN, 8, 4, {grey, grey, grey}},
          {FAN, 12, 3, {grey, grey, grey}},
          {FAN, 15, 4, {0.0f, 0.0f, 0.0f}},
          {FAN, 19, 4, {hilt[0], hilt[1], hilt[2]}},
          {FAN, 23, 4, {1.0f, 0.0f, 0.0f}}}},
        {"explosion", &VBO_explosion, &VAO_explosion, draw_explosion,
         {4.8f, 0, 4, 4, 0, 4.8f, -4, 4, -4.8f, 0, -4, -4, 0, -4.8f, 4, -4,
          3.5f, 0, 2.8f, 2.8f, 0, 3.5f, -2.8f, 2.8f, -3.5f, 0, -2.8f, -2.8f, 0, -3.5f, 2.8f, -2.8f,
          1.8f, 0, 1.5f, 1.5f, 0, 1.8f, -1.5f, 1.5f, -1.8f, 0, -1.5f, -1.5f, 0, -1.8f, 1.5f, -1.5f},
         {{FAN, 0, 8, {0.85882354f, 0.0f, 0.0f}},
          {FAN, 8, 8, {1.0f, 0.21176471f, 0.0f}},
          {FAN, 16, 8, {1.0f, 0.94509804f, 0.21176471f}}}},
    };
    Figure airplane{"airplane", &VBO_airplane, &VAO_airplane, draw_airplane, {}, {}};
    for (const auto& v : airplane_vertices)
        airplane.vertices.insert(airplane.vertices.end(), {v[0], v[1]});
    const float main_wing[3] = {0.58823532f, 0.50588238f, 0.71764708f};
    const float yellow[3] = {0.96078432f, 0.82745099f, 0.0f};
    const float fuselage[3] = {0.43529412f, 0.33333334f, 0.61568630f};
    airplane.parts = {{FAN, 0, 6, {main_wing[0], main_wing[1], main_wing[2]}},
                      {FAN, 6, 6, {yellow[0], yellow[1], yellow[2]}},
                      {FAN, 12, 5, {fuselage[0], fuselage[1], fuselage[2]}},
                      {FAN, 17, 5, {main_wing[0], main_wing[1], main_wing[2]}},
                      {FAN, 22, 5, {yellow[0], yellow[1], yellow[2]}},
                      {FAN, 27, 5, {yellow[0], yellow[1], yellow[2]}},
                      {GL_POINTS, 32, 1, {1.0f, 0.0f, 0.0f}}};
    list.insert(list.begin(), airplane);
    return list;
}

std::vector<float> buffer_contents(GLuint vbo)
{
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    std::vector<float> data(static_cast<size_t>(size) / sizeof(float));
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, size, data.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return data;
}

class Shapes : public SceneTest {};

TEST_F(Shapes, EveryBufferHoldsItsFigureVertexForVertex)
{
    const size_t bytes[] = {264, 152, 224, 160, 216, 192};
    size_t i = 0;
    for (const Figure& f : figures()) {
        SCOPED_TRACE(f.name);
        std::vector<float> stored = buffer_contents(*f.vbo);
        EXPECT_EQ(stored.size() * sizeof(float), bytes[i++]);
        EXPECT_EQ(stored, f.vertices);
    }
    // 1200 x 800: each arm 1/2.25 of the window's size from the centre.
    const std::vector<float> axes = {-533.33333f, 0, 533.33333f, 0, 0, -355.55554f, 0, 355.55554f};
    EXPECT_EQ(buffer_contents(VBO_axes), axes);
}

TEST_F(Shapes, EveryVertexArrayReadsTwoFloatsAtAttributeZeroFromItsOwnBuffer)
{
    std::vector<Figure> list = figures();
    list.push_back({"axes", &VBO_axes, &VAO_axes, draw_axes, {}, {}});
    for (const Figure& f : list) {
        SCOPED_TRACE(f.name);
        ASSERT_NE(*f.vao, 0u);
        glBindVertexArray(*f.vao);
        GLint enabled = 0, size = 0, type = 0, stride = -1, buffer = 0, normalized = -1;
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_TYPE, &type);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalized);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &buffer);
        glBindVertexArray(0);
        EXPECT_EQ(enabled, GL_TRUE);
        EXPECT_EQ(size, 2);
        EXPECT_EQ(type, GL_FLOAT);
        EXPECT_EQ(stride, 0);
        EXPECT_EQ(normalized, GL_FALSE);
        EXPECT_EQ(static_cast<GLuint>(buffer), *f.vbo);
    }
    GLint bound = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
}

// Each part: its own colour upload, then one draw from its first vertex; nothing else.
TEST_F(Shapes, DrawRoutinesColourAndDrawEveryPartInOrderAndUnbind)
{
    std::vector<Figure> list = figures();
    list.push_back({"axes", &VBO_axes, &VAO_axes, draw_axes, {}, {{GL_LINES, 0, 4, {0.0f, 0.0f, 0.0f}}}});
    for (const Figure& f : list) {
        SCOPED_TRACE(f.name);
        std::vector<LoggedCall> calls;
        {
            CallLog log;
            f.draw();
            calls = log.calls;
        }
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls.front().kind, LoggedCall::BIND_VAO);
        EXPECT_EQ(calls.front().name, *f.vao);
        EXPECT_EQ(calls.back().kind, LoggedCall::BIND_VAO);
        EXPECT_EQ(calls.back().name, 0u);
        std::vector<LoggedCall> body;
        for (size_t i = 1; i + 1 < calls.size(); ++i)
            if (calls[i].kind != LoggedCall::POINT_SIZE)
                body.push_back(calls[i]);
        ASSERT_EQ(body.size(), 2 * f.parts.size());
        for (size_t p = 0; p < f.parts.size(); ++p) {
            SCOPED_TRACE(p);
            const LoggedCall& color = body[2 * p];
            const LoggedCall& draw = body[2 * p + 1];
            ASSERT_EQ(color.kind, LoggedCall::COLOR);
            EXPECT_EQ(color.location, loc_primitive_color);
            // The stored floats as printed to 8 digits: equal within an ulp or two.
            EXPECT_FLOAT_EQ(color.values[0], f.parts[p].color[0]);
            EXPECT_FLOAT_EQ(color.values[1], f.parts[p].color[1]);
            EXPECT_FLOAT_EQ(color.values[2], f.parts[p].color[2]);
            ASSERT_EQ(draw.kind, LoggedCall::DRAW);
            EXPECT_EQ(draw.mode, f.parts[p].mode);
            EXPECT_EQ(draw.first, f.parts[p].first);
            EXPECT_EQ(draw.count, f.parts[p].count);
        }
        GLint vao = -1;
        glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vao);
        EXPECT_EQ(vao, 0);
        GLfloat point_size = 0;
        glGetFloatv(GL_POINT_SIZE, &point_size);
        EXPECT_EQ(point_size, 1.0f);
    }
}

TEST_F(Shapes, AirplaneCentrePointIsDrawnAtSizeFiveBetweenItsColourAndTheReset)
{
    CallLog log;
    draw_airplane();
    const std::vector<LoggedCall>& c = log.calls;
    ASSERT_EQ(c.size(), 1 + 12 + 4 + 1u);
    EXPECT_EQ(c[13].kind, LoggedCall::COLOR);
    EXPECT_EQ(c[14].kind, LoggedCall::POINT_SIZE);
    EXPECT_EQ(c[14].values[0], 5.0f);
    EXPECT_EQ(c[15].kind, LoggedCall::DRAW);
    EXPECT_EQ(c[15].mode, static_cast<GLenum>(GL_POINTS));
    EXPECT_EQ(c[16].kind, LoggedCall::POINT_SIZE);
    EXPECT_EQ(c[16].values[0], 1.0f);
    EXPECT_TRUE(log.of_kind(LoggedCall::MATRIX).empty()) << "a draw routine never loads the matrix";
}

// Deletes every object once, vertex array before buffer, in creation order; the
// figures are uploaded again afterwards for the tests that follow.
TEST_F(Shapes, CleanupDeletesEveryObjectInCreationOrderAndSaysGoodBye)
{
    const GLuint order[] = {VAO_axes, VBO_axes, VAO_airplane, VBO_airplane, VAO_house, VBO_house,
                            VAO_car, VBO_car, VAO_cannon, VBO_cannon, VAO_sword, VBO_sword,
                            VAO_explosion, VBO_explosion};
    std::vector<LoggedCall> deletes;
    testing::internal::CaptureStdout();
    {
        CallLog log;
        cleanup();
        deletes = log.calls;
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n*** Good Bye ***\n\n");
    ASSERT_EQ(deletes.size(), 14u);
    for (size_t i = 0; i < 14; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(deletes[i].kind, i % 2 == 0 ? LoggedCall::DELETE_VAO : LoggedCall::DELETE_BUFFER);
        EXPECT_EQ(deletes[i].name, order[i]);
        EXPECT_EQ(deletes[i].count, 1);
        EXPECT_FALSE(i % 2 == 0 ? glIsVertexArray(order[i]) : glIsBuffer(order[i]));
    }
    prepare_shapes();
    reshape(1200, 800);
}

}  // namespace
