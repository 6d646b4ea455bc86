#include "Program.h"

#include "platform/Platform.h"

#include <QUrl>

using engine::Mode;

namespace {

constexpr int kDwellInterval = 100;

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

Program::Program(platform::Platform& os)
    : m_os(os)
    , m_engine(os, m_settings)
    , m_services {os, m_settings, m_language, m_engine, m_desktop,
          [this] { m_toolbar.arrangeMiddleButton(m_settings.middleClick == 1); }, [this] { applyLanguage(); }}
    , m_dialogs(m_services)
    , m_toolbar(os)
{
    m_dwellTimer.setTimerType(Qt::PreciseTimer);
    // Each tick is timed from the start of the one before rather than on a fixed schedule, so a late tick (a busy
    // system, a sound) never shortens the next interval and a rest is never counted longer than it was.
    QObject::connect(&m_dwellTimer, &QTimer::timeout, [this] {
        m_dwellTimer.start();
        m_engine.tick();
    });
    QObject::connect(&m_toolbar, &toolbar::ToolbarWindow::slidOut, [this] { m_dwellTimer.start(kDwellInterval); });
    QObject::connect(&m_toolbar, &toolbar::ToolbarWindow::buttonHovered, [this](Mode mode) { hoverButton(mode); });
    QObject::connect(&m_toolbar, &toolbar::ToolbarWindow::backgroundHovered, [this] { hoverBackground(); });
    QObject::connect(&m_toolbar, &toolbar::ToolbarWindow::buttonClicked, [this](Mode mode) { runCommand(mode); });
    m_engine.attach(this);
}

Program::~Program() { m_engine.attach(nullptr); }

bool Program::start()
{
    m_toolbar.beginLoad();
    LoadSettings(m_os, m_settings);
    if (Trimmed(m_settings.languageFile).empty())
        m_settings.languageFile = settings::LanguageFileForUser(m_os);
    m_toolbar.layOut(m_settings.middleClick == 1);
    m_language.loadForStart(m_os, m_settings.languageFile);
    applyLanguage();

    // The refused copy must not click beside the running one while its message waits (the running copy's dwell
    // click is what closes the message), so its timers stop first.
    if (m_os.anotherCopyRunning()) {
        m_toolbar.stopSlideOut();
        m_desktop.showMessage(QString::fromStdString(m_language.text(settings::TextId::AlreadyRunning)),
            QString::fromStdString(m_language.text(settings::TextId::MessageTitle)));
        m_os.endProcess(0);
        return false;
    }
    m_settings = settings::WithDefaultTiming(m_settings);
    m_engine.restartCounting();
    return true;
}

void Program::hoverButton(Mode mode)
{
    if (m_toolbar.highlight(mode) && m_settings.sound == 1)
        m_engine.playSelectionSound();
    // Both dialogs are loaded before either answer counts: a load sets left click.
    m_dialogs.load(engine::Dialog::Options);
    m_dialogs.load(engine::Dialog::ExitQuestion);
    if (!m_dialogs.isVisible(engine::Dialog::Options) && !m_dialogs.isVisible(engine::Dialog::ExitQuestion))
        m_engine.setMode(mode);
}

void Program::hoverBackground() { m_engine.setMode(Mode::Pause); }

void Program::applyLanguage()
{
    m_toolbar.applyTexts(m_language);
    m_dialogs.load(engine::Dialog::Options);
    m_dialogs.load(engine::Dialog::ExitQuestion);
    m_dialogs.applyTexts();
}

void Program::hideToolbar()
{
    if (m_toolbar.isVisible())
        m_toolbar.hide();
}

void Program::showProgress(platform::Point at, engine::Countdown countdown, int done, int total)
{
    if (m_settings.showProgress == 0) {
        hideProgress();
        return;
    }
    // A compositing manager started or ended since the last rest needs the other kind of window.
    if (m_ring == nullptr || (!m_ring->isVisible() && m_ring->translucent() != m_os.compositing()))
        m_ring = std::make_unique<toolbar::ProgressRing>(m_os.compositing());
    m_ring->showAt(QPoint(static_cast<int>(at.x), static_cast<int>(at.y)), countdown, done, total);
}

void Program::hideProgress()
{
    if (m_ring != nullptr && m_ring->isVisible())
        m_ring->hide();
}

void Program::runCommand(Mode command)
{
    switch (command) {
    case Mode::Exit:
        m_engine.setMode(Mode::LeftClick);
        m_engine.clearDwell();
        applyLanguage();
        m_dialogs.showExitQuestion();
        break;
    case Mode::Options:
        m_engine.setMode(Mode::LeftClick);
        m_engine.clearDwell();
        m_dialogs.showOptions();
        break;
    case Mode::Help: {
        m_engine.setMode(Mode::LeftClick);
        m_engine.clearDwell();
        const std::string page = platform::ProgramPath(m_os, m_language.text(settings::TextId::HelpPage) + ".html");
        m_desktop.openUrl(
            dialogs::FileUrl(m_os.isNormalFile(page) ? page : platform::ProgramPath(m_os, "Help Topics.html")));
        break;
    }
    default:
        // Pause and the click kinds are chosen by moving over them, not by pressing.
        break;
    }
}
