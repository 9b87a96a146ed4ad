// Builds the shader program from a list of source files. Prints nothing; 0 means failure.
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include "shaderplanes.h"

// Reads a whole file into a zero-terminated heap buffer the caller frees; null on failure.
// Only a regular file has a length ftell can tell: a directory opens on Linux and
// reports a huge length. A length that cannot be told, or a read that comes up short,
// fails like a missing file, so the buffer is never overrun nor sized from garbage.
static GLchar* read_shader_source(const char* file_name)
{
    FILE* file = fopen(file_name, "rb");
    if (file == nullptr)
        return nullptr;
    struct stat info;  // the file-type mask, not S_ISREG, which MSVC's <sys/stat.h> lacks
    if (fstat(fileno(file), &info) != 0 || (info.st_mode & S_IFMT) != S_IFREG || fseek(file, 0, SEEK_END) != 0) {
        fclose(file);
        return nullptr;
    }
    long length = ftell(file);
    if (length < 0 || fseek(file, 0, SEEK_SET) != 0) {
        fclose(file);
        return nullptr;
    }
    GLchar* text = static_cast<GLchar*>(malloc(static_cast<size_t>(length) + 1));
    if (text == nullptr) {
        fclose(file);
        return nullptr;
    }
    size_t got = fread(text, 1, static_cast<size_t>(length), file);
    fclose(file);
    if (got != static_cast<size_t>(length)) {
        free(text);
        return nullptr;
    }
    text[length] = '\0';
    return text;
}

// Deletes every stage's shader and zeroes its handle, up to the end record.
static void delete_stage_shaders(ShaderStage* shaders)
{
    for (ShaderStage* entry = shaders; entry->type != GL_NONE; ++entry) {
        glDeleteShader(entry->shader);
        entry->shader = 0;
    }
}

GLuint LoadShaders(ShaderStage* shaders)
{
    if (shaders == nullptr)
        return 0;

    GLuint program = glCreateProgram();

    for (ShaderStage* entry = shaders; entry->type != GL_NONE; ++entry) {
        GLuint shader = glCreateShader(entry->type);
        entry->shader = shader;

        GLchar* source = read_shader_source(entry->file_name);
        if (source == nullptr) {
            delete_stage_shaders(shaders);
            return 0;
        }
        glShaderSource(shader, 1, &source, nullptr);
        free(source);

        glCompileShader(shader);
        GLint compiled = GL_FALSE;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        if (compiled == GL_FALSE)
            return 0;  // left as it stands: the failed shader and the program stay alive

        glAttachShader(program, shader);
    }

    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_FALSE) {
        delete_stage_shaders(shaders);
        return 0;
    }
    return program;
}
