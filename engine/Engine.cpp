#include "Engine.h"

#include "platform/Platform.h"
#include "settings/Settings.h"

#include <cstdlib>
#include <limits>

namespace engine {

std::int16_t ClickMode = ModeExit;
std::int16_t DwellTicks = 0;
std::int16_t HoverTicks = 0;
std::int16_t LastX = 0;
std::int16_t LastY = 0;
std::int16_t PrevMode = 0;
std::int16_t Clicked = 0;
std::int16_t DragState = 0;

namespace {

EngineWindows* g_windows = nullptr;

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

void Inject(std::uint32_t flags) { platform::Current().mouseEvent(flags); }

// Generated clicks sound only while the toolbar is out of sight.
void ClickSound()
{
    if (!g_windows->toolbarVisible() && settings::Settings.beep == 1)
        Suona();
}

void PlayFromClickFolder(const char* file)
{
    auto& os = platform::Current();
    const char separator = os.separator();
    const std::string path = os.executableFolder() + separator + "Click" + separator + file;
    // A sound that cannot be played is the backend's to cover with the system's default sound.
    if (os.isNormalFile(path))
        os.playSound(path);
    else
        os.beep();
}

void ShowOrHideToolbar(long x, long y)
{
    const double top = g_windows->toolbarTop();
    const double bottom = top + g_windows->toolbarHeight();
    if (x == 0 && top < y && y < bottom) {
        g_windows->showToolbar();
    } else if (x > g_windows->toolbarWidth() || y < top || y > bottom) {
        g_windows->hideToolbar();
        HoverTicks = 0;
    }
}

void HoverPress()
{
    if (ClickMode == ModePause || Clicked != 0)
        return;
    Increment(HoverTicks);
    if (PrevMode != ClickMode)
        HoverTicks = 0;
    PrevMode = ClickMode;
    if (HoverTicks < kHoverPressTicks)
        return;
    if (settings::Settings.beep == 1)
        Suona();
    HoverTicks = 0;
    Clicked = 1;
    // Each visibility test may load its dialog, whose load switches ClickMode to left click,
    // so every line reads ClickMode afresh after its test.
    if (!g_windows->exitQuestionVisible() && ClickMode == ModeExit)
        g_windows->Image1_Click(ModeExit);
    if (!g_windows->optionsVisible() && ClickMode == ModeOptions)
        g_windows->Image1_Click(ModeOptions);
    if (ClickMode == ModeHelp)
        g_windows->Image1_Click(ModeHelp);
}

void DwellClick()
{
    switch (ClickMode) {
    case ModeDoubleClick:
        ClickSinistro();
        ClickSinistro();
        Clicked = 1;
        ClickSound();
        break;
    case ModeLeftClick:
        ClickSinistro();
        Clicked = 1;
        ClickSound();
        break;
    case ModeDrag:
        Clicked = 1;
        if (DragState == 0) {
            Inject(platform::LeftDown);
            DragState = 1;
        } else {
            Inject(platform::LeftUp);
            DragState = 0;
        }
        ClickSound();
        break;
    case ModeRightClick:
        ClickDestro();
        Clicked = 1;
        ClickSound();
        break;
    case ModeMiddleClick:
        ClickCentrale();
        Clicked = 1;
        ClickSound();
        break;
    default:
        // Pause and the command buttons never click.
        break;
    }
}

} // namespace

void Attach(EngineWindows* windows) { g_windows = windows; }

void Timer1_Timer()
{
    if (g_windows == nullptr)
        return;
    const platform::Point pointer = platform::Current().cursorPos();
    const long x = pointer.x;
    const long y = pointer.y;

    ShowOrHideToolbar(x, y);
    HoverPress();

    const long reach = static_cast<long>(settings::Settings.tolerance) + 2;
    const bool rests = std::labs(LastX - x) < reach && std::labs(LastY - y) < reach && ClickMode != ModePause;
    if (rests) {
        Increment(DwellTicks);
        if (DwellTicks >= settings::Settings.dwellTenths) {
            DwellTicks = 0;
            if (Clicked == 0)
                DwellClick();
        }
    } else {
        Clicked = 0;
        HoverTicks = 0;
    }

    // A coordinate beyond 16 bits is not stored: the old value stays.
    if (Fits16(x))
        LastX = static_cast<std::int16_t>(x);
    if (Fits16(y))
        LastY = static_cast<std::int16_t>(y);
}

void ClickSinistro()
{
    Inject(platform::LeftDown);
    Inject(platform::LeftUp);
}

void ClickDestro()
{
    Inject(platform::RightDown);
    Inject(platform::RightUp);
}

void ClickCentrale()
{
    Inject(platform::MiddleDown);
    Inject(platform::MiddleUp);
}

void Suona() { PlayFromClickFolder("Click1.wav"); }

void SuonaSelezione() { PlayFromClickFolder("Click2.wav"); }

void ReleaseHeldButton()
{
    if (DragState == 1) {
        Inject(platform::LeftUp);
        DragState = 0;
    }
}

void ResetState()
{
    ClickMode = ModeExit;
    DwellTicks = 0;
    HoverTicks = 0;
    LastX = 0;
    LastY = 0;
    PrevMode = 0;
    Clicked = 0;
    DragState = 0;
}

} // namespace engine
