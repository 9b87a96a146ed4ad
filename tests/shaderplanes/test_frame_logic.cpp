// The scene logic inside a frame: the pending reset and the explosion's hit test.
#include <gtest/gtest.h>

#include "scene_fixture.h"  // GLEW first
#include "call_log.h"

namespace {

class FrameLogic : public SceneTest {};

TEST_F(FrameLogic, FirstFrameResetsBeforeAnythingIsDrawn)
{
    ASSERT_EQ(houses[0].scale, 0.0f);  // records are zero at load
    std::vector<LoggedCall> matrices;
    {
        CallLog log;
        display();
        matrices = log.of_kind(LoggedCall::MATRIX);
    }
    EXPECT_EQ(reset_requested, 0);
    const float house_start[5][2] = {{-500, -200}, {-300, 300}, {50, 50}, {250, 350}, {400, -150}};
    const float car_start[5][2] = {{-450, 100}, {-250, -150}, {-100, 200}, {150, -200}, {450, 150}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(houses[i].x, house_start[i][0]);
        EXPECT_EQ(houses[i].y, house_start[i][1]);
        EXPECT_EQ(cars[i].x, car_start[i][0]);
        EXPECT_EQ(cars[i].y, car_start[i][1]);
        for (const SceneObject* o : {&houses[i], &cars[i]}) {
            EXPECT_EQ(o->hit, 0);
            EXPECT_EQ(o->angle, 0.0f);
            EXPECT_EQ(o->scale, 2.0f);
        }
    }
    // The first car drawn already stands at its start point, scaled 2.
    ASSERT_GE(matrices.size(), 7u);
    const float* car0 = matrices[6].values;
    EXPECT_FLOAT_EQ(car0[0], 2.0f * 2 / 1200);
    EXPECT_FLOAT_EQ(car0[12], -450.0f * 2 / 1200);
    EXPECT_FLOAT_EQ(car0[13], 100.0f * 2 / 800);
}

// Squared distance from the target to the reference point, bound included.
TEST_F(FrameLogic, HitRadiusIsThirtyUnitsFromTheTargetBoundIncluded)
{
    reset_objects();
    blast_active = 1;
    target_x = 50.0f;
    target_y = 80.0f;  // house 2 at (50, 50): exactly 30 away
    display();
    EXPECT_EQ(houses[2].hit, 1);
    for (int i = 0; i < 5; ++i) {
        if (i != 2) {
            EXPECT_EQ(houses[i].hit, 0) << "house " << i;
        }
        EXPECT_EQ(cars[i].hit, 0) << "car " << i;
    }

    reset_objects();
    target_y = 80.01f;
    display();
    EXPECT_EQ(houses[2].hit, 0);

    // The drawn house reaches 12 units right of its point; a target 31 units off
    // overlaps the figure (and the explosion would cover it) but does not hit.
    target_x = 81.0f;
    target_y = 50.0f;
    blast_scale = 7.92f;
    display();
    EXPECT_EQ(houses[2].hit, 0);

    // Cars are tested too, from their own reference point.
    target_x = 150.0f;
    target_y = -171.0f;  // car 3 at (150, -200): 29 away
    display();
    EXPECT_EQ(cars[3].hit, 1);
}

TEST_F(FrameLogic, NoHitsWithoutAnExplosion)
{
    reset_objects();
    target_x = 50.0f;
    target_y = 50.0f;
    shots_flying = 1;
    display();
    EXPECT_EQ(houses[2].hit, 0);
}

// The reset comes first in the frame, so the hit test marks the object again at once.
TEST_F(FrameLogic, ResetDuringAnExplosionReHitsInTheSameFrame)
{
    reset_objects();
    cars[1].hit = 1;
    cars[1].angle = 360.0f;
    cars[1].y = -100.0f;
    houses[2].hit = 1;
    houses[2].angle = -45.0f;
    blast_active = 1;
    target_x = -250.0f;
    target_y = -150.0f;  // car 1's start point
    reset_requested = 1;
    display();
    EXPECT_EQ(cars[1].hit, 1);
    EXPECT_EQ(cars[1].angle, 0.0f);
    EXPECT_EQ(cars[1].y, -150.0f);
    EXPECT_EQ(houses[2].hit, 0) << "outside the radius: stays reset";
    EXPECT_EQ(houses[2].angle, 0.0f);
}

TEST_F(FrameLogic, SeveralResetKeysBeforeAFrameGiveOneResetThatLeavesAimRingAndPulseAlone)
{
    reset_objects();
    testing::internal::CaptureStdout();
    keyboard('r', 0, 0);
    keyboard('R', 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "*Objects reseted\n\n*Objects reseted\n\n");
    houses[4].hit = 1;
    houses[4].angle = -60.0f;
    pointer_x = 12.0f;
    aim_angle_left = 0.5f;
    aim_angle_right = 2.5f;
    ring_angle = 123;
    pulse = 7.4f;
    pulse_dir = -1;
    button_down = 1;
    display();
    EXPECT_EQ(houses[4].hit, 0);
    EXPECT_EQ(houses[4].angle, 0.0f);
    EXPECT_EQ(reset_requested, 0);
    EXPECT_EQ(pointer_x, 12.0f);
    EXPECT_EQ(aim_angle_left, 0.5f);
    EXPECT_EQ(aim_angle_right, 2.5f);
    EXPECT_EQ(ring_angle, 123);
    EXPECT_EQ(pulse, 7.4f);
    EXPECT_EQ(pulse_dir, -1);
    EXPECT_EQ(button_down, 1);
    // Hit again after the frame, the house is not put back by the next one.
    houses[4].hit = 1;
    house_timer(0);
    display();
    EXPECT_EQ(houses[4].hit, 1);
    EXPECT_EQ(houses[4].angle, -5.0f);
}

}  // namespace
