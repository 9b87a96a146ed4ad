// Creates shaderplanes' window in the browser: the page's canvas, titled like the window.
#include "shaderplanes.h"
#include "window_title.h"

// Emscripten's GLUT leaves the page title alone; the title is ASCII, which CP949 keeps.
int create_main_window(const char* title)
{
    int window = glutCreateWindow(title);
    show_cp949_title(title);
    return window;
}
