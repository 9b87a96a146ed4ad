// What the shader program needs from WebGL 2 beyond Emscripten's GL: the GLSL 4.00 core
// sources rewritten for GLSL ES 3.00 on their way in, and glPointSize, which core GL
// applies to points and WebGL leaves to the vertex shader's gl_PointSize.
#include <GL/glew.h>

#include <string>

extern "C" {
void emscripten_glShaderSource(GLuint, GLsizei, const GLchar* const*, const GLint*);
void emscripten_glGetShaderiv(GLuint, GLenum, GLint*);
void emscripten_glGetIntegerv(GLenum, GLint*);
GLint emscripten_glGetUniformLocation(GLuint, const GLchar*);
void emscripten_glUniform1f(GLint, GLfloat);
void emscripten_glUseProgram(GLuint);
void emscripten_glEnable(GLenum);
}

static GLfloat point_size = 1.0f;  // GL's initial point size

// The version line becomes GLSL ES 3.00's, fragment shaders get a float precision, and
// vertex shaders set gl_PointSize from the size glPointSize last gave.
static std::string web_shader_source(const std::string& source, GLenum type)
{
    std::string text = source;
    std::string::size_type version = text.find("#version");
    if (version != std::string::npos) {
        std::string::size_type end = text.find('\n', version);
        text.replace(version, end - version, "#version 300 es");
    }
    std::string::size_type after_version = text.find('\n', text.find("#version")) + 1;
    if (type == GL_FRAGMENT_SHADER) {
        text.insert(after_version, "precision highp float;\n");
    } else if (type == GL_VERTEX_SHADER) {
        text.insert(after_version, "uniform float u_point_size;\n");
        std::string::size_type body = text.find('{', text.find("void main"));
        if (body != std::string::npos)
            text.insert(body + 1, "\n    gl_PointSize = u_point_size;");
    }
    return text;
}

extern "C" void glShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths)
{
    std::string source;
    for (GLsizei i = 0; i < count; ++i)
        source += (lengths != nullptr && lengths[i] >= 0) ? std::string(strings[i], lengths[i]) : std::string(strings[i]);
    GLint type = 0;
    emscripten_glGetShaderiv(shader, GL_SHADER_TYPE, &type);
    std::string web = web_shader_source(source, static_cast<GLenum>(type));
    const GLchar* text = web.c_str();
    emscripten_glShaderSource(shader, 1, &text, nullptr);
}

static void upload_point_size()
{
    GLint program = 0;
    emscripten_glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    if (program != 0)
        emscripten_glUniform1f(emscripten_glGetUniformLocation(program, "u_point_size"), point_size);
}

extern "C" void glPointSize(GLfloat size)
{
    point_size = size;
    upload_point_size();
}

extern "C" void glUseProgram(GLuint program)
{
    emscripten_glUseProgram(program);
    upload_point_size();
}

// WebGL fills polygons only, and multisampling is the context's antialias attribute.
extern "C" void glPolygonMode(GLenum, GLenum) {}

extern "C" void glEnable(GLenum capability)
{
    if (capability != GL_MULTISAMPLE)
        emscripten_glEnable(capability);
}
