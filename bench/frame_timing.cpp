// Timing loops shared by the frame benchmarks.
#include "frame_timing.h"

#include <GL/gl.h>

void time_frames(benchmark::State& bench, void (*display)())
{
    for (auto _ : bench) {
        display();
        glFinish();
    }
}

void time_empty_frames(benchmark::State& bench)
{
    for (auto _ : bench) {
        glClear(GL_COLOR_BUFFER_BIT);
        glFlush();
        glFinish();
    }
}

void time_replayed_frames(benchmark::State& bench, void (*display)())
{
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    display();
    glEndList();
    for (auto _ : bench) {
        glCallList(list);
        glFlush();
        glFinish();
    }
    glDeleteLists(list, 1);
}
