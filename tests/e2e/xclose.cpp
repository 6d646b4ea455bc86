// xclose: asks a top-level window to close, the way a window manager's close
// button does, by sending it a WM_DELETE_WINDOW client message.
//
//   xclose <window-id>        (decimal, or hex with 0x)
//
// Works without a window manager and without the XTEST extension. Exit code 0
// when the message was sent, 1 when the window does not take WM_DELETE_WINDOW
// or cannot be reached, 2 on a usage error.

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

bool badWindow = false;

int onXError(Display*, XErrorEvent* error)
{
    if (error->error_code == BadWindow)
        badWindow = true;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: xclose <window-id>\n");
        return 2;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long id = std::strtoul(argv[1], &end, 0);
    if (errno != 0 || end == argv[1] || *end != '\0' || id == 0) {
        std::fprintf(stderr, "xclose: not a window id: %s\n", argv[1]);
        return 2;
    }
    const Window window = id;

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xclose: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(onXError);

    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);

    Atom* list = nullptr;
    int count = 0;
    bool takesDelete = false;
    if (XGetWMProtocols(display, window, &list, &count) != 0) {
        for (int i = 0; i < count; ++i)
            takesDelete = takesDelete || list[i] == deleteWindow;
        XFree(list);
    }
    XSync(display, False);
    if (badWindow) {
        std::fprintf(stderr, "xclose: no such window: %s\n", argv[1]);
        XCloseDisplay(display);
        return 1;
    }
    if (!takesDelete) {
        std::fprintf(stderr, "xclose: window %s does not take WM_DELETE_WINDOW\n", argv[1]);
        XCloseDisplay(display);
        return 1;
    }

    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    const bool sent = !badWindow;
    XCloseDisplay(display);
    if (!sent) {
        std::fprintf(stderr, "xclose: window %s went away\n", argv[1]);
        return 1;
    }
    return 0;
}
