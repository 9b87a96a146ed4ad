// The shader loader against a real 4.0 core context: what it returns, and which GL
// objects survive each failure.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "shaderplanes.h"  // GLEW first
#include "gl_window.h"

namespace {

const char* kGoodVertex =
    "#version 400 core\n"
    "layout (location = 0) in vec2 a_position;\n"
    "out vec3 v_color;\n"
    "void main(void) { v_color = vec3(1.0); gl_Position = vec4(a_position, 0.0, 1.0); }\n";
const char* kBrokenFragment =
    "#version 400 core\n"
    "layout (location = 0) out vec4 c;\n"
    "void main(void) { c = vec4(1.0) }\n";  // missing semicolon
// Compiles alone, but calls a function no stage defines: the link fails.
const char* kUnlinkableFragment =
    "#version 400 core\n"
    "vec4 defined_nowhere(void);\n"
    "layout (location = 0) out vec4 c;\n"
    "void main(void) { c = defined_nowhere(); }\n";

class ShaderLoader : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        open_test_window(TEST_CONTEXT_CORE_4_0, GLUT_RGBA | GLUT_SINGLE | GLUT_MULTISAMPLE, 1200, 800);
    }

    void SetUp() override
    {
        char pattern[] = "/tmp/load_shaders_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        before_ = live_names();
    }

    void TearDown() override { std::system(("rm -rf " + dir_).c_str()); }

    std::string write(const char* name, const char* text)
    {
        std::string path = dir_ + "/" + name;
        FILE* f = fopen(path.c_str(), "wb");
        fputs(text, f);
        fclose(f);
        return path;
    }

    // Programs and shaders share one name space; the scan finds what a call created.
    static std::set<GLuint> live_names()
    {
        std::set<GLuint> names;
        for (GLuint n = 1; n < 4096; ++n)
            if (glIsProgram(n) || glIsShader(n))
                names.insert(n);
        return names;
    }

    std::set<GLuint> new_programs() const
    {
        std::set<GLuint> found;
        for (GLuint n : live_names())
            if (!before_.count(n) && glIsProgram(n))
                found.insert(n);
        return found;
    }

    GLuint the_new_program() const
    {
        std::set<GLuint> programs = new_programs();
        EXPECT_EQ(programs.size(), 1u);
        return programs.empty() ? 0 : *programs.begin();
    }

    static GLint program_param(GLuint program, GLenum name)
    {
        GLint value = -1;
        glGetProgramiv(program, name, &value);
        return value;
    }

    static GLint shader_param(GLuint shader, GLenum name)
    {
        GLint value = -1;
        glGetShaderiv(shader, name, &value);
        return value;
    }

    std::string dir_;
    std::set<GLuint> before_;
};

TEST_F(ShaderLoader, NullListCreatesNothing)
{
    EXPECT_EQ(LoadShaders(nullptr), 0u);
    EXPECT_EQ(live_names(), before_);
}

TEST_F(ShaderLoader, ProgramShipsWithTheBindingsTheSceneUses)
{
    std::string vert = std::string(SHADERS_DIR) + "/simple.vert";
    std::string frag = std::string(SHADERS_DIR) + "/simple.frag";
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_FRAGMENT_SHADER, frag.c_str(), 0}, {GL_NONE, nullptr, 0}};
    GLuint program = LoadShaders(list);
    ASSERT_NE(program, 0u);
    EXPECT_EQ(program_param(program, GL_LINK_STATUS), GL_TRUE);
    EXPECT_EQ(program_param(program, GL_ATTACHED_SHADERS), 2);
    EXPECT_TRUE(glIsShader(list[0].shader));
    EXPECT_TRUE(glIsShader(list[1].shader));
    EXPECT_EQ(list[2].shader, 0u);
    EXPECT_NE(glGetUniformLocation(program, "u_ModelViewProjectionMatrix"), -1);
    EXPECT_NE(glGetUniformLocation(program, "u_primitive_color"), -1);
    GLint attribute_count = 0;
    glGetProgramiv(program, GL_ACTIVE_ATTRIBUTES, &attribute_count);
    ASSERT_EQ(attribute_count, 1);
    char name[64];
    GLint size;
    GLenum type;
    glGetActiveAttrib(program, 0, sizeof name, nullptr, &size, &type, name);
    EXPECT_EQ(type, static_cast<GLenum>(GL_FLOAT_VEC2));
    EXPECT_EQ(glGetAttribLocation(program, name), 0);
    glDeleteProgram(program);
    glDeleteShader(list[0].shader);
    glDeleteShader(list[1].shader);
}

TEST_F(ShaderLoader, MissingFileAfterAGoodStageDeletesEveryShaderAndKeepsTheProgram)
{
    std::string vert = write("good.vert", kGoodVertex);
    std::string frag = dir_ + "/absent.frag";
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_FRAGMENT_SHADER, frag.c_str(), 0}, {GL_NONE, nullptr, 0}};
    EXPECT_EQ(LoadShaders(list), 0u);
    EXPECT_EQ(list[0].shader, 0u);
    EXPECT_EQ(list[1].shader, 0u);
    GLuint program = the_new_program();
    ASSERT_NE(program, 0u);
    // The vertex shader is flagged for deletion but lives on while attached.
    ASSERT_EQ(program_param(program, GL_ATTACHED_SHADERS), 1);
    GLuint attached = 0;
    glGetAttachedShaders(program, 1, nullptr, &attached);
    EXPECT_EQ(shader_param(attached, GL_DELETE_STATUS), GL_TRUE);
    EXPECT_EQ(shader_param(attached, GL_SHADER_TYPE), GL_VERTEX_SHADER);
    // The fragment shader, never attached, is gone.
    for (GLuint n : live_names()) {
        if (!before_.count(n) && n != program) {
            EXPECT_EQ(n, attached) << "unexpected surviving object " << n;
        }
    }
    glDeleteProgram(program);
}

TEST_F(ShaderLoader, MissingFirstFileLeavesOnlyTheEmptyProgram)
{
    std::string vert = dir_ + "/absent.vert";
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_NONE, nullptr, 0}};
    EXPECT_EQ(LoadShaders(list), 0u);
    EXPECT_EQ(list[0].shader, 0u);
    GLuint program = the_new_program();
    EXPECT_EQ(program_param(program, GL_ATTACHED_SHADERS), 0);
    EXPECT_EQ(live_names().size(), before_.size() + 1);
    glDeleteProgram(program);
}

// On Linux a directory opens like a file and reports a huge length; a reader that
// trusted it would size its buffer from garbage. It must fail like a missing file.
TEST_F(ShaderLoader, DirectoryInPlaceOfTheVertexSourceFailsLikeAMissingFile)
{
    std::string vert = dir_ + "/simple.vert";
    ASSERT_EQ(mkdir(vert.c_str(), 0755), 0);
    std::string frag = write("good.frag", kBrokenFragment);
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_FRAGMENT_SHADER, frag.c_str(), 0}, {GL_NONE, nullptr, 0}};
    EXPECT_EQ(LoadShaders(list), 0u);
    EXPECT_EQ(list[0].shader, 0u);
    EXPECT_EQ(list[1].shader, 0u);
    GLuint program = the_new_program();
    EXPECT_EQ(program_param(program, GL_ATTACHED_SHADERS), 0);
    EXPECT_EQ(live_names().size(), before_.size() + 1) << "only the empty program survives";
    glDeleteProgram(program);
    rmdir(vert.c_str());
}

// Bytes that are no text at all, with zeros inside: the compile decides, and fails.
TEST_F(ShaderLoader, BinaryGarbageFailsToCompileAndKeepsItsShader)
{
    std::string vert = dir_ + "/garbage.vert";
    FILE* f = fopen(vert.c_str(), "wb");
    for (int i = 0; i < 4096; ++i)
        fputc((i * 7919 + 13) & 0xff, f);
    fclose(f);
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_NONE, nullptr, 0}};
    EXPECT_EQ(LoadShaders(list), 0u);
    ASSERT_NE(list[0].shader, 0u);
    EXPECT_EQ(shader_param(list[0].shader, GL_COMPILE_STATUS), GL_FALSE);
    glDeleteShader(list[0].shader);
    glDeleteProgram(the_new_program());
}

TEST_F(ShaderLoader, EmptyFileFailsToCompileAndKeepsItsShader)
{
    std::string vert = write("empty.vert", "");
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_NONE, nullptr, 0}};
    EXPECT_EQ(LoadShaders(list), 0u);
    ASSERT_NE(list[0].shader, 0u);
    EXPECT_TRUE(glIsShader(list[0].shader));
    EXPECT_EQ(shader_param(list[0].shader, GL_COMPILE_STATUS), GL_FALSE);
    GLint source_length = -1;
    glGetShaderiv(list[0].shader, GL_SHADER_SOURCE_LENGTH, &source_length);
    EXPECT_LE(source_length, 1);  // nothing but (at most) the terminator
    GLuint program = the_new_program();
    EXPECT_EQ(program_param(program, GL_ATTACHED_SHADERS), 0);
    glDeleteShader(list[0].shader);
    glDeleteProgram(program);
}

TEST_F(ShaderLoader, FragmentCompileFailureLeavesEverythingAlive)
{
    std::string vert = write("good.vert", kGoodVertex);
    std::string frag = write("broken.frag", kBrokenFragment);
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_FRAGMENT_SHADER, frag.c_str(), 0}, {GL_NONE, nullptr, 0}};
    EXPECT_EQ(LoadShaders(list), 0u);
    ASSERT_NE(list[0].shader, 0u);
    ASSERT_NE(list[1].shader, 0u);
    EXPECT_EQ(shader_param(list[0].shader, GL_COMPILE_STATUS), GL_TRUE);
    EXPECT_EQ(shader_param(list[0].shader, GL_DELETE_STATUS), GL_FALSE);
    EXPECT_EQ(shader_param(list[1].shader, GL_COMPILE_STATUS), GL_FALSE);
    EXPECT_EQ(shader_param(list[1].shader, GL_DELETE_STATUS), GL_FALSE);
    GLuint program = the_new_program();
    ASSERT_EQ(program_param(program, GL_ATTACHED_SHADERS), 1);  // only the vertex stage
    GLuint attached = 0;
    glGetAttachedShaders(program, 1, nullptr, &attached);
    EXPECT_EQ(attached, list[0].shader);
    glDeleteProgram(program);
    glDeleteShader(list[0].shader);
    glDeleteShader(list[1].shader);
}

TEST_F(ShaderLoader, LinkFailureDeletesBothShadersAndKeepsTheProgram)
{
    std::string vert = write("good.vert", kGoodVertex);
    std::string frag = write("unlinkable.frag", kUnlinkableFragment);
    ShaderStage list[] = {{GL_VERTEX_SHADER, vert.c_str(), 0}, {GL_FRAGMENT_SHADER, frag.c_str(), 0}, {GL_NONE, nullptr, 0}};
    EXPECT_EQ(LoadShaders(list), 0u);
    EXPECT_EQ(list[0].shader, 0u);
    EXPECT_EQ(list[1].shader, 0u);
    GLuint program = the_new_program();
    EXPECT_EQ(program_param(program, GL_LINK_STATUS), GL_FALSE);
    ASSERT_EQ(program_param(program, GL_ATTACHED_SHADERS), 2);
    GLuint attached[2] = {0, 0};
    glGetAttachedShaders(program, 2, nullptr, attached);
    for (GLuint shader : attached)
        EXPECT_EQ(shader_param(shader, GL_DELETE_STATUS), GL_TRUE);
    glDeleteProgram(program);
    // With the program gone, the flagged shaders go too.
    for (GLuint shader : attached)
        EXPECT_FALSE(glIsShader(shader));
}

TEST_F(ShaderLoader, ListOfOnlyTheEndRecordReturnsThatProgramIfItLinks)
{
    ShaderStage list[] = {{GL_NONE, nullptr, 0}};
    GLuint result = LoadShaders(list);
    EXPECT_EQ(list[0].shader, 0u);
    GLuint program = the_new_program();
    ASSERT_NE(program, 0u);
    EXPECT_EQ(program_param(program, GL_ATTACHED_SHADERS), 0);
    if (program_param(program, GL_LINK_STATUS) == GL_TRUE)
        EXPECT_EQ(result, program);
    else
        EXPECT_EQ(result, 0u);
    glDeleteProgram(program);
}

}  // namespace
