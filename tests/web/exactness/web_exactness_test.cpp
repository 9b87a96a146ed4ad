// One program's exactness script in the browser build under Node against its native
// reference at -O0, read side by side. Node writes its trace to a file: its file system
// writes at a position, which a pipe refuses. The reference streams its trace.
// Usage: web_exactness_tests REFERENCE NODE_SCRIPT MUSL_FLOAT_TRIG
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "exactness.h"

namespace {

const char* reference_path = nullptr;
const char* node_script = nullptr;
const char* musl_float_trig = nullptr;  // musl's sinf and cosf as a library to preload

// Reads what is left, so that neither writer is left blocked; 1 when there was any.
int drain(FILE* in)
{
    char chunk[65536];
    int any = 0;
    while (fread(chunk, 1, sizeof chunk, in) > 0)
        any = 1;
    return any;
}

struct ReferenceRun {
    TraceComparison comparison;
    int status = -1;
    int extra = 0;  // 1 when a trace had bytes after its last whole step
};

// Reads the Node trace and one run of the reference side by side.
ReferenceRun compare_with_reference(const std::string& node_trace, const std::string& command, const char* theirs)
{
    ReferenceRun run{{"under Node", theirs}};
    FILE* node = fopen(node_trace.c_str(), "rb");
    FILE* native = popen(command.c_str(), "r");
    if (node == nullptr || native == nullptr) {
        note_trace_difference(&run.comparison, "cannot read " + (node == nullptr ? node_trace : command));
        ++run.comparison.differing_steps;
    } else {
        TraceStep ours, their_step;
        for (;;) {
            int have_ours = read_trace_step(node, &ours);
            int have_theirs = read_trace_step(native, &their_step);
            if (!have_ours || !have_theirs) {
                if (have_ours || have_theirs) {
                    note_trace_difference(&run.comparison, std::string("the ") + (have_ours ? "native" : "Node") +
                                                               " trace ends at step " +
                                                               std::to_string(run.comparison.steps + 1));
                    ++run.comparison.steps;
                    ++run.comparison.differing_steps;
                }
                break;
            }
            compare_trace_step(&run.comparison, ours.step, ours.fields, their_step);
        }
        run.extra = drain(node) | drain(native);
    }
    if (node != nullptr)
        fclose(node);
    if (native != nullptr)
        run.status = pclose(native);
    return run;
}

void expect_clean_run(const ReferenceRun& run)
{
    EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << "reference status " << run.status;
    EXPECT_EQ(run.extra, 0) << "a trace has bytes after its last whole step";
    EXPECT_GT(run.comparison.steps, 0);
}

// Every value must match the reference whose float sine and cosine are the browser's
// C library's; what differs from the reference on glibc's is listed, not failed.
TEST(WebExactness, NodeBuildMatchesTheNativeReferenceBitForBit)
{
    ASSERT_EQ(access(reference_path, X_OK), 0) << reference_path << " is missing";
    ASSERT_EQ(access(node_script, R_OK), 0) << node_script << " is missing: build the web build first";
    std::string trace_path = node_script;
    trace_path = trace_path.substr(trace_path.rfind('/') + 1) + ".trace";  // in the test's build folder
    std::string command = std::string(NODE) + " " + node_script + " " + trace_path;
    int node_status = system(command.c_str());
    EXPECT_TRUE(WIFEXITED(node_status) && WEXITSTATUS(node_status) == 0) << "node status " << node_status;

    ReferenceRun glibc = compare_with_reference(trace_path, reference_path, "native at -O0");
    ReferenceRun musl = compare_with_reference(
        trace_path, std::string("LD_PRELOAD=") + musl_float_trig + " " + reference_path, "native at -O0, musl's sinf/cosf");
    remove(trace_path.c_str());  // half a gigabyte for dragplanes

    expect_clean_run(glibc);
    expect_clean_run(musl);
    if (glibc.comparison.differing_steps == 0)
        printf("bit-identical to the native reference in all %d steps\n", glibc.comparison.steps);
    else
        printf("against glibc's float sine and cosine: %s\n", describe_trace_differences(glibc.comparison).c_str());
    EXPECT_EQ(musl.comparison.differing_steps, 0) << describe_trace_differences(musl.comparison);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 4) {
        fprintf(stderr, "usage: %s REFERENCE NODE_SCRIPT MUSL_FLOAT_TRIG\n", argv[0]);
        return 2;
    }
    reference_path = argv[1];
    node_script = argv[2];
    musl_float_trig = argv[3];
    return RUN_ALL_TESTS();
}
