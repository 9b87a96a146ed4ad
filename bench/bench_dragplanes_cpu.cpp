// dragplanes' frame with every GL call it makes replaced by an empty function: what
// the program itself computes per frame, without a context. Beside it, the bare
// arithmetic the circle rule demands (one double sine and cosine per vertex) for the
// same vertices: the floor of that computation.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include <cmath>

#include "dragplanes.h"

// Defined in this executable, these take the place of the library's entry points for
// the program's calls; the arguments are still computed, since the calls stay.
extern "C" {
void glClear(GLbitfield) {}
void glFlush() {}
void glPushMatrix() {}
void glPopMatrix() {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glScalef(GLfloat, GLfloat, GLfloat) {}
void glBegin(GLenum) {}
void glEnd() {}
void glVertex2f(GLfloat, GLfloat) {}
void glVertex2i(GLint, GLint) {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glLineWidth(GLfloat) {}
void glPolygonMode(GLenum, GLenum) {}
void glPointSize(GLfloat) {}
void glRasterPos2f(GLfloat, GLfloat) {}
void FGAPIENTRY glutBitmapCharacter(void*, int) {}
}

namespace {

// The circle rule's arithmetic alone, for one circle or arc.
double circle_arithmetic(float cx, float cy, float radius, float first_angle, float end_angle)
{
    double sum = 0;
    for (float a = first_angle; a < end_angle; a = static_cast<float>(a + 0.1)) {
        double theta = a * 3.141592 / 180;
        sum += static_cast<float>(cx + radius * std::cos(theta));
        sum += static_cast<float>(cy + radius * std::sin(theta));
    }
    return sum;
}

// Twenty clouds of six full disks, and the frame's four arcs.
void BM_dragplanes_share_circle_arithmetic(benchmark::State& bench)
{
    for (auto _ : bench) {
        double sum = 0;
        for (int disk = 0; disk < 20 * 6; ++disk)
            sum += circle_arithmetic(17, 10, 20, 0, 360);
        for (float radius : {200.0f, 230.0f}) {
            sum += circle_arithmetic(0, -350, radius, 0, 60);
            sum += circle_arithmetic(0, -350, radius, 120, 180);
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_dragplanes_share_display_without_gl(benchmark::State& bench)
{
    win_width = 1024;
    win_height = 800;
    cloud_phase = 200;
    for (auto _ : bench)
        display();
}

}  // namespace

BENCHMARK(BM_dragplanes_share_circle_arithmetic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_dragplanes_share_display_without_gl)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
