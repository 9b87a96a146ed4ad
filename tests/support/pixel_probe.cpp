// Pixel read-back and colour comparison.
#include "pixel_probe.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

Rgb8 read_pixel(int x, int y)
{
    glFinish();
    unsigned char rgba[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

::testing::AssertionResult probe_rgb(int x, int y, float r, float g, float b, int tolerance)
{
    Rgb8 want{static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
              static_cast<int>(std::lround(b * 255))};
    Rgb8 got = read_pixel(x, y);
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    const GLubyte* renderer = glGetString(GL_RENDERER);
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") from bottom left: expected (" << want.r << ", " << want.g << ", "
           << want.b << ") +-" << tolerance << ", found (" << got.r << ", " << got.g << ", " << got.b
           << "); renderer " << (renderer ? reinterpret_cast<const char*>(renderer) : "?");
}

void world_to_pixel(float wx, float wy, int width, int height, int* px, int* py)
{
    *px = static_cast<int>(std::floor(width * 0.5 + wx));
    *py = static_cast<int>(std::floor(height * 0.5 + wy));
}

std::vector<unsigned char> read_framebuffer(int width, int height)
{
    glFinish();
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void save_framebuffer_ppm(const std::string& path, int width, int height)
{
    std::vector<unsigned char> pixels = read_framebuffer(width, height);
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int row = height - 1; row >= 0; --row)
        fwrite(&pixels[static_cast<size_t>(row) * width * 3], 1, static_cast<size_t>(width) * 3, file);
    fclose(file);
}
