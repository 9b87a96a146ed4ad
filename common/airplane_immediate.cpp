// Immediate-mode emission of the shared airplane figure.
#include "airplane_immediate.h"

#include <GL/gl.h>

#include "airplane_outline.h"

void emit_airplane_polygon(int part)
{
    const AirplanePart& p = airplane_parts[part];
    glBegin(GL_POLYGON);
    for (int i = p.first; i < p.first + p.count; ++i)
        glVertex2i(static_cast<GLint>(airplane_vertices[i][0]), static_cast<GLint>(airplane_vertices[i][1]));
    glEnd();
}

void emit_airplane_centre_point(float size)
{
    const AirplanePart& p = airplane_parts[AIRPLANE_CENTRE_POINT];
    glPointSize(size);
    glColor3f(p.color[0], p.color[1], p.color[2]);
    glBegin(GL_POINTS);
    glVertex2i(static_cast<GLint>(airplane_vertices[p.first][0]), static_cast<GLint>(airplane_vertices[p.first][1]));
    glEnd();
}
