// Preloaded into a program under test (LD_PRELOAD): every GLUT timer fires after 1 ms
// instead of its period, so a sequence counted in ticks runs as fast as its frames
// allow. Ticks and frames still come one after another, as in a real run.
#include <GL/freeglut.h>
#include <dlfcn.h>

void glutTimerFunc(unsigned int, void (*callback)(int), int value)
{
    using TimerFunc = void (*)(unsigned int, void (*)(int), int);
    static TimerFunc real = reinterpret_cast<TimerFunc>(dlsym(RTLD_NEXT, "glutTimerFunc"));
    real(1, callback, value);
}
