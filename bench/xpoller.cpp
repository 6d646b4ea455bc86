// xpoller: the bench's yardstick, the least a pointer-sampling program can do: ask the X server
// where the pointer is every 100 ms, nothing else, until it is killed.

#include <X11/Xlib.h>

#include <cstdio>
#include <ctime>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xpoller: cannot open display\n");
        return 1;
    }
    const Window root = XDefaultRootWindow(display);
    Window windows[2] {};
    int xy[4] {};
    unsigned int mask = 0;
    timespec next {};
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (;;) {
        XQueryPointer(display, root, &windows[0], &windows[1], &xy[0], &xy[1], &xy[2], &xy[3], &mask);
        next.tv_nsec += 100'000'000L;
        if (next.tv_nsec >= 1'000'000'000L) {
            next.tv_nsec -= 1'000'000'000L;
            ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
}
