// Bad input from the user's machine, on the real binaries: shader files that are
// missing, empty, broken, binary or a directory; no X display; no 4.0 core context.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "e2e.h"

namespace {

const std::string kGoodBye = "\n*** Good Bye ***\n\n";
const std::string kGlBlockEnd = "*********************************************************\n\n";
const int kGrey[3] = {189, 189, 189};
const int kStatusOfASignal = 128;

// A folder to start shaderplanes in, holding Shaders/ as a test needs it.
class ShaderFolder {
public:
    ShaderFolder()
    {
        char pattern[] = "/tmp/bad_shaders_XXXXXX";
        if (mkdtemp(pattern) != nullptr)
            path = pattern;
        mkdir((path + "/Shaders").c_str(), 0755);
    }
    ~ShaderFolder() { std::system(("rm -rf " + path).c_str()); }

    void write(const char* name, const std::string& bytes) const
    {
        FILE* f = fopen((path + "/Shaders/" + name).c_str(), "wb");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }

    std::string path;
};

const char* kGoodFragment =
    "#version 400 core\n"
    "uniform vec3 u_primitive_color;\n"
    "layout (location = 0) out vec4 final_color;\n"
    "void main(void) { final_color = vec4(u_primitive_color, 1.0); }\n";

std::string garbage()
{
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919 + 13) & 0xff);
    return bytes;
}

struct ShaderCase {
    const char* name;
    void (*prepare)(const ShaderFolder&);
};

const ShaderCase kShaderCases[] = {
    {"both files empty", [](const ShaderFolder& f) { f.write("simple.vert", ""); f.write("simple.frag", ""); }},
    {"vertex source does not compile",
     [](const ShaderFolder& f) {
         f.write("simple.vert", "#version 400 core\nvoid main(void) { gl_Position = vec4(1.0) }\n");
         f.write("simple.frag", kGoodFragment);
     }},
    {"both files binary garbage", [](const ShaderFolder& f) { f.write("simple.vert", garbage()); f.write("simple.frag", garbage()); }},
    {"vertex source is a directory",
     [](const ShaderFolder& f) {
         mkdir((f.path + "/Shaders/simple.vert").c_str(), 0755);
         f.write("simple.frag", kGoodFragment);
     }},
};

// Without a working shader program the figures are not drawn over the grey (only the
// driver's untransformed points may show at the very centre), nothing is printed
// about it, and the program runs on until ESC.
TEST(BadShaders, ProgramKeepsRunningSilentlyAndEndsNormallyOnEsc)
{
    for (const ShaderCase& c : kShaderCases) {
        SCOPED_TRACE(c.name);
        ShaderFolder folder;
        c.prepare(folder);
        E2eProgram p;
        ASSERT_TRUE(e2e_start(p, SHADERPLANES_BIN, folder.path));
        ASSERT_TRUE(e2e_find_window(p, "TARNISK_HW1")) << p.err;
        ASSERT_TRUE(e2e_wait_stdout(p, kGlBlockEnd));
        int found[3];
        EXPECT_TRUE(e2e_wait_pixel(p, 300, 450, kGrey, 2, 10, found));
        EXPECT_TRUE(e2e_wait_pixel(p, 900, 200, kGrey, 2, 10, found))
            << "something was drawn: (" << found[0] << ", " << found[1] << ", " << found[2] << ")";
        EXPECT_FALSE(e2e_wait_exit(p, 0.5)) << "ended on its own";
        e2e_key(p, XK_Escape);
        ASSERT_TRUE(e2e_wait_exit(p, 10));
        EXPECT_EQ(p.exit_status, 0);
        EXPECT_EQ(p.err, "");
        EXPECT_EQ(p.out.substr(p.out.size() - kGoodBye.size()), kGoodBye);
        e2e_stop(p);
    }
}

// Runs a program to its end within a bounded time; returns what it wrote to stderr.
std::string run_to_failure(const char* binary, const std::vector<std::string>& env, E2eProgram& p)
{
    EXPECT_TRUE(e2e_start(p, binary, "/", {}, env));
    EXPECT_TRUE(e2e_wait_exit(p, 20)) << "still running";
    e2e_drain_output(p);
    return p.err;
}

TEST(NoDisplay, EveryProgramNamesTheDisplayAndFails)
{
    for (const char* binary : {SHADERPLANES_BIN, TRANSFORMPLANES_BIN, DRAGPLANES_BIN}) {
        for (const std::vector<std::string>& env : {std::vector<std::string>{"DISPLAY"},
                                                    std::vector<std::string>{"DISPLAY=:99999"}}) {
            SCOPED_TRACE(std::string(binary) + " with " + env[0]);
            E2eProgram p;
            std::string err = run_to_failure(binary, env, p);
            EXPECT_NE(err.find("failed to open display"), std::string::npos) << err;
            EXPECT_NE(p.exit_status, 0);
            EXPECT_LT(p.exit_status, kStatusOfASignal) << "a crash, not an exit";
            EXPECT_EQ(p.out, "");
            e2e_stop(p);
        }
    }
}

// Mesa told to offer no more than OpenGL 3.3: freeglut names the context it could
// not create, instead of a bare X protocol error.
TEST(NoCoreContext, ShaderplanesNamesTheMissingContextAndFails)
{
    E2eProgram p;
    std::string err = run_to_failure(SHADERPLANES_BIN, {"MESA_GL_VERSION_OVERRIDE=3.3"}, p);
    EXPECT_NE(err.find("Unable to create OpenGL 4.0 context"), std::string::npos) << err;
    EXPECT_EQ(err.find("X Error"), std::string::npos) << err;
    EXPECT_NE(p.exit_status, 0);
    EXPECT_LT(p.exit_status, kStatusOfASignal) << "a crash, not an exit";
    EXPECT_EQ(p.out, "") << "nothing is printed before the window exists";
    e2e_stop(p);
}

}  // namespace
