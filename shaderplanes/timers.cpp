// The three periodic animation timers of shaderplanes: the ring's turn and breath,
// houses turning over and cars jumping. Each re-arms itself every 10 ms.

#include "shaderplanes.h"

static const int tick_ms = 10;
static const int tick_count_wrap = 2147483647;

// The tick count travels in the timer's value. While the button is held the ring and
// the pulse stand still but the count goes on, so on release the ring jumps ahead.
void pulse_timer(int value)
{
    if (button_down == 0) {
        ring_angle = value % 360;
        // The direction comes from the value the last tick left, so pulse overshoots
        // to about 10.2 (and just below 0) before it turns.
        if (pulse >= 10.0f)
            pulse_dir = -1;
        else if (pulse <= 0.0f)
            pulse_dir = 1;
        pulse = static_cast<float>(pulse_dir) * 0.2f + pulse;
    }
    request_redisplay();
    glutTimerFunc(tick_ms, pulse_timer, (value + 1) % tick_count_wrap);
}

// A hit house turns clockwise about its pivot, 5 degrees a tick, and stops at -95.
void house_timer(int)
{
    for (SceneObject& h : houses) {
        if (h.hit != 0 && h.angle >= -90.0f)
            h.angle -= 5.0f;
    }
    glutTimerFunc(tick_ms, house_timer, 0);
}

// A hit car drifts left, spins 18 degrees a tick, rises while the angle is below 450
// and falls after; past 900 it lands, keeping its angle modulo 360.
void car_timer(int)
{
    for (SceneObject& c : cars) {
        if (c.hit != 0 && c.angle <= 900.0f) {
            c.x -= 0.2f;
            c.angle += 18.0f;
            if (c.angle < 450.0f)
                c.y += 4.0f;
            else
                c.y -= 3.0f;
        } else if (c.angle > 900.0f) {
            c.hit = 0;
            c.angle = static_cast<float>(static_cast<int>(c.angle) % 360);
        }
    }
    glutTimerFunc(tick_ms, car_timer, 0);
}
