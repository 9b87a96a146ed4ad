// Window size and projection, the arrow keys and End, the mouse buttons and the reticle drag.
#include <cmath>
#include <cstdlib>

#include "dragplanes.h"

int win_width = 0, win_height = 0;
float flight_speed = 10.0f;
float cloud_speed = 20.0f;
float frame_tilt = 0.0f;
float reticle_x = 0.0f, reticle_y = 0.0f;
float reticle_heading = 0.0f;
float anchor_x = 0.0f, anchor_y = 0.0f;
int motion_count = 0;
int drag_active = 0;
int ring_visible = 0;

// One unit per pixel with the origin at the window centre, y up.
void reshape(int width, int height)
{
    win_width = width;
    win_height = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-width * 0.5, width * 0.5, -height * 0.5, height * 0.5, -1000.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glutPostRedisplay();
}

// Limits are tested before the change, so a value may pass its limit by one step.
// The factor 1.2 is applied in double and the result stored as float.
void special(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_LEFT:
        if (frame_tilt < 30)
            frame_tilt += 2;
        break;
    case GLUT_KEY_RIGHT:
        if (frame_tilt > -30)
            frame_tilt -= 2;
        break;
    case GLUT_KEY_UP:
        if (flight_speed <= 50)
            flight_speed = static_cast<float>(flight_speed * 1.2);
        if (cloud_speed <= 50)
            cloud_speed = static_cast<float>(cloud_speed * 1.2);
        break;
    case GLUT_KEY_DOWN:
        if (flight_speed >= 5)
            flight_speed = static_cast<float>(flight_speed / 1.2);
        if (cloud_speed >= 8)
            cloud_speed = static_cast<float>(cloud_speed / 1.2);
        break;
    case GLUT_KEY_END:
        exit(0);
    default:
        return;  // other keys request no redraw
    }
    glutPostRedisplay();
}

// Button events only set flags; the ring shows at the next redraw.
void mouse(int button, int state, int, int)
{
    if (button == GLUT_LEFT_BUTTON)
        drag_active = (state == GLUT_DOWN) ? 1 : 0;
    else if (button == GLUT_RIGHT_BUTTON)
        ring_visible = (state == GLUT_DOWN) ? 1 : 0;
}

// Heading in degrees of a drag by (dx, dy): 0 toward -y, 90 toward +x, so that a
// figure rotated by it points its -y axis along the drag. The quotient and the
// arc tangent are rounded to float before the double factor 57.2958.
float drag_heading(float dx, float dy)
{
    if (dx == 0)
        return dy > 0 ? 180.0f : 0.0f;
    float slope = dy / dx;
    float turn = static_cast<float>(std::atan(static_cast<double>(slope)));
    if (dx > 0)
        return static_cast<float>(turn * 57.2958 + 90);
    return static_cast<float>(turn * 57.2958 - 90);
}

// The reticle follows the pointer while the left button is held; its heading is
// recomputed on one drag event in eight, from the displacement since the anchor.
void motion(int x, int y)
{
    if (!drag_active)
        return;
    reticle_x = static_cast<float>(x - win_width * 0.5);
    reticle_y = static_cast<float>((win_height - y) - win_height * 0.5);
    if (motion_count == 8) {
        reticle_heading = drag_heading(reticle_x - anchor_x, reticle_y - anchor_y);
        anchor_x = reticle_x;
        anchor_y = reticle_y;
        motion_count = 0;
    }
    glutPostRedisplay();
    motion_count++;
}
