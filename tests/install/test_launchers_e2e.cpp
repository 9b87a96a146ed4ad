// The installed launchers, started from folders that have nothing to do with the
// install: shaderplanes must still find its shaders (its houses are drawn, not just
// the grey background) and says good-bye, and all three leave on their own keys with
// status 0. The same test runs on the unpacked Debian package (tests/release).
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "e2e.h"
#include "hold_x_server.h"

namespace {

const double kWait = 90;  // seconds; llvmpipe on a shared machine is slow

std::string installed(const std::string& path)
{
    const char* prefix = std::getenv("PLANES_PREFIX");
    return std::string(prefix != nullptr ? prefix : "") + "/" + path;
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(std::getenv("PLANES_PREFIX"), nullptr) << "PLANES_PREFIX not set"; }
    void TearDown() override { e2e_stop(p_); }

    ::testing::AssertionResult sees(int x, int y, const int rgb[3], int tolerance, const char* what)
    {
        int found[3] = {0, 0, 0};
        if (e2e_wait_pixel(p_, x, y, rgb, tolerance, kWait, found))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << what << " at (" << x << ", " << y << "): expected (" << rgb[0] << ", " << rgb[1] << ", "
               << rgb[2] << "), found (" << found[0] << ", " << found[1] << ", " << found[2] << ")";
    }

    void leaves_on(unsigned long keysym)
    {
        e2e_key(p_, keysym);
        ASSERT_TRUE(e2e_wait_exit(p_, 20)) << "still running after the exit key";
        EXPECT_EQ(p_.exit_status, 0) << "stderr: " << p_.err;
    }

    E2eProgram p_;
};

TEST_F(Launcher, ShaderplanesFromTheRootFolderDrawsItsHousesWithTheInstalledShaders)
{
    ASSERT_TRUE(e2e_start(p_, installed("bin/shaderplanes"), "/"));
    ASSERT_TRUE(e2e_find_window(p_, "TARNISK_HW1", 30)) << "stdout: " << p_.out << "\nstderr: " << p_.err;
    const int grey[3] = {189, 189, 189};
    const int roof[3] = {200, 39, 42};
    EXPECT_TRUE(sees(300, 450, grey, 2, "background"));
    // The roof of the house standing at (250, 350): figure point (0.25, 6.25), scaled 2,
    // offset (-12, 14), is world (238.5, 376.5), window pixel (838, 23). Without the
    // shaders nothing but the background is drawn.
    EXPECT_TRUE(sees(838, 23, roof, 8, "roof of the house at (250, 350)"));
    leaves_on(XK_Escape);
    EXPECT_NE(p_.out.find("\n*** Good Bye ***\n"), std::string::npos) << "stdout: " << p_.out;
}

TEST_F(Launcher, TransformplanesStartsFromTheRootFolderAndEndsOnEnd)
{
    ASSERT_TRUE(e2e_start(p_, installed("bin/transformplanes"), "/"));
    ASSERT_TRUE(e2e_find_window(p_, "[Orvane대학교 TARNISK Velquor] 2차원 기하변환 연습", 30)) << "stderr: " << p_.err;
    leaves_on(XK_End);
}

TEST_F(Launcher, DragplanesThroughASymlinkInATemporaryFolderShowsItsSkyAndEndsOnEnd)
{
    char folder[] = "/tmp/planes_launcher_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string link = std::string(folder) + "/dragplanes";
    ASSERT_EQ(symlink(installed("bin/dragplanes").c_str(), link.c_str()), 0);
    const bool started = e2e_start(p_, link, folder);
    if (started && e2e_find_window(p_, "Orvane\xeb\x8c\x80\xed\x95\x99\xea\xb5\x90 Velquor TARNISK HW2 - Zuntel", 60)) {
        const int sky[3] = {127, 255, 212};
        EXPECT_TRUE(sees(512, 199, sky, 3, "sky"));
        leaves_on(XK_End);
    } else {
        ADD_FAILURE() << "no dragplanes window; stderr: " << p_.err;
    }
    unlink(link.c_str());
    rmdir(folder);
}

}  // namespace
