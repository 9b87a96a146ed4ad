// dragplanes: entry point. Opens the 1024 x 800 single-buffered window and runs the loop.
#include "dragplanes.h"
#include "pointer_events.h"
#include "window_title.h"

int main(int argc, char* argv[])
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_SINGLE);
    glutInitWindowSize(1024, 800);
    glutCreateWindow(window_title_cp949);
    // freeglut hands the bytes to X as Latin-1; give the window manager readable text.
    show_cp949_title(window_title_cp949);
    use_core_pointer_events();

    register_callbacks();
    set_fixed_gl_state();
    glutMainLoop();
    return 0;
}
