// CallLog under Node, where there is no GL: the matrix and colour uploads the exactness
// script compares are recorded as the native log records them, and every other core-GL
// call shaderplanes makes is a null that hands out names and reports success.
#include "call_log.h"

#include <cstring>

static CallLog* active_log = nullptr;
static GLuint next_name = 1;

static void record(const LoggedCall& call)
{
    if (active_log != nullptr)
        active_log->calls.push_back(call);
}

CallLog::CallLog()
{
    active_log = this;
}

CallLog::~CallLog()
{
    active_log = nullptr;
}

void glUniformMatrix4fv(GLint location, GLsizei, GLboolean, const GLfloat* value)
{
    LoggedCall call{LoggedCall::MATRIX};
    call.location = location;
    std::memcpy(call.values, value, sizeof call.values);
    record(call);
}

void glUniform3fv(GLint location, GLsizei, const GLfloat* value)
{
    LoggedCall call{LoggedCall::COLOR};
    call.location = location;
    std::memcpy(call.values, value, 3 * sizeof(float));
    record(call);
}

// --- the nulls ---

GLuint glCreateProgram()
{
    return next_name++;
}

GLuint glCreateShader(GLenum)
{
    return next_name++;
}

void glGenBuffers(GLsizei n, GLuint* buffers)
{
    for (GLsizei i = 0; i < n; ++i)
        buffers[i] = next_name++;
}

void glGenVertexArrays(GLsizei n, GLuint* arrays)
{
    glGenBuffers(n, arrays);
}

void glGetShaderiv(GLuint, GLenum, GLint* params)
{
    *params = GL_TRUE;  // compiled
}

void glGetProgramiv(GLuint, GLenum, GLint* params)
{
    *params = GL_TRUE;  // linked
}

GLint glGetUniformLocation(GLuint, const GLchar* name)
{
    return std::strcmp(name, "u_primitive_color") == 0 ? 1 : 0;
}

void glShaderSource(GLuint, GLsizei, const GLchar* const*, const GLint*) {}
void glCompileShader(GLuint) {}
void glAttachShader(GLuint, GLuint) {}
void glLinkProgram(GLuint) {}
void glDeleteShader(GLuint) {}
void glUseProgram(GLuint) {}
void glBindVertexArray(GLuint) {}
void glDeleteVertexArrays(GLsizei, const GLuint*) {}
void glDeleteBuffers(GLsizei, const GLuint*) {}
void glDrawArrays(GLenum, GLint, GLsizei) {}
void glPointSize(GLfloat) {}
void glBindBuffer(GLenum, GLuint) {}
void glBufferData(GLenum, GLsizeiptr, const void*, GLenum) {}
void glBufferSubData(GLenum, GLintptr, GLsizeiptr, const void*) {}
void glVertexAttribPointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*) {}
void glEnableVertexAttribArray(GLuint) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glEnable(GLenum) {}
void glDisable(GLenum) {}
void glScissor(GLint, GLint, GLsizei, GLsizei) {}
void glPolygonMode(GLenum, GLenum) {}
void glClearColor(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glClear(GLbitfield) {}
void glFlush() {}
