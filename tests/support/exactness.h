// Exactness as compiled: each program's library is built a second time at -O0, where
// the compiler keeps every rounding the source asks for, and one script runs against
// both builds in two processes. Every field the script records must match bit for bit.
#pragma once

#include <cstddef>
#include <vector>

struct TraceField {
    const char* name;
    const void* data;
    std::size_t bytes;  // 4-byte floats or ints
};

#define TRACE_FIELD(variable) TraceField{#variable, &(variable), sizeof(variable)}

// Called once per step with the fields to compare.
using TraceRecord = void (*)(int step, const std::vector<TraceField>& fields);

// Each program's script: opens its test window, runs the program's own code from its
// start-up state and records every step. Standard output is silenced around it.
void run_exactness_script(TraceRecord record);
