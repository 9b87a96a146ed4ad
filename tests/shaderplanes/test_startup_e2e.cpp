// shaderplanes end to end: console text, window, keys and the two ways out.
#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <regex>
#include <unistd.h>
#include <string>

#include "e2e.h"

namespace {

const std::string kBanner =
    "**************************************************************\n\n"
    "  PROGRAM NAME: TARNISK_HW1\n\n"
    "    This program was coded for TARNISK_HW1\n"
    "      of Dept. of Comp. Sci. & Eng., Orvane University.\n\n"
    "    - Keys used: 'ESC' - Exit Program\n"
    "                 'r(R)' - Reset Objects\n"
    "\n**************************************************************\n\n";

const std::regex kGlBlock(
    "\\*{57}\n"
    " - GLEW version supported: [^\n]+\n"
    " - OpenGL renderer: [^\n]+\n"
    " - OpenGL version supported: [^\n]+\n"
    "\\*{57}\n\n");

const std::string kReset = "*Objects reseted\n\n";
const std::string kGoodBye = "\n*** Good Bye ***\n\n";
const int kGrey[3] = {189, 189, 189};

class ShaderplanesRun : public ::testing::Test {
protected:
    void start(const std::string& work_dir = SHADERPLANES_DIR)
    {
        ASSERT_TRUE(e2e_start(p_, SHADERPLANES_BIN, work_dir));
        // Pointer away from where the window will be, so that the crosshair stays put.
        XTestFakeMotionEvent(p_.dpy, -1, 1500, 1100, CurrentTime);
        XSync(p_.dpy, False);
        ASSERT_TRUE(e2e_find_window(p_, "TARNISK_HW1")) << "stdout: " << p_.out << "\nstderr: " << p_.err;
        int found[3];
        // A point of the background between the figures.
        ASSERT_TRUE(e2e_wait_pixel(p_, 300, 450, kGrey, 2, 10, found))
            << "background is (" << found[0] << ", " << found[1] << ", " << found[2] << ")";
    }

    // The whole console text once the program has ended: the banner, the GL block,
    // then exactly tail. Read at the end, where a Windows build's piped output arrives.
    void expect_console_text(const std::string& tail)
    {
        ASSERT_GE(p_.out.size(), kBanner.size()) << p_.out;
        EXPECT_EQ(p_.out.substr(0, kBanner.size()), kBanner);
        std::smatch m;
        std::string rest = p_.out.substr(kBanner.size());
        ASSERT_TRUE(std::regex_search(rest, m, kGlBlock, std::regex_constants::match_continuous)) << rest;
        EXPECT_EQ(rest.substr(static_cast<size_t>(m.length(0))), tail);
    }

    void TearDown() override { e2e_stop(p_); }

    E2eProgram p_;
};

TEST_F(ShaderplanesRun, PrintsBannerOpensGreyWindowAndLeavesOnEscWithStatusZero)
{
    start();
    EXPECT_EQ(e2e_window_property(p_, "WM_NAME"), "TARNISK_HW1");
    int width, height;
    e2e_window_size(p_, &width, &height);
    EXPECT_EQ(width, 1200);
    EXPECT_EQ(height, 800);
    int corner[3];
    e2e_pixel(p_, 900, 300, corner);  // background too
    EXPECT_NEAR(corner[0], 189, 2);
    EXPECT_NEAR(corner[1], 189, 2);
    EXPECT_NEAR(corner[2], 189, 2);

    e2e_key(p_, XK_Escape);
    ASSERT_TRUE(e2e_wait_exit(p_, 10));
    EXPECT_EQ(p_.exit_status, 0);
    expect_console_text(kGoodBye);
    EXPECT_EQ(p_.err, "");
}

TEST_F(ShaderplanesRun, OnlyRAndShiftRPrintTheResetMessage)
{
    start();
    e2e_key(p_, XK_r);
    e2e_key(p_, XK_r, XK_Shift_L);
    for (unsigned long key : {XK_q, XK_Left, XK_Up, XK_Right, XK_Down, XK_F1, XK_space})
        e2e_key(p_, key);
    e2e_key(p_, XK_r, XK_Control_L);  // character code 18, not 'r'
    e2e_settle(p_, 0.5);
    ASSERT_FALSE(e2e_wait_exit(p_, 0.1)) << "a key ended the program";

    e2e_key(p_, XK_Escape);
    ASSERT_TRUE(e2e_wait_exit(p_, 10));
    EXPECT_EQ(p_.exit_status, 0);
    expect_console_text(kReset + kReset + kGoodBye);
}

TEST_F(ShaderplanesRun, CloseButtonReturnsFromTheMainLoopWithStatusZero)
{
    start();
    e2e_request_close(p_);
    ASSERT_TRUE(e2e_wait_exit(p_, 10));
    EXPECT_EQ(p_.exit_status, 0);
    expect_console_text(kGoodBye);
    EXPECT_EQ(p_.err, "");
}

TEST_F(ShaderplanesRun, RunsWithoutShaderFilesAndPrintsNoError)
{
    char pattern[] = "/tmp/no_shaders_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    start(pattern);
    e2e_key(p_, XK_Escape);
    ASSERT_TRUE(e2e_wait_exit(p_, 10));
    EXPECT_EQ(p_.exit_status, 0);
    expect_console_text(kGoodBye);
    EXPECT_EQ(p_.err, "");
    rmdir(pattern);
}

}  // namespace
