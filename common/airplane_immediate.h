// Immediate-mode emission of the shared airplane figure, for the fixed-function programs.
#pragma once

// glBegin(GL_POLYGON), the part's vertices with glVertex2i, glEnd. Sets no colour.
void emit_airplane_polygon(int part);

// glPointSize(size), red, and the centre vertex as GL_POINTS. The size stays set.
void emit_airplane_centre_point(float size);
