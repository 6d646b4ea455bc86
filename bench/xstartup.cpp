// xstartup: starts a program and reports, from X events, how long its first
// window takes to appear.
//
//   xstartup <program> [arguments...]
//
// Prints one flushed line each, times in ms since just before the exec:
//   pid <pid>
//   mapped <ms> <window-id>     the first top-level window of that process is mapped
//   unmapped <ms>               that window is unmapped again
//   click <ms> <x> <y>          the first button press that reaches the root window
//   ended <exit-code>           the program has ended
// The program's own standard output goes to this program's standard error.
// The times come from the X events as they arrive (no polling), read from the
// monotonic clock. After the first click it only waits for the program to end,
// and ends with the program's exit code.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool accessRefused = false;

int onXError(Display*, XErrorEvent* error)
{
    if (error->error_code == BadAccess)
        accessRefused = true;
    return 0;
}

double nowMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

long windowPid(Display* display, Window window, Atom pidAtom)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && count == 1) {
            // Xlib hands 32-bit properties back as an array of long.
            long value = 0;
            std::memcpy(&value, data, sizeof(value));
            pid = value;
        }
        XFree(data);
    }
    return pid;
}

int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: xstartup <program> [arguments...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xstartup: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(onXError);
    const Window root = XDefaultRootWindow(display);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const int fd = XConnectionNumber(display);
    fcntl(fd, F_SETFD, FD_CLOEXEC);

    XSelectInput(display, root, SubstructureNotifyMask | ButtonPressMask);
    XSync(display, False);
    bool watchClicks = true;
    if (accessRefused) {
        // Another client already takes the root window's button presses.
        XSelectInput(display, root, SubstructureNotifyMask);
        XSync(display, False);
        watchClicks = false;
        std::fprintf(stderr, "xstartup: cannot watch clicks on the root window\n");
    }

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("xstartup: fork");
        return 1;
    }
    if (child == 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[1], argv + 1);
        std::perror("xstartup: exec");
        _exit(127);
    }
    std::printf("pid %ld\n", static_cast<long>(child));
    std::fflush(stdout);

    Window first = 0;
    bool unmapped = false;
    bool clicked = !watchClicks;
    int status = 0;
    bool ended = false;
    while (!ended && !(clicked && first != 0 && unmapped)) {
        while (XPending(display) > 0) {
            XEvent event {};
            XNextEvent(display, &event);
            const double at = nowMs() - start;
            if (event.type == MapNotify && event.xmap.event == root && first == 0
                && windowPid(display, event.xmap.window, pidAtom) == child) {
                first = event.xmap.window;
                std::printf("mapped %.1f 0x%lx\n", at, first);
            } else if (event.type == UnmapNotify && event.xunmap.event == root && first != 0
                && event.xunmap.window == first && !unmapped) {
                unmapped = true;
                std::printf("unmapped %.1f\n", at);
            } else if (event.type == ButtonPress && !clicked) {
                clicked = true;
                std::printf("click %.1f %d %d\n", at, event.xbutton.x_root, event.xbutton.y_root);
            }
            std::fflush(stdout);
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            break;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval timeout {};
        timeout.tv_usec = 20000;
        select(fd + 1, &readable, nullptr, nullptr, &timeout);
    }
    // From here on the program's clicks must reach whatever lies under the pointer.
    XSelectInput(display, root, NoEventMask);
    XCloseDisplay(display);

    while (!ended) {
        if (waitpid(child, &status, 0) == child)
            ended = true;
        else if (errno != EINTR)
            break;
    }
    const int code = ended ? exitCodeOf(status) : 1;
    std::printf("ended %d\n", code);
    std::fflush(stdout);
    return code;
}
