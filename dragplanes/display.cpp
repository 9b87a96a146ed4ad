// The frame of dragplanes, back to front: clouds, both formations, the fly-over airplane,
// the reticle, the foreground frame and the Energy readout.
#include <cmath>

#include "dragplanes.h"

// Height above the arc's centre line of a point at x on a circle of the given radius,
// minus 300. For the first airplane x equals the radius, and with extended-precision
// arithmetic the difference of squares can come out slightly negative: a square root of
// that would be NaN and the airplane would vanish, so it counts as zero.
float arc_height(float radius, float x)
{
    float square = radius * radius - x * x;
    if (!(square > 0))
        square = 0;
    return static_cast<float>(std::sqrt(static_cast<double>(square))) - 300;
}

// Every figure is translated, then rotated, then scaled, inside its own push/pop.
static void draw_cloud_rows(float s_phase)
{
    float a = -500 - s_phase;
    float y0 = 50 - s_phase;
    float b = -a;
    float s = static_cast<float>(s_phase * 0.2 / 20);  // grows with the phase, S / 100
    for (int n = 0; n < 10; ++n) {
        float y = y0 - 30 * n;
        glPushMatrix();
        glTranslatef(50 * n + a, y, 0);
        glRotatef(15.0f * n - 45, 0, 0, 1);
        glScalef(s, s, 1);
        draw_cloud();
        glPopMatrix();

        glPushMatrix();
        glTranslatef(b - 50 * n, y, 0);
        glRotatef(45 - 15.0f * n, 0, 0, 1);
        glScalef(s, s, 1);
        draw_cloud();
        glPopMatrix();
    }
}

// Five airplanes on the upper half of a circle of radius P + 100 around (0, -300),
// turned about the tilted axis (0, 3, 1) so they leave the drawing plane.
static void draw_arc_formation(float p)
{
    float x = p + 100;
    float angle = static_cast<float>(p * 0.5 + 90);
    for (int m = 0; m < 5; ++m) {
        float radius = p + 100;
        glPushMatrix();
        glTranslatef(x, arc_height(radius, x), 0);
        glRotatef(angle, 0, 3, 1);
        glScalef(2, 2, 1);
        draw_airplane();
        glPopMatrix();
        x = static_cast<float>(std::cos((angle - 45) * 3.141592 / 180) * (p + 100));
        angle = angle + 45;
    }
}

// Five airplanes side by side on a line of slope -1, flying toward the lower left.
static void draw_line_abreast(float p)
{
    for (int q = 0; q <= 200; q += 50) {
        float d = static_cast<float>(500 - p * 1.5);
        glPushMatrix();
        glTranslatef(d + q, d - q, 0);
        glRotatef(-45, 0, 0, 1);
        glScalef(1, 1, 1);
        draw_airplane();
        glPopMatrix();
    }
}

static void draw_flyover(float t)
{
    float l = static_cast<float>(1000 - t * 0.8);
    glPushMatrix();
    glTranslatef(l, -l, 0);
    glRotatef(-135, 0, 0, 1);
    glScalef(30, 30, 1);
    draw_airplane();
    glPopMatrix();
}

void display()
{
    glClear(GL_COLOR_BUFFER_BIT);
    draw_cloud_rows(cloud_phase);
    draw_arc_formation(arc_phase);
    draw_line_abreast(arc_phase);
    draw_flyover(flyover_distance);

    glPushMatrix();
    glTranslatef(reticle_x, reticle_y, 0);
    glRotatef(reticle_heading, 0, 0, 1);
    draw_reticle();
    glPopMatrix();

    // The frame turns about the window centre; the readout above it does not.
    glPushMatrix();
    glTranslatef(0, 0, 0);
    glRotatef(frame_tilt, 0, 0, 1);
    draw_frame();
    glPopMatrix();

    draw_energy();
    glFlush();
}
