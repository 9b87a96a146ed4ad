// The reference side of the exactness tests: runs the script and writes every step to the
// file named on the command line, or else to standard output (write_trace_step's format).
// Built natively against the -O0 copy of a program's library, and for Node as the web
// programs are built.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "exactness.h"

static FILE* trace = nullptr;

static void write_step(int step, const std::vector<TraceField>& fields)
{
    write_trace_step(trace, step, fields);
}

int main(int argc, char** argv)
{
    // The trace keeps the real standard output or goes to its file; what the program
    // prints goes nowhere.
    trace = argc > 1 ? fopen(argv[1], "wb") : fdopen(dup(1), "wb");
    if (trace == nullptr) {
        perror(argc > 1 ? argv[1] : "standard output");
        return 1;
    }
    fflush(stdout);
    int null_fd = open("/dev/null", O_WRONLY);
    dup2(null_fd, 1);
    close(null_fd);
    run_exactness_script(write_step);
    return fclose(trace) == 0 ? 0 : 1;
}
