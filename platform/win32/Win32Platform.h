#pragma once

#include "platform/Platform.h"

#include <memory>
#include <string>

namespace platform {

// The Windows backend: plain Win32 calls, no Qt, so that it also builds and tests where Qt for Windows is
// not at hand. windows.h stays inside the .cpp: its macros (min, max, near, far) must not meet other headers.
class Win32Platform : public Platform
{
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Point pointerPosition() override;
    void press(Button button, std::chrono::milliseconds after) override;
    void release(Button button) override;
    void setTopmost(std::uintptr_t window, int x, int y) override;
    bool compositing() override;
    std::string executableFolder() override;
    const ProgramFiles& files() override { return m_files; }
    char separator() const override { return '\\'; }
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

    // The single-copy mutex's name (exposed for tests).
    static std::wstring MutexName();
    // The folder part of a full path as the program reports it: "C:\" at a drive root, no trailing
    // backslash elsewhere (exposed for tests).
    static std::wstring FolderOf(const std::wstring& path);
    // Hidden top-level window that receives the session's end; null until onTerminationRequest().
    std::uintptr_t sessionWindow() const { return m_sessionWindow; }
    // Runs the termination handler, or ends the process when none is set; called on the GUI thread.
    void terminationRequested();

private:
    std::wstring executablePath();

    Point m_lastPointer;
    ProgramFiles m_files;
    void* m_mutex = nullptr; // HANDLE
    int m_otherCopy = -1; // -1 until asked
    std::uintptr_t m_sessionWindow = 0; // HWND
    std::function<void()> m_terminationHandler;
};

} // namespace platform
