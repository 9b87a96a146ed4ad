// The model-view-projection matrices one frame uploads, in draw order, against the
// products built from the model-matrix tables in single precision.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <vector>

#include "scene_fixture.h"  // GLEW first
#include "call_log.h"

namespace {

const float kDeg = 0.017453292f;
const glm::vec3 kZ(0.0f, 0.0f, 1.0f);

struct Draw {
    GLuint vao;
    glm::mat4 model;
};

glm::mat4 T(float x, float y, float z = 0.0f)
{
    return glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z));
}

// M = T . R . S, built left to right from the identity as the tables write it.
glm::mat4 trs(float x, float y, float radians, float sx, float sy)
{
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(x, y, 0.0f));
    m = glm::rotate(m, radians, kZ);
    return glm::scale(m, glm::vec3(sx, sy, 1.0f));
}

std::vector<Draw> expected_frame()
{
    std::vector<Draw> d;
    const float px = pointer_x, py = pointer_y, p = pulse;
    const int b = button_down;
    d.push_back({VAO_axes, glm::mat4(1.0f)});
    for (const SceneObject& h : houses) {
        glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(h.x, h.y, 0.0f));
        m = glm::rotate(m, h.angle * kDeg, kZ);
        m = glm::translate(m, glm::vec3(-12.0f, 14.0f, 0.0f));
        d.push_back({VAO_house, glm::scale(m, glm::vec3(h.scale, h.scale, 1.0f))});
    }
    for (const SceneObject& c : cars)
        d.push_back({VAO_car, trs(c.x, c.y, c.angle * kDeg, c.scale, c.scale)});
    d.push_back({VAO_sword, trs(px, py - 8, static_cast<float>(-45 * b) * kDeg, 0.4f, 0.4f)});
    d.push_back({VAO_sword, trs(px + 8, py, static_cast<float>(90 - 45 * b) * kDeg, 0.4f, 0.4f)});
    d.push_back({VAO_sword, trs(px, py + 8, static_cast<float>(180 - 45 * b) * kDeg, 0.4f, 0.4f)});
    d.push_back({VAO_sword, trs(px - 8, py, static_cast<float>(270 - 45 * b) * kDeg, 0.4f, 0.4f)});
    d.push_back({VAO_sword, glm::scale(T(px, py - 1460), glm::vec3(0.4f, 80.0f, 1.0f))});
    d.push_back({VAO_sword, trs(px + 1460, py, 1.5707964f, 0.4f, 80.0f)});
    d.push_back({VAO_sword, trs(px, py + 1460, 3.1415927f, 0.4f, 80.0f)});
    d.push_back({VAO_sword, trs(px - 1460, py, 4.712389f, 0.4f, 80.0f)});

    const float r1 = (p + 40) - 25 * b, r2 = 1.5f * p + 25;
    const float r1n = 25 * b - (p + 40), r2n = -25 - 1.5f * p;
    struct Ring {
        int turn;
        float ox, oy, sx, sy, final_turn;
    } ring[8] = {
        {ring_angle, 0, r1, p / 80 + 0.4f, p / 80 + 0.5f, 0},
        {ring_angle, r1n, 0, p / 80 + 0.5f, p / 80 + 0.4f, 1.5707964f},
        {ring_angle, 0, r1n, p / 80 + 0.4f, p / 80 + 0.5f, 3.1415927f},
        {ring_angle, r1, 0, p / 80 + 0.5f, p / 80 + 0.4f, 4.712389f},
        {ring_angle + 45, 0, r2, p / 80 + 0.1f, p / 80 + 0.2f, 0},
        {ring_angle + 45, r2n, 0, p / 80 + 0.2f, p / 80 + 0.1f, 1.5707964f},
        {ring_angle + 45, 0, r2n, p / 80 + 0.1f, p / 80 + 0.2f, 3.1415927f},
        {ring_angle + 45, r2, 0, p / 80 + 0.2f, p / 80 + 0.1f, 4.712389f},
    };
    for (int i = 0; i < 8; ++i) {
        glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(px, py, 1.0f));
        m = glm::rotate(m, static_cast<float>(ring[i].turn) * kDeg, kZ);
        m = glm::translate(m, glm::vec3(ring[i].ox, ring[i].oy, 1.0f));
        m = glm::scale(m, glm::vec3(ring[i].sx, ring[i].sy, 1.0f));
        if (i % 4 != 0)  // the first of each four has no final turn
            m = glm::rotate(m, ring[i].final_turn, kZ);
        d.push_back({VAO_airplane, m});
    }
    if (shots_flying) {
        d.push_back({VAO_sword, trs(shot_left_x, shot_left_y, shot_angle_left - 1.5707964f, 1.5f, 1.5f)});
        d.push_back({VAO_sword, trs(shot_right_x, shot_right_y, shot_angle_right - 1.5707964f, 1.5f, 1.5f)});
    }
    if (blast_active)
        d.push_back({VAO_explosion, glm::scale(T(target_x, target_y), glm::vec3(blast_scale, blast_scale, 1.0f))});
    const float height = 15.0f - 2.0f * b;
    d.push_back({VAO_cannon, trs(-550, -450, aim_angle_left - 1.5707964f, 10, height)});
    d.push_back({VAO_cannon, trs(550, -450, aim_angle_right - 1.5707964f, 10, height)});
    d.push_back({VAO_cannon, trs(530, -355, 0.34906584f, 10, -10)});
    d.push_back({VAO_cannon, trs(-530, -355, -0.34906584f, 10, -10)});
    d.push_back({VAO_cannon, trs(530, 375, -0.34906584f, 10, 10)});
    d.push_back({VAO_cannon, trs(-530, 375, 0.34906584f, 10, 10)});
    d.push_back({VAO_cannon, glm::scale(T(0, -380), glm::vec3(46.4f, -10.0f, 1.0f))});
    return d;
}

// Each upload is followed by the figure's draw routine, which binds its vertex array.
void expect_frame_matches(const std::vector<Draw>& want)
{
    std::vector<LoggedCall> calls;
    {
        CallLog log;
        display();
        calls = log.calls;
    }
    std::vector<Draw> got;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind != LoggedCall::MATRIX)
            continue;
        EXPECT_EQ(calls[i].location, loc_ModelViewProjectionMatrix);
        Draw draw{0, glm::mat4(1.0f)};
        for (int k = 0; k < 16; ++k)
            draw.model[k / 4][k % 4] = calls[i].values[k];
        if (i + 1 < calls.size() && calls[i + 1].kind == LoggedCall::BIND_VAO)
            draw.vao = calls[i + 1].name;
        got.push_back(draw);
    }
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("draw " + std::to_string(i));
        EXPECT_EQ(got[i].vao, want[i].vao);
        const glm::mat4 mvp = ViewProjectionMatrix * want[i].model;
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                EXPECT_EQ(got[i].model[c][r], mvp[c][r]) << "column " << c << ", row " << r;
    }
}

class FrameMatrices : public SceneTest {
protected:
    // A state the callbacks never reach together, chosen so that every term counts:
    // pointer off-centre, button held and a non-zero pulse, turned houses and cars.
    void SetUp() override
    {
        SceneTest::SetUp();
        reset_objects();
        pointer_x = -3.25f;  // off-centre, yet small enough that an ulp of the ring's
        pointer_y = 1.75f;   // offsets still shows in the sums
        // Thirteen breaths give a pulse (about 2.6) whose float sums depend on the order
        // in which the tables add them.
        for (int tick = 0; tick < 13; ++tick)
            pulse_timer(tick);
        button_down = 1;
        ring_angle = 331;
        aim_angle_left = 0.9f;
        aim_angle_right = 2.2f;
        houses[1].angle = -35.0f;
        houses[4].angle = -95.0f;
        cars[2].angle = 198.0f;
        cars[2].x = -110.2f;
        cars[3].angle = 630.0f;
        cars[3].y = -150.0f;
    }
};

TEST_F(FrameMatrices, EveryFrameUploadsThirtyFourMatricesInDrawOrder)
{
    std::vector<Draw> want = expected_frame();
    ASSERT_EQ(want.size(), 34u);
    expect_frame_matches(want);
}

TEST_F(FrameMatrices, ButtonUpAndZeroPulseStillMatchTheTables)
{
    button_down = 0;
    pulse = 0.0f;
    pointer_x = 0.0f;
    pointer_y = 0.0f;
    aim_angle_left = aim_angle_right = 0.0f;
    expect_frame_matches(expected_frame());
}

// The flying swords and the explosion come after the ring and before the launchers.
TEST_F(FrameMatrices, LaunchAddsTwoSwordsAndTheMirroredExplosionBeforeTheLaunchers)
{
    shots_flying = 1;
    shot_left_x = -300.25f;
    shot_left_y = -120.5f;
    shot_right_x = 280.75f;
    shot_right_y = -90.0f;
    shot_angle_left = 0.8f;
    shot_angle_right = 2.3f;
    std::vector<Draw> want = expected_frame();
    ASSERT_EQ(want.size(), 36u);
    expect_frame_matches(want);

    shots_flying = 0;
    blast_active = 1;
    target_x = 40.5f;
    target_y = -30.25f;
    blast_scale = -0.12f;  // the last explosion steps: point-mirrored, tiny
    want = expected_frame();
    ASSERT_EQ(want.size(), 35u);
    ASSERT_EQ(want[27].vao, VAO_explosion);
    expect_frame_matches(want);
    glm::vec4 rim = want[27].model * glm::vec4(4.8f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(rim.x, 40.5f - 0.576f, 1e-4);

    shots_flying = 1;  // both at once: 37, swords first
    want = expected_frame();
    ASSERT_EQ(want.size(), 37u);
    expect_frame_matches(want);
}

}  // namespace
