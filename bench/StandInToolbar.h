#pragma once

#include "engine/DwellEngine.h"

// The toolbar as the engine sees it, with the start-up geometry of a 768-pixel screen and no dialogs:
// the benchmarks time the engine, not the windows. Unlike the tests' support::StandInWindows it records
// nothing, so that the long run's heap figures and the tick's time are the engine's alone.
class StandInToolbar : public engine::EngineWindows
{
public:
    double toolbarTop() override { return 164.5; }
    double toolbarHeight() override { return 359; }
    double toolbarWidth() override { return 45; }
    bool toolbarVisible() override { return visible; }
    void showToolbar() override { visible = true; }
    void hideToolbar() override { visible = false; }
    void loadDialog(engine::Dialog) override { }
    bool dialogVisible(engine::Dialog) override { return false; }
    void runCommand(engine::Mode) override { }
    bool visible = false;
};
