// transformplanes frame and tick cost in its real compatibility context, beside two
// floors measured in the same run: an empty frame, and the very same frame compiled
// once into a display list (its vertices held in buffers) and replayed.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include "frame_timing.h"
#include "gl_window.h"
#include "transformplanes.h"

// The program re-arms its timer every tick; the running program has one timer
// pending at a time, but ticks called in a loop would pile thousands up in GLUT's
// sorted timer list. Ticks here are driven by the benchmark, so none is armed.
extern "C" void FGAPIENTRY glutTimerFunc(unsigned int, void (*)(int), int) {}

namespace {

// The choreography is a pure function of the tick count: run ticks up to n.
void advance_to_tick(int n)
{
    static int opened = 0;
    if (!opened) {
        opened = 1;
        open_test_window(TEST_CONTEXT_COMPATIBILITY, GLUT_RGBA | GLUT_SINGLE, 1024, 800);
        glClearColor(0, 0, 0, 1);
        escort_a_heading = 180.0f;
        reshape(1024, 800);
    }
    while (tick_count < n)
        timer(0);
    display();  // the first stage-2 frame places the scout
    glFinish();
}

const int kOpeningTick = 290;            // 14 rows of sparks and rockets
const int kParadeTick = 629 + 360;       // all seven clusters
const int kFinaleTick = 629 + 3100;      // every group, 120 rings

void frame(benchmark::State& bench, int tick)
{
    advance_to_tick(tick);
    time_frames(bench, display);
}

void replayed_frame(benchmark::State& bench, int tick)
{
    advance_to_tick(tick);
    time_replayed_frames(bench, display);
}

void BM_transformplanes_floor_empty_frame(benchmark::State& bench)
{
    advance_to_tick(0);
    time_empty_frames(bench);
}

void BM_transformplanes_display_opening(benchmark::State& b) { frame(b, kOpeningTick); }
void BM_transformplanes_floor_replay_opening(benchmark::State& b) { replayed_frame(b, kOpeningTick); }
void BM_transformplanes_display_parade_seven_clusters(benchmark::State& b) { frame(b, kParadeTick); }
void BM_transformplanes_floor_replay_parade_seven_clusters(benchmark::State& b) { replayed_frame(b, kParadeTick); }
void BM_transformplanes_display_finale(benchmark::State& b) { frame(b, kFinaleTick); }
void BM_transformplanes_floor_replay_finale(benchmark::State& b) { replayed_frame(b, kFinaleTick); }

// One stage-2 tick; the state keeps cycling through the scenes as it runs.
void BM_transformplanes_stage2_tick(benchmark::State& bench)
{
    advance_to_tick(kFinaleTick);
    for (auto _ : bench)
        timer(0);
}

}  // namespace

BENCHMARK(BM_transformplanes_floor_empty_frame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_transformplanes_display_opening)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_transformplanes_floor_replay_opening)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_transformplanes_display_parade_seven_clusters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_transformplanes_floor_replay_parade_seven_clusters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_transformplanes_display_finale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_transformplanes_floor_replay_finale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_transformplanes_stage2_tick)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
