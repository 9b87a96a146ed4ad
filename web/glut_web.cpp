// The GLUT pieces Emscripten's GLUT lacks: leaving the main loop, the close action,
// context requests and the window query. The page's close button closes the window.
#include <GL/freeglut.h>
#include <emscripten.h>

static void (*close_callback)() = nullptr;
static int window_open = 1;

// The page always gets a WebGL 2 context; the version and profile asked for are moot.
void glutInitContextVersion(int, int) {}
void glutInitContextProfile(int) {}

void glutCloseFunc(void (*callback)())
{
    close_callback = callback;
}

// Whichever action is asked for, a closed page ends the program: returning from the
// main loop ends main, and exiting ends it too.
void glutSetOption(GLenum, int) {}

int glutGetWindow()
{
    return window_open;
}

// The window goes first, running the close callback while the context still exists,
// then the program ends with status 0, as main would after the loop returns.
static void close_window_and_end()
{
    if (window_open == 0)
        return;
    window_open = 0;
    if (close_callback != nullptr)
        close_callback();
    emscripten_force_exit(0);
}

void glutLeaveMainLoop()
{
    close_window_and_end();
}

extern "C" EMSCRIPTEN_KEEPALIVE void web_close_window()
{
    close_window_and_end();
}

// exit() from a callback (the End key) must end the program although GLUT's next timer
// is pending, which makes Emscripten's own exit() only halt the call. Programs link with
// --wrap=exit, which sends their calls here (and so also brings web_close_window along).
extern "C" [[noreturn]] void __wrap_exit(int status)
{
    emscripten_force_exit(status);
}
