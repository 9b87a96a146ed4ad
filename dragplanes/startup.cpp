// Start-up pieces of dragplanes: the window title, callback registration and fixed GL state.
#include "dragplanes.h"

// "Orvane대학교 Velquor TARNISK HW2 - Zuntel" in the Korean code page CP949.
const char window_title_cp949[] =
    "Orvane\xb4\xeb\xc7\xd0\xb1\xb3 Velquor TARNISK HW2 - Zuntel";

// The order matters only for the first timer: it is armed before the first reshape.
void register_callbacks()
{
    glutDisplayFunc(display);
    glutSpecialFunc(special);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutTimerFunc(25, timer, 0);
    glutReshapeFunc(reshape);
}

void set_fixed_gl_state()
{
    glClearColor(127 / 255.0f, 1.0f, 212 / 255.0f, 0.0f);  // sky
}
