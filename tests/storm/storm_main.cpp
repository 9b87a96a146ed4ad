// planes_storm PROGRAM SECONDS [SEED] [--trace]: runs the program on a private X server
// under a seeded input storm. It fails when the program ends, stops drawing, or its
// resident memory grows by more than 1 MiB between the warm-up and the end.
#include "storm.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

static const StormProgram programs[] = {
    {"shaderplanes", STORM_SHADERPLANES_BIN, STORM_SHADERPLANES_DIR, 1, 1200, 800},
    {"transformplanes", STORM_TRANSFORMPLANES_BIN, STORM_TRANSFORMPLANES_DIR, 0, 1024, 800},
    {"dragplanes", STORM_DRAGPLANES_BIN, STORM_DRAGPLANES_DIR, 0, 1024, 800},
};

static const int pace_ms = 3;             // pause after every action
static const long check_every = 150;      // actions between two drawing checks (about a second)
static const double window_wait_s = 30;   // for the window to appear, or to come back to its size
static const double drawing_wait_s = 60;  // for two changes of the picture; generous on a shared machine
static const long rss_limit_kib = 1024;
// The stream waits while the program has more than this unread: a backlog of thousands
// of events would stay in its X library's event queue as memory it keeps for good.
static const long unread_limit_bytes = 8 * 1024;

// Everything a failure report needs, also from a signal or an X I/O error.
struct StormRun {
    const StormProgram* program = nullptr;
    long seconds = 0;
    uint32_t seed = 0;
    StormSession session;
    StormInput input;
    double started = 0;
    long frames_checked = 0;
    long x_errors = 0;
    int sanitized = 0;
    int paced = 0;         // 1 when the program's unread input can be seen
    long pace_waits = 0;   // actions that waited for the program to catch up
};

static StormRun run;
static volatile sig_atomic_t stop_signal = 0;

static void on_stop_signal(int signal_number)
{
    stop_signal = signal_number;
}

static void print_replay()
{
    fprintf(stderr, "storm: seed %u (replay: scripts/storm %s %ld %u)\n", run.seed, run.program->name, run.seconds,
            run.seed);
}

// Our requests may name a window the program has just lost; the loop notices that.
static int on_x_error(Display*, XErrorEvent*)
{
    run.x_errors++;
    return 0;
}

static int on_x_io_error(Display*)
{
    fprintf(stderr, "storm: FAIL: lost the connection to the private X server\n");
    print_replay();
    if (run.session.pid > 0)
        kill(run.session.pid, SIGKILL);
    if (run.session.xvfb_pid > 0)
        kill(run.session.xvfb_pid, SIGKILL);
    _exit(3);
}

static void print_tail(const char* label, const std::string& text, size_t keep)
{
    if (text.empty())
        return;
    size_t from = text.size() > keep ? text.size() - keep : 0;
    fprintf(stderr, "storm: %s%s:\n%s\n", label, from ? " (last part)" : "", text.c_str() + from);
}

[[noreturn]] static void fail(const std::string& reason)
{
    drain_program_output(run.session);
    fprintf(stderr, "storm: FAIL %s: %s\n", run.program->name, reason.c_str());
    fprintf(stderr, "storm: after %.1f s and %ld actions (%ld X events), %ld drawing checks passed\n",
            now_s() - run.started, run.input.action_index, run.input.x_events, run.frames_checked);
    fprintf(stderr, "storm: last actions:\n");
    for (const std::string& a : run.input.recent)
        fprintf(stderr, "  %s\n", a.c_str());
    print_tail("program stderr", run.session.err_text, 8000);
    print_tail("program stdout", run.session.out_tail, 1000);
    print_replay();
    end_session(run.session);
    exit(1);
}

static void check_alive()
{
    drain_program_output(run.session);
    if (program_has_ended(run.session))
        fail("the program " + describe_wait_status(run.session.wait_status));
    if (stop_signal) {
        fprintf(stderr, "storm: stopped by signal %d\n", static_cast<int>(stop_signal));
        print_replay();
        end_session(run.session);
        exit(1);
    }
}

// Lets the program catch up with its input before the next action.
static void wait_until_read()
{
    if (!run.paced || program_unread_bytes(run.session) <= unread_limit_bytes)
        return;
    run.pace_waits++;
    double end = now_s() + drawing_wait_s;
    while (program_unread_bytes(run.session) > unread_limit_bytes) {
        check_alive();
        if (now_s() > end)
            fail("the program left its input unread for " + std::to_string(static_cast<int>(drawing_wait_s)) + " s");
        sleep_ms(5);
    }
}

static void settle(double seconds)
{
    double end = now_s() + seconds;
    while (now_s() < end) {
        check_alive();
        sleep_ms(10);
    }
}

static void wait_for_size(int width, int height, const char* when)
{
    double end = now_s() + window_wait_s;
    while (!window_viewable_at_size(run.session, width, height)) {
        check_alive();
        if (now_s() > end)
            fail("the window did not take the size " + std::to_string(width) + " x " + std::to_string(height) + " " +
                 when);
        sleep_ms(10);
    }
}

// Waits for the picture in a width x height part of the window at (x, y) to change
// twice: all three programs animate on their own timers, so a still picture means a hang.
static void wait_for_drawing(int x, int y, int width, int height, const char* when)
{
    settle(0.15);
    std::vector<uint8_t> before, after;
    if (!grab_window(run.session, x, y, width, height, before))
        fail(std::string("cannot read the window's pixels ") + when);
    int changes = 0;
    double end = now_s() + drawing_wait_s;
    while (changes < 2) {
        check_alive();
        if (now_s() > end)
            fail(std::string("the picture stood still for ") + std::to_string(static_cast<int>(drawing_wait_s)) +
                 " s " + when + " (" + std::to_string(changes) + " changes)");
        sleep_ms(15);
        if (!grab_window(run.session, x, y, width, height, after))
            fail(std::string("cannot read the window's pixels ") + when);
        if (after != before) {
            changes++;
            before.swap(after);
        }
    }
}

// Back at the opening size and state, the program must go on drawing.
static void check_drawing(const char* when)
{
    storm_restore(run.input);
    wait_for_size(run.program->width, run.program->height, when);
    wait_for_drawing(0, 0, run.program->width, run.program->height, when);
    run.frames_checked++;
}

// The biggest window the storm makes, drawn for certain before memory is first measured
// (the stream's own resizes may come faster than a slow frame). Its centre, where the
// programs animate, is put at the screen's centre with the pointer; that part is read.
static void draw_biggest_window()
{
    const int size = 3000;
    storm_restore(run.input);
    storm_place_window(run.input, screen_w / 2 - size / 2, screen_h / 2 - size / 2, size, size, screen_w / 2,
                       screen_h / 2);
    wait_for_size(size, size, "during the warm-up");
    wait_for_drawing(size / 2 - screen_w / 2, size / 2 - screen_h / 2, screen_w, screen_h, "in the biggest window");
}

// Memory is measured in a small window: in a big one the buffers of the frame in
// flight come and go by tens of MiB (dragplanes' clouds), hiding any leak.
static const int rss_window_size = 32;

// The floor of resident memory in the small window, once settled, and how that floor
// splits between the heap, other anonymous memory and mapped files. After a burst of
// input the anonymous memory swings by up to 2 MiB for several seconds, so
// the floor is read until it has not fallen for two seconds (at most twelve).
static long settled_rss_kib(std::string* split)
{
    storm_set_size(run.input, rss_window_size, rss_window_size);
    wait_for_size(rss_window_size, rss_window_size, "for measuring memory");
    settle(1.0);
    long least = -1;
    const double start = now_s();
    double fell_at = start;
    while (now_s() < start + 12.0 && now_s() < fell_at + 2.0) {
        settle(0.05);
        long kib = resident_kib(run.session.pid);
        if (kib >= 0 && (least < 0 || kib < least)) {
            least = kib;
            fell_at = now_s();
            *split = resident_by_mapping(run.session.pid);
        }
    }
    storm_restore(run.input);  // the stream goes on from the same state with or without --trace
    return least;
}

// With --trace every check also measures memory, to see how it moves over a run.
static void check_drawing_and_trace(const char* when)
{
    check_drawing(when);
    if (run.input.trace) {
        std::string split;
        long kib = settled_rss_kib(&split);
        printf("storm: drawing check %ld %s at action %ld, resident %ld KiB (%s)\n", run.frames_checked, when,
               run.input.action_index, kib, split.c_str());
    }
}

static int usage()
{
    fprintf(stderr, "usage: planes_storm shaderplanes|transformplanes|dragplanes SECONDS [SEED] [--trace]\n");
    return 2;
}

int main(int argc, char* argv[])
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0)
            run.input.trace = 1;
        else
            args.push_back(argv[i]);
    }
    if (args.size() < 2 || args.size() > 3)
        return usage();
    for (const StormProgram& p : programs)
        if (args[0] == p.name)
            run.program = &p;
    char* rest = nullptr;
    run.seconds = std::strtol(args[1].c_str(), &rest, 10);
    if (run.program == nullptr || *rest != '\0' || run.seconds <= 0)
        return usage();
    if (args.size() == 3) {
        unsigned long seed = std::strtoul(args[2].c_str(), &rest, 10);
        if (*rest != '\0' || args[2].empty() || seed > 0xffffffffUL)
            return usage();
        run.seed = static_cast<uint32_t>(seed);
    } else {
        std::random_device device;
        run.seed = device() ^ static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    }
#ifdef STORM_SANITIZED
    run.sanitized = 1;
#endif
    setvbuf(stdout, nullptr, _IOLBF, 0);
    printf("storm: %s for %ld s, seed %u (replay: scripts/storm %s %ld %u)\n", run.program->name, run.seconds,
           run.seed, run.program->name, run.seconds, run.seed);

    struct sigaction sa {};
    sa.sa_handler = on_stop_signal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
    XSetErrorHandler(on_x_error);
    XSetIOErrorHandler(on_x_io_error);

    std::string error;
    if (!start_private_xvfb(run.session, &error) || !start_program(run.session, *run.program, &error)) {
        fprintf(stderr, "storm: %s\n", error.c_str());
        end_session(run.session);
        return 3;
    }
    run.started = now_s();
    if (!find_program_window(run.session, window_wait_s)) {
        check_alive();
        fail("no window appeared within 30 s");
    }
    if (process_maps_contain(run.session.pid, "libasan"))
        run.sanitized = 1;
    run.paced = share_program_sockets(run.session) > 0;
    if (!run.paced)
        printf("storm: cannot see the program's unread input; the stream is not paced by it\n");
    storm_init(run.input, run.session, *run.program, run.seed);
    check_drawing("at start");

    // Warm-up: every kind of event, the biggest window drawn, then about a fifth of the
    // run (at most 40 % of its time) before memory is first measured. The run's SECONDS
    // count from the end of the biggest window, whose frames can take long.
    storm_tour(run.input);
    const double biggest_from = now_s();
    draw_biggest_window();
    const double stream_start = now_s();
    const double deadline = stream_start + static_cast<double>(run.seconds);
    const long warm_actions = std::clamp(run.seconds * 30, 300L, 20000L);
    // It ends on a check, where the window is restored anyway, so that the stream does
    // not depend on how fast the machine is.
    while (run.input.action_index % check_every != 0 ||
           (run.input.action_index < warm_actions &&
            now_s() < stream_start + 0.4 * static_cast<double>(run.seconds))) {
        check_alive();
        wait_until_read();
        storm_step(run.input);
        sleep_ms(pace_ms);
        if (run.input.action_index % check_every == 0)
            check_drawing_and_trace("during the warm-up");
    }
    check_drawing("after the warm-up");
    std::string split_warm;
    const long rss_warm = settled_rss_kib(&split_warm);
    const long warm_done = run.input.action_index;
    printf("storm: warm-up done after %ld actions (the 3000 x 3000 window drawn in %.1f s), resident %ld KiB (%s)\n",
           warm_done, stream_start - biggest_from, rss_warm, split_warm.c_str());

    while (now_s() < deadline) {
        check_alive();
        wait_until_read();
        storm_step(run.input);
        sleep_ms(pace_ms);
        if (run.input.action_index % check_every == 0)
            check_drawing_and_trace("during the storm");
    }
    check_drawing("at the end");
    std::string split_end;
    const long rss_end = settled_rss_kib(&split_end);
    const long growth = rss_end - rss_warm;
    printf("storm: at the end, resident %ld KiB (%s)\n", rss_end, split_end.c_str());

    std::string counts;
    for (int k = 0; k < STORM_KIND_COUNT; ++k)
        counts += std::string(k ? ", " : "") + storm_kind_names[k] + " " + std::to_string(run.input.counts[k]);
    const int leak = growth > rss_limit_kib;
    const int pass = !leak || run.sanitized;
    printf("storm: %s %s seed %u: %ld actions (%s; %ld quit keys left out), %ld X events "
           "(%ld waits for the program to read), %ld drawing checks; resident after warm-up %ld KiB, "
           "at end %ld KiB, growth %+ld KiB (limit %ld KiB%s)\n",
           pass ? "PASS" : "FAIL", run.program->name, run.seed, run.input.action_index, counts.c_str(),
           run.input.quit_keys_left, run.input.x_events, run.pace_waits, run.frames_checked, rss_warm, rss_end,
           growth, rss_limit_kib, run.sanitized ? ", not enforced under the sanitizers" : "");
    if (!pass)
        fail("resident memory grew by " + std::to_string(growth) + " KiB after the warm-up");
    end_session(run.session);
    return 0;
}
