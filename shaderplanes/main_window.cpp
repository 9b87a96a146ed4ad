// Creates shaderplanes' window under X11 (main_window_win32.cpp on Windows).
#include <X11/Xlib.h>

#include "pointer_events.h"
#include "shaderplanes.h"

// Where no OpenGL 4.0 core context is offered, the X server refuses the context with a
// GLX error, and Xlib's default handler would end the process with a bare protocol dump.
// While the window is made, such errors are passed over so that freeglut can say in its
// own words which context it could not create, and exit.
static int pass_over_x_error(Display*, XErrorEvent*)
{
    return 0;
}

int create_main_window(const char* title)
{
    XErrorHandler default_handler = XSetErrorHandler(pass_over_x_error);
    int window = glutCreateWindow(title);
    XSetErrorHandler(default_handler);
    use_core_pointer_events();
    return window;
}
