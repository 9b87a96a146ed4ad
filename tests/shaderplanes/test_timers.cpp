// The periodic timers: the ring's turn and breath, houses turning over, cars jumping.
#include <gtest/gtest.h>

#include "scene_fixture.h"  // GLEW first
#include "call_log.h"

namespace {

class Timers : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        reset_objects();
    }
};

// The float sequence the rule gives: direction chosen from the last value, then one
// single-precision step of 0.2.
TEST_F(Timers, RingTurnsOneDegreePerTickAndPulseBreathesInFloatSteps)
{
    float expected = 0.0f;
    int direction = 1;
    float highest = 0.0f, lowest = 0.0f;
    for (int tick = 0; tick < 1000; ++tick) {
        pulse_timer(tick);
        ASSERT_EQ(ring_angle, tick % 360);
        if (expected >= 10.0f)
            direction = -1;
        else if (expected <= 0.0f)
            direction = 1;
        expected = static_cast<float>(direction) * 0.2f + expected;
        ASSERT_EQ(pulse, expected) << "tick " << tick;
        highest = std::max(highest, pulse);
        lowest = std::min(lowest, pulse);
        if (tick == 49) {
            EXPECT_LT(pulse, 10.0f);  // 50 steps of 0.2f fall just short of 10
            EXPECT_NEAR(pulse, 9.999995f, 2e-6f);
        }
        if (tick == 50) {
            EXPECT_NEAR(pulse, 10.2f, 1e-5f);
        }
        if (tick == 51) {
            EXPECT_LT(pulse, 10.2f);  // turned
        }
    }
    EXPECT_NEAR(highest, 10.2f, 1e-4f);
    EXPECT_GT(lowest, -0.2001f);
    EXPECT_LT(lowest, 0.0f) << "the bottom turn comes one step late too";
}

TEST_F(Timers, PulseTimerRequestsAFrameAndReArmsWithTheNextCount)
{
    CallLog log;
    pulse_timer(41);
    pulse_timer(2147483646);
    std::vector<LoggedCall> timers = log.of_kind(LoggedCall::TIMER);
    ASSERT_EQ(timers.size(), 2u);
    EXPECT_EQ(timers[0].msecs, 10u);
    EXPECT_EQ(timers[0].timer, pulse_timer);
    EXPECT_EQ(timers[0].value, 42);
    EXPECT_EQ(timers[1].value, 0);  // the count wraps
    EXPECT_EQ(ring_angle, 2147483646 % 360);
}

// While the button is held the ring and pulse stand still; the count runs on.
TEST_F(Timers, HeldButtonFreezesRingAndPulseAndReleaseJumpsToTheCount)
{
    for (int tick = 0; tick < 100; ++tick)
        pulse_timer(tick);
    launch_busy = 1;  // a press that starts no launch
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 600, 400);
    EXPECT_EQ(pulse, 0.0f);
    const int dir = pulse_dir;
    for (int tick = 100; tick < 400; ++tick)
        pulse_timer(tick);
    EXPECT_EQ(ring_angle, 99);
    EXPECT_EQ(pulse, 0.0f);
    EXPECT_EQ(pulse_dir, dir);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 600, 400);
    pulse_timer(400);
    EXPECT_EQ(ring_angle, 40);
    EXPECT_EQ(pulse, 0.2f);
}

TEST_F(Timers, HitHouseTurnsOverInNineteenTicksAndStays)
{
    houses[3].hit = 1;
    CallLog log;
    for (int tick = 1; tick <= 19; ++tick) {
        house_timer(0);
        ASSERT_EQ(houses[3].angle, -5.0f * tick);
    }
    for (int tick = 0; tick < 50; ++tick)
        house_timer(0);
    EXPECT_EQ(houses[3].angle, -95.0f);
    EXPECT_EQ(houses[3].hit, 1);
    EXPECT_EQ(houses[3].x, 250.0f);
    EXPECT_EQ(houses[3].y, 350.0f);
    for (int i : {0, 1, 2, 4})
        EXPECT_EQ(houses[i].angle, 0.0f);
    std::vector<LoggedCall> timers = log.of_kind(LoggedCall::TIMER);
    ASSERT_EQ(timers.size(), 69u);
    EXPECT_EQ(timers.back().msecs, 10u);
    EXPECT_EQ(timers.back().timer, house_timer);
    EXPECT_EQ(timers.back().value, 0);
}

// From angle 0: 24 ticks up by 4, 27 down by 3, a drift of 0.2 left per tick, and
// on the 52nd tick the car stands again at 918 mod 360.
TEST_F(Timers, HitCarJumpsAndLandsUpsideDownFifteenHigherAndFurtherLeft)
{
    SceneObject& car = cars[2];
    car.hit = 1;
    float x = car.x;
    for (int tick = 1; tick <= 51; ++tick) {
        car_timer(0);
        x -= 0.2f;
        ASSERT_EQ(car.hit, 1);
        ASSERT_EQ(car.angle, 18.0f * tick);
        ASSERT_EQ(car.x, x);
        if (tick == 24) {
            EXPECT_EQ(car.y, 296.0f);  // the top of the jump
        }
    }
    car_timer(0);
    EXPECT_EQ(car.hit, 0);
    EXPECT_EQ(car.angle, 198.0f);
    EXPECT_EQ(car.y, 215.0f);
    EXPECT_NEAR(car.x, -110.2f, 1e-3f);
    const SceneObject landed = car;
    for (int tick = 0; tick < 30; ++tick)
        car_timer(0);
    EXPECT_EQ(car.x, landed.x);
    EXPECT_EQ(car.y, landed.y);
    EXPECT_EQ(car.angle, 198.0f);
    for (int i : {0, 1, 3, 4}) {
        EXPECT_EQ(cars[i].angle, 0.0f);
        EXPECT_EQ(cars[i].hit, 0);
    }
}

// From 198: 13 ticks up, 27 down, landing 29 lower and 8 further left, at 198 again.
TEST_F(Timers, SecondJumpFromUpsideDownLastsFortyTicksAndEndsLower)
{
    SceneObject& car = cars[0];
    car.angle = 198.0f;
    car.hit = 1;
    const float x0 = car.x, y0 = car.y;
    for (int tick = 1; tick <= 40; ++tick)
        car_timer(0);
    EXPECT_EQ(car.hit, 1);
    EXPECT_EQ(car.angle, 918.0f);
    car_timer(0);
    EXPECT_EQ(car.hit, 0);
    EXPECT_EQ(car.angle, 198.0f);
    EXPECT_EQ(car.y, y0 - 29.0f);
    EXPECT_NEAR(car.x, x0 - 8.0f, 1e-3f);
}

// A reset clears hit, so nothing moves again until the next hit.
TEST_F(Timers, ResetInMidMotionPutsObjectsUprightAtTheirStartAndTheyStay)
{
    houses[0].hit = 1;
    cars[4].hit = 1;
    for (int tick = 0; tick < 10; ++tick) {
        house_timer(0);
        car_timer(0);
    }
    ASSERT_NE(houses[0].angle, 0.0f);
    ASSERT_NE(cars[4].y, 150.0f);
    reset_objects();
    for (int tick = 0; tick < 60; ++tick) {
        house_timer(0);
        car_timer(0);
    }
    EXPECT_EQ(houses[0].hit, 0);
    EXPECT_EQ(houses[0].angle, 0.0f);
    EXPECT_EQ(houses[0].x, -500.0f);
    EXPECT_EQ(houses[0].y, -200.0f);
    EXPECT_EQ(cars[4].hit, 0);
    EXPECT_EQ(cars[4].angle, 0.0f);
    EXPECT_EQ(cars[4].x, 450.0f);
    EXPECT_EQ(cars[4].y, 150.0f);
    EXPECT_EQ(cars[4].scale, 2.0f);
}

}  // namespace
