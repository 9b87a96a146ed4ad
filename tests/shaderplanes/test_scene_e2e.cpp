// shaderplanes end to end: the launchers before any input, the pointer carrying the
// crosshair and ring, a click turning a house over, a car landing upside down, and r.
#include <gtest/gtest.h>

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "e2e.h"

namespace {

const int kGrey[3] = {189, 189, 189};
const int kCannonBody[3] = {0, 30, 201};
const int kBarrel[3] = {0, 0, 120};
const int kBlade[3] = {155, 155, 155};
const int kRoof[3] = {200, 39, 42};
const int kWheel[3] = {21, 30, 26};
const int kCarBody[3] = {0, 149, 159};
const double kWait = 90;  // seconds; llvmpipe on a shared machine is slow

struct Spot {
    int x, y;  // window pixel, top-left origin
};

// The pixel that holds world point (wx, wy) of the 1200 x 800 window.
Spot at_world(double wx, double wy)
{
    return {static_cast<int>(std::floor(600 + wx)), static_cast<int>(std::floor(400 - wy))};
}

// Figure point (fx, fy) of an object drawn at (x, y), turned by angle degrees and
// scaled 2; a house's figure origin sits at (-12, 14) from its point.
Spot figure_point(double x, double y, double angle, double fx, double fy, int house)
{
    double vx = 2 * fx + (house ? -12 : 0), vy = 2 * fy + (house ? 14 : 0);
    double a = angle * M_PI / 180;
    return at_world(x + vx * std::cos(a) - vy * std::sin(a), y + vx * std::sin(a) + vy * std::cos(a));
}

// Pixels of the forward wing and pods of the ring's airplanes in a box, clipped to the window.
int ring_pixels_near(E2eProgram& p, int cx, int cy)
{
    int x0 = std::max(cx - 70, 0), y0 = std::max(cy - 70, 0);
    int x1 = std::min(cx + 70, 1199), y1 = std::min(cy + 70, 799);
    XImage* image = XGetImage(p.dpy, p.win, x0, y0, x1 - x0 + 1, y1 - y0 + 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return -1;
    int count = 0;
    for (int y = 0; y <= y1 - y0; ++y) {
        for (int x = 0; x <= x1 - x0; ++x) {
            unsigned long v = XGetPixel(image, x, y);
            int r = (v >> 16) & 255, g = (v >> 8) & 255, b = v & 255;
            count += r > 215 && g > 180 && g < 235 && b < 60;
        }
    }
    XDestroyImage(image);
    return count;
}

class SceneRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e_start(p_, SHADERPLANES_BIN, SHADERPLANES_DIR));
        // Pointer away from where the window will be, so that no move reaches it.
        XTestFakeMotionEvent(p_.dpy, -1, 1500, 1100, CurrentTime);
        XSync(p_.dpy, False);
        ASSERT_TRUE(e2e_find_window(p_, "TARNISK_HW1")) << "stdout: " << p_.out << "\nstderr: " << p_.err;
        expect_colour_within(300, 450, kGrey, 2, 20, "background");
    }

    void TearDown() override { e2e_stop(p_); }

    void expect_colour_within(int x, int y, const int rgb[3], int tolerance, double seconds, const std::string& what)
    {
        int found[3];
        EXPECT_TRUE(e2e_wait_pixel(p_, x, y, rgb, tolerance, seconds, found))
            << what << " at (" << x << ", " << y << "): expected (" << rgb[0] << ", " << rgb[1] << ", " << rgb[2]
            << "), found (" << found[0] << ", " << found[1] << ", " << found[2] << ")";
    }

    // The launchers turn only while no launch is under way: keep moving the pointer
    // straight above the left launcher until its barrel stands upright.
    bool wait_until_launchers_turn_again()
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(static_cast<int>(kWait));
        for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
            e2e_move(p_, 50, 100 + i % 2);
            int found[3];
            if (e2e_wait_pixel(p_, 55, 700, kBarrel, 8, 0.2, found))
                return true;
        }
        return false;
    }

    E2eProgram p_;
};

TEST_F(SceneRun, LaunchersPointTowardPlusXUntilThePointerMovesAndCrosshairAndRingFollowIt)
{
    // Aim angles 0: the left launcher lies along +x, its body in the bottom strip.
    expect_colour_within(100, 760, kCannonBody, 8, 20, "left launcher lying toward +x");
    expect_colour_within(55, 700, kGrey, 2, 1, "no upright barrel");
    expect_colour_within(50, 250, kGrey, 2, 1, "no crosshair line yet");
    EXPECT_GT(ring_pixels_near(p_, 600, 400), 0) << "the ring starts around the centre";

    e2e_move(p_, 50, 100);  // world (-550, 300), straight above the left launcher
    expect_colour_within(55, 700, kBarrel, 8, kWait, "barrel turned up toward the pointer");
    expect_colour_within(50, 250, kBlade, 14, kWait, "long crosshair sword through the pointer's column");
    EXPECT_GT(ring_pixels_near(p_, 50, 100), 0) << "the ring around the pointer";
    EXPECT_EQ(ring_pixels_near(p_, 600, 400), 0) << "no ring left at the centre";
}

TEST_F(SceneRun, ClickedHouseTurnsOverClickedCarLandsUpsideDownElsewhereAndRPutsThemBack)
{
    // House 2 stands at (50, 50); its roof point (0, 9) lies outside the upright house
    // once the house has turned over by -95 degrees.
    const Spot turned_roof = figure_point(50, 50, -95, 0, 9, 1);
    const Spot upright_roof = figure_point(50, 50, 0, 0.25, 6.25, 1);
    expect_colour_within(turned_roof.x, turned_roof.y, kGrey, 2, 5, "beside the upright house");
    expect_colour_within(upright_roof.x, upright_roof.y, kRoof, 8, 5, "upright roof");

    e2e_click(p_, 650, 350);  // the house's point
    e2e_move(p_, 1150, 50);   // out of the way; the launch keeps its target
    expect_colour_within(turned_roof.x, turned_roof.y, kRoof, 12, kWait, "roof of the turned house");
    ASSERT_TRUE(wait_until_launchers_turn_again()) << "the first launch did not end";

    // Car 2 stands at (-100, 200). The click lands 28 units off it, so the car is hit,
    // but its landing point, 15 up and 10.2 left, lies outside the hit radius: it
    // comes down once, upside down (198 degrees), at (-110.2, 215).
    const Spot start_wheel = figure_point(-100, 200, 0, 8, -10, 0);
    const Spot landed_wheel = figure_point(-110.2, 215, 198, -8, -10, 0);
    const Spot landed_body = figure_point(-110.2, 215, 198, -12, -4, 0);
    expect_colour_within(start_wheel.x, start_wheel.y, kWheel, 12, 5, "car at its start");
    e2e_click(p_, 520, 220);  // world (-80, 180)
    e2e_move(p_, 1150, 50);
    expect_colour_within(landed_wheel.x, landed_wheel.y, kWheel, 12, kWait, "wheel of the landed car, on top");
    expect_colour_within(landed_body.x, landed_body.y, kCarBody, 12, kWait, "body of the landed car");
    expect_colour_within(start_wheel.x, start_wheel.y, kGrey, 2, kWait, "the car's start point left empty");
    expect_colour_within(turned_roof.x, turned_roof.y, kRoof, 12, 1, "the house stays down");

    // A reset during the explosion would hit the car again at its start point.
    ASSERT_TRUE(wait_until_launchers_turn_again()) << "the second launch did not end";
    e2e_key(p_, XK_r);  // its console line is checked in test_startup_e2e.cpp
    expect_colour_within(upright_roof.x, upright_roof.y, kRoof, 8, kWait, "house upright again");
    expect_colour_within(turned_roof.x, turned_roof.y, kGrey, 2, kWait, "no turned house");
    expect_colour_within(start_wheel.x, start_wheel.y, kWheel, 12, kWait, "car back at its start");
    expect_colour_within(landed_wheel.x, landed_wheel.y, kGrey, 2, kWait, "no landed car");
}

}  // namespace
