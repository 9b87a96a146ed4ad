// The reference side of the exactness test: runs the script against the -O0 build of a
// program's library and writes every step to standard output as
// step, field count, then per field its byte count and bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "exactness.h"

static FILE* trace = nullptr;

static void write_step(int step, const std::vector<TraceField>& fields)
{
    std::uint32_t count = static_cast<std::uint32_t>(fields.size());
    fwrite(&step, sizeof step, 1, trace);
    fwrite(&count, sizeof count, 1, trace);
    for (const TraceField& f : fields) {
        std::uint64_t bytes = f.bytes;
        fwrite(&bytes, sizeof bytes, 1, trace);
        if (f.bytes > 0)
            fwrite(f.data, 1, f.bytes, trace);
    }
}

int main()
{
    // The trace keeps the real standard output; what the program prints goes nowhere.
    trace = fdopen(dup(1), "wb");
    int null_fd = open("/dev/null", O_WRONLY);
    dup2(null_fd, 1);
    close(null_fd);
    run_exactness_script(write_step);
    return fclose(trace) == 0 ? 0 : 1;
}
