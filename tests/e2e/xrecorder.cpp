// xrecorder: a plain X client for the end-to-end tests and the bench.
//
//   xrecorder                  covers the screen with a window; prints one line per event:
//     ready                                                    once its window is exposed
//     press|release <button> <x> <y> <server-ms> <clock-ms> <ring>  button events on its own window
//     motion <x> <y> <server-ms>                               pointer moves over its own window
//     raw press|release <button> <clock-ms>                    every button event, whichever window takes it
//     create|configure <id> <x> <y> <w> <h> <clock-ms>         top-level windows
//     map|unmap <id> <clock-ms>
//   xrecorder --close <id>     sends WM_DELETE_WINDOW, as a window manager's close button does
//   xrecorder --ring <x> <y>   prints <ring> for that point
//
// <ring> is the screen's colour (rrggbb, "-" off the screen) where a dwell progress ring around the point has its band
// at half past one, half past four, half past seven and half past ten, and then in its hole.
// <id> is in hex (0x...). <clock-ms> is the wall clock (CLOCK_REALTIME, printed to 0.1 ms) so that
// scripts can compare it with bash's $EPOCHREALTIME. Runs until killed; an X error ends it with code 1.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

double clockMs()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

int closeWindow(Display* display, Window target)
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, target, False, NoEventMask, &event);
    XSync(display, False); // Xlib's default handler ends the program on BadWindow
    XCloseDisplay(display);
    return 0;
}

// The colours when the event arrives: the ring must be full as its click is injected.
void printRing(Display* display, int x, int y)
{
    constexpr int kPlaces[5][2] = {{9, -9}, {9, 9}, {-9, 9}, {-9, -9}, {0, 0}};
    const int screen = XDefaultScreen(display);
    for (const auto& place : kPlaces) {
        const int px = x + place[0];
        const int py = y + place[1];
        XImage* image = nullptr;
        // Xlib's default handler would end the program on the error a point off the screen gives.
        if (px >= 0 && py >= 0 && px < XDisplayWidth(display, screen) && py < XDisplayHeight(display, screen))
            image = XGetImage(display, XRootWindow(display, screen), px, py, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) {
            std::printf(" -");
            continue;
        }
        std::printf(" %06lx", XGetPixel(image, 0, 0) & 0xFFFFFF);
        XDestroyImage(image);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    const bool close = argc == 3 && std::strcmp(argv[1], "--close") == 0;
    const bool ring = argc == 4 && std::strcmp(argv[1], "--ring") == 0;
    if (!close && !ring && argc != 1) {
        std::fprintf(stderr, "usage: xrecorder [--close <window-id> | --ring <x> <y>]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xrecorder: cannot open display\n");
        return 1;
    }
    if (close)
        return closeWindow(display, std::strtoul(argv[2], nullptr, 0));
    if (ring) {
        printRing(display, std::atoi(argv[2]), std::atoi(argv[3]));
        return 0;
    }

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int screen = XDefaultScreen(display);
    const Window root = XRootWindow(display, screen);
    // Raw events reach the root window whoever takes the button, so clicks on the program's own
    // dialogs are seen too.
    int xinput = 0;
    int unused = 0;
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &xinput, &unused, &unused)
        || XIQueryVersion(display, &major, &minor) != Success) {
        std::fprintf(stderr, "xrecorder: the X server lacks XInput 2.2\n");
        return 1;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask rawMask {XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display, root, &rawMask, 1);

    XSetWindowAttributes attributes {};
    attributes.background_pixel = XWhitePixel(display, screen);
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | ExposureMask;
    const Window window = XCreateWindow(display, root, 0, 0, static_cast<unsigned>(XDisplayWidth(display, screen)),
        static_cast<unsigned>(XDisplayHeight(display, screen)), 0, CopyFromParent, InputOutput, nullptr,
        CWBackPixel | CWEventMask, &attributes);
    XSelectInput(display, root, SubstructureNotifyMask);
    XMapWindow(display, window);

    for (bool ready = false;;) {
        XEvent e {};
        XNextEvent(display, &e);
        const double ms = clockMs();
        if (e.type == Expose && !ready) {
            ready = true;
            std::printf("ready\n");
        } else if (e.type == ButtonPress || e.type == ButtonRelease) {
            std::printf("%s %u %d %d %lu %.1f", e.type == ButtonPress ? "press" : "release", e.xbutton.button,
                e.xbutton.x_root, e.xbutton.y_root, e.xbutton.time, ms);
            printRing(display, e.xbutton.x_root, e.xbutton.y_root);
        } else if (e.type == MotionNotify) {
            std::printf("motion %d %d %lu\n", e.xmotion.x_root, e.xmotion.y_root, e.xmotion.time);
        } else if (e.type == GenericEvent && e.xcookie.extension == xinput && XGetEventData(display, &e.xcookie)) {
            const auto* raw = static_cast<const XIRawEvent*>(e.xcookie.data);
            std::printf("raw %s %d %.1f\n", raw->evtype == XI_RawButtonPress ? "press" : "release", raw->detail, ms);
            XFreeEventData(display, &e.xcookie);
        } else if (e.type == CreateNotify) {
            const XCreateWindowEvent& c = e.xcreatewindow;
            std::printf("create 0x%lx %d %d %d %d %.1f\n", c.window, c.x, c.y, c.width, c.height, ms);
        } else if (e.type == ConfigureNotify) {
            const XConfigureEvent& c = e.xconfigure;
            std::printf("configure 0x%lx %d %d %d %d %.1f\n", c.window, c.x, c.y, c.width, c.height, ms);
        } else if (e.type == MapNotify || e.type == UnmapNotify) {
            const bool map = e.type == MapNotify;
            std::printf("%s 0x%lx %.1f\n", map ? "map" : "unmap", map ? e.xmap.window : e.xunmap.window, ms);
        }
    }
}
