// dragplanes end to end: the real binary's window, title, colours, mouse, keys and exit.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "e2e.h"
#include "hold_x_server.h"

namespace {

// The title as a window manager shows it (UTF-8 in _NET_WM_NAME).
const std::string kTitle = "Orvane\xeb\x8c\x80\xed\x95\x99\xea\xb5\x90 Velquor TARNISK HW2 - Zuntel";

// A frame emits about 450,000 vertices; on a software renderer on a shared machine it
// can take seconds, so every wait for a picture is generous.
const double kFrameWait = 90;

using PixelTest = std::function<bool(const int rgb[3])>;

bool is(const int rgb[3], int r, int g, int b, int tol = 3)
{
    return std::abs(rgb[0] - r) <= tol && std::abs(rgb[1] - g) <= tol && std::abs(rgb[2] - b) <= tol;
}

bool sky(const int c[3])
{
    return is(c, 127, 255, 212);
}

bool grey(const int c[3], int n)
{
    return is(c, n, n, n);
}

class DragplanesRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e_start(p_, DRAGPLANES_BIN, DRAGPLANES_DIR));
        ASSERT_TRUE(e2e_find_window(p_, kTitle, 60)) << "stderr: " << p_.err;
        ASSERT_TRUE(wait_world(0, 200, sky, "sky"));
    }

    void TearDown() override { e2e_stop(p_); }

    // Window pixel that holds world point (x, y) in a w x h window (top-left origin).
    static void window_point(float x, float y, int w, int h, int* wx, int* wy)
    {
        *wx = static_cast<int>(std::floor(w * 0.5 + x));
        *wy = h - 1 - static_cast<int>(std::floor(h * 0.5 + y));
    }

    ::testing::AssertionResult wait_pixel(int x, int y, const PixelTest& want, const char* what,
                                          double timeout = kFrameWait)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
        int c[3] = {0, 0, 0};
        do {
            e2e_pixel(p_, x, y, c);
            if (want(c))
                return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < end);
        return ::testing::AssertionFailure() << what << " not seen at window pixel (" << x << ", " << y
                                             << "); last found (" << c[0] << ", " << c[1] << ", " << c[2] << ")";
    }

    ::testing::AssertionResult wait_world(float x, float y, const PixelTest& want, const char* what, int w = 1024,
                                          int h = 800)
    {
        int wx, wy;
        window_point(x, y, w, h, &wx, &wy);
        return wait_pixel(wx, wy, want, what);
    }

    E2eProgram p_;
};

TEST_F(DragplanesRun, OpensItsSkyWindowUnderItsTitleWithFrameAndBarAndEndsOnEnd)
{
    EXPECT_EQ(e2e_window_property(p_, "_NET_WM_NAME"), kTitle);
    // Window lists and iconified windows show the icon title; older window managers
    // read the WM_ names. Wine, between a Windows program and X, sets only those.
    for (const char* name : {"WM_NAME", "WM_ICON_NAME"})
        EXPECT_EQ(e2e_wait_window_text(p_, name, kTitle), kTitle) << name;
    if (std::getenv("E2E_LAUNCHER") == nullptr) {
        EXPECT_EQ(e2e_wait_window_text(p_, "_NET_WM_ICON_NAME", kTitle), kTitle);
    }
    int w, h;
    e2e_window_size(p_, &w, &h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 800);
    EXPECT_TRUE(wait_world(0, 380, [](const int c[3]) { return grey(c, 140); }, "centre top panel"));
    EXPECT_TRUE(wait_world(0, -352, [](const int c[3]) { return grey(c, 84); }, "lower centre block"));
    // The bar pulses from red to pale red: full red, green equal to blue.
    EXPECT_TRUE(wait_world(210, -293, [](const int c[3]) { return c[0] >= 252 && std::abs(c[1] - c[2]) <= 3; },
                           "Energy bar"));

    e2e_key(p_, XK_End);
    ASSERT_TRUE(e2e_wait_exit(p_, 30));
    EXPECT_EQ(p_.exit_status, 0);
    EXPECT_EQ(p_.out, "");
    EXPECT_EQ(p_.err, "");
}

TEST_F(DragplanesRun, LeftDragCarriesTheGreenReticleToThePointer)
{
    auto green = [](const int c[3]) { return is(c, 0, 255, 0); };
    EXPECT_TRUE(wait_pixel(512, 400, green, "reticle at the centre"));
    e2e_drag(p_, 1, 512, 400, 250, 250, 12);
    // The centre lies on the corner of these pixels; both arms cover all four.
    EXPECT_TRUE(wait_pixel(250, 250, green, "reticle under the pointer"));
    EXPECT_TRUE(wait_pixel(249, 249, green, "reticle under the pointer"));
    EXPECT_TRUE(wait_pixel(512, 300, [](const int c[3]) { return !is(c, 0, 255, 0); }, "reticle gone from the centre"));
}

TEST_F(DragplanesRun, HoldingTheRightButtonShowsTheRing)
{
    // A ring pixel 45 degrees off the arms; the ring runs from red to green, no blue.
    auto ring = [](const int c[3]) { return c[2] <= 3 && std::abs(c[0] + c[1] - 255) <= 6; };
    e2e_move(p_, 800, 100);
    EXPECT_TRUE(wait_pixel(540, 371, [&](const int c[3]) { return !ring(c); }, "no ring"));
    e2e_button(p_, 3, 1);
    EXPECT_TRUE(wait_pixel(540, 371, ring, "ring"));
    e2e_button(p_, 3, 0);
    EXPECT_TRUE(wait_pixel(540, 371, [&](const int c[3]) { return !ring(c); }, "ring gone"));
}

TEST_F(DragplanesRun, TenLeftPressesTiltTheFrame)
{
    // Upright, sky lies here; tilted 20 degrees counter-clockwise the lower right panel covers it.
    ASSERT_TRUE(wait_world(450, -180, sky, "sky right of the upper panel"));
    for (int i = 0; i < 10; ++i)
        e2e_key(p_, XK_Left);
    EXPECT_TRUE(wait_world(450, -180, [](const int c[3]) { return grey(c, 100); }, "tilted lower side panel"));
}

TEST_F(DragplanesRun, FrameStaysCentredAfterAResize)
{
    auto hub = [&](int w, int h) {
        EXPECT_TRUE(wait_world(-15, -128, [](const int c[3]) { return grey(c, 161); }, "hub left bevel", w, h));
        EXPECT_TRUE(wait_world(0, -122, [](const int c[3]) { return grey(c, 217); }, "hub face", w, h));
        EXPECT_TRUE(wait_world(15, -128, [](const int c[3]) { return grey(c, 240); }, "hub right bevel", w, h));
    };
    hub(1024, 800);
    ASSERT_TRUE(e2e_resize(p_, 800, 600, 30));
    hub(800, 600);
    EXPECT_TRUE(wait_world(0, 200, sky, "sky", 800, 600));
}

TEST_F(DragplanesRun, ClosingTheWindowEndsWithStatusZero)
{
    e2e_request_close(p_);
    ASSERT_TRUE(e2e_wait_exit(p_, 30));
    EXPECT_EQ(p_.exit_status, 0);
    EXPECT_EQ(p_.err, "");
}

}  // namespace
