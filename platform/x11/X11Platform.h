#pragma once

#include "platform/Platform.h"
#include "platform/posix/SoundPlayer.h"
#include "platform/posix/TerminationSignals.h"

#include <memory>
#include <string>

// Declared here instead of including Xlib, whose macros (None, Bool, Status) clash with Qt's headers.
struct _XDisplay;

class QLockFile;

namespace platform {

// The display a DISPLAY value names, as a file name: the screen number goes, and the local socket's two spellings
// are one, so ":0", ":0.0" and "unix:0" all give "0", while "host:10.0" gives "host-10".
std::string DisplayKey(const std::string& display);

// The single-copy lock of this user on that display: in the user's runtime folder when the session has a usable
// one (else runtimeFolder is empty), else in the temporary folder with the user id in its name.
std::string SingleCopyLockPath(const std::string& display, const std::string& runtimeFolder,
    const std::string& temporaryFolder, unsigned long userId);

// The Linux backend: Qt for the windowing parts, our own Xlib connection for the two things Qt cannot do,
// reading the pointer anywhere on the screen and injecting button events through XTEST.
class X11Platform : public Platform
{
public:
    // Needs a QGuiApplication on the xcb platform and an X server with XTEST.
    // Returns null and says in whyNot what is missing otherwise.
    static std::unique_ptr<X11Platform> Create(std::string& whyNot);
    ~X11Platform() override;

    Point pointerPosition() override;
    void press(Button button, std::chrono::milliseconds after) override;
    void release(Button button) override;
    void setTopmost(std::uintptr_t window, int x, int y) override;
    bool compositing() override;
    std::string executableFolder() override;
    const ProgramFiles& files() override { return m_files; }
    char separator() const override { return '/'; }
    Version version() override;
    Area toolbarMonitor() override;
    bool anotherCopyRunning() override;
    void onTerminationRequest(std::function<void()> handler) override;
    void endProcess(int exitCode) override;
    std::string toAnsi(const std::string& utf8) override;
    std::string fromAnsi(const std::string& ansi) override;
    bool isNormalFile(const std::string& path) override;
    bool playSound(const std::string& path) override;
    void beep() override;
    std::string userLanguageCode() override;
    std::string executableName() override;
    bool writeRunAtLogon(const std::string& command) override;
    bool deleteRunAtLogon() override;

private:
    X11Platform(_XDisplay* display, std::string executablePath);
    void inject(Button button, bool press, std::chrono::milliseconds after = {});

    _XDisplay* m_display;
    std::string m_executablePath; // as the kernel gives it: bytes, not necessarily UTF-8
    unsigned long m_root;
    Point m_lastPointer;
    ProgramFiles m_files;
    std::unique_ptr<QLockFile> m_lock;
    int m_otherCopy = -1; // -1 until asked
    TerminationSignals m_signals;
    SoundPlayer m_sounds;
};

} // namespace platform
