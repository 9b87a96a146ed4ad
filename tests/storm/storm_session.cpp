// The storm's private X server, the program's process and window, its memory and pixels.
// Both children die with the storm (PR_SET_PDEATHSIG), even if the storm is killed.
#include "storm.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <dirent.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

static const size_t output_cap = 1 << 20;

double now_s()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void sleep_ms(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// In the child right after fork: die with the parent, whatever ends it.
static void die_with_parent(pid_t parent)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(125);
}

static void redirect_to_null(int fd, int flags)
{
    int null_fd = open("/dev/null", flags);
    if (null_fd >= 0) {
        dup2(null_fd, fd);
        close(null_fd);
    }
}

int start_private_xvfb(StormSession& s, std::string* error)
{
    int fds[2];
    if (pipe(fds) != 0) {
        *error = "pipe failed";
        return 0;
    }
    const std::string screen_text = std::to_string(screen_w) + "x" + std::to_string(screen_h) + "x24";
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) {
        *error = "fork failed";
        return 0;
    }
    if (pid == 0) {
        die_with_parent(parent);
        close(fds[0]);
        redirect_to_null(0, O_RDONLY);
        redirect_to_null(1, O_WRONLY);
        redirect_to_null(2, O_WRONLY);
        std::string fd_text = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd_text.c_str(), "-screen", "0", screen_text.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    s.xvfb_pid = pid;
    // Xvfb writes the display number and a newline once it accepts connections.
    std::string number;
    double end = now_s() + 20;
    while (now_s() < end && number.find('\n') == std::string::npos) {
        struct pollfd pfd = {fds[0], POLLIN, 0};
        if (poll(&pfd, 1, 100) > 0) {
            char buf[32];
            ssize_t n = read(fds[0], buf, sizeof buf);
            if (n <= 0)
                break;
            number.append(buf, static_cast<size_t>(n));
        }
    }
    close(fds[0]);
    if (number.empty() || number.find('\n') == std::string::npos) {
        *error = "Xvfb did not report a display within 20 s";
        return 0;
    }
    s.display_name = ":" + number.substr(0, number.find('\n'));
    setenv("DISPLAY", s.display_name.c_str(), 1);
    for (int i = 0; i < 100 && s.dpy == nullptr; ++i) {
        s.dpy = XOpenDisplay(s.display_name.c_str());
        if (s.dpy == nullptr)
            sleep_ms(50);
    }
    if (s.dpy == nullptr) {
        *error = "cannot connect to the private X server " + s.display_name;
        return 0;
    }
    return 1;
}

int start_program(StormSession& s, const StormProgram& program, std::string* error)
{
    int out_pipe[2], err_pipe[2];
    if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) {
        *error = "pipe failed";
        return 0;
    }
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) {
        *error = "fork failed";
        return 0;
    }
    if (pid == 0) {
        die_with_parent(parent);
        redirect_to_null(0, O_RDONLY);
        dup2(out_pipe[1], 1);
        dup2(err_pipe[1], 2);
        close(out_pipe[0]);
        close(out_pipe[1]);
        close(err_pipe[0]);
        close(err_pipe[1]);
        // Resident memory should follow what the program holds. Fixed heap thresholds map
        // and unmap the buffers of a frame or of a window size on their own instead of
        // leaving them in the heap after a resize, and the software rasteriser works in
        // the program's own thread: its worker threads' heaps otherwise keep a varying
        // tens of MiB. Nothing drawn depends on either.
        setenv("LP_NUM_THREADS", "0", 1);
        setenv("MALLOC_MMAP_THRESHOLD_", "16384", 1);
        setenv("MALLOC_TRIM_THRESHOLD_", "131072", 1);
        unsetenv("MALLOC_TOP_PAD_");
        if (chdir(program.work_dir) != 0)
            _exit(126);
        execl(program.binary, program.binary, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    s.pid = pid;
    s.out_fd = out_pipe[0];
    s.err_fd = err_pipe[0];
    fcntl(s.out_fd, F_SETFL, O_NONBLOCK);
    fcntl(s.err_fd, F_SETFL, O_NONBLOCK);
    return 1;
}

static void drain_fd(int& fd, std::string& into, size_t keep, int keep_tail)
{
    if (fd < 0)
        return;
    char buf[8192];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0) {
            into.append(buf, static_cast<size_t>(n));
            if (into.size() > keep) {
                if (keep_tail)
                    into.erase(0, into.size() - keep);
                else
                    into.resize(keep);
            }
            continue;
        }
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            close(fd);
            fd = -1;
        }
        return;
    }
}

// The program would block on a full pipe (transformplanes prints every cycle).
void drain_program_output(StormSession& s)
{
    drain_fd(s.out_fd, s.out_tail, 4096, 1);
    drain_fd(s.err_fd, s.err_text, output_cap, 0);
}

int program_has_ended(StormSession& s)
{
    if (s.exited)
        return 1;
    if (s.pid <= 0)
        return 0;
    int status = 0;
    if (waitpid(s.pid, &status, WNOHANG) != s.pid)
        return 0;
    s.exited = 1;
    s.wait_status = status;
    drain_program_output(s);
    return 1;
}

// The program's socket descriptors, duplicated into the storm (pidfd_getfd), so that
// the storm can see how much of its input the program has not read yet. Returns how
// many it found; 0 where the kernel does not allow it.
int share_program_sockets(StormSession& s)
{
    int pidfd = static_cast<int>(syscall(SYS_pidfd_open, s.pid, 0));
    if (pidfd < 0)
        return 0;
    std::string dir = "/proc/" + std::to_string(s.pid) + "/fd";
    DIR* d = opendir(dir.c_str());
    if (d != nullptr) {
        while (dirent* entry = readdir(d)) {
            char target[64];
            std::string path = dir + "/" + entry->d_name;
            ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
            if (n <= 0)
                continue;
            target[n] = '\0';
            if (std::strncmp(target, "socket:", 7) != 0)
                continue;
            int fd = static_cast<int>(syscall(SYS_pidfd_getfd, pidfd, std::atoi(entry->d_name), 0));
            if (fd >= 0)
                s.socket_fds.push_back(fd);
        }
        closedir(d);
    }
    close(pidfd);
    return static_cast<int>(s.socket_fds.size());
}

// Bytes waiting in the program's sockets: the X events it has not read yet.
long program_unread_bytes(StormSession& s)
{
    long total = 0;
    for (int fd : s.socket_fds) {
        int n = 0;
        if (ioctl(fd, FIONREAD, &n) == 0)
            total += n;
    }
    return total;
}

std::string describe_wait_status(int status)
{
    char text[96];
    if (WIFEXITED(status))
        snprintf(text, sizeof text, "exited with status %d", WEXITSTATUS(status));
    else if (WIFSIGNALED(status))
        snprintf(text, sizeof text, "was killed by signal %d (%s)", WTERMSIG(status), strsignal(WTERMSIG(status)));
    else
        snprintf(text, sizeof text, "wait status 0x%x", status);
    return text;
}

static int has_text_property(Display* dpy, Window w, const char* name)
{
    Atom prop = XInternAtom(dpy, name, False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    int found = XGetWindowProperty(dpy, w, prop, 0, 256, False, AnyPropertyType, &type, &format, &count, &after,
                                   &data) == Success &&
                data != nullptr && count > 0;
    if (data)
        XFree(data);
    return found;
}

// The program's window is the only named top-level window on the private server.
int find_program_window(StormSession& s, double timeout_s)
{
    double end = now_s() + timeout_s;
    while (now_s() < end && !program_has_ended(s)) {
        drain_program_output(s);
        Window root = DefaultRootWindow(s.dpy), parent, *children = nullptr;
        unsigned int n = 0;
        if (XQueryTree(s.dpy, root, &root, &parent, &children, &n)) {
            for (unsigned int i = 0; i < n && s.win == 0; ++i) {
                XWindowAttributes attr;
                if (XGetWindowAttributes(s.dpy, children[i], &attr) && attr.map_state == IsViewable &&
                    attr.c_class == InputOutput &&
                    (has_text_property(s.dpy, children[i], "WM_NAME") ||
                     has_text_property(s.dpy, children[i], "_NET_WM_NAME")))
                    s.win = children[i];
            }
            if (children)
                XFree(children);
        }
        if (s.win != 0)
            return 1;
        sleep_ms(20);
    }
    return 0;
}

long resident_kib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Resident KiB of the heap, of anonymous mappings and of the rest, for a trace.
std::string resident_by_mapping(pid_t pid)
{
    std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
    std::string line, kind = "files";
    long heap = 0, anon = 0, files = 0;
    while (std::getline(smaps, line)) {
        std::istringstream fields(line);
        std::string first, perms, offset, device, inode, path;
        fields >> first;
        if (first == "Rss:") {
            long kib = 0;
            fields >> kib;
            (kind == "heap" ? heap : kind == "anon" ? anon : files) += kib;
        } else if (!first.empty() && first.back() != ':') {  // a mapping's header line
            fields >> perms >> offset >> device >> inode;
            std::getline(fields >> std::ws, path);
            kind = path == "[heap]" ? "heap" : (path.empty() ? "anon" : "files");
        }
    }
    return "heap " + std::to_string(heap) + ", anonymous " + std::to_string(anon) + ", files " + std::to_string(files);
}

int process_maps_contain(pid_t pid, const char* text)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find(text) != std::string::npos)
            return 1;
    }
    return 0;
}

int window_viewable_at_size(StormSession& s, int width, int height)
{
    XWindowAttributes attr;
    if (!XGetWindowAttributes(s.dpy, s.win, &attr))
        return 0;
    return attr.map_state == IsViewable && attr.width == width && attr.height == height;
}

// The window's pixels as the X server holds them (the program draws single-buffered).
int grab_window(StormSession& s, int x, int y, int width, int height, std::vector<uint8_t>& pixels)
{
    XImage* image = XGetImage(s.dpy, s.win, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0;
    const uint8_t* data = reinterpret_cast<const uint8_t*>(image->data);
    pixels.assign(data, data + static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height));
    XDestroyImage(image);
    return 1;
}

static void reap(pid_t pid, int signal_number, double timeout_s)
{
    kill(pid, signal_number);
    double end = now_s() + timeout_s;
    int status;
    while (now_s() < end) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD))
            return;
        sleep_ms(10);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

void end_session(StormSession& s)
{
    if (s.pid > 0 && !program_has_ended(s)) {
        reap(s.pid, SIGKILL, 5);
        s.exited = 1;
    }
    drain_program_output(s);
    for (int fd : s.socket_fds)
        close(fd);
    s.socket_fds.clear();
    if (s.out_fd >= 0)
        close(s.out_fd);
    if (s.err_fd >= 0)
        close(s.err_fd);
    s.out_fd = s.err_fd = -1;
    if (s.dpy)
        XCloseDisplay(s.dpy);
    s.dpy = nullptr;
    if (s.xvfb_pid > 0)
        reap(s.xvfb_pid, SIGTERM, 5);
    s.xvfb_pid = -1;
}
