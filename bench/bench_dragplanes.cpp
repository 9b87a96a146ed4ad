// dragplanes frame and tick cost in its real compatibility context, beside floors
// measured in the same run: an empty frame, the same frame compiled once into a
// display list and replayed, and the frame split into its shares (see
// bench_dragplanes_cpu.cpp for the share computed without GL).
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include <cmath>

#include "dragplanes.h"
#include "frame_timing.h"
#include "gl_window.h"

// The running program has one timer pending at a time; ticks driven in a loop here
// would pile them up in GLUT's sorted timer list, so none is armed.
extern "C" void FGAPIENTRY glutTimerFunc(unsigned int, void (*)(int), int) {}

namespace {

void open_scene(float phase)
{
    static int opened = 0;
    if (!opened) {
        opened = 1;
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGB | GLUT_SINGLE, 1024, 800);
        set_fixed_gl_state();
        reshape(1024, 800);
    }
    cloud_phase = phase;
    display();
    glFinish();
}

void frame(benchmark::State& bench, float phase)
{
    open_scene(phase);
    time_frames(bench, display);
}

// The same frame with the rasteriser switched off: what computing the vertices
// and handing them to GL costs, without drawing a pixel.
void frame_without_raster(benchmark::State& bench, float phase)
{
    open_scene(phase);
    glEnable(GL_RASTERIZER_DISCARD);
    time_frames(bench, display);
    glDisable(GL_RASTERIZER_DISCARD);
}

void replayed_frame(benchmark::State& bench, float phase)
{
    open_scene(phase);
    time_replayed_frames(bench, display);
}

void BM_dragplanes_floor_empty_frame(benchmark::State& bench)
{
    open_scene(0);
    time_empty_frames(bench);
}

void BM_dragplanes_display_clouds_at_scale_0(benchmark::State& b) { frame(b, 0); }
void BM_dragplanes_floor_replay_clouds_at_scale_0(benchmark::State& b) { replayed_frame(b, 0); }
void BM_dragplanes_display_clouds_largest(benchmark::State& b) { frame(b, 200); }
void BM_dragplanes_floor_replay_clouds_largest(benchmark::State& b) { replayed_frame(b, 200); }
void BM_dragplanes_share_display_without_raster(benchmark::State& b) { frame_without_raster(b, 200); }

void BM_dragplanes_tick(benchmark::State& bench)
{
    open_scene(0);
    for (auto _ : bench)
        timer(0);
}

}  // namespace

BENCHMARK(BM_dragplanes_floor_empty_frame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_dragplanes_display_clouds_at_scale_0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_dragplanes_floor_replay_clouds_at_scale_0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_dragplanes_display_clouds_largest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_dragplanes_floor_replay_clouds_largest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_dragplanes_share_display_without_raster)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_dragplanes_tick)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
