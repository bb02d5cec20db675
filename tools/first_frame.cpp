// first_frame: runs a program on $DISPLAY and prints how long it took from exec to its window's first frame.
//   first_frame [-t SECONDS] [--] PROGRAM [ARG...]
// One line on stdout: map_ms= paint_ms= rss_mib= size=WxH status=ok|timeout|exited|error (-1: not reached).
// Exit status 0 ok, 2 timeout (default 20 s), 3 the program ended before painting, 1 any other failure.
// The window is the first top-level one mapped that is not override-redirect (menus, tooltips) and is at
// least 100x100. It counts as painted once it is no longer one solid colour: the server's own fill of a
// background or of borders is not the program's frame. Meant for a private server without a window manager
// (the benchmark's Xvfb), where top-level windows stay children of the root.
#include <fcntl.h>
#include <getopt.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_map>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Windows vanish while we look at them; a failed request just means "not this one" or "not yet".
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

struct TopLevel {
    int x, y, width, height;
};

// The part of the window on screen is all XGetImage may read.
bool oneColour(Display* dpy, Window w, const TopLevel& t)
{
    const int x0 = std::max(t.x, 0), y0 = std::max(t.y, 0);
    const int x1 = std::min(t.x + t.width, DisplayWidth(dpy, DefaultScreen(dpy)));
    const int y1 = std::min(t.y + t.height, DisplayHeight(dpy, DefaultScreen(dpy)));
    if (x1 <= x0 || y1 <= y0)
        return true;
    XImage* im =
        XGetImage(dpy, w, x0 - t.x, y0 - t.y, unsigned(x1 - x0), unsigned(y1 - y0), AllPlanes, ZPixmap);
    if (!im)
        return true;
    const unsigned long first = XGetPixel(im, 0, 0);
    bool same = true;
    for (int y = 0; same && y < im->height; ++y)
        for (int x = 0; same && x < im->width; ++x)
            same = XGetPixel(im, x, y) == first;
    XDestroyImage(im);
    return same;
}

// Peak RSS of the biggest process in the program's group, so that a wrapper script is not what gets measured.
double peakRssMib(pid_t group)
{
    long bestKib = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream statFile(entry.path() / "stat");
        std::string stat;
        if (!std::getline(statFile, stat))
            continue;
        // After the command name in parentheses: state, ppid, pgrp.
        const auto close = stat.rfind(')');
        char state = 0;
        long ppid = 0, pgrp = 0;
        if (close == std::string::npos ||
            std::sscanf(stat.c_str() + close + 1, " %c %ld %ld", &state, &ppid, &pgrp) != 3 || pgrp != group)
            continue;
        std::ifstream status(entry.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmHWM:", 0) == 0)
                bestKib = std::max(bestKib, std::atol(line.c_str() + 6));
    }
    return double(bestKib) / 1024;
}

[[noreturn]] void usage()
{
    std::fputs("usage: first_frame [-t SECONDS] [--] PROGRAM [ARG...]\n", stderr);
    std::exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    double timeoutMs = 20e3;
    for (int opt; (opt = getopt(argc, argv, "+t:")) != -1;) {
        char* end = nullptr;
        const double seconds = opt == 't' ? std::strtod(optarg, &end) : 0;
        if (opt != 't' || *end || !(seconds > 0))
            usage();
        timeoutMs = seconds * 1e3;
    }
    if (optind >= argc)
        usage();

    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "first_frame: cannot open display '%s'\n", XDisplayName(nullptr));
        return 1;
    }
    int damageEvent = 0, damageError = 0, major = 1, minor = 1;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError) ||
        !XDamageQueryVersion(dpy, &major, &minor)) {
        std::fputs("first_frame: the X server has no DAMAGE extension\n", stderr);
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    const Window root = DefaultRootWindow(dpy);
    // Selected before the program exists, so that no window of it goes unseen.
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    // exec failures come back through a pipe that a successful exec closes.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        std::perror("first_frame: pipe");
        return 1;
    }
    const double t0 = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("first_frame: fork");
        return 1;
    }
    if (pid == 0) {
        setpgid(0, 0);
        dup2(STDERR_FILENO, STDOUT_FILENO); // our stdout carries the result line only
        execvp(argv[optind], argv + optind);
        const int e = errno;
        [[maybe_unused]] const auto n = write(report[1], &e, sizeof e);
        _exit(127);
    }
    setpgid(pid, pid); // both sides, so that killing the group cannot come before the child joined it
    close(report[1]);
    int execErrno = 0;
    const bool execFailed = read(report[0], &execErrno, sizeof execErrno) == sizeof execErrno;
    close(report[0]);
    // Readable once the program has ended; glibc 2.36's <sys/pidfd.h> cannot be used from C++.
    const int exited = int(syscall(SYS_pidfd_open, pid, 0));

    std::unordered_map<Window, TopLevel> tops;
    Window chosen = None;
    double mapMs = -1, paintMs = -1, lastDamageMs = -1, rssMib = -1;
    const char* status = "ok";
    int code = 0;
    if (execFailed) {
        std::fprintf(stderr, "first_frame: cannot run %s: %s\n", argv[optind], std::strerror(execErrno));
        status = "error";
        code = 1;
    } else if (exited < 0) {
        std::perror("first_frame: pidfd_open");
        status = "error";
        code = 1;
    }
    while (code == 0) {
        bool damaged = false;
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == CreateNotify && ev.xcreatewindow.parent == root) {
                const XCreateWindowEvent& c = ev.xcreatewindow;
                tops[c.window] = {c.x, c.y, c.width, c.height};
                // Before the map, so that the first drawing is reported; raw ones need no subtracting.
                XDamageCreate(dpy, c.window, XDamageReportRawRectangles);
            } else if (ev.type == ConfigureNotify && tops.count(ev.xconfigure.window)) {
                const XConfigureEvent& c = ev.xconfigure;
                tops[c.window] = {c.x, c.y, c.width, c.height};
            } else if (ev.type == MapNotify && chosen == None && !ev.xmap.override_redirect &&
                       tops.count(ev.xmap.window)) {
                const TopLevel& t = tops[ev.xmap.window];
                if (t.width >= 100 && t.height >= 100) {
                    chosen = ev.xmap.window;
                    mapMs = nowMs() - t0;
                }
            } else if (ev.type == damageEvent + XDamageNotify && chosen != None) {
                XDamageNotifyEvent d; // an extension's event: not a member of the XEvent union
                static_assert(sizeof d <= sizeof ev);
                std::memcpy(&d, &ev, sizeof d);
                if (d.drawable == chosen) {
                    lastDamageMs = nowMs() - t0;
                    damaged = true;
                }
            }
        }
        // One look per batch of damage: reading the window back is slow next to an event.
        if (damaged && !oneColour(dpy, chosen, tops[chosen])) {
            paintMs = lastDamageMs;
            rssMib = peakRssMib(pid);
            break;
        }
        const double left = timeoutMs - (nowMs() - t0);
        if (left <= 0) {
            status = "timeout";
            code = 2;
            break;
        }
        pollfd fds[] = {{ConnectionNumber(dpy), POLLIN, 0}, {exited, POLLIN, 0}};
        if (poll(fds, 2, int(left) + 1) > 0 && fds[1].revents && !XPending(dpy)) {
            status = "exited";
            code = 3;
        }
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    int width = 0, height = 0;
    if (chosen != None) {
        width = tops[chosen].width;
        height = tops[chosen].height;
    }
    std::printf("map_ms=%.1f paint_ms=%.1f rss_mib=%.1f size=%dx%d status=%s\n", mapMs, paintMs, rssMib,
                width, height, status);
    XCloseDisplay(dpy);
    return code;
}
