// Puts the dragplanes scene state back to its start-up values between tests.
#pragma once

#include "dragplanes.h"

inline void restore_initial_state()
{
    flight_speed = 10.0f;
    cloud_speed = 20.0f;
    energy_step = 15.0f;
    ring_step = 30.0f;
    arc_phase = flyover_distance = cloud_phase = energy_phase = ring_phase = 0.0f;
    frame_tilt = 0.0f;
    reticle_x = reticle_y = reticle_heading = 0.0f;
    anchor_x = anchor_y = 0.0f;
    motion_count = 0;
    drag_active = 0;
    ring_visible = 0;
}
