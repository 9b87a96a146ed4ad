// The optimized side of the exactness test: runs the script against the program's
// library as the program is built and compares each step with the reference's trace.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "exactness.h"

namespace {

FILE* reference = nullptr;
std::string first_difference;
int steps = 0, differing_steps = 0;

void note(const std::string& text)
{
    if (first_difference.empty())
        first_difference = text;
}

// The first element of a field that differs, as bits and as a float.
std::string describe(int step, const TraceField& f, const unsigned char* theirs)
{
    std::size_t i = 0;
    while (std::memcmp(static_cast<const unsigned char*>(f.data) + 4 * i, theirs + 4 * i, 4) == 0)
        ++i;
    std::uint32_t a, b;
    std::memcpy(&a, static_cast<const unsigned char*>(f.data) + 4 * i, 4);
    std::memcpy(&b, theirs + 4 * i, 4);
    float fa, fb;
    std::memcpy(&fa, &a, 4);
    std::memcpy(&fb, &b, 4);
    char text[256];
    snprintf(text, sizeof text, "step %d, %s element %zu: 0x%08x (%.9g) optimized, 0x%08x (%.9g) at -O0", step,
             f.name, i, a, fa, b, fb);
    return text;
}

void compare_step(int step, const std::vector<TraceField>& fields)
{
    ++steps;
    int their_step = 0;
    std::uint32_t count = 0;
    if (fread(&their_step, sizeof their_step, 1, reference) != 1 || fread(&count, sizeof count, 1, reference) != 1 ||
        their_step != step || count != fields.size()) {
        note("the reference trace ends or loses step at step " + std::to_string(step));
        ++differing_steps;
        return;
    }
    int differs = 0;
    std::vector<unsigned char> theirs;
    for (const TraceField& f : fields) {
        std::uint64_t bytes = 0;
        if (fread(&bytes, sizeof bytes, 1, reference) != 1)
            bytes = 0;
        theirs.resize(bytes);
        if (bytes > 0 && fread(theirs.data(), 1, bytes, reference) != bytes)
            theirs.clear();
        if (theirs.size() != f.bytes) {
            note("step " + std::to_string(step) + ", " + f.name + ": " + std::to_string(f.bytes) +
                 " bytes optimized, " + std::to_string(theirs.size()) + " at -O0");
            differs = 1;
        } else if (f.bytes > 0 && std::memcmp(f.data, theirs.data(), f.bytes) != 0) {
            note(describe(step, f, theirs.data()));
            differs = 1;
        }
    }
    differing_steps += differs;
}

TEST(Exactness, OptimizedBuildMatchesTheUnoptimizedBuildBitForBit)
{
    reference = popen(EXACTNESS_REFERENCE, "r");
    ASSERT_NE(reference, nullptr);
    fflush(stdout);
    int saved = dup(1);
    int null_fd = open("/dev/null", O_WRONLY);
    dup2(null_fd, 1);
    close(null_fd);
    run_exactness_script(compare_step);
    fflush(stdout);
    dup2(saved, 1);
    close(saved);
    char extra;
    if (fread(&extra, 1, 1, reference) == 1)
        note("the reference trace has steps after the last");
    int status = pclose(reference);

    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "reference status " << status;
    EXPECT_GT(steps, 0);
    EXPECT_EQ(differing_steps, 0) << differing_steps << " of " << steps << " steps differ; first: " << first_difference;
}

}  // namespace
