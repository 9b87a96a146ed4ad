// End-to-end driver: starts a real program on the test's X display, finds its window,
// sends real input events (XTest), reads the window's pixels and collects the
// program's stdout, stderr and exit status. Every wait is bounded.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

struct E2eProgram {
    int stdout_pipe = 0;  // set before e2e_start: stdout a pipe (as under `| tee`), not a terminal
    pid_t pid = -1;
    int out_fd = -1, err_fd = -1;
    std::string out, err;  // everything read so far
    Display* dpy = nullptr;
    Window win = 0;
    int exited = 0;
    int exit_status = -1;  // WEXITSTATUS when exited normally, 128 + signal when killed
};

// Starts binary in work_dir with args (argv[0] is the binary). Returns 1 on success.
// env changes the program's environment only: "NAME=VALUE" sets, a bare "NAME" unsets.
// With E2E_LAUNCHER set in the test's environment (the Windows programs: wine), the
// binary is started through it, and its console text is read as on Linux: CRs removed.
int e2e_start(E2eProgram& p, const std::string& binary, const std::string& work_dir,
              const std::vector<std::string>& args = {}, const std::vector<std::string>& env = {});

// Waits for a viewable top-level window whose WM_NAME or _NET_WM_NAME equals title.
int e2e_find_window(E2eProgram& p, const std::string& title, double timeout_s = 10);

// Reads what the program has written so far, without blocking.
void e2e_drain_output(E2eProgram& p);

// Waits until stdout contains text. Returns 1 if it did.
int e2e_wait_stdout(E2eProgram& p, const std::string& text, double timeout_s = 10);

// Waits for the program to end; returns 1 if it did (status in exit_status).
int e2e_wait_exit(E2eProgram& p, double timeout_s = 10);

// Ends the program if still running (SIGKILL) and closes everything.
void e2e_stop(E2eProgram& p);

// Client-area size of the window.
void e2e_window_size(E2eProgram& p, int* width, int* height);

// Resizes the window and waits until the X server reports the size.
int e2e_resize(E2eProgram& p, int width, int height, double timeout_s = 5);

// Input, in window coordinates (origin top left, y down). Keys by keysym, with an
// optional modifier keysym held around them (e.g. XK_Control_L, or 0 for none).
void e2e_key(E2eProgram& p, unsigned long keysym, unsigned long modifier_keysym = 0);
void e2e_move(E2eProgram& p, int x, int y);
void e2e_button(E2eProgram& p, unsigned int button, int press);
void e2e_click(E2eProgram& p, int x, int y, unsigned int button = 1);
// Presses button at (x0, y0), moves in steps to (x1, y1) and releases there.
void e2e_drag(E2eProgram& p, unsigned int button, int x0, int y0, int x1, int y1, int steps = 10);

// Sends the window manager's close request (WM_PROTOCOLS / WM_DELETE_WINDOW).
void e2e_request_close(E2eProgram& p);

// Pixel of the window in window coordinates, as 0..255 per channel.
void e2e_pixel(E2eProgram& p, int x, int y, int rgb[3]);

// Waits until pixel (x, y) is within tolerance of rgb; returns 1 if it got there.
// On failure found[] holds the last value read.
int e2e_wait_pixel(E2eProgram& p, int x, int y, const int rgb[3], int tolerance, double timeout_s, int found[3]);

// Value of a text property of the window (e.g. "_NET_WM_NAME"), raw bytes.
std::string e2e_window_property(E2eProgram& p, const char* name);

// A text property (STRING, COMPOUND_TEXT or UTF8_STRING) decoded to UTF-8, as a
// window manager reads it.
std::string e2e_window_text(E2eProgram& p, const char* name);

// Waits until that text property reads text and returns its last value: a window is
// found by its first title property while the program may still be setting the others.
std::string e2e_wait_window_text(E2eProgram& p, const char* name, const std::string& text, double timeout_s = 5);

// Brief pause for the program to process events, polling output meanwhile.
void e2e_settle(E2eProgram& p, double seconds);
