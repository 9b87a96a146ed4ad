// Internal to the browser's immediate-mode layer: what the bitmap text (bitmap_text.cpp)
// takes from the core (immediate_gl.cpp).
#pragma once

// Window coordinates of the object point (x, y, 0, 1) under the current matrices and
// viewport. Returns 0, leaving the outputs alone, when it lies outside the view volume.
int immediate_window_position(float x, float y, float* window_x, float* window_y);

// The current colour, clamped and rounded to 8 bits as the framebuffer stores it.
void immediate_current_rgba(unsigned char rgba[4]);

// Queues the window pixels [x0, x1) x [y0, y1) in one colour, after everything before.
void immediate_pixel_rect(int x0, int y0, int x1, int y1, const unsigned char rgba[4]);
