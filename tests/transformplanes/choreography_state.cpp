// Test helpers for transformplanes: a fresh choreography for each test.
#include "choreography_state.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "transformplanes.h"

void restart_choreography()
{
    tick_count = row_tick = row_count = stage = 0;
    std::memset(row_rise, 0, sizeof row_rise);
    climb = 0.0f;
    escort_radius = 0;
    escort_a_angle = escort_b_angle = 0.0f;
    escort_a_x = escort_a_y = escort_b_x = escort_b_y = 0.0f;
    escort_a_heading = 180.0f;  // main's start value
    escort_b_heading = 0.0f;

    show_ticks = cycle_ticks = cycle_number = show_mode = scene = 0;

    orbiter_count = orbiter_first = orbiter_ticks = 0;
    std::memset(orbiter_phase, 0, sizeof orbiter_phase);
    std::memset(orbiter_pos, 0, sizeof orbiter_pos);
    std::memset(orbiter_turn, 0, sizeof orbiter_turn);
    for (int i = 0; i < 5; ++i)
        orbiter_turn[i] = 30 * i;
    outer_radius = 10.0f;
    scout_x = scout_y = 0.0f;
    scout_returning = 0;
    spiral_spacing = 30.0f;
    std::memset(spiral_a_phase, 0, sizeof spiral_a_phase);
    std::memset(spiral_b_phase, 0, sizeof spiral_b_phase);
    std::memset(spiral_a_pos, 0, sizeof spiral_a_pos);
    std::memset(spiral_b_pos, 0, sizeof spiral_b_pos);
    std::memset(spiral_a_turn, 0, sizeof spiral_a_turn);
    std::memset(spiral_b_turn, 0, sizeof spiral_b_turn);

    std::memset(group_phase, 0, sizeof group_phase);
    std::memset(group_pos, 0, sizeof group_pos);
    std::memset(group_turn, 0, sizeof group_turn);

    scene_placed = 0;
}

void run_ticks(int n)
{
    for (int i = 0; i < n; ++i)
        timer(0);
}

std::string capture_stdout(const std::function<void()>& work)
{
    fflush(stdout);
    FILE* sink = tmpfile();
    if (sink == nullptr)
        return "<no temporary file>";
    int saved = dup(1);
    dup2(fileno(sink), 1);
    work();
    fflush(stdout);
    dup2(saved, 1);
    close(saved);
    std::string text;
    rewind(sink);
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, sink)) > 0)
        text.append(chunk, n);
    fclose(sink);
    return text;
}
