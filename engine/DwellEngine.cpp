#include "DwellEngine.h"

#include "platform/Platform.h"
#include "settings/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace engine {

namespace {

using platform::Button;

bool Fits16(long value)
{
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// A 16-bit counter that cannot go past its limit: the increment is skipped instead.
void Increment(std::int16_t& counter)
{
    if (counter < std::numeric_limits<std::int16_t>::max())
        ++counter;
}

} // namespace

DwellEngine::DwellEngine(platform::Platform& os, const settings::Settings& settings)
    : m_os(os)
    , m_settings(settings)
{ }

void DwellEngine::tick()
{
    if (m_windows == nullptr)
        return;
    const platform::Point pointer = m_os.pointerPosition();
    const long x = pointer.x;
    const long y = pointer.y;

    showOrHideToolbar(x, y);
    hoverPress(pointer);

    const long reach = static_cast<long>(m_settings.tolerance) + 2;
    const bool rests = std::labs(m_lastX - x) < reach && std::labs(m_lastY - y) < reach && m_mode != Mode::Pause;
    if (rests) {
        Increment(m_dwellTicks);
        // Shown before the click, so that the ring is full on the screen as the click comes.
        if (!m_restHandled)
            showProgress(pointer);
        if (m_dwellTicks >= m_settings.dwellTenths) {
            m_dwellTicks = 0;
            if (!m_restHandled)
                dwellClick();
        }
    } else {
        // A new rest needs the whole dwell time: a count left from before would click early.
        m_dwellTicks = 0;
        m_restHandled = false;
        m_hoverTicks = 0;
        m_windows->hideProgress();
    }

    // A coordinate beyond 16 bits is not stored: the old value stays.
    if (Fits16(x))
        m_lastX = static_cast<std::int16_t>(x);
    if (Fits16(y))
        m_lastY = static_cast<std::int16_t>(y);
}

void DwellEngine::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    if (m_windows != nullptr)
        m_windows->modeChanged(mode);
}

void DwellEngine::restartCounting()
{
    m_hoverTicks = 0;
    m_dwellTicks = 0;
}

void DwellEngine::showOrHideToolbar(long x, long y)
{
    // The toolbar lives at the left edge of its monitor; the height test keeps a monitor above or below it out.
    const long edge = m_os.toolbarMonitor().left;
    const double top = m_windows->toolbarTop();
    const double bottom = top + m_windows->toolbarHeight();
    if (x == edge && top < y && y < bottom) {
        m_windows->showToolbar();
    } else if (x > edge + m_windows->toolbarWidth() || y < top || y > bottom) {
        m_windows->hideToolbar();
        m_hoverTicks = 0;
    }
}

void DwellEngine::hoverPress(platform::Point pointer)
{
    if (m_mode == Mode::Pause || m_restHandled)
        return;
    Increment(m_hoverTicks);
    if (m_hoverMode != m_mode)
        m_hoverTicks = 0;
    m_hoverMode = m_mode;
    if (m_hoverTicks < kHoverPressTicks)
        return;
    if (IsCommand(m_mode) && m_windows->toolbarVisible())
        m_windows->showProgress(pointer, Countdown::CommandPress, kHoverPressTicks, kHoverPressTicks);
    else
        m_windows->hideProgress();
    if (m_settings.sound == 1)
        playClickSound();
    m_hoverTicks = 0;
    m_restHandled = true;
    // Loading a dialog that is not loaded switches the mode to left click, so the mode is read after each load.
    m_windows->loadDialog(Dialog::ExitQuestion);
    if (!m_windows->dialogVisible(Dialog::ExitQuestion) && m_mode == Mode::Exit)
        m_windows->runCommand(Mode::Exit);
    m_windows->loadDialog(Dialog::Options);
    if (!m_windows->dialogVisible(Dialog::Options) && m_mode == Mode::Options)
        m_windows->runCommand(Mode::Options);
    if (m_mode == Mode::Help)
        m_windows->runCommand(Mode::Help);
}

void DwellEngine::showProgress(platform::Point pointer)
{
    Countdown countdown = Countdown::LeftClick;
    switch (m_mode) {
    case Mode::DoubleClick:
        countdown = Countdown::DoubleClick;
        break;
    case Mode::LeftClick:
        break;
    case Mode::Drag:
        countdown = m_dragHeld ? Countdown::DragRelease : Countdown::DragPress;
        break;
    case Mode::RightClick:
        countdown = Countdown::RightClick;
        break;
    case Mode::MiddleClick:
        countdown = Countdown::MiddleClick;
        break;
    default:
        // A command button presses itself only on the toolbar, where the pointer is over it.
        if (m_windows->toolbarVisible() && m_hoverTicks > 0)
            m_windows->showProgress(pointer, Countdown::CommandPress, m_hoverTicks, kHoverPressTicks);
        else
            m_windows->hideProgress();
        return;
    }
    // At the click the counter has just reached the dwell time.
    m_windows->showProgress(pointer, countdown, std::max<int>(m_dwellTicks, 1), m_settings.dwellTenths);
}

void DwellEngine::dwellClick()
{
    switch (m_mode) {
    case Mode::DoubleClick:
        leftClick();
        m_os.press(Button::Left, kDoubleClickGap);
        m_os.release(Button::Left);
        break;
    case Mode::LeftClick:
        leftClick();
        break;
    case Mode::Drag:
        if (m_dragHeld)
            m_os.release(Button::Left);
        else
            m_os.press(Button::Left);
        m_dragHeld = !m_dragHeld;
        break;
    case Mode::RightClick:
        rightClick();
        break;
    case Mode::MiddleClick:
        middleClick();
        break;
    default:
        // Pause and the command buttons never click.
        return;
    }
    m_restHandled = true;
    clickSound();
}

void DwellEngine::clickSound()
{
    // Generated clicks sound only while the toolbar is out of sight.
    if (!m_windows->toolbarVisible() && m_settings.sound == 1)
        playClickSound();
}

void DwellEngine::leftClick()
{
    m_os.press(Button::Left);
    m_os.release(Button::Left);
}

void DwellEngine::rightClick()
{
    m_os.press(Button::Right);
    m_os.release(Button::Right);
}

void DwellEngine::middleClick()
{
    m_os.press(Button::Middle);
    m_os.release(Button::Middle);
}

void DwellEngine::playClickSound() { playFromClickFolder("Click1.wav"); }

void DwellEngine::playSelectionSound() { playFromClickFolder("Click2.wav"); }

void DwellEngine::playFromClickFolder(const char* file)
{
    const std::string path = platform::ProgramPath(m_os, std::string("Click/") + file);
    // A sound that cannot be played is the backend's to cover with the system's default sound.
    if (m_os.isNormalFile(path))
        m_os.playSound(path);
    else
        m_os.beep();
}

void DwellEngine::releaseHeldButton()
{
    if (m_dragHeld) {
        m_os.release(Button::Left);
        m_dragHeld = false;
    }
}

} // namespace engine
