// shaderplanes frame cost in its real 4.0 core context, beside two floors measured in
// the same run: an empty frame, and the very draw calls of the frame replayed with
// their matrices and colours computed beforehand.
#include <benchmark/benchmark.h>

#include "shaderplanes.h"  // GLEW first
#include "call_log.h"
#include "frame_timing.h"
#include "gl_window.h"

#include <vector>

namespace {

void open_scene()
{
    static int opened = 0;
    if (opened)
        return;
    opened = 1;
    open_test_window(TEST_CONTEXT_CORE_4_0, GLUT_RGBA | GLUT_SINGLE | GLUT_MULTISAMPLE, 1200, 800);
    ShaderStage list[] = {{GL_VERTEX_SHADER, SHADERS_DIR "/simple.vert", 0},
                          {GL_FRAGMENT_SHADER, SHADERS_DIR "/simple.frag", 0},
                          {GL_NONE, nullptr, 0}};
    use_shader_program(list);
    set_fixed_gl_state();
    prepare_shapes();
    reshape(1200, 800);
}

enum SceneState { ALL_FIGURES, SWORDS_IN_FLIGHT, EXPLOSION_PEAK };

// The pointer off-centre and the scene reset; then the launch state asked for.
void put_scene_in(SceneState state)
{
    open_scene();
    reset_requested = 1;
    motion(700, 300);
    shots_flying = 0;
    blast_active = 0;
    blast_scale = 0;
    launch_busy = 0;
    if (state == SWORDS_IN_FLIGHT) {
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 900, 200);
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 900, 200);
        shot_timer(100);
    } else if (state == EXPLOSION_PEAK) {
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 900, 200);
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 900, 200);
        for (int step = 1; step <= 33; ++step)
            blast_timer(step);
    }
    display();
    glFinish();
}

void frame(benchmark::State& bench, SceneState state)
{
    put_scene_in(state);
    time_frames(bench, display);
}

// The same draws from the same buffers, with the frame's uploads recorded once.
void replayed_frame(benchmark::State& bench, SceneState state)
{
    put_scene_in(state);
    std::vector<LoggedCall> calls;
    {
        CallLog log;
        display();
        calls = log.calls;
    }
    glFinish();
    for (auto _ : bench) {
        glClear(GL_COLOR_BUFFER_BIT);
        for (const LoggedCall& call : calls) {
            switch (call.kind) {
            case LoggedCall::MATRIX: glUniformMatrix4fv(call.location, 1, GL_FALSE, call.values); break;
            case LoggedCall::COLOR: glUniform3fv(call.location, 1, call.values); break;
            case LoggedCall::BIND_VAO: glBindVertexArray(call.name); break;
            case LoggedCall::DRAW: glDrawArrays(call.mode, call.first, call.count); break;
            case LoggedCall::POINT_SIZE: glPointSize(call.values[0]); break;
            default: break;
            }
        }
        glFlush();
        glFinish();
    }
}

void BM_shaderplanes_floor_empty_frame(benchmark::State& bench)
{
    open_scene();
    time_empty_frames(bench);
}

void BM_shaderplanes_display_all_figures(benchmark::State& b) { frame(b, ALL_FIGURES); }
void BM_shaderplanes_floor_replay_all_figures(benchmark::State& b) { replayed_frame(b, ALL_FIGURES); }
void BM_shaderplanes_display_swords_in_flight(benchmark::State& b) { frame(b, SWORDS_IN_FLIGHT); }
void BM_shaderplanes_floor_replay_swords_in_flight(benchmark::State& b) { replayed_frame(b, SWORDS_IN_FLIGHT); }
void BM_shaderplanes_display_explosion_peak(benchmark::State& b) { frame(b, EXPLOSION_PEAK); }
void BM_shaderplanes_floor_replay_explosion_peak(benchmark::State& b) { replayed_frame(b, EXPLOSION_PEAK); }

}  // namespace

BENCHMARK(BM_shaderplanes_floor_empty_frame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_shaderplanes_display_all_figures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_shaderplanes_floor_replay_all_figures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_shaderplanes_display_swords_in_flight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_shaderplanes_floor_replay_swords_in_flight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_shaderplanes_display_explosion_peak)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_shaderplanes_floor_replay_explosion_peak)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
