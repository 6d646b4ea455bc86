#pragma once

#include "platform/Platform.h"

#include <chrono>
#include <cstdint>

namespace settings {
struct Settings;
}

namespace engine {

// What the toolbar's buttons choose; the value is the button's place on the toolbar, top to bottom.
enum class Mode : std::int16_t {
    Exit = 0,
    Pause = 1,
    DoubleClick = 2,
    LeftClick = 3,
    Drag = 4,
    RightClick = 5,
    MiddleClick = 6,
    Options = 7,
    Help = 8,
};

constexpr int kModes = 9;
constexpr int ButtonIndex(Mode mode) { return static_cast<int>(mode); }
// Exit, options and help are pressed by a rest on them; the other modes are chosen by moving over their button.
constexpr bool IsCommand(Mode mode) { return mode == Mode::Exit || mode == Mode::Options || mode == Mode::Help; }

// Resting ticks on a command button before it presses itself.
constexpr int kHoverPressTicks = 15;

// Between a double click's first release and its second press. Chromium does not count two presses with one
// timestamp as a double click; any system's double-click time is far longer.
constexpr std::chrono::milliseconds kDoubleClickGap {10};

// What a rest is counting towards; the progress ring shows each its own way.
enum class Countdown { LeftClick, DoubleClick, DragPress, DragRelease, RightClick, MiddleClick, CommandPress };

// A dialog the tick asks about.
enum class Dialog { ExitQuestion, Options };

// What the tick needs from the windows.
class EngineWindows
{
public:
    virtual ~EngineWindows() = default;
    /** The toolbar's edges in the pointer's pixels, not rounded; its left edge is its monitor's. */
    virtual double toolbarTop() = 0;
    virtual double toolbarHeight() = 0;
    virtual double toolbarWidth() = 0;
    virtual bool toolbarVisible() = 0;
    virtual void showToolbar() = 0;
    virtual void hideToolbar() = 0;
    /** Loads the dialog, hidden, when it is not loaded: its load saves the click mode and sets left click. */
    virtual void loadDialog(Dialog dialog) = 0;
    /** Whether the dialog is on the screen; never loads it. */
    virtual bool dialogVisible(Dialog dialog) = 0;
    /** What pressing a command button (exit, options, help) does. */
    virtual void runCommand(Mode command) = 0;
    /** The rest at `at` has lasted `done` of the `total` ticks it needs; at done == total, what it counted towards
     * happens next, and the display ends by itself shortly after. */
    virtual void showProgress(platform::Point, Countdown, int /*done*/, int /*total*/) { }
    /** The rest is over (a move, pause) or will do nothing: no progress shows, at once. */
    virtual void hideProgress() { }
    /** The mode has changed, by whatever means; the toolbar tells assistive technology. */
    virtual void modeChanged(Mode) { }
};

// The dwell clicker: one tick every 100 ms samples the pointer and, once it has rested for the set time,
// injects the clicks of the current mode. Resting on a command button presses it after kHoverPressTicks.
class DwellEngine
{
public:
    DwellEngine(platform::Platform& os, const settings::Settings& settings);

    // The windows come after the engine; until they are attached the tick does nothing.
    void attach(EngineWindows* windows) { m_windows = windows; }

    /** One tick of the dwell timer. */
    void tick();

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    /** The rest so far counts for nothing towards the next click. */
    void clearDwell() { m_dwellTicks = 0; }
    /** The rest so far counts for nothing towards a click or a hover press. */
    void restartCounting();

    void leftClick();
    void rightClick();
    void middleClick();
    /** The click sound; returns when it has ended. A missing file gives the system beep. */
    void playClickSound();
    /** The sound of choosing a toolbar button. */
    void playSelectionSound();

    /** Releases the left button when drag holds it; every way out of the program calls this. */
    void releaseHeldButton();

    bool dragHeld() const { return m_dragHeld; }
    std::int16_t dwellTicks() const { return m_dwellTicks; }
    std::int16_t hoverTicks() const { return m_hoverTicks; }
    bool restHandled() const { return m_restHandled; }

private:
    void showOrHideToolbar(long x, long y);
    void hoverPress(platform::Point pointer);
    void showProgress(platform::Point pointer);
    void dwellClick();
    void clickSound();
    void playFromClickFolder(const char* file);

    platform::Platform& m_os;
    const settings::Settings& m_settings;
    EngineWindows* m_windows = nullptr;

    Mode m_mode = Mode::Exit;
    std::int16_t m_dwellTicks = 0; // resting ticks, back to 0 at a move and each time it reaches the dwell time
    std::int16_t m_hoverTicks = 0; // resting ticks towards a hover press
    std::int16_t m_lastX = 0; // pointer at the previous tick, screen pixels
    std::int16_t m_lastY = 0;
    Mode m_hoverMode = Mode::Exit; // the mode the previous hover step saw
    bool m_restHandled = false; // this rest has had its click or hover press
    bool m_dragHeld = false; // drag holds the left button down
};

} // namespace engine
