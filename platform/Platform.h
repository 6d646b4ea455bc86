#pragma once

#include "platform/ProgramFiles.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// Every operating-system service the program uses goes through this interface, so that the engine, the
// settings and the windows never include an OS header. Exactly one backend (x11/ or win32/) is compiled into
// the program; tests use fake/. The backend is created in main() and handed to whatever needs it.
namespace platform {

struct Point
{
    long x = 0;
    long y = 0;
};

// A place on the desktop, in the same coordinates as Point.
struct Area
{
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
};

struct Version
{
    int major = 0;
    int minor = 0;
    int revision = 0;
};

enum class Button { Left, Right, Middle };

class Platform
{
public:
    virtual ~Platform() = default;

    /** Where the pointer is, in the windows' device-independent pixels (the desktop's scale taken out). */
    virtual Point pointerPosition() = 0;
    /** Presses a mouse button where the pointer is, at least `after` later than the event injected before it. */
    virtual void press(Button button, std::chrono::milliseconds after = {}) = 0;
    /** Releases a mouse button where the pointer is. */
    virtual void release(Button button) = 0;
    /** Puts a window above all others without moving it; x and y are where it already is, in pixels. */
    virtual void setTopmost(std::uintptr_t window, int x, int y) = 0;
    /** True while a compositing manager draws the desktop, so that a window's transparent pixels show through. */
    virtual bool compositing() = 0;

    /** Folder of the executable, UTF-8, without a trailing separator except at a root. */
    virtual std::string executableFolder() = 0;
    /** The executable's file name without its folder ("Dimoro.exe" on Windows). */
    virtual std::string executableName() = 0;
    /** The path separator of the system. */
    virtual char separator() const = 0;
    /** Where the program's data is and where it keeps what it writes; found once, when the backend starts. */
    virtual const ProgramFiles& files() = 0;
    /** The program's version, as the build gives it. */
    virtual Version version() = 0;

    /** The monitor holding the desktop's leftmost edge, where the toolbar lives, as pointerPosition() sees it. */
    virtual Area toolbarMonitor() = 0;

    /** True when another copy holds the single-copy lock; the first call takes it when free, later calls repeat. */
    virtual bool anotherCopyRunning() = 0;
    /** Runs handler on the GUI thread when the session asks the program to end (signals, log-off). */
    virtual void onTerminationRequest(std::function<void()> handler) = 0;
    /** Ends the process at once, saving nothing. Returns only in the fake. */
    virtual void endProcess(int exitCode) = 0;

    /** UTF-8 to the code page of the program's text files; characters it lacks become '?'. */
    virtual std::string toAnsi(const std::string& utf8) = 0;
    /** The code page of the program's text files to UTF-8. */
    virtual std::string fromAnsi(const std::string& ansi) = 0;

    /** True for an existing plain file; a folder, or a file marked hidden or system, is not one. */
    virtual bool isNormalFile(const std::string& path) = 0;
    /** Plays a sound file to its end; one that cannot be played gives the system's default sound, and false. */
    virtual bool playSound(const std::string& path) = 0;
    /** The system beep. */
    virtual void beep() = 0;

    /** The ISO 639 code of the user's language ("it", "de"); empty when the locale names none. */
    virtual std::string userLanguageCode() = 0;

    /** Registers command to start at the user's logon; false when the system refused. */
    virtual bool writeRunAtLogon(const std::string& command) = 0;
    /** Removes that registration; removing an absent one succeeds. */
    virtual bool deleteRunAtLogon() = 0;
};

// The path of a file in the program's data folder; relative uses '/' and gets the system's separator.
std::string ProgramPath(Platform& os, const std::string& relative);

// A UTF-8 path as the file system takes it (UTF-16 on Windows), so that any name opens the same file.
std::filesystem::path Utf8Path(const std::string& utf8);

// Windows-1252, shared by the backends that have no system code page of their own.
std::string Utf8ToWindows1252(const std::string& utf8);
std::string Windows1252ToUtf8(const std::string& ansi);

// isNormalFile() for systems where a leading dot is what marks a file hidden.
bool IsVisibleRegularFile(const std::string& path);

} // namespace platform
