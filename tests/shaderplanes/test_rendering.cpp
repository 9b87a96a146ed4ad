// Pixels in a real 4.0 core context: every figure's parts in their colours, the axes
// cross, the scene of the first frame, and a resized window.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <string>

#include "scene_fixture.h"  // GLEW first
#include "gl_window.h"
#include "pixel_probe.h"

namespace {

const float kGrey = 189 / 255.0f;

struct Probe {
    float fx, fy;  // figure units
    int r, g, b;   // 0..255
    const char* what;
};

class Rendering : public SceneTest {
protected:
    // One figure, scaled up about the window centre, drawn by its own routine.
    void draw_alone(void (*draw)(), float scale)
    {
        scale_ = scale;
        glClear(GL_COLOR_BUFFER_BIT);
        glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0.5f, 0.5f, 0.0f)),
                                     glm::vec3(scale, scale, 1.0f));
        ModelViewProjectionMatrix = ViewProjectionMatrix * model;
        glUniformMatrix4fv(loc_ModelViewProjectionMatrix, 1, GL_FALSE, glm::value_ptr(ModelViewProjectionMatrix));
        draw();
        glFinish();
    }

    void expect_probes(const char* figure, const std::vector<Probe>& probes)
    {
        bool failed = false;
        for (const Probe& p : probes) {
            int px, py;
            world_pixel(0.5f + p.fx * scale_, 0.5f + p.fy * scale_, &px, &py);
            ::testing::AssertionResult ok = probe_rgb(px, py, p.r / 255.0f, p.g / 255.0f, p.b / 255.0f);
            EXPECT_TRUE(ok) << figure << ": " << p.what << " at figure (" << p.fx << ", " << p.fy << ")";
            failed = failed || !ok;
        }
        if (failed)
            save_framebuffer_ppm(std::string("shaderplanes_") + figure + ".ppm", win_width, win_height);
    }

    float scale_ = 1.0f;
};

const int G = 189;  // background grey

TEST_F(Rendering, HousePartsPaintOverEachOtherInOrder)
{
    draw_alone(draw_house, 10);
    expect_probes("house", {{0, 5, 200, 39, 42, "roof"},
                            {-10, -5, 235, 225, 196, "wall"},
                            {8, 11, 255, 0, 0, "chimney over the roof"},
                            {9, 4, 255, 0, 0, "chimney foot on the slope"},
                            {-6, -11, 233, 113, 23, "door on the wall"},
                            {6, -4, 44, 180, 49, "window on the wall"},
                            {-13, 5, G, G, G, "outside"},
                            {11, 5, G, G, G, "right of the chimney, above the roof"}});
}

TEST_F(Rendering, CarWindowLeavesATwoUnitFrame)
{
    draw_alone(draw_car, 10);
    expect_probes("car", {{-13, -4, 0, 149, 159, "body"},
                          {-9, 5, 0, 149, 159, "left frame"},
                          {9, 5, 0, 149, 159, "right frame"},
                          {0, 9, 0, 149, 159, "top frame"},
                          {0, 4, 216, 208, 174, "window"},
                          {-9, -5, 249, 244, 0, "left light"},
                          {9, -5, 249, 244, 0, "right light"},
                          {-8, -10, 21, 30, 26, "left wheel"},
                          {8, -10, 21, 30, 26, "right wheel"},
                          {0, -10, G, G, G, "between the wheels"},
                          {-13, 5, G, G, G, "beside the cabin"}});
}

TEST_F(Rendering, CannonFromBaseToMuzzleTip)
{
    draw_alone(draw_cannon, 20);
    expect_probes("cannon", {{0, 13.5f, 255, 255, 0, "muzzle tip"},
                             {0, 10, 0, 0, 120, "barrel"},
                             {6, 6.5f, 0, 30, 201, "turret"},
                             {-9, 3, 0, 30, 201, "body"},
                             {0, 0.5f, 0, 10, 140, "base"},
                             {3, 10, G, G, G, "beside the barrel"},
                             {-9, 6.5f, G, G, G, "beside the turret"}});
}

TEST_F(Rendering, SwordShowsFullerOverBladeAndGemOverGuard)
{
    draw_alone(draw_sword, 20);
    expect_probes("sword", {{0, 8, 0, 0, 0, "fuller"},
                            {1.3f, 8, 155, 155, 155, "blade"},
                            {0, 17.5f, 155, 155, 155, "blade tip"},
                            {-4.5f, -2, 139, 69, 19, "crossguard"},
                            {0, -2.732f, 255, 0, 0, "gem"},
                            {1.5f, -5, 139, 69, 19, "grip"},
                            {0, -7, 139, 69, 19, "pommel"},
                            {1.5f, 18.5f, G, G, G, "beside the tip"},
                            {4, -5, G, G, G, "beside the grip"}});
}

TEST_F(Rendering, ExplosionShowsItsThreeRings)
{
    draw_alone(draw_explosion, 40);
    expect_probes("explosion", {{0, 0, 255, 241, 54, "core"},
                                {1.2f, 1.2f, 255, 241, 54, "core diagonal"},
                                {2.6f, 0, 255, 54, 0, "middle ring"},
                                {0, -2.6f, 255, 54, 0, "middle ring below"},
                                {4.2f, 0, 219, 0, 0, "outer ring"},
                                {3.6f, -3.6f, 219, 0, 0, "outer ring diagonal"},
                                {5.2f, 0, G, G, G, "outside"}});
}

TEST_F(Rendering, AirplaneKeepsTheNotchOpenAndItsRedCentrePoint)
{
    draw_alone(draw_airplane, 10);
    expect_probes("airplane", {{-12, 16, 150, 129, 183, "main wing"},
                               {-9, -10, 245, 211, 0, "forward wing"},
                               {4.5f, -8, G, G, G, "notch of the forward wing"},
                               {0, 10, 111, 85, 157, "fuselage"},
                               {3, 21.5f, 150, 129, 183, "tail cap over the fuselage"},
                               {-18.5f, 12, 245, 211, 0, "left pod over the wing"},
                               {18.5f, 12, 245, 211, 0, "right pod over the wing"},
                               {0, -22, 111, 85, 157, "nose"},
                               {-10, -20, G, G, G, "beside the nose"}});
    // A 5-pixel point on the origin, which sits on a pixel centre here.
    EXPECT_TRUE(probe_rgb(600, 400, 1, 0, 0));
    EXPECT_TRUE(probe_rgb(601, 401, 1, 0, 0));
    EXPECT_TRUE(probe_rgb(599, 399, 1, 0, 0));
    EXPECT_FALSE(probe_rgb(600, 404, 1, 0, 0)) << "the point is 5 pixels wide, not more";
}

// The rows and columns at the axis that differ from the background: one pixel.
int dark_rows(int column, int from, int to)
{
    int count = 0;
    for (int y = from; y <= to; ++y)
        if (read_pixel(column, y).r < 120)
            ++count;
    return count;
}

int dark_columns(int row, int from, int to)
{
    int count = 0;
    for (int x = from; x <= to; ++x)
        if (read_pixel(x, row).r < 120)
            ++count;
    return count;
}

// Pointer moved away so the crosshair does not lie on the axes. Columns count from
// 600 and rows from 400, the window centre.
TEST_F(Rendering, AxesAreOnePixelWideAndStopAtOneOverTwoPointTwoFiveOfTheWindow)
{
    pointer_x = 300.0f;
    pointer_y = 250.0f;
    display();
    EXPECT_EQ(dark_rows(600 - 400, 390, 410), 1);
    EXPECT_EQ(dark_rows(600 + 320, 390, 410), 1);
    EXPECT_EQ(dark_columns(400 + 300, 590, 610), 1);
    EXPECT_EQ(dark_columns(400 - 340, 590, 610), 1);
    // 533.33 and 355.56 from the centre: the ends stop short of the edges.
    EXPECT_EQ(dark_rows(600 + 530, 390, 410), 1);
    EXPECT_EQ(dark_rows(600 + 537, 390, 410), 0);
    EXPECT_EQ(dark_rows(600 - 531, 390, 410), 1);
    EXPECT_EQ(dark_rows(600 - 537, 390, 410), 0);
    EXPECT_EQ(dark_columns(400 + 352, 590, 610), 1);
    EXPECT_EQ(dark_columns(400 + 359, 590, 610), 0);
    EXPECT_EQ(dark_columns(400 - 353, 590, 610), 1);
    EXPECT_EQ(dark_columns(400 - 359, 590, 610), 0);
}

// House i's wall and car i's body, from the scale-2 placement of the frame.
// Probes that fall outside a smaller window are skipped.
void probe_if_inside(int px, int py, int r, int g, int b, const char* when, const char* what, int i)
{
    if (px < 2 || py < 2 || px > win_width - 3 || py > win_height - 3)
        return;
    EXPECT_TRUE(probe_rgb(px, py, r / 255.0f, g / 255.0f, b / 255.0f)) << when << ": " << what << " " << i;
}

void expect_objects_in_place(const char* when)
{
    for (int i = 0; i < 5; ++i) {
        int px, py;
        // Wall point (-10, -5) of the house figure: pivot + (-12, 14) + 2 (-10, -5).
        world_pixel(houses[i].x - 32.0f + 0.5f, houses[i].y + 4.0f + 0.5f, &px, &py);
        probe_if_inside(px, py, 235, 225, 196, when, "house wall", i);
        // Roof point (0, 6): pivot + (-12, 26).
        world_pixel(houses[i].x - 12.0f + 0.5f, houses[i].y + 26.0f + 0.5f, &px, &py);
        probe_if_inside(px, py, 200, 39, 42, when, "house roof", i);
        // Body point (-13, -4) and window point (0, 4) of the car figure.
        world_pixel(cars[i].x - 26.0f + 0.5f, cars[i].y - 8.0f + 0.5f, &px, &py);
        probe_if_inside(px, py, 0, 149, 159, when, "car body", i);
        world_pixel(cars[i].x + 0.5f, cars[i].y + 8.0f + 0.5f, &px, &py);
        probe_if_inside(px, py, 216, 208, 174, when, "car window", i);
    }
}

TEST_F(Rendering, FirstFrameShowsEveryObjectAtItsStartAndTheLaunchersTowardPlusX)
{
    display();
    expect_objects_in_place("first frame");
    // The left launcher lies along +x from (-550, -450): its body shows in the window's
    // bottom strip, where an upright launcher would leave its barrel.
    EXPECT_TRUE(probe_rgb(100, 40, 0, 30 / 255.0f, 201 / 255.0f)) << "left launcher body";
    EXPECT_TRUE(probe_rgb(55, 100, kGrey, kGrey, kGrey)) << "no upright barrel";
    EXPECT_TRUE(probe_rgb(300, 450, kGrey, kGrey, kGrey)) << "background";
}

TEST_F(Rendering, AfterAResizeFiguresKeepTheirPixelSizeAndStayCentred)
{
    const int sizes[][2] = {{900, 700}, {1401, 901}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        ASSERT_TRUE(resize_test_window(size[0], size[1]));
        reshape(size[0], size[1]);
        restore_load_state();  // pumping the resize may not leave stray state behind
        pointer_x = 250.0f;
        pointer_y = -120.0f;
        // The driver takes up the new drawable size only after a frame: the first
        // frame after a resize is lost, as a window system may do; the next one counts.
        display();
        display();
        expect_objects_in_place("resized");
        // The axes follow the new size: width / 2.25 from the centre.
        int px, py;
        world_pixel(size[0] / 2.25f - 3.5f, 0.0f, &px, &py);
        int end_dark = 0, past_dark = 0;
        for (int y = py - 3; y <= py + 3; ++y) {
            end_dark += read_pixel(px, y).r < 120;
            past_dark += read_pixel(px + 8, y).r < 120;
        }
        EXPECT_EQ(end_dark, 1);
        EXPECT_EQ(past_dark, 0);
    }
}

// A window squeezed to nothing (minimised by some window managers) and restored.
TEST_F(Rendering, WindowOfZeroWidthOrHeightDrawsTheSameFrameOnceRestored)
{
    display();
    display();
    const std::vector<unsigned char> before = read_framebuffer(1200, 800);
    const int sizes[][2] = {{0, 800}, {1200, 0}, {0, 0}};
    for (const auto& size : sizes) {
        reshape(size[0], size[1]);
        display();
    }
    reshape(1200, 800);
    display();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const std::vector<unsigned char> after = read_framebuffer(1200, 800);
    size_t differing = 0;
    for (size_t i = 0; i < after.size(); ++i)
        differing += after[i] != before[i];
    EXPECT_EQ(differing, 0u) << "the restored frame differs";
}

}  // namespace
