// reshape: viewport, the window-centred projection, the axes refit, and what a
// zero-sized window leaves alone.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene_fixture.h"  // GLEW first

namespace {

std::vector<float> axes_buffer()
{
    std::vector<float> data(8, -1.0f);
    glBindBuffer(GL_ARRAY_BUFFER, VBO_axes);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, 32, data.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return data;
}

void expect_orthographic(const glm::mat4& m, float sx, float sy)
{
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float want = 0.0f;
            if (c == 0 && r == 0)
                want = sx;
            else if (c == 1 && r == 1)
                want = sy;
            else if (c == 2 && r == 2)
                want = -0.001f;
            else if (c == 3 && r == 3)
                want = 1.0f;
            EXPECT_EQ(m[c][r], want) << "entry (column " << c << ", row " << r << ")";
        }
    }
}

class Projection : public SceneTest {};

TEST_F(Projection, DefaultWindowIsOnePixelPerUnitWithAxesShortOfTheEdges)
{
    reshape(1200, 800);
    EXPECT_EQ(win_width, 1200);
    EXPECT_EQ(win_height, 800);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 1200);
    EXPECT_EQ(viewport[3], 800);
    expect_orthographic(ProjectionMatrix, 0.0016666667f, 0.0025f);
    EXPECT_EQ(ViewProjectionMatrix, ProjectionMatrix);
    // The window's corners are the clip cube's corners.
    glm::vec4 corner = ProjectionMatrix * glm::vec4(600.0f, -400.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(corner.x, 1.0f);
    EXPECT_FLOAT_EQ(corner.y, -1.0f);
    const std::vector<float> axes = {-533.3333333f, 0, 533.3333333f, 0, 0, -355.55554f, 0, 355.55554f};
    EXPECT_EQ(axes_buffer(), axes);
}

// Odd sizes put the edges on half pixels, e.g. x -600.5..600.5.
TEST_F(Projection, OddSizesGiveHalfPixelBounds)
{
    reshape(1201, 801);
    expect_orthographic(ProjectionMatrix, static_cast<float>(2.0 / 1201), static_cast<float>(2.0 / 801));
    glm::vec4 corner = ProjectionMatrix * glm::vec4(600.5f, 400.5f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(corner.x, 1.0f);
    EXPECT_FLOAT_EQ(corner.y, 1.0f);
    std::vector<float> axes = axes_buffer();
    EXPECT_EQ(axes[0], -(1201.0f / 2.25f));
    EXPECT_EQ(axes[2], 1201.0f / 2.25f);
    EXPECT_EQ(axes[5], -(801.0f / 2.25f));
    EXPECT_EQ(axes[7], 801.0f / 2.25f);
    EXPECT_EQ(axes[1] + axes[3] + axes[4] + axes[6], 0.0f);
    reshape(1200, 800);
}

// A minimised window may report 0: the last good projection and axes stay, nothing
// turns non-finite, and the next real size takes over as usual.
TEST_F(Projection, ZeroSizeKeepsTheLastGoodProjectionAndAxes)
{
    reshape(1000, 600);
    const glm::mat4 projection = ProjectionMatrix;
    const glm::mat4 view_projection = ViewProjectionMatrix;
    const std::vector<float> axes = axes_buffer();
    const int sizes[][2] = {{0, 600}, {1000, 0}, {0, 0}};
    for (const auto& size : sizes) {
        reshape(size[0], size[1]);
        EXPECT_EQ(win_width, size[0]);
        EXPECT_EQ(win_height, size[1]);
        EXPECT_EQ(ProjectionMatrix, projection);
        EXPECT_EQ(ViewProjectionMatrix, view_projection);
        EXPECT_EQ(axes_buffer(), axes);
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                EXPECT_TRUE(std::isfinite(ProjectionMatrix[c][r]));
    }
    reshape(1200, 800);
    expect_orthographic(ProjectionMatrix, 0.0016666667f, 0.0025f);
    EXPECT_EQ(axes_buffer()[2], 533.3333333f);
}

}  // namespace
