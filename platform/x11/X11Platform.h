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
    std::string executableFolder() override;
    const ProgramFiles& files() override { return m_files; }
    char separator() const override { return '/'; }
    Version version() override;
    double screenHeightTwips() override;
    double twipsPerPixelX() override;
    double twipsPerPixelY() override;
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
    explicit X11Platform(_XDisplay* display);
    void inject(Button button, bool press, std::chrono::milliseconds after = {});

    _XDisplay* m_display;
    unsigned long m_root;
    Point m_lastPointer;
    ProgramFiles m_files;
    std::unique_ptr<QLockFile> m_lock;
    int m_otherCopy = -1; // -1 until asked
    TerminationSignals m_signals;
    SoundPlayer m_sounds;
};

} // namespace platform
