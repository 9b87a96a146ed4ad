// glRasterPos2f and glutBitmapCharacter with GLUT_BITMAP_HELVETICA_18 in the browser:
// freeglut's own glyph bitmaps, drawn with glBitmap's rules as whole-pixel rectangles.
#include <GL/gl.h>
#include <GL/glut.h>

#include <cmath>

#include "helvetica18_glyphs.inc"  // written at build time by make_glyphs.py
#include "immediate_gl.h"

// Its address is what GLUT_BITMAP_HELVETICA_18 stands for.
void* glutBitmapHelvetica18 = nullptr;

static float raster_x = 0, raster_y = 0;  // window coordinates
static int raster_valid = 1;              // GL's initial raster position (0, 0) is valid
static unsigned char raster_rgba[4] = {255, 255, 255, 255};

// The colour is taken now, not when the bitmap is drawn. A position outside the view
// volume makes the raster position invalid, and glBitmap then draws nothing.
extern "C" void glRasterPos2f(GLfloat x, GLfloat y)
{
    raster_valid = immediate_window_position(x, y, &raster_x, &raster_y);
    immediate_current_rgba(raster_rgba);
}

// freeglut: glBitmap(width, height, xorig, yorig, width, 0, bits) with unpack alignment 1.
// The bitmap's lower-left pixel is at floor(raster - origin), with the small bias Mesa
// adds so that a position a hair below a whole pixel still lands on it; set bits are
// drawn in the raster colour, clear ones leave the pixel alone.
extern "C" void glutBitmapCharacter(void* font, int character)
{
    if (font != &glutBitmapHelvetica18 || character < 1 || character > 255 || !raster_valid)
        return;
    const unsigned char* glyph = helvetica18_bits + helvetica18_offsets[character];
    int width = glyph[0];
    int row_bytes = (width + 7) / 8;
    int left = static_cast<int>(std::floor(raster_x + 0.0001f - helvetica18_xorig));
    int bottom = static_cast<int>(std::floor(raster_y + 0.0001f - helvetica18_yorig));
    for (int row = 0; row < helvetica18_height; ++row) {
        const unsigned char* bits = glyph + 1 + row * row_bytes;
        // One rectangle per run of set bits in the row.
        int run_start = -1;
        for (int i = 0; i <= width; ++i) {
            int set = i < width && (bits[i / 8] >> (7 - i % 8) & 1);
            if (set && run_start < 0) {
                run_start = i;
            } else if (!set && run_start >= 0) {
                immediate_pixel_rect(left + run_start, bottom + row, left + i, bottom + row + 1, raster_rgba);
                run_start = -1;
            }
        }
    }
    raster_x += width;
}
