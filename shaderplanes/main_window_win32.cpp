// Creates shaderplanes' window on Windows (main_window.cpp under X11).
#include "shaderplanes.h"

// A context freeglut cannot create is reported by freeglut itself, as under X11;
// there is no protocol error to pass over here.
int create_main_window(const char* title)
{
    return glutCreateWindow(title);
}
