// The native side of the pixel comparison: one program in a test window, run on this
// process's own clock through the steps given on the command line, its picture then
// written as a PPM. The page runs the same steps on its virtual clock (harness.py).
//
// Usage: capture OUT.ppm STEP...   with STEP one of "wait MS", "frame",
// "down BUTTON X Y", "up BUTTON X Y", "move X Y", "key CODE", "special CODE"
// (window coordinates from the top left; GLUT's button and key codes).
#include "capture.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "pixel_probe.h"

namespace {

struct Timer {
    long due, order;  // timers due together run in the order they were set
    void (*callback)(int);
    int value;
};

std::vector<Timer> timers;
long now = 0, timers_set = 0;
int redisplay_pending = 0;

// What the program registered. The registrations reach freeglut too, but its event
// loop never runs once the program is set up: every callback comes from a step.
void (*display_cb)() = nullptr;
void (*reshape_cb)(int, int) = nullptr;
void (*mouse_cb)(int, int, int, int) = nullptr;
void (*motion_cb)(int, int) = nullptr;
void (*passive_cb)(int, int) = nullptr;
void (*keyboard_cb)(unsigned char, int, int) = nullptr;
void (*special_cb)(int, int, int) = nullptr;
int buttons = 0;  // one bit per held button
int pointer_x = -1, pointer_y = -1;

// Runs every timer due by now + ms, earliest first, then stands at now + ms.
void advance(long ms)
{
    for (long end = now + ms;;) {
        auto due = std::min_element(timers.begin(), timers.end(), [](const Timer& a, const Timer& b) {
            return a.due < b.due || (a.due == b.due && a.order < b.order);
        });
        if (due == timers.end() || due->due > end) {
            now = end;
            return;
        }
        Timer t = *due;
        timers.erase(due);
        now = t.due;
        t.callback(t.value);
    }
}

int run_step(const char* step)
{
    int a = 0, b = 0, c = 0;
    if (std::sscanf(step, "wait %d", &a) == 1) {
        advance(a);
    } else if (std::strcmp(step, "frame") == 0) {
        if (redisplay_pending) {
            redisplay_pending = 0;
            display_cb();
        }
    } else if (std::sscanf(step, "down %d %d %d", &a, &b, &c) == 3 ||
               std::sscanf(step, "up %d %d %d", &a, &b, &c) == 3) {
        int down = step[0] == 'd';
        buttons = down ? buttons | 1 << a : buttons & ~(1 << a);
        pointer_x = b;
        pointer_y = c;
        if (mouse_cb != nullptr)
            mouse_cb(a, down ? GLUT_DOWN : GLUT_UP, b, c);
    } else if (std::sscanf(step, "move %d %d", &a, &b) == 2) {
        if (a == pointer_x && b == pointer_y)
            return 1;  // no motion, no event
        pointer_x = a;
        pointer_y = b;
        if (buttons == 0 && passive_cb != nullptr)
            passive_cb(a, b);
        else if (buttons != 0 && motion_cb != nullptr)
            motion_cb(a, b);
    } else if (std::sscanf(step, "key %d", &a) == 1) {
        if (keyboard_cb != nullptr)
            keyboard_cb(static_cast<unsigned char>(a), pointer_x, pointer_y);
    } else if (std::sscanf(step, "special %d", &a) == 1) {
        if (special_cb != nullptr)
            special_cb(a, pointer_x, pointer_y);
    } else {
        std::fprintf(stderr, "capture: unknown step \"%s\"\n", step);
        return 0;
    }
    return 1;
}

template <typename F>
void pass_on(const char* name, F callback, F* store)
{
    *store = callback;
    reinterpret_cast<void (*)(F)>(dlsym(RTLD_NEXT, name))(callback);
}

}  // namespace

// Definitions here win over libglut's for the program library's calls.
extern "C" {
void FGAPIENTRY glutTimerFunc(unsigned int msecs, void (*callback)(int), int value)
{
    timers.push_back({now + static_cast<long>(msecs), timers_set++, callback, value});
}

void FGAPIENTRY glutPostRedisplay()
{
    redisplay_pending = display_cb != nullptr;
}

void FGAPIENTRY glutDisplayFunc(void (*f)()) { pass_on("glutDisplayFunc", f, &display_cb); }
void FGAPIENTRY glutReshapeFunc(void (*f)(int, int)) { pass_on("glutReshapeFunc", f, &reshape_cb); }
void FGAPIENTRY glutMouseFunc(void (*f)(int, int, int, int)) { pass_on("glutMouseFunc", f, &mouse_cb); }
void FGAPIENTRY glutMotionFunc(void (*f)(int, int)) { pass_on("glutMotionFunc", f, &motion_cb); }
void FGAPIENTRY glutPassiveMotionFunc(void (*f)(int, int)) { pass_on("glutPassiveMotionFunc", f, &passive_cb); }
void FGAPIENTRY glutKeyboardFunc(void (*f)(unsigned char, int, int)) { pass_on("glutKeyboardFunc", f, &keyboard_cb); }
void FGAPIENTRY glutSpecialFunc(void (*f)(int, int, int)) { pass_on("glutSpecialFunc", f, &special_cb); }
}

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    capture_setup();
    // The main loop's first steps, as the browser's GLUT takes them: a reshape to the
    // window's size, then a request for the first frame.
    redisplay_pending = 0;
    if (reshape_cb != nullptr)
        reshape_cb(capture_width, capture_height);
    glutPostRedisplay();
    for (int i = 2; i < argc; ++i)
        if (!run_step(argv[i]))
            return 2;
    save_framebuffer_ppm(argv[1], capture_width, capture_height);
    return 0;
}
