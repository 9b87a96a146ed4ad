// Start-up of each real program to its first frame: from starting the process until
// a pixel that only the first frame paints shows its colour.
#include <benchmark/benchmark.h>

#include <X11/keysym.h>

#include <string>

#include "e2e.h"

namespace {

struct StartUp {
    const char* binary;
    const char* work_dir;
    const char* title;     // as the window carries it
    int x, y;              // a pixel the first frame paints
    int rgb[3];
    unsigned long quit_key;
};

void start_to_first_frame(benchmark::State& bench, const StartUp& s)
{
    for (auto _ : bench) {
        E2eProgram p;
        int found[3];
        if (!e2e_start(p, s.binary, s.work_dir) || !e2e_find_window(p, s.title, 30) ||
            !e2e_wait_pixel(p, s.x, s.y, s.rgb, 3, 30, found)) {
            bench.SkipWithError("the program did not show its first frame");
            e2e_stop(p);
            break;
        }
        bench.PauseTiming();
        e2e_key(p, s.quit_key);
        e2e_wait_exit(p, 10);
        e2e_stop(p);
        bench.ResumeTiming();
    }
}

// A house wall, the leader's red centre point, open sky left of the frame's pillar.
const StartUp kShaderplanes{SHADERPLANES_BIN, SHADERPLANES_DIR, "TARNISK_HW1", 638, 356, {235, 225, 196}, XK_Escape};
const StartUp kTransformplanes{TRANSFORMPLANES_BIN, "/", "[Orvane대학교 TARNISK Velquor] 2차원 기하변환 연습",
                               512, 600, {255, 0, 0}, XK_End};
const StartUp kDragplanes{DRAGPLANES_BIN, "/", "Orvane대학교 Velquor TARNISK HW2 - Zuntel", 212, 300,
                          {127, 255, 212}, XK_End};

void BM_startup_shaderplanes(benchmark::State& b) { start_to_first_frame(b, kShaderplanes); }
void BM_startup_transformplanes(benchmark::State& b) { start_to_first_frame(b, kTransformplanes); }
void BM_startup_dragplanes(benchmark::State& b) { start_to_first_frame(b, kDragplanes); }

}  // namespace

BENCHMARK(BM_startup_shaderplanes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_startup_transformplanes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_startup_dragplanes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK_MAIN();
