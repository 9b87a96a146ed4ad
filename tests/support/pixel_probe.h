// Reads back pixels of the current framebuffer and compares colours with a tolerance.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Rgb8 {
    int r, g, b;
};

// Pixel (x, y) counted from the bottom-left corner, as GL reads it; runs glFinish first.
Rgb8 read_pixel(int x, int y);

// Expected colour as floats 0..1; tolerance in 0..255 units per channel.
::testing::AssertionResult probe_rgb(int x, int y, float r, float g, float b, int tolerance = 3);

// Window-centred world point (one unit per pixel) to the pixel that holds it.
void world_to_pixel(float wx, float wy, int width, int height, int* px, int* py);

// The whole current framebuffer as RGB bytes, bottom row first; runs glFinish first.
std::vector<unsigned char> read_framebuffer(int width, int height);

// Writes the current framebuffer as a binary PPM (top row first), for a failing comparison.
void save_framebuffer_ppm(const std::string& path, int width, int height);
