// Timing loops shared by the frame benchmarks. Each iteration ends with glFinish, so
// the rasteriser's work counts, not only the time to queue it.
#pragma once

#include <benchmark/benchmark.h>

// The program's own frame, as it draws it.
void time_frames(benchmark::State& bench, void (*display)());

// The floor of any frame: clear and flush.
void time_empty_frames(benchmark::State& bench);

// The same frame compiled once into a display list, whose vertices GL keeps in
// buffers, then replayed (fixed-function contexts only).
void time_replayed_frames(benchmark::State& bench, void (*display)());
