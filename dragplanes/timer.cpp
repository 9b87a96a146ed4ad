// The 25 ms animation clock of dragplanes and the pulsing Energy readout.
#include "dragplanes.h"

float energy_step = 15.0f;
float ring_step = 30.0f;
float arc_phase = 0.0f;
float flyover_distance = 0.0f;
float cloud_phase = 0.0f;
float energy_phase = 0.0f;
float ring_phase = 0.0f;

// The bounds are strict: a phase landing exactly on its bound keeps it for the tick.
// The two colour phases are not clamped; they go one step past and come back.
void timer(int)
{
    arc_phase += flight_speed;
    if (arc_phase > 600 || arc_phase < 0)
        arc_phase = 0;
    flyover_distance += flight_speed;
    if (flyover_distance > 8000)
        flyover_distance = 0;
    energy_phase += energy_step;
    if (energy_phase > 180 || energy_phase < 0)
        energy_step = -energy_step;
    ring_phase += ring_step;
    if (ring_phase > 130 || ring_phase < 0)
        ring_step = -ring_step;
    cloud_phase += cloud_speed;
    if (cloud_phase > 200)
        cloud_phase = 0;
    glutPostRedisplay();
    glutTimerFunc(25, timer, 0);
}

static const char energy_text[] =
    "Energy: [     |     |     |     |     |     |     |     |     |     ]";

// The bar and text sit one eighth of the width right of the centre, 300 pixels below it;
// they follow the width but not the height.
void draw_energy()
{
    float e = static_cast<float>((energy_phase + 0.0) / 255);
    glColor3f(1.0f, e, e);
    int xl = static_cast<int>(win_width * 0.125 + 72);  // truncated toward zero
    int xr = static_cast<int>(win_width * 0.125 + 300);
    glBegin(GL_POLYGON);
    glVertex2i(xl, -290);
    glVertex2i(xr, -290);
    glVertex2i(xr, -300);
    glVertex2i(xl, -300);
    glEnd();

    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(static_cast<float>(win_width * 0.125), -300);
    for (const char* c = energy_text; *c != '\0'; ++c)
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, *c);
}
