// The GL 2.0+ entry points are GLEW function pointers and are swapped while a log is
// alive. glDrawArrays and glPointSize (GL 1.1) and glutTimerFunc are plain library
// functions: this binary defines them itself, so the program's calls land here, and
// the GL ones are passed on to the real library.
#include "call_log.h"

#include <GL/freeglut.h>
#include <dlfcn.h>

#include <cstring>

static CallLog* active_log = nullptr;

static PFNGLUNIFORMMATRIX4FVPROC real_uniform_matrix4fv;
static PFNGLUNIFORM3FVPROC real_uniform3fv;
static PFNGLBINDVERTEXARRAYPROC real_bind_vertex_array;
static PFNGLDELETEVERTEXARRAYSPROC real_delete_vertex_arrays;
static PFNGLDELETEBUFFERSPROC real_delete_buffers;

static void record(const LoggedCall& call)
{
    if (active_log != nullptr)
        active_log->calls.push_back(call);
}

static void GLAPIENTRY log_uniform_matrix4fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value)
{
    LoggedCall call{LoggedCall::MATRIX};
    call.location = location;
    std::memcpy(call.values, value, sizeof call.values);
    record(call);
    real_uniform_matrix4fv(location, count, transpose, value);
}

static void GLAPIENTRY log_uniform3fv(GLint location, GLsizei count, const GLfloat* value)
{
    LoggedCall call{LoggedCall::COLOR};
    call.location = location;
    std::memcpy(call.values, value, 3 * sizeof(float));
    record(call);
    real_uniform3fv(location, count, value);
}

static void GLAPIENTRY log_bind_vertex_array(GLuint array)
{
    LoggedCall call{LoggedCall::BIND_VAO};
    call.name = array;
    record(call);
    real_bind_vertex_array(array);
}

static void GLAPIENTRY log_delete_vertex_arrays(GLsizei n, const GLuint* arrays)
{
    for (GLsizei i = 0; i < n; ++i) {
        LoggedCall call{LoggedCall::DELETE_VAO};
        call.name = arrays[i];
        call.count = n;
        record(call);
    }
    real_delete_vertex_arrays(n, arrays);
}

static void GLAPIENTRY log_delete_buffers(GLsizei n, const GLuint* buffers)
{
    for (GLsizei i = 0; i < n; ++i) {
        LoggedCall call{LoggedCall::DELETE_BUFFER};
        call.name = buffers[i];
        call.count = n;
        record(call);
    }
    real_delete_buffers(n, buffers);
}

CallLog::CallLog()
{
    real_uniform_matrix4fv = __glewUniformMatrix4fv;
    real_uniform3fv = __glewUniform3fv;
    real_bind_vertex_array = __glewBindVertexArray;
    real_delete_vertex_arrays = __glewDeleteVertexArrays;
    real_delete_buffers = __glewDeleteBuffers;
    __glewUniformMatrix4fv = log_uniform_matrix4fv;
    __glewUniform3fv = log_uniform3fv;
    __glewBindVertexArray = log_bind_vertex_array;
    __glewDeleteVertexArrays = log_delete_vertex_arrays;
    __glewDeleteBuffers = log_delete_buffers;
    active_log = this;
}

CallLog::~CallLog()
{
    __glewUniformMatrix4fv = real_uniform_matrix4fv;
    __glewUniform3fv = real_uniform3fv;
    __glewBindVertexArray = real_bind_vertex_array;
    __glewDeleteVertexArrays = real_delete_vertex_arrays;
    __glewDeleteBuffers = real_delete_buffers;
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

template <typename F>
static F next_definition(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

extern "C" void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    static auto real = next_definition<void (*)(GLenum, GLint, GLsizei)>("glDrawArrays");
    LoggedCall call{LoggedCall::DRAW};
    call.mode = mode;
    call.first = first;
    call.count = count;
    record(call);
    real(mode, first, count);
}

extern "C" void GLAPIENTRY glPointSize(GLfloat size)
{
    static auto real = next_definition<void (*)(GLfloat)>("glPointSize");
    LoggedCall call{LoggedCall::POINT_SIZE};
    call.values[0] = size;
    record(call);
    real(size);
}

// Never armed: a timer left pending would fire in a later test's event pumping.
extern "C" void FGAPIENTRY glutTimerFunc(unsigned int msecs, void (*callback)(int), int value)
{
    LoggedCall call{LoggedCall::TIMER};
    call.msecs = msecs;
    call.timer = callback;
    call.value = value;
    record(call);
}
