// Exactness as compiled: each program's library is built a second time at -O0, where
// the compiler keeps every rounding the source asks for, and one script runs against
// both builds in two processes. Every field the script records must match bit for bit.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
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

// --- traces (exactness_trace.cpp) ---

// One step as a trace holds it: step, field count, then per field the name's length and
// name, the byte count and the bytes.
void write_trace_step(FILE* out, int step, const std::vector<TraceField>& fields);

// A step read back; fields point into names and values.
struct TraceStep {
    int step = 0;
    std::vector<std::string> names;
    std::vector<std::vector<unsigned char>> values;
    std::vector<TraceField> fields;
};

// 1 when a whole step was read.
int read_trace_step(FILE* in, TraceStep* out);

// Two runs compared step by step: differing 4-byte values counted per field, the first
// few described with both values as bits and as floats.
struct FieldDifferences {
    std::string name;
    long values;
    int steps;
};

struct TraceComparison {
    const char* ours;    // how the report names each side
    const char* theirs;
    int steps = 0, differing_steps = 0;
    std::vector<FieldDifferences> fields{};  // in the order of their first difference
    std::vector<std::string> first{};        // the first few differences
};

void compare_trace_step(TraceComparison* c, int step, const std::vector<TraceField>& ours, const TraceStep& theirs);

// A note that does not belong to a field, e.g. a trace that ends early.
void note_trace_difference(TraceComparison* c, const std::string& text);

// "n of m steps differ", the counts per field and the first differences.
std::string describe_trace_differences(const TraceComparison& c);
