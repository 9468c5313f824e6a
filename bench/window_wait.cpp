// quorran_window_wait: starts a program on the X display and reports how long it took
// until the program's first top-level window was mapped (shown), then ends it and
// reports its peak resident memory.
//
//   quorran_window_wait [--linger MS] [--timeout S] -- PROGRAM [ARGS...]
//
// Prints one line: "<milliseconds to the window> <peak resident set in KiB>". The
// window is the program's when its _NET_WM_PID property names the started process.
// After the map the program keeps running for --linger milliseconds (default 300, so
// that it paints and settles), then gets SIGTERM; the peak memory covers that time.
// Exits with 1 when the program ends or the timeout (default 20 s) passes first.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The process id a window announces in _NET_WM_PID, or -1.
long window_pid(Display* display, Window window) {
    static const Atom pid_atom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && count == 1) pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

// Ends the child and returns its peak resident set in KiB.
long end_child(pid_t child) {
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    auto deadline = Clock::now() + std::chrono::seconds(5);
    for (;;) {
        const pid_t done = wait4(child, &status, WNOHANG, &usage);
        if (done == child) break;
        if (done < 0 && errno != EINTR) return -1;
        if (Clock::now() > deadline) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return usage.ru_maxrss;
}

int usage_error() {
    std::fprintf(stderr, "usage: quorran_window_wait [--linger MS] [--timeout S] -- PROGRAM [ARGS...]\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    int linger_ms = 300;
    int timeout_s = 20;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if (arg == "--linger" && first + 1 < argc) {
            linger_ms = std::atoi(argv[++first]);
        } else if (arg == "--timeout" && first + 1 < argc) {
            timeout_s = std::atoi(argv[++first]);
        } else {
            return usage_error();
        }
    }
    if (first >= argc) return usage_error();

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "quorran_window_wait: cannot open the display\n");
        return 1;
    }
    // Every window mapped as a child of the root (every top-level window, as no
    // window manager runs) reports here; listening starts before the program does.
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        std::perror(argv[first]);
        _exit(127);
    }

    const auto deadline = start + std::chrono::seconds(timeout_s);
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.event != root || event.xmap.override_redirect) continue;
            if (window_pid(display, event.xmap.window) != child) continue;
            const auto shown = Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(linger_ms));
            const long peak_kib = end_child(child);
            const double ms = std::chrono::duration<double, std::milli>(shown - start).count();
            std::printf("%.2f %ld\n", ms, peak_kib);
            XCloseDisplay(display);
            return 0;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "quorran_window_wait: %s ended before showing a window\n", argv[first]);
            return 1;
        }
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "quorran_window_wait: no window from %s within %d s\n", argv[first], timeout_s);
            end_child(child);
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval tick{0, 2000};  // also look at the child every 2 ms
        select(fd + 1, &readable, nullptr, nullptr, &tick);
    }
}
