// CallLog under Node, where there is no GL: the calls the native log takes are recorded
// the same way (timers aside: node_window.cpp never arms them), and every other core-GL
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

std::vector<LoggedCall> CallLog::of_kind(LoggedCall::Kind kind) const
{
    std::vector<LoggedCall> found;
    for (const LoggedCall& call : calls)
        if (call.kind == kind)
            found.push_back(call);
    return found;
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

void glBindVertexArray(GLuint array)
{
    LoggedCall call{LoggedCall::BIND_VAO};
    call.name = array;
    record(call);
}

static void record_deletions(LoggedCall::Kind kind, GLsizei n, const GLuint* names)
{
    for (GLsizei i = 0; i < n; ++i) {
        LoggedCall call{kind};
        call.name = names[i];
        call.count = n;
        record(call);
    }
}

void glDeleteVertexArrays(GLsizei n, const GLuint* arrays)
{
    record_deletions(LoggedCall::DELETE_VAO, n, arrays);
}

void glDeleteBuffers(GLsizei n, const GLuint* buffers)
{
    record_deletions(LoggedCall::DELETE_BUFFER, n, buffers);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    LoggedCall call{LoggedCall::DRAW};
    call.mode = mode;
    call.first = first;
    call.count = count;
    record(call);
}

void glPointSize(GLfloat size)
{
    LoggedCall call{LoggedCall::POINT_SIZE};
    call.values[0] = size;
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
