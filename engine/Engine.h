#pragma once

#include <cstdint>

// The dwell-click engine: one tick every 100 ms samples the pointer and, after a rest,
// injects the clicks of the current click mode. Its state is process-wide, as the rest of
// the program reads and sets it between ticks.
namespace engine {

// Index of the toolbar button selected last.
enum Mode : std::int16_t {
    ModeExit = 0,
    ModePause = 1,
    ModeDoubleClick = 2,
    ModeLeftClick = 3,
    ModeDrag = 4,
    ModeRightClick = 5,
    ModeMiddleClick = 6,
    ModeOptions = 7,
    ModeHelp = 8,
};

constexpr int kHoverPressTicks = 15;

extern std::int16_t ClickMode;
extern std::int16_t DwellTicks; // resting ticks, back to 0 each time it reaches the dwell time
extern std::int16_t HoverTicks; // resting ticks towards a hover press
extern std::int16_t LastX; // pointer at the previous tick, screen pixels
extern std::int16_t LastY;
extern std::int16_t PrevMode; // ClickMode seen by the previous hover step
extern std::int16_t Clicked; // 1: this rest has had its click or hover press
extern std::int16_t DragState; // 1: drag mode holds the left button down

// What the tick needs from the windows; implemented by the toolbar window.
class EngineWindows
{
public:
    virtual ~EngineWindows() = default;
    // The toolbar's edges in screen pixels, not rounded.
    virtual double toolbarTop() = 0;
    virtual double toolbarHeight() = 0;
    virtual double toolbarWidth() = 0;
    virtual bool toolbarVisible() = 0;
    virtual void showToolbar() = 0;
    virtual void hideToolbar() = 0;
    // Asking loads the dialog, hidden, when it is not loaded.
    virtual bool exitQuestionVisible() = 0;
    virtual bool optionsVisible() = 0;
    virtual void Image1_Click(std::int16_t index) = 0;
};

// Connects the engine to its windows; null detaches.
void Attach(EngineWindows* windows);

// One tick of the dwell timer.
void Timer1_Timer();

void ClickSinistro();
void ClickDestro();
void ClickCentrale();
// The two feedback sounds, played from the Click folder beside the executable; they return when the
// sound has ended. A file that is missing gives the system beep. The callers test Settings.beep.
void Suona();
void SuonaSelezione();

// Releases the left button when drag mode holds it; every way out of the program calls this.
void ReleaseHeldButton();

// Back to the values of a freshly started process.
void ResetState();

} // namespace engine
