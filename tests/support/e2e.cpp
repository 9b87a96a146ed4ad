// End-to-end driver over Xlib and XTest.
#include "e2e.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <errno.h>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

static double now_s()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

static void sleep_ms(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

static XErrorHandler default_x_error_handler = nullptr;

// Windows of other clients (a program that has just ended, Wine's helper windows) can
// go between listing them and reading them; that BadWindow is no fault of the test.
static int pass_over_bad_window(Display* dpy, XErrorEvent* error)
{
    if (error->error_code == BadWindow)
        return 0;
    return default_x_error_handler(dpy, error);
}

// Absolute path of the program to start binaries through, or null.
static const char* launcher()
{
    const char* l = std::getenv("E2E_LAUNCHER");
    return l != nullptr && *l != '\0' ? l : nullptr;
}

int e2e_start(E2eProgram& p, const std::string& binary, const std::string& work_dir,
              const std::vector<std::string>& args, const std::vector<std::string>& env)
{
    // stdout is a terminal, as on a user's console (raw mode keeps "\n" as it is), or
    // a pipe when asked. stderr is a pipe. Under Wine a terminal becomes a Windows
    // console that Wine redraws with escape sequences; there stdout is always a pipe.
    int out_master, out_slave, err_pipe[2];
    if (p.stdout_pipe || launcher()) {
        int out_pipe[2];
        if (pipe(out_pipe) != 0)
            return 0;
        out_master = out_pipe[0];
        out_slave = out_pipe[1];
    } else {
        struct termios raw;
        cfmakeraw(&raw);
        if (openpty(&out_master, &out_slave, nullptr, &raw, nullptr) != 0)
            return 0;
    }
    if (pipe(err_pipe) != 0)
        return 0;
    pid_t pid = fork();
    if (pid < 0)
        return 0;
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);  // a test that dies takes its program along
        dup2(out_slave, 1);
        dup2(err_pipe[1], 2);
        close(out_master);
        close(out_slave);
        close(err_pipe[0]);
        close(err_pipe[1]);
        if (chdir(work_dir.c_str()) != 0)
            _exit(126);
        for (const std::string& change : env) {
            size_t equals = change.find('=');
            if (equals == std::string::npos)
                unsetenv(change.c_str());
            else
                setenv(change.substr(0, equals).c_str(), change.c_str() + equals + 1, 1);
        }
        std::vector<char*> argv;
        if (launcher())
            argv.push_back(const_cast<char*>(launcher()));
        argv.push_back(const_cast<char*>(binary.c_str()));
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out_slave);
    close(err_pipe[1]);
    p.pid = pid;
    p.out_fd = out_master;
    p.err_fd = err_pipe[0];
    fcntl(p.out_fd, F_SETFL, O_NONBLOCK);
    fcntl(p.err_fd, F_SETFL, O_NONBLOCK);
    p.dpy = XOpenDisplay(nullptr);
    if (default_x_error_handler == nullptr)
        default_x_error_handler = XSetErrorHandler(pass_over_bad_window);
    return p.dpy != nullptr;
}

static void drain_fd(int& fd, std::string& into)
{
    if (fd < 0)
        return;
    char buf[4096];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0) {
            into.append(buf, static_cast<size_t>(n));
            continue;
        }
        if (n == 0 || (n < 0 && errno == EIO)) {  // writer closed (a pty reports EIO)
            close(fd);
            fd = -1;
        }
        return;
    }
}

// freeglut for Windows takes a DISPLAY variable for a display device's name and warns
// when it names none. Windows has no such variable; Wine hands the X display's name on.
static const std::string kWineDisplayWarning =
    "fgPlatformInitialize: CreateDC failed, Screen size info may be incorrect\n"
    "This is quite likely caused by a bad '-display' parameter\n";

void e2e_drain_output(E2eProgram& p)
{
    drain_fd(p.out_fd, p.out);
    drain_fd(p.err_fd, p.err);
    if (launcher()) {
        // Windows writes CRLF line ends on the console.
        p.out.erase(std::remove(p.out.begin(), p.out.end(), '\r'), p.out.end());
        p.err.erase(std::remove(p.err.begin(), p.err.end(), '\r'), p.err.end());
        size_t end = p.err.find(kWineDisplayWarning);
        if (end != std::string::npos) {
            size_t start = p.err.rfind('\n', end);  // the line opens with "freeglut (program): "
            start = start == std::string::npos ? 0 : start + 1;
            p.err.erase(start, end + kWineDisplayWarning.size() - start);
        }
    }
}

static int poll_exit(E2eProgram& p)
{
    if (p.exited)
        return 1;
    int status = 0;
    if (waitpid(p.pid, &status, WNOHANG) != p.pid)
        return 0;
    p.exited = 1;
    p.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return 1;
}

void e2e_settle(E2eProgram& p, double seconds)
{
    double end = now_s() + seconds;
    while (now_s() < end) {
        e2e_drain_output(p);
        sleep_ms(10);
    }
    e2e_drain_output(p);
}

std::string e2e_window_property(E2eProgram& p, const char* name)
{
    Atom prop = XInternAtom(p.dpy, name, False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(p.dpy, p.win, prop, 0, 1024, False, AnyPropertyType, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (format == 8)
            value.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return value;
}

std::string e2e_window_text(E2eProgram& p, const char* name)
{
    XTextProperty prop;
    std::string value;
    if (!XGetTextProperty(p.dpy, p.win, &prop, XInternAtom(p.dpy, name, False)))
        return value;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(p.dpy, &prop, &list, &count) >= Success && count > 0)
        value = list[0];
    if (list != nullptr)
        XFreeStringList(list);
    XFree(prop.value);
    return value;
}

std::string e2e_wait_window_text(E2eProgram& p, const char* name, const std::string& text, double timeout_s)
{
    double end = now_s() + timeout_s;
    std::string value = e2e_window_text(p, name);
    while (value != text && now_s() < end) {
        e2e_settle(p, 0.01);
        value = e2e_window_text(p, name);
    }
    return value;
}

static int window_has_title(E2eProgram& p, Window w, const std::string& title)
{
    Window saved = p.win;
    p.win = w;
    int match = e2e_window_property(p, "WM_NAME") == title || e2e_window_property(p, "_NET_WM_NAME") == title;
    p.win = saved;
    return match;
}

int e2e_find_window(E2eProgram& p, const std::string& title, double timeout_s)
{
    double end = now_s() + timeout_s;
    while (now_s() < end) {
        e2e_drain_output(p);
        Window root = DefaultRootWindow(p.dpy), parent, *children = nullptr;
        unsigned int n = 0;
        if (XQueryTree(p.dpy, root, &root, &parent, &children, &n)) {
            for (unsigned int i = n; i-- > 0 && p.win == 0;) {  // topmost first
                XWindowAttributes attr;
                if (XGetWindowAttributes(p.dpy, children[i], &attr) && attr.map_state == IsViewable &&
                    window_has_title(p, children[i], title))
                    p.win = children[i];
            }
            if (children)
                XFree(children);
        }
        if (p.win != 0) {
            // freeglut leaves the window at (-1, -1), its first row and column off
            // screen; at (0, 0) every pixel can be read and pointed at.
            XMoveWindow(p.dpy, p.win, 0, 0);
            XRaiseWindow(p.dpy, p.win);
            XSync(p.dpy, False);
            for (int i = 0; i < 250; ++i) {
                int x, y;
                Window child;
                XTranslateCoordinates(p.dpy, p.win, DefaultRootWindow(p.dpy), 0, 0, &x, &y, &child);
                if (x == 0 && y == 0)
                    break;
                sleep_ms(20);
            }
            return 1;
        }
        sleep_ms(20);
    }
    return 0;
}

int e2e_wait_stdout(E2eProgram& p, const std::string& text, double timeout_s)
{
    double end = now_s() + timeout_s;
    for (;;) {
        e2e_drain_output(p);
        if (p.out.find(text) != std::string::npos)
            return 1;
        if (now_s() >= end || (poll_exit(p) && p.out_fd < 0))
            return 0;
        sleep_ms(10);
    }
}

int e2e_wait_exit(E2eProgram& p, double timeout_s)
{
    double end = now_s() + timeout_s;
    for (;;) {
        e2e_drain_output(p);
        if (poll_exit(p)) {
            // collect what is still in the pipes
            double tail_end = now_s() + 2;
            while ((p.out_fd >= 0 || p.err_fd >= 0) && now_s() < tail_end) {
                e2e_drain_output(p);
                sleep_ms(5);
            }
            return 1;
        }
        if (now_s() >= end)
            return 0;
        sleep_ms(10);
    }
}

void e2e_stop(E2eProgram& p)
{
    if (p.pid > 0 && !poll_exit(p)) {
        kill(p.pid, SIGKILL);
        int status;
        waitpid(p.pid, &status, 0);
        p.exited = 1;
        p.exit_status = 128 + SIGKILL;
    }
    e2e_drain_output(p);
    if (p.out_fd >= 0)
        close(p.out_fd);
    if (p.err_fd >= 0)
        close(p.err_fd);
    p.out_fd = p.err_fd = -1;
    if (p.dpy)
        XCloseDisplay(p.dpy);
    p.dpy = nullptr;
    p.win = 0;
}

void e2e_window_size(E2eProgram& p, int* width, int* height)
{
    XWindowAttributes attr;
    XGetWindowAttributes(p.dpy, p.win, &attr);
    *width = attr.width;
    *height = attr.height;
}

int e2e_resize(E2eProgram& p, int width, int height, double timeout_s)
{
    XResizeWindow(p.dpy, p.win, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(p.dpy, False);
    double end = now_s() + timeout_s;
    while (now_s() < end) {
        int w, h;
        e2e_window_size(p, &w, &h);
        if (w == width && h == height)
            return 1;
        sleep_ms(10);
    }
    return 0;
}

static void to_root(E2eProgram& p, int x, int y, int* rx, int* ry)
{
    Window child;
    XTranslateCoordinates(p.dpy, p.win, DefaultRootWindow(p.dpy), x, y, rx, ry, &child);
}

void e2e_move(E2eProgram& p, int x, int y)
{
    int rx, ry;
    to_root(p, x, y, &rx, &ry);
    XTestFakeMotionEvent(p.dpy, -1, rx, ry, CurrentTime);
    XSync(p.dpy, False);
}

void e2e_button(E2eProgram& p, unsigned int button, int press)
{
    XTestFakeButtonEvent(p.dpy, button, press ? True : False, CurrentTime);
    XSync(p.dpy, False);
}

void e2e_click(E2eProgram& p, int x, int y, unsigned int button)
{
    e2e_move(p, x, y);
    e2e_button(p, button, 1);
    e2e_button(p, button, 0);
}

void e2e_drag(E2eProgram& p, unsigned int button, int x0, int y0, int x1, int y1, int steps)
{
    e2e_move(p, x0, y0);
    e2e_button(p, button, 1);
    for (int i = 1; i <= steps; ++i) {
        e2e_move(p, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        sleep_ms(5);
    }
    e2e_button(p, button, 0);
}

void e2e_key(E2eProgram& p, unsigned long keysym, unsigned long modifier_keysym)
{
    // Without a window manager the focus follows the pointer root: give it to the window.
    XSetInputFocus(p.dpy, p.win, RevertToParent, CurrentTime);
    KeyCode mod = modifier_keysym ? XKeysymToKeycode(p.dpy, modifier_keysym) : 0;
    KeyCode code = XKeysymToKeycode(p.dpy, keysym);
    if (mod)
        XTestFakeKeyEvent(p.dpy, mod, True, CurrentTime);
    XTestFakeKeyEvent(p.dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(p.dpy, code, False, CurrentTime);
    if (mod)
        XTestFakeKeyEvent(p.dpy, mod, False, CurrentTime);
    XSync(p.dpy, False);
}

void e2e_request_close(E2eProgram& p)
{
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = p.win;
    ev.xclient.message_type = XInternAtom(p.dpy, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(p.dpy, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(p.dpy, p.win, False, NoEventMask, &ev);
    XSync(p.dpy, False);
}

void e2e_pixel(E2eProgram& p, int x, int y, int rgb[3])
{
    rgb[0] = rgb[1] = rgb[2] = -1;
    XImage* image = XGetImage(p.dpy, p.win, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return;
    unsigned long pixel = XGetPixel(image, 0, 0);
    rgb[0] = static_cast<int>((pixel & image->red_mask) >> 16);
    rgb[1] = static_cast<int>((pixel & image->green_mask) >> 8);
    rgb[2] = static_cast<int>(pixel & image->blue_mask);
    XDestroyImage(image);
}

int e2e_wait_pixel(E2eProgram& p, int x, int y, const int rgb[3], int tolerance, double timeout_s, int found[3])
{
    double end = now_s() + timeout_s;
    for (;;) {
        e2e_drain_output(p);
        e2e_pixel(p, x, y, found);
        if (std::abs(found[0] - rgb[0]) <= tolerance && std::abs(found[1] - rgb[1]) <= tolerance &&
            std::abs(found[2] - rgb[2]) <= tolerance)
            return 1;
        if (now_s() >= end)
            return 0;
        sleep_ms(20);
    }
}
