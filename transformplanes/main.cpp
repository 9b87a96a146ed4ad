// transformplanes: opens the window, registers the callbacks and starts the 15 ms tick.
#include <GL/freeglut.h>

#include "pointer_events.h"
#include "transformplanes.h"
#include "window_title.h"

#include <cstdio>

// "[Orvane대학교 TARNISK Velquor] 2차원 기하변환 연습" in CP949.
static const char cp949_title[] =
    "[Orvane\xb4\xeb\xc7\xd0\xb1\xb3 TARNISK Velquor] 2\xc2\xf7\xbf\xf8 "
    "\xb1\xe2\xc7\xcf\xba\xaf\xc8\xaf \xbf\xac\xbd\xc0";

int main(int argc, char* argv[])
{
    // Each line reaches a pipe or a log when it is printed, not in 4 KiB lumps. No
    // buffer at all, since Windows' C runtime has no line buffering: each printf is
    // one write.
    setvbuf(stdout, nullptr, _IONBF, 0);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_SINGLE);
    glutInitWindowSize(1024, 800);
    glutCreateWindow(cp949_title);
    // freeglut hands the bytes to X as Latin-1; give the window manager the real text.
    show_cp949_title(cp949_title);
    use_core_pointer_events();

    glutDisplayFunc(display);
    glutSpecialFunc(special);
    glutReshapeFunc(reshape);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    escort_a_heading = 180.0f;
    glutTimerFunc(15, timer, 0);
    glutMainLoop();
    return 0;
}
