// ohmbra-frame-probe: how long a program takes from being started to its window being on the
// screen with content, and its peak resident memory.
//
//   ohmbra-frame-probe [--timeout SECONDS] TITLE PROGRAM [ARGUMENT]...
//
// Starts PROGRAM itself on the current X display and times from just before the exec to the
// first frame of its top-level window named TITLE that is not a single colour (the X server
// must not show anything but one colour behind a window that has not painted yet: run Xvfb
// with -br). Then it closes the window with an Escape key press (SIGTERM if that does not end
// the program), and prints "MILLISECONDS PEAK_RSS_KIB CPU_MILLISECONDS": the time to the first
// frame, then from the child's own accounting its peak resident memory and the processor time
// (user and system) of its whole run, start to exit.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <utility>

namespace {

using Clock = double; // seconds on CLOCK_MONOTONIC, comparable across fork and exec

Clock now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void sleepMs(int ms) {
    const timespec t{0, long(ms) * 1'000'000};
    nanosleep(&t, nullptr);
}

pid_t g_child = -1; // the program while it may still run

// A failed measurement leaves nothing behind: the program goes with it.
[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "ohmbra-frame-probe: %s\n", message.c_str());
    if (g_child > 0) {
        kill(g_child, SIGKILL);
        waitpid(g_child, nullptr, 0);
    }
    std::exit(2);
}

// A window can vanish between two requests; such errors only mean "not this time".
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The child's start time is taken in the child just before the exec and handed over in shared
// memory; it is read once the window has appeared, long after the child wrote it.
struct Child {
    pid_t pid = -1;
    volatile Clock* started = nullptr;
};

Child startChild(char** argv) {
    void* shared =
        mmap(nullptr, sizeof(Clock), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) {
        fail("mmap failed");
    }
    Child child{-1, static_cast<volatile Clock*>(shared)};
    *child.started = 0;
    child.pid = fork();
    if (child.pid < 0) {
        fail("fork failed");
    }
    if (child.pid == 0) {
        *child.started = now();
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    g_child = child.pid;
    return child;
}

std::optional<std::string> stringProperty(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) != Success ||
        data == nullptr) {
        return std::nullopt;
    }
    std::string text(reinterpret_cast<char*>(data), format == 8 ? count : 0);
    XFree(data);
    return text;
}

bool hasTitle(Display* display, Window window, std::string_view title) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    std::optional<std::string> name = stringProperty(display, window, netName);
    if (!name) {
        name = stringProperty(display, window, XA_WM_NAME);
    }
    return name && *name == title;
}

// Looks without reaping, so that the child's accounting is still there afterwards.
bool childRunning(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

// Waits for a top-level window named `title` to be mapped; root's substructure events must
// have been selected before the child was started.
Window awaitMappedWindow(Display* display, std::string_view title, pid_t pid, Clock deadline) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && hasTitle(display, event.xmap.window, title)) {
                return event.xmap.window;
            }
        }
        if (!childRunning(pid)) {
            fail("the program ended before its window \"" + std::string(title) + "\" appeared");
        }
        poll(&connection, 1, 5);
    }
    fail("no window \"" + std::string(title) + "\" was mapped in time");
}

// True when every pixel of the window's content has the same colour (or it cannot be read).
bool isFlat(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
        return true;
    }
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return true;
    }
    const unsigned long mask = image->red_mask | image->green_mask | image->blue_mask;
    bool flat = true;
    if (image->bits_per_pixel == 32) { // the usual case: compare words, not XGetPixel calls
        const auto first = *reinterpret_cast<const std::uint32_t*>(image->data) & mask;
        for (int y = 0; y < image->height && flat; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint32_t*>(image->data + y * image->bytes_per_line);
            flat = std::all_of(row, row + image->width,
                               [&](std::uint32_t p) { return (p & mask) == first; });
        }
    } else {
        const unsigned long first = XGetPixel(image, 0, 0);
        for (int y = 0; y < image->height && flat; ++y) {
            for (int x = 0; x < image->width && flat; ++x) {
                flat = XGetPixel(image, x, y) == first;
            }
        }
    }
    XDestroyImage(image);
    return flat;
}

Clock awaitFirstFrame(Display* display, Window window, Clock deadline) {
    while (now() < deadline) {
        if (!isFlat(display, window)) {
            return now();
        }
        sleepMs(2);
    }
    fail("the window was mapped but never painted");
}

void pressEscape(Display* display, Window window) {
    XKeyEvent key{};
    key.display = display;
    key.window = window;
    key.root = DefaultRootWindow(display);
    key.subwindow = None;
    key.time = CurrentTime;
    key.same_screen = True;
    key.keycode = XKeysymToKeycode(display, XK_Escape);
    for (int type : {KeyPress, KeyRelease}) {
        key.type = type;
        XEvent event{};
        event.xkey = key;
        XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    }
    XFlush(display);
}

// Reaps the child, asking it to end with SIGTERM and then SIGKILL if it takes too long.
rusage reap(pid_t pid) {
    const std::pair<double, int> steps[] = {{5.0, SIGTERM}, {2.0, SIGKILL}, {60.0, 0}};
    for (const auto& [grace, signal] : steps) {
        for (const Clock until = now() + grace; now() < until; sleepMs(5)) {
            int status = 0;
            rusage usage{};
            if (wait4(pid, &status, WNOHANG, &usage) == pid) {
                g_child = -1;
                if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                    std::fprintf(
                        stderr, "ohmbra-frame-probe: the program did not end cleanly (status %d)\n",
                        status);
                }
                return usage;
            }
        }
        if (signal != 0) {
            std::fprintf(stderr, "ohmbra-frame-probe: sending signal %d\n", signal);
            kill(pid, signal);
        }
    }
    fail("the program could not be reaped");
}

} // namespace

int main(int argc, char** argv) {
    double timeout = 30;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--timeout") == 0) {
        timeout = std::atof(argv[2]);
        first = 3;
    }
    if (argc - first < 2) {
        std::fprintf(stderr,
                     "usage: ohmbra-frame-probe [--timeout SECONDS] TITLE PROGRAM [ARGUMENT]...\n");
        return 2;
    }
    const std::string_view title = argv[first];

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fail("cannot open the X display");
    }
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(ignoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Child child = startChild(argv + first + 1);
    const Clock deadline = now() + timeout;
    const Window window = awaitMappedWindow(display, title, child.pid, deadline);
    const Clock painted = awaitFirstFrame(display, window, deadline);
    pressEscape(display, window);
    const rusage usage = reap(child.pid);
    XCloseDisplay(display);

    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) * 1e-3;
    };
    std::printf("%.2f %ld %.1f\n", (painted - *child.started) * 1000.0, usage.ru_maxrss,
                ms(usage.ru_utime) + ms(usage.ru_stime));
    return 0;
}
