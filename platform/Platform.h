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

    // True for an existing plain file; a folder, or a file marked hidden or system, is not one.
    virtual bool isNormalFile(const std::string& path) = 0;
    // Plays a sound file and returns when it has ended. A file that cannot be played gives the
    // system's default sound instead, and false.
    virtual bool playSound(const std::string& path) = 0;
    // The system beep.
    virtual void beep() = 0;

    // One item of the user's locale, as the Win32 GetLocaleInfoA call gives it: the text and its
    // terminating zero go into buffer, and the count of characters written, zero included, is
    // returned; 0 when the item is unknown or does not fit.
    virtual int localeInfo(std::uint32_t lcType, char* buffer, int length) = 0;

    // The executable's file name without its folder ("Dimoro.exe" on Windows).
    virtual std::string executableName() = 0;
    // Start at logon: registers command as what the session starts at the user's logon, or removes
    // that registration. Removing one that is absent succeeds. False when the system refused.
    virtual bool writeRunAtLogon(const std::string& command) = 0;
    virtual bool deleteRunAtLogon() = 0;
};

// Locale items of localeInfo(), with their Win32 values.
constexpr std::uint32_t LocaleIso639LanguageName = 0x59; // LOCALE_SISO639LANGNAME

// The backend in use. Install() is called once by main() (or by a test) before anything else.
Platform& Current();
void Install(Platform* backend);

// Windows-1252, shared by the backends that have no system code page of their own.
std::string Utf8ToWindows1252(const std::string& utf8);
std::string Windows1252ToUtf8(const std::string& ansi);

// isNormalFile() for systems where a leading dot is what marks a file hidden.
bool IsVisibleRegularFile(const std::string& path);

// Copies text and its terminating zero into a localeInfo() buffer; the count written, or 0 when it does not fit.
int CopyLocaleText(const std::string& text, char* buffer, int length);

} // namespace platform
