#include "FakePlatform.h"

namespace platform {

void FakePlatform::scriptPointer(const std::vector<Point>& positions)
{
    pointerScript.assign(positions.begin(), positions.end());
}

void FakePlatform::movePointer(long x, long y)
{
    pointerScript.clear();
    pointer = {x, y};
}

Point FakePlatform::pointerPosition()
{
    ++samples;
    if (!pointerScript.empty()) {
        pointer = pointerScript.front();
        pointerScript.pop_front();
    }
    return pointer;
}

void FakePlatform::press(Button button, std::chrono::milliseconds after)
{
    events.push_back({button, true, pointer, samples, after});
}

void FakePlatform::release(Button button) { events.push_back({button, false, pointer, samples}); }

void FakePlatform::setTopmost(std::uintptr_t window, int x, int y)
{
    topmostWindows.push_back(window);
    topmostPositions.emplace_back(x, y);
}

std::string FakePlatform::executableFolder() { return folder; }

const ProgramFiles& FakePlatform::files()
{
    m_files = LocateProgramFiles(folder, separator(), base, PathOnDisk);
    return m_files;
}

Version FakePlatform::version() { return programVersion; }

bool FakePlatform::anotherCopyRunning() { return otherCopy; }

void FakePlatform::onTerminationRequest(std::function<void()> handler) { terminationHandler = std::move(handler); }

void FakePlatform::endProcess(int exitCode) { endedWith = exitCode; }

std::string FakePlatform::toAnsi(const std::string& utf8) { return Utf8ToWindows1252(utf8); }

std::string FakePlatform::fromAnsi(const std::string& ansi) { return Windows1252ToUtf8(ansi); }

bool FakePlatform::isNormalFile(const std::string& path) { return IsVisibleRegularFile(path); }

bool FakePlatform::playSound(const std::string& path)
{
    sounds.push_back({path, events.size()});
    return soundsPlay;
}

void FakePlatform::beep() { sounds.push_back({{}, events.size()}); }

std::string FakePlatform::userLanguageCode() { return locale; }

std::string FakePlatform::executableName() { return name; }

bool FakePlatform::writeRunAtLogon(const std::string& command)
{
    if (refuseRunAtLogon)
        return false;
    runAtLogon = command;
    return true;
}

bool FakePlatform::deleteRunAtLogon()
{
    if (refuseRunAtLogon)
        return false;
    runAtLogon.reset();
    return true;
}

} // namespace platform
