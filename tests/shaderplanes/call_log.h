// Records, in order, the GL and GLUT calls the program makes while a CallLog is
// alive: matrix and colour uploads, vertex-array binds, draws, point sizes, object
// deletions and timer requests. The calls still reach GL; timers are never armed
// in the test process (tests run each timer step themselves).
#pragma once

#include <GL/glew.h>

#include <vector>

struct LoggedCall {
    enum Kind { MATRIX, COLOR, BIND_VAO, DRAW, POINT_SIZE, DELETE_VAO, DELETE_BUFFER, TIMER } kind;
    GLint location = 0;
    float values[16] = {};  // matrix (16), colour (3) or point size (1)
    GLuint name = 0;        // bound or deleted object
    GLenum mode = 0;        // draw
    GLint first = 0;
    GLsizei count = 0;
    unsigned int msecs = 0;  // timer
    void (*timer)(int) = nullptr;
    int value = 0;
};

struct CallLog {
    CallLog();
    ~CallLog();
    CallLog(const CallLog&) = delete;
    CallLog& operator=(const CallLog&) = delete;

    std::vector<LoggedCall> of_kind(LoggedCall::Kind kind) const;

    std::vector<LoggedCall> calls;
};
