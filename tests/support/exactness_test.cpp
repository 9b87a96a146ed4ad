// The optimized side of the exactness test: runs the script against the program's
// library as the program is built and compares each step with the reference's trace.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "exactness.h"

namespace {

FILE* reference = nullptr;
TraceComparison comparison{"optimized", "at -O0"};
TraceStep theirs;
int reference_ended = 0;

void compare_step(int step, const std::vector<TraceField>& fields)
{
    if (reference_ended || !read_trace_step(reference, &theirs)) {
        if (!reference_ended)
            note_trace_difference(&comparison, "the reference trace ends at step " + std::to_string(step));
        reference_ended = 1;
        ++comparison.steps;
        ++comparison.differing_steps;
        return;
    }
    compare_trace_step(&comparison, step, fields, theirs);
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
    if (fread(&extra, 1, 1, reference) == 1) {
        note_trace_difference(&comparison, "the reference trace has steps after the last");
        ++comparison.differing_steps;
    }
    int status = pclose(reference);

    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "reference status " << status;
    EXPECT_GT(comparison.steps, 0);
    EXPECT_EQ(comparison.differing_steps, 0) << describe_trace_differences(comparison);
}

}  // namespace
