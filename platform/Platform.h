#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Every operating-system service the program uses goes through this interface,
// so that the engine, the settings and the windows never include an OS header.
// Exactly one backend (x11/ or win32/) is compiled into the program; tests use fake/.
namespace platform {

struct Point
{
    long x = 0;
    long y = 0;
};

struct Version
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// Button-event flags, with the values of the Win32 mouse_event call.
enum MouseFlag : std::uint32_t {
    LeftDown = 0x0002,
    LeftUp = 0x0004,
    RightDown = 0x0008,
    RightUp = 0x0010,
    MiddleDown = 0x0020,
    MiddleUp = 0x0040,
};

class Platform
{
public:
    virtual ~Platform() = default;

    // Pointer position in screen pixels.
    virtual Point cursorPos() = 0;
    // Injects one button event (one MouseFlag) where the pointer is.
    virtual void mouseEvent(std::uint32_t flags) = 0;
    // Puts a window above all others without moving it; x and y are where it already is, in pixels.
    virtual void setTopmost(std::uintptr_t window, int x, int y) = 0;

    // Folder of the executable, UTF-8, as the system reports it (no trailing separator except at a root).
    virtual std::string executableFolder() = 0;
    // The path separator that replaces "\" in the program's path literals.
    virtual char separator() const = 0;
    virtual Version version() = 0;

    virtual double screenHeightTwips() = 0;
    virtual double twipsPerPixelX() = 0;
    virtual double twipsPerPixelY() = 0;

    // True when another copy of this executable holds the single-copy lock.
    // The first call takes the lock when it is free; later calls repeat the first answer.
    virtual bool anotherCopyRunning() = 0;

    // Runs the handler on the GUI thread when the session asks the program to end
    // (SIGTERM, SIGINT, SIGHUP on Linux; log-off on Windows).
    virtual void onTerminationRequest(std::function<void()> handler) = 0;
    // Ends the process at once, saving nothing. Returns only in the fake.
    virtual void endProcess(int exitCode) = 0;

    // Conversions between the program's UTF-8 strings and the ANSI code page of its text files.
    // Characters the code page lacks become '?'.
    virtual std::string toAnsi(const std::string& utf8) = 0;
    virtual std::string fromAnsi(const std::string& ansi) = 0;
};

// The backend in use. Install() is called once by main() (or by a test) before anything else.
Platform& Current();
void Install(Platform* backend);

// Windows-1252, shared by the backends that have no system code page of their own.
std::string Utf8ToWindows1252(const std::string& utf8);
std::string Windows1252ToUtf8(const std::string& ansi);

} // namespace platform
