#pragma once

#include "engine/DwellEngine.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <string>

class QFileDialog;
class QUrl;

namespace platform {
class Platform;
}
namespace settings {
struct Settings;
class LanguageTable;
} // namespace settings

namespace dialogs {

class AboutBox;
class ExitQuestion;
class OptionsDialog;

// What the program asks of the desktop. Tests replace each part, so that no browser starts and no modal loop
// waits for a user.
struct Desktop
{
    Desktop();
    // Opens a page or an address in the desktop's viewer without waiting; a failure is ignored.
    std::function<void(const QUrl& url)> openUrl;
    // The warning box with one OK button; returns when it is closed.
    std::function<void(const QString& text, const QString& title)> showMessage;
    // A small message that returns at once and goes at the first click anywhere on it, of any button: the dwell
    // clicks go on, in whatever mode is chosen, and close it.
    std::function<void(const QString& text, const QString& title)> showNotice;
    // Runs a prepared file dialog and gives its answer.
    std::function<QString(QFileDialog& dialog)> runFileDialog;
};

// A file's address for the desktop's opener. A path that is not valid UTF-8 (a folder named in another encoding)
// keeps its bytes, percent-encoded, where decoding it as text would name another file.
QUrl FileUrl(const std::string& path);

// Whether a path can be handed on as text (valid UTF-8), as an autostart entry and the file dialog need it.
bool PathIsText(const std::string& path);

// Everything the dialogs work with; app/ builds it.
struct Services
{
    platform::Platform& os;
    settings::Settings& settings;
    settings::LanguageTable& language;
    engine::DwellEngine& engine;
    Desktop& desktop;
    // After OK: the toolbar shows or hides its middle-click button as the settings now say.
    std::function<void()> settingsChanged;
    // After a language was chosen: every window takes the table's texts.
    std::function<void()> languageChanged;
};

// One dialog that exists only while it is loaded: created on first use, destroyed when unloaded.
template<typename T>
class DialogSlot
{
public:
    T* get() const { return m_dialog.data(); }
    bool isVisible() const { return m_dialog && m_dialog->isVisible(); }
    void set(T* dialog) { m_dialog = dialog; }
    // Hides it and lets it go; the dialog is gone once control returns to the event loop.
    void unload()
    {
        T* dialog = m_dialog.data();
        m_dialog.clear();
        if (dialog != nullptr) {
            dialog->hide();
            dialog->deleteLater();
        }
    }

private:
    QPointer<T> m_dialog;
};

// The program's three dialogs. The options dialog and the exit question save the click mode when they are
// loaded, switch to left click, and give the saved mode back when they are unloaded.
class Dialogs
{
public:
    explicit Dialogs(Services& services);
    ~Dialogs();
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;

    // Each dialog, loaded hidden when it is not loaded.
    OptionsDialog& options();
    ExitQuestion& exitQuestion();
    void load(engine::Dialog dialog);
    // Whether it is on the screen; never loads it.
    bool isVisible(engine::Dialog dialog) const;
    bool isLoaded(engine::Dialog dialog) const;
    // The about box while it is open, else null.
    AboutBox* about() const;

    // Loads and shows a dialog in front, modeless: the engine goes on clicking, now on the dialog.
    void showExitQuestion();
    void showOptions();
    // The options dialog gives its place to the about box until the box closes.
    void openAbout();

    void unloadOptions();
    void unloadExitQuestion();
    void unloadAbout();

    // The table's texts into every loaded dialog.
    void applyTexts();

private:
    Services& m_services;
    DialogSlot<OptionsDialog> m_options;
    DialogSlot<ExitQuestion> m_exitQuestion;
    DialogSlot<AboutBox> m_about;
    engine::Mode m_optionsSavedMode = engine::Mode::Exit;
    engine::Mode m_exitQuestionSavedMode = engine::Mode::Exit;
};

} // namespace dialogs
