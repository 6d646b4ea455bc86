// xpoller: the least a pointer-sampling program can do, as a yardstick for the
// benchmark: ask the X server where the pointer is every 100 ms, nothing else.
//
//   xpoller
//
// Runs until SIGTERM or SIGINT, then prints how many samples it took.

#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onStopSignal(int) { stopRequested = 1; }

constexpr long kPeriodNs = 100L * 1000L * 1000L;

} // namespace

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xpoller: cannot open display\n");
        return 1;
    }
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    const Window root = XDefaultRootWindow(display);
    timespec next {};
    clock_gettime(CLOCK_MONOTONIC, &next);
    unsigned long samples = 0;
    long checksum = 0;
    while (stopRequested == 0) {
        Window rootReturn = 0;
        Window childReturn = 0;
        int rootX = 0;
        int rootY = 0;
        int winX = 0;
        int winY = 0;
        unsigned int mask = 0;
        if (XQueryPointer(display, root, &rootReturn, &childReturn, &rootX, &rootY, &winX, &winY, &mask) != 0)
            checksum += rootX + rootY;
        ++samples;

        next.tv_nsec += kPeriodNs;
        if (next.tv_nsec >= 1000000000L) {
            next.tv_nsec -= 1000000000L;
            ++next.tv_sec;
        }
        while (stopRequested == 0 && clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) { }
    }
    std::printf("xpoller: %lu samples (checksum %ld)\n", samples, checksum);
    XCloseDisplay(display);
    return 0;
}
