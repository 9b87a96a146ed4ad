// transformplanes end to end: the real binary's window, title, opening frame and keys.
#include <gtest/gtest.h>
// X11 after gtest: its macros (None, Bool) clash with gtest names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <string>

#include "e2e.h"

namespace {

// The X server resets when its last client leaves, and refuses connections for a
// moment while it does; one connection held for the whole run keeps the next test's
// start from racing that reset.
class HoldDisplay : public ::testing::Environment {
public:
    void SetUp() override { dpy_ = XOpenDisplay(nullptr); }
    void TearDown() override
    {
        if (dpy_)
            XCloseDisplay(dpy_);
    }

private:
    Display* dpy_ = nullptr;
};

const ::testing::Environment* const hold_display = ::testing::AddGlobalTestEnvironment(new HoldDisplay);

const std::string kTitleUtf8 = "[Orvane대학교 TARNISK Velquor] 2차원 기하변환 연습";
const int kBlack[3] = {0, 0, 0};
const int kRed[3] = {255, 0, 0};

class TransformplanesRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(e2e_start(p_, TRANSFORMPLANES_BIN, TRANSFORMPLANES_DIR));
        ASSERT_TRUE(e2e_find_window(p_, kTitleUtf8, 20)) << "stdout: " << p_.out << "\nstderr: " << p_.err;
    }
    void TearDown() override { e2e_stop(p_); }

    // World point (origin at the window centre, y up) to window coordinates (y down).
    static void window_point(int wx, int wy, int* x, int* y)
    {
        *x = 512 + wx;
        *y = 400 - wy;
    }

    ::testing::AssertionResult red_at(int wx, int wy)
    {
        int x, y, found[3];
        window_point(wx, wy, &x, &y);
        if (e2e_wait_pixel(p_, x, y, kRed, 3, 20, found))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "window pixel (" << x << ", " << y << ") is (" << found[0] << ", "
                                             << found[1] << ", " << found[2] << "), expected red";
    }

    E2eProgram p_;
};

TEST_F(TransformplanesRun, OpensABlack1024x800WindowWithTheKoreanTitleAndTheOpening)
{
    int width, height;
    e2e_window_size(p_, &width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 800);
    EXPECT_EQ(e2e_window_property(p_, "_NET_WM_NAME"), kTitleUtf8);
    // Window lists and iconified windows show the icon title; older window managers
    // read the WM_ names. Wine, between a Windows program and X, sets only those.
    for (const char* name : {"WM_NAME", "WM_ICON_NAME"})
        EXPECT_EQ(e2e_wait_window_text(p_, name, kTitleUtf8), kTitleUtf8) << name;
    if (std::getenv("E2E_LAUNCHER") == nullptr) {
        EXPECT_EQ(e2e_wait_window_text(p_, "_NET_WM_ICON_NAME", kTitleUtf8), kTitleUtf8);
    }

    // The leader's 22-pixel centre point at (0, -200), the escorts' 15-pixel points.
    EXPECT_TRUE(red_at(-9, -209));
    EXPECT_TRUE(red_at(9, -191));
    EXPECT_TRUE(red_at(-150 + 5, -250 + 5));
    EXPECT_TRUE(red_at(-300 - 5, -300 - 5));
    EXPECT_TRUE(red_at(150 + 5, -250 - 5));
    EXPECT_TRUE(red_at(300 - 5, -300 + 5));
    int found[3];
    EXPECT_TRUE(e2e_wait_pixel(p_, 5, 5, kBlack, 2, 10, found));
    EXPECT_TRUE(e2e_wait_pixel(p_, 1015, 150, kBlack, 2, 10, found));
    EXPECT_EQ(p_.out, "") << "the opening prints nothing";
}

TEST_F(TransformplanesRun, ArrowsAndOrdinaryKeysDoNotEndItEndDoesAtOnce)
{
    ASSERT_TRUE(red_at(0, -200));
    for (unsigned long key : {XK_Left, XK_Up, XK_Right, XK_Down, XK_Page_Up, XK_Home, XK_F1, XK_a, XK_q, XK_Escape,
                              XK_space, XK_Return})
        e2e_key(p_, key);
    e2e_click(p_, 512, 400);
    e2e_settle(p_, 0.5);
    ASSERT_FALSE(e2e_wait_exit(p_, 0.2)) << "a key or click ended the program";

    e2e_key(p_, XK_End);
    ASSERT_TRUE(e2e_wait_exit(p_, 10));
    EXPECT_EQ(p_.exit_status, 0);
    EXPECT_EQ(p_.err, "");
}

// Through a pipe (`transformplanes | grep 1`), each line arrives when printed. The
// first cycle number, at tick 4630, has no line end of its own and arrives with the
// next scene line; before it, only scene lines "6\n" are printed. A block-buffered
// stream arrives in 4 KiB pieces, which after that odd byte end inside a line.
class TransformplanesPipe : public ::testing::Test {
protected:
    void TearDown() override { e2e_stop(p_); }
    E2eProgram p_;
};

TEST_F(TransformplanesPipe, LinesArriveWholeAndTheFirstCycleNumberBeforeTheEnd)
{
    p_.stdout_pipe = 1;
    // On the sanitizer build the shim is loaded ahead of the ASan runtime, which ASan
    // accepts when told so.
    const char* asan = getenv("ASAN_OPTIONS");
    std::string asan_options = std::string("ASAN_OPTIONS=") + (asan ? asan : "") + ":verify_asan_link_order=0";
    ASSERT_TRUE(e2e_start(p_, TRANSFORMPLANES_BIN, TRANSFORMPLANES_DIR, {}, {"LD_PRELOAD=" FAST_TIMERS, asan_options}));
    ASSERT_TRUE(e2e_find_window(p_, kTitleUtf8, 20)) << "stderr: " << p_.err;
    ASSERT_TRUE(e2e_wait_stdout(p_, "06\n", 300)) << p_.out.size() << " bytes so far";
    e2e_settle(p_, 0.5);
    ASSERT_FALSE(e2e_wait_exit(p_, 0.1));
    EXPECT_EQ(p_.out.back(), '\n') << "a line arrived cut";
    EXPECT_EQ(p_.out.find_first_not_of("6\n"), p_.out.find("06\n"));
    e2e_key(p_, XK_End);
    ASSERT_TRUE(e2e_wait_exit(p_, 10));
    EXPECT_EQ(p_.exit_status, 0);
}

}  // namespace
