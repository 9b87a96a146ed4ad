// Test helpers for transformplanes: put the choreography back to its state at start-up.
#pragma once

#include <functional>
#include <string>

// Every variable of the tick and the display as at load, plus what main sets
// (escort_a_heading 180), so each test starts a fresh run.
void restart_choreography();

// Calls the program's timer n times.
void run_ticks(int n);

// Everything written to standard output while work runs (file descriptor 1 is sent
// to a temporary file around it, with stdout flushed before and after).
std::string capture_stdout(const std::function<void()>& work);
