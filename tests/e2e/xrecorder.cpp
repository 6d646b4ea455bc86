// xrecorder: an ordinary X client for the end-to-end tests.
//
//   xrecorder [--windows] [x y w h]
//
// Creates a plain window over the given rectangle (default: the whole screen),
// maps it and prints, one flushed line each:
//   ready                                     once the window is mapped and exposed
//   press <button> <root_x> <root_y> <ms>     for every ButtonPress it receives
//   release <button> <root_x> <root_y> <ms>   for every ButtonRelease it receives
// <ms> is the X server time of the event.
//
// With --windows it also reports what happens to the other top-level windows:
//   map <id> <x> <y> <w> <h> <clock-ms>
//   unmap <id> <clock-ms>
//   configure <id> <x> <y> <w> <h> <clock-ms>
// <id> is the window id in hex (0x...), <clock-ms> the local monotonic clock.
//
// Ends cleanly on SIGTERM or SIGINT (exit code 0); ends with code 1 when the X
// server goes away (Xlib's I/O error handler).

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <sys/select.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onStopSignal(int) { stopRequested = 1; }

double clockMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

bool parseInt(const char* text, int& out)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < -100000 || value > 100000)
        return false;
    out = static_cast<int>(value);
    return true;
}

void usage() { std::fprintf(stderr, "usage: xrecorder [--windows] [x y w h]\n"); }

// Where each top-level window is, as told by the events seen so far. The
// reports use this rather than asking the server, so that a window that moves
// right after being mapped is reported where it was mapped.
struct Geometry
{
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

void reportWindow(const char* what, Window id, const Geometry& g)
{
    std::printf("%s 0x%lx %d %d %d %d %.1f\n", what, id, g.x, g.y, g.w, g.h, clockMs());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    bool watchWindows = false;
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--windows") == 0) {
        watchWindows = true;
        first = 2;
    }
    const int rest = argc - first;
    if (rest != 0 && rest != 4) {
        usage();
        return 2;
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xrecorder: cannot open display\n");
        return 1;
    }
    const int screen = XDefaultScreen(display);
    const Window root = XRootWindow(display, screen);

    int x = 0;
    int y = 0;
    int w = XDisplayWidth(display, screen);
    int h = XDisplayHeight(display, screen);
    if (rest == 4) {
        if (!parseInt(argv[first], x) || !parseInt(argv[first + 1], y) || !parseInt(argv[first + 2], w)
            || !parseInt(argv[first + 3], h) || w <= 0 || h <= 0) {
            usage();
            XCloseDisplay(display);
            return 2;
        }
    }

    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: select() must return on the signal
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    XSetWindowAttributes attributes {};
    attributes.background_pixel = XWhitePixel(display, screen);
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | StructureNotifyMask | ExposureMask;
    const Window window = XCreateWindow(display, root, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
        CopyFromParent, InputOutput, nullptr, CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window, "xrecorder");
    XClassHint classHint {};
    std::string resName = "xrecorder";
    std::string resClass = "XRecorder";
    classHint.res_name = resName.data();
    classHint.res_class = resClass.data();
    XSetClassHint(display, window, &classHint);
    // Keep the requested place even if a window manager happens to run.
    XSizeHints sizeHints {};
    sizeHints.flags = USPosition | USSize;
    sizeHints.x = x;
    sizeHints.y = y;
    sizeHints.width = w;
    sizeHints.height = h;
    XSetWMNormalHints(display, window, &sizeHints);

    if (watchWindows)
        XSelectInput(display, root, SubstructureNotifyMask);

    XMapWindow(display, window);
    XFlush(display);

    std::map<Window, Geometry> known;
    bool mapped = false;
    bool exposed = false;
    bool readyPrinted = false;
    const int fd = XConnectionNumber(display);

    while (stopRequested == 0) {
        while (stopRequested == 0 && XPending(display) > 0) {
            XEvent event {};
            XNextEvent(display, &event);
            switch (event.type) {
            case CreateNotify:
                if (event.xcreatewindow.parent == root)
                    known[event.xcreatewindow.window] = Geometry {event.xcreatewindow.x, event.xcreatewindow.y,
                        event.xcreatewindow.width, event.xcreatewindow.height};
                break;
            case DestroyNotify:
                known.erase(event.xdestroywindow.window);
                break;
            case MapNotify:
                if (event.xmap.window == window) {
                    mapped = true;
                } else if (watchWindows && event.xmap.event == root) {
                    auto found = known.find(event.xmap.window);
                    if (found == known.end()) {
                        // Created before this program started watching.
                        Geometry g;
                        XWindowAttributes wa {};
                        if (XGetWindowAttributes(display, event.xmap.window, &wa) != 0)
                            g = Geometry {wa.x, wa.y, wa.width, wa.height};
                        found = known.emplace(event.xmap.window, g).first;
                    }
                    reportWindow("map", event.xmap.window, found->second);
                }
                break;
            case UnmapNotify:
                if (watchWindows && event.xunmap.event == root && event.xunmap.window != window) {
                    std::printf("unmap 0x%lx %.1f\n", event.xunmap.window, clockMs());
                    std::fflush(stdout);
                }
                break;
            case ConfigureNotify:
                if (watchWindows && event.xconfigure.event == root && event.xconfigure.window != window) {
                    const Geometry g {
                        event.xconfigure.x, event.xconfigure.y, event.xconfigure.width, event.xconfigure.height};
                    known[event.xconfigure.window] = g;
                    reportWindow("configure", event.xconfigure.window, g);
                }
                break;
            case Expose:
                if (event.xexpose.window == window)
                    exposed = true;
                break;
            case ButtonPress:
            case ButtonRelease:
                std::printf("%s %u %d %d %lu\n", event.type == ButtonPress ? "press" : "release", event.xbutton.button,
                    event.xbutton.x_root, event.xbutton.y_root, event.xbutton.time);
                std::fflush(stdout);
                break;
            default:
                break;
            }
            if (!readyPrinted && mapped && exposed) {
                std::printf("ready\n");
                std::fflush(stdout);
                readyPrinted = true;
            }
        }
        if (stopRequested != 0)
            break;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval timeout {};
        timeout.tv_sec = 0;
        timeout.tv_usec = 200000;
        const int result = select(fd + 1, &readable, nullptr, nullptr, &timeout);
        if (result < 0 && errno != EINTR) {
            std::perror("xrecorder: select");
            break;
        }
    }

    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
