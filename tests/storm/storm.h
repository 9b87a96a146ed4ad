// Input storm: drives one real program on a private X server with a seeded stream of
// keys, buttons, pointer moves, synthetic extreme events and window changes.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

// The private X server's screen.
static const int screen_w = 1600, screen_h = 1200;

// What the storm needs to know about each program.
struct StormProgram {
    const char* name;
    const char* binary;
    const char* work_dir;     // shaderplanes reads Shaders/ relative to it
    int quits_on_escape;      // shaderplanes: the character 27 ends it; the others: the End key
    int width, height;        // the window size it opens with
};

// The private X server, the program's process and its window.
struct StormSession {
    pid_t xvfb_pid = -1;
    std::string display_name;  // ":N"
    pid_t pid = -1;
    int out_fd = -1, err_fd = -1;
    std::string out_tail, err_text;  // the last of stdout, all of stderr (capped)
    Display* dpy = nullptr;
    Window win = 0;
    int exited = 0;
    int wait_status = 0;  // from waitpid once exited
    std::vector<int> socket_fds;  // the program's sockets (its X connection), shared with it
};

// Which kind of action an entry of the stream is; the summary counts them.
enum StormKind {
    STORM_KEY,          // a key, possibly with modifiers held around it
    STORM_MODIFIER,     // a modifier or lock key alone
    STORM_CLICK,        // press and release of a button at one place
    STORM_BUTTON,       // a press or a release alone
    STORM_DRAG,         // press, moves (often to far corners), release
    STORM_MOTION,       // pointer move in or around the window
    STORM_FAR_MOTION,   // pointer move to screen corners or far beyond them (clamped)
    STORM_SYNTHETIC,    // MotionNotify / ButtonPress / ButtonRelease sent with extreme coordinates
    STORM_RESIZE,       // window size, 1 x 1 to 3000 x 3000
    STORM_WINDOW_MOVE,  // window position, also partly off screen
    STORM_UNMAP,        // window unmapped, mapped again a few actions later
    STORM_KIND_COUNT
};

extern const char* const storm_kind_names[STORM_KIND_COUNT];

// The state of the stream: the generator and what the storm has done to the window.
struct StormInput {
    std::mt19937 rng;
    const StormProgram* program = nullptr;
    Display* dpy = nullptr;
    Window win = 0;
    int win_x = 0, win_y = 0, win_w = 0, win_h = 0;  // as last set
    int mapped = 1;
    int remap_after = 0;        // actions left before an unmapped window is mapped again
    unsigned held_buttons = 0;  // bit b for XTest button b
    int caps_lock = 0, num_lock = 0;
    long action_index = 0;
    long counts[STORM_KIND_COUNT] = {};
    long x_events = 0;        // X input events and requests sent
    long quit_keys_left = 0;  // keys drawn from the stream but not sent because they end the program
    int trace = 0;
    std::deque<std::string> recent;  // the last actions, for a failure report
};

// storm_session.cpp
int start_private_xvfb(StormSession& s, std::string* error);
int start_program(StormSession& s, const StormProgram& program, std::string* error);
int find_program_window(StormSession& s, double timeout_s);
void drain_program_output(StormSession& s);
int program_has_ended(StormSession& s);
int share_program_sockets(StormSession& s);
long program_unread_bytes(StormSession& s);
std::string describe_wait_status(int status);
long resident_kib(pid_t pid);
std::string resident_by_mapping(pid_t pid);
int process_maps_contain(pid_t pid, const char* text);
int grab_window(StormSession& s, int x, int y, int width, int height, std::vector<uint8_t>& pixels);
int window_viewable_at_size(StormSession& s, int width, int height);
void end_session(StormSession& s);
double now_s();
void sleep_ms(int ms);

// storm_events.cpp
void storm_init(StormInput& in, StormSession& s, const StormProgram& program, uint32_t seed);
void storm_step(StormInput& in);
void storm_tour(StormInput& in);
void storm_restore(StormInput& in);
void storm_set_size(StormInput& in, int width, int height);
void storm_place_window(StormInput& in, int x, int y, int width, int height, int px, int py);
