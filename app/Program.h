#pragma once

#include "dialogs/Dialogs.h"
#include "engine/DwellEngine.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "toolbar/ProgressRing.h"
#include "toolbar/ToolbarWindow.h"

#include <QTimer>

#include <memory>

namespace platform {
class Platform;
}

// The program as a whole: the settings, the language, the engine and the windows, and the wiring between them.
// It answers the engine's questions about the windows and runs the toolbar's commands.
class Program : public engine::EngineWindows
{
public:
    explicit Program(platform::Platform& os);
    ~Program() override;

    // The start-up, in order. When another copy runs, this one says so and ends; false then (in tests).
    bool start();

    settings::Settings& settings() { return m_settings; }
    settings::LanguageTable& language() { return m_language; }
    engine::DwellEngine& engine() { return m_engine; }
    dialogs::Desktop& desktop() { return m_desktop; }
    dialogs::Dialogs& dialogs() { return m_dialogs; }
    toolbar::ToolbarWindow& toolbar() { return m_toolbar; }
    QTimer& dwellTimer() { return m_dwellTimer; }

    // The toolbar's handlers: moving over a button chooses its mode, moving over the background pauses.
    void hoverButton(engine::Mode mode);
    void hoverBackground();
    // Every window takes the table's texts; dialogs that are not loaded are loaded, hidden.
    void applyLanguage();

    // engine::EngineWindows
    double toolbarTop() override { return m_toolbar.topPixels(); }
    double toolbarHeight() override { return m_toolbar.heightPixels(); }
    double toolbarWidth() override { return m_toolbar.widthPixels(); }
    bool toolbarVisible() override { return m_toolbar.isVisible(); }
    void showToolbar() override { m_toolbar.showAtEdge(); }
    void hideToolbar() override;
    void loadDialog(engine::Dialog dialog) override { m_dialogs.load(dialog); }
    bool dialogVisible(engine::Dialog dialog) override { return m_dialogs.isVisible(dialog); }
    void runCommand(engine::Mode command) override;
    void showProgress(platform::Point at, engine::Countdown countdown, int done, int total) override;
    void hideProgress() override;
    void modeChanged(engine::Mode mode) override { m_toolbar.showMode(mode); }

private:
    platform::Platform& m_os;
    settings::Settings m_settings;
    settings::LanguageTable m_language;
    engine::DwellEngine m_engine;
    dialogs::Desktop m_desktop;
    dialogs::Services m_services;
    dialogs::Dialogs m_dialogs;
    toolbar::ToolbarWindow m_toolbar;
    QTimer m_dwellTimer;
    std::unique_ptr<toolbar::ProgressRing> m_ring;
};
