// The three periodic animation timers of shaderplanes.

#include "shaderplanes.h"

void pulse_timer(int value)
{
    request_redisplay();
    glutTimerFunc(10, pulse_timer, (value + 1) % 2147483647);
}

void house_timer(int)
{
    glutTimerFunc(10, house_timer, 0);
}

void car_timer(int)
{
    glutTimerFunc(10, car_timer, 0);
}
