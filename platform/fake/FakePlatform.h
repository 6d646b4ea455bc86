#pragma once

#include "platform/Platform.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A scriptable backend for tests: the pointer follows a script, tick by tick,
// and every request the program makes is recorded for the test to assert on.
class FakePlatform : public Platform
{
public:
    struct ButtonEvent
    {
        Button button = Button::Left;
        bool press = true;
        Point at;
        int sample = 0; // number of pointerPosition() calls made before this event
        std::chrono::milliseconds after {}; // asked-for time since the event before
    };

    // Positions returned by successive pointerPosition() calls; the last one repeats when the script runs out.
    void scriptPointer(const std::vector<Point>& positions);
    void movePointer(long x, long y);

    Point pointerPosition() override;
    void press(Button button, std::chrono::milliseconds after) override;
    void release(Button button) override;
    void setTopmost(std::uintptr_t window, int x, int y) override;
    std::string executableFolder() override;
    // By the real rule, from folder and base, on every call: tests change both as they go.
    const ProgramFiles& files() override;
    char separator() const override { return pathSeparator; }
    Version version() override;
    Area toolbarMonitor() override { return monitor; }
    bool compositing() override { return composited; }
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

    // Script and record, public so that tests read and set them directly.
    std::vector<ButtonEvent> events;
    std::deque<Point> pointerScript;
    Point pointer;
    int samples = 0;
    std::string folder = ".";
    char pathSeparator = '/'; // '\\' plays Windows
    BaseFolders base; // the user's folders, used when folder is laid out as an installed copy
    Version programVersion {1, 0, 0};
    Area monitor {0, 0, 1024, 768};
    bool composited = false;
    bool otherCopy = false;
    std::vector<std::uintptr_t> topmostWindows;
    std::vector<std::pair<int, int>> topmostPositions;
    std::function<void()> terminationHandler;
    int endedWith = -1; // exit code passed to endProcess, -1 while running
    struct Sound
    {
        std::string path; // empty for the beep
        std::size_t afterEvents = 0; // button events injected before it
    };
    std::vector<Sound> sounds; // every playSound() and beep(), in order
    bool soundsPlay = true; // what playSound() answers
    std::string locale = "en"; // what userLanguageCode() gives
    std::string name = "dimoro";
    bool refuseRunAtLogon = false;
    std::optional<std::string> runAtLogon; // the registered command, if any

private:
    ProgramFiles m_files;
};

} // namespace platform
