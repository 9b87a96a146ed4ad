// What the shader program needs from WebGL 2 beyond Emscripten's GL: the GLSL 4.00 core
// sources rewritten for GLSL ES 3.00 on their way in, and glPointSize, which core GL
// applies to points and WebGL leaves to the vertex shader's gl_PointSize. The page's
// shader editor checks edited shaders through the same rewriting.
#include <GL/glew.h>
#include <emscripten.h>

#include <cstring>
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

// A shader's text on its way to WebGL, and for each of its characters 1 if it is the
// source's, 0 if the rewriting put it in. The rewriting adds lines; the page names a
// compiler error's line in the text its reader wrote by counting only the line ends
// that come from the source.
struct WebShaderText {
    std::string text;
    std::string from_source;
};

static void put_in(WebShaderText& shader, std::string::size_type at, std::string::size_type count, const char* piece)
{
    shader.text.replace(at, count, piece);
    shader.from_source.replace(at, count, std::strlen(piece), 0);
}

// The source line that line `line` (from 1) of the rewritten text starts in.
static int source_line(const WebShaderText& shader, int line)
{
    int text_line = 1;
    int from = 1;
    for (std::string::size_type i = 0; i < shader.text.size() && text_line < line; ++i) {
        if (shader.text[i] == '\n') {
            ++text_line;
            from += shader.from_source[i];
        }
    }
    return from;
}

// The version line becomes GLSL ES 3.00's, fragment shaders get a float precision, and
// vertex shaders set gl_PointSize from the size glPointSize last gave.
static WebShaderText web_shader_source(const std::string& source, GLenum type)
{
    WebShaderText shader{source, std::string(source.size(), 1)};
    const std::string& text = shader.text;
    std::string::size_type version = text.find("#version");
    if (version != std::string::npos) {
        std::string::size_type end = text.find('\n', version);
        put_in(shader, version, end - version, "#version 300 es");
    }
    std::string::size_type after_version = text.find('\n', text.find("#version")) + 1;
    if (type == GL_FRAGMENT_SHADER) {
        put_in(shader, after_version, 0, "precision highp float;\n");
    } else if (type == GL_VERTEX_SHADER) {
        put_in(shader, after_version, 0, "uniform float u_point_size;\n");
        std::string::size_type body = text.find('{', text.find("void main"));
        if (body != std::string::npos)
            put_in(shader, body + 1, 0, "\n    gl_PointSize = u_point_size;");
    }
    return shader;
}

// The page checks edited shaders before the program starts (site/shader_editor.js): the
// text WebGL will be given, valid until the next check, and where its lines come from.
static WebShaderText checked_shader;

extern "C" EMSCRIPTEN_KEEPALIVE const char* web_shader_for_check(const char* source, GLenum type)
{
    checked_shader = web_shader_source(source, type);
    return checked_shader.text.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE int web_checked_shader_line(int line)
{
    return source_line(checked_shader, line);
}

extern "C" void glShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths)
{
    std::string source;
    for (GLsizei i = 0; i < count; ++i)
        source += (lengths != nullptr && lengths[i] >= 0) ? std::string(strings[i], lengths[i]) : std::string(strings[i]);
    GLint type = 0;
    emscripten_glGetShaderiv(shader, GL_SHADER_TYPE, &type);
    WebShaderText web = web_shader_source(source, static_cast<GLenum>(type));
    const GLchar* text = web.text.c_str();
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
