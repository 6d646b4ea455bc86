#include "Form1.h"

#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "dialogs/HandCursor.h"
#include "platform/Platform.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/Version.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <cmath>

namespace toolbar {

namespace {

// Designed places of Image1(0..8) in the client area, in twips.
constexpr TwipsRect kButtonLayout[Form1::kButtons] = {
    {270, 0, 390, 480},
    {0, 540, 675, 780},
    {0, 1290, 675, 780},
    {0, 2070, 675, 780},
    {0, 2820, 675, 780},
    {0, 3570, 675, 780},
    {0, 4320, 675, 780},
    {0, 5130, 675, 420},
    {0, 5610, 675, 495},
};

constexpr double kOptionsTop = 5130;
constexpr double kHelpTop = 5610;
constexpr double kSlideStep = 20;
constexpr int kSlideInterval = 10;
constexpr int kDwellInterval = 100;

// The window's one-pixel border around the client area.
constexpr int kBorderPixels = 1;

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void DefaultMessage(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

// Through the desktop's opener, never a command line: paths with blanks open and no text of a
// language file reaches a shell. A page that cannot be opened is ignored.
void DefaultOpenPage(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

} // namespace

std::function<void(const QString&, const QString&)> Form1::showMessage = DefaultMessage;
std::function<void(const QString&)> Form1::openPage = DefaultOpenPage;

Picture::Picture(QWidget* parent)
    : QLabel(parent)
{
    // Selecting by moving, without a button, is the whole point of the toolbar.
    setMouseTracking(true);
}

void Picture::mouseMoveEvent(QMouseEvent*) { Q_EMIT moved(); }

void Picture::mousePressEvent(QMouseEvent* event) { m_pressed = event->button() == Qt::LeftButton; }

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the same control.
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

Form1::Form1()
    : QWidget(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
            | Qt::NoDropShadowWindowHint)
{
    setWindowTitle(QStringLiteral("Dimoro Free"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0, 0, 0)); // the border
    setPalette(look);

    m_client = new QWidget(this);
    m_client->setAutoFillBackground(true);
    QPalette client = m_client->palette();
    client.setColor(QPalette::Window, QColor(64, 64, 64));
    m_client->setPalette(client);

    m_image2 = new Picture(m_client);
    m_image2->twips = {0, 0, 690, 270};
    m_image2->setScaledContents(true);
    m_image2->setPixmap(QPixmap(QStringLiteral(":/pictures/background.png")));
    connect(m_image2, &Picture::moved, this, &Form1::Image2_MouseMove);

    const QCursor hand = dialogs::HandCursor();
    for (int i = 0; i < kButtons; ++i) {
        m_image1[i] = new Picture(m_client);
        m_image1[i]->twips = kButtonLayout[i];
        m_image1[i]->setCursor(hand);
        connect(m_image1[i], &Picture::clicked, this, [this, i] { Image1_Click(static_cast<std::int16_t>(i)); });
        connect(m_image1[i], &Picture::moved, this, [this, i] { Image1_MouseMove(static_cast<std::int16_t>(i)); });
    }
    for (int i = 0; i < 2 * kButtons; ++i)
        m_image3[i] = QPixmap(QStringLiteral(":/pictures/face-%1.png").arg(i));

    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer2.setTimerType(Qt::PreciseTimer);
    connect(&Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);

    settings::AttachTextTargets(this);
    engine::Attach(this);
    dialogs::AttachToolbar(this);
}

Form1::~Form1()
{
    dialogs::AttachToolbar(nullptr);
    engine::Attach(nullptr);
    settings::AttachTextTargets(nullptr);
}

void Form1::Form_Initialize()
{
    // Common controls need no initialisation outside Windows; the backend does what its system needs.
}

void Form1::Form_Load()
{
    auto& os = platform::Current();
    m_tppX = os.twipsPerPixelX();
    m_tppY = os.twipsPerPixelY();
    applyGeometry();
    // The slide-out timer runs from the moment the window is loaded; its ticks wait for the event loop.
    Timer2.start(kSlideInterval);

    // 1. Version text.
    settings::versionText = settings::MakeVersionText(os.version());

    // 2. Above all other windows, where the window already is.
    os.setTopmost(static_cast<std::uintptr_t>(winId()), static_cast<int>(std::lrint(Left / m_tppX)),
        static_cast<int>(std::lrint(Top / m_tppY)));

    // 3. Settings.
    settings::LoadSettings();
    auto& options = settings::Settings;

    // 4. Language choice, when the settings name none.
    if (Trimmed(options.languageFile).empty())
        settings::DetectLanguage();

    // 5. Middle-click button.
    placeMiddleButton();

    // 6. Vertical centring, from the height before step 8 resizes the window.
    Top = (os.screenHeightTwips() - Height) / 2;

    // 7. Button faces; a button takes the size of the face it shows. A face that did not decode keeps the
    // designed size: a button of no size could never be chosen, and the toolbar would lose its width.
    for (int i = 0; i < kButtons; ++i) {
        m_image1[i]->setPixmap(m_image3[i]);
        if (m_image3[i].isNull())
            continue;
        m_image1[i]->twips.Width = m_image3[i].width() * m_tppX;
        m_image1[i]->twips.Height = m_image3[i].height() * m_tppY;
    }

    // 8. Size: as high as the buttons, one button wide.
    fitHeight();
    Width = m_image1[engine::ModePause]->twips.Width;
    applyGeometry();

    // 9. Language file.
    settings::LoadLanguageFile();

    // 10. Texts.
    settings::ApplyLanguage();

    // 11. Single copy. The refused copy must not click beside the running one while its message waits
    // (the running copy's dwell click is what closes the message), so its timers stop first.
    if (os.anotherCopyRunning()) {
        Timer2.stop(); // the dwell timer starts only at the end of the slide-out
        showMessage(
            QString::fromStdString(settings::LanguageTable[0]), QString::fromStdString(settings::LanguageTable[1]));
        os.endProcess(0);
        return;
    }

    // 12. Default timing, when the file gave no dwell time.
    if (options.dwellTenths == 0) {
        options.tolerance = settings::kDefaultTolerance;
        options.dwellTenths = settings::kDefaultDwellTenths;
    }

    // 13. Engine counters.
    engine::HoverTicks = 0;
    engine::DwellTicks = 0;
}

void Form1::Timer2_Timer()
{
    if (Left + Width < 0) {
        Timer1.start(kDwellInterval);
        Timer2.stop();
        hide();
        Left = 0;
        applyGeometry();
    } else {
        Left -= kSlideStep;
        move(toPixelsX(Left), toPixelsY(Top));
    }
}

void Form1::Timer1_Timer() { engine::Timer1_Timer(); }

double Form1::toolbarTop() { return Top / m_tppY; }

double Form1::toolbarHeight() { return Height / m_tppY; }

double Form1::toolbarWidth() { return Width / m_tppX; }

bool Form1::toolbarVisible() { return isVisible(); }

void Form1::showToolbar()
{
    if (isVisible())
        return;
    // The server's late answer to the last slide-out step can leave the hidden window's position off the
    // screen; the place it is shown at is always the one held in twips.
    move(toPixelsX(Left), toPixelsY(Top));
    show();
}

void Form1::hideToolbar()
{
    if (isVisible())
        hide();
}

bool Form1::exitQuestionVisible() { return dialogs::ExitQuestion().isVisible(); }

bool Form1::optionsVisible() { return dialogs::Options().isVisible(); }

void Form1::Image1_Click(std::int16_t index)
{
    switch (index) {
    case engine::ModeExit:
        engine::ClickMode = engine::ModeLeftClick;
        engine::DwellTicks = 0;
        dialogs::ExitQuestion();
        settings::ApplyLanguage();
        {
            // Modeless, so the toolbar goes on; active, so that Enter or Space answers Si at once.
            dialogs::Form4& question = dialogs::ExitQuestion();
            question.show();
            question.raise();
            question.activateWindow();
        }
        break;
    case engine::ModeOptions:
        engine::ClickMode = engine::ModeLeftClick;
        engine::DwellTicks = 0;
        {
            // Modeless: the engine goes on clicking, now on the dialog's controls.
            dialogs::Form3& options = dialogs::Options();
            options.show();
            options.raise();
            options.activateWindow();
        }
        break;
    case engine::ModeHelp: {
        engine::ClickMode = engine::ModeLeftClick;
        engine::DwellTicks = 0;
        auto& os = platform::Current();
        const std::string folder = os.executableFolder() + os.separator();
        const std::string page = folder + settings::LanguageTable[2] + ".html";
        openPage(QString::fromStdString(os.isNormalFile(page) ? page : folder + "Help Topics.html"));
        break;
    }
    default:
        // Pause and the click kinds are chosen by moving over them, not by pressing.
        break;
    }
}

void Form1::Image1_MouseMove(std::int16_t index)
{
    // A face is set only when it really changes, so moving inside a button sounds once, on entry.
    for (int i = 0; i < kButtons; ++i) {
        const QPixmap& face = m_image3[i == index ? i + kButtons : i];
        if (m_image1[i]->pixmap().cacheKey() == face.cacheKey())
            continue;
        m_image1[i]->setPixmap(face);
        if (i == index && settings::Settings.beep == 1)
            engine::SuonaSelezione();
    }
    // Both dialogs are asked, and so loaded, before either answer counts.
    const bool options = optionsVisible();
    const bool exitQuestion = exitQuestionVisible();
    if (!options && !exitQuestion)
        engine::ClickMode = index;
}

void Form1::Image2_MouseMove() { engine::ClickMode = engine::ModePause; }

void Form1::setToolbarTip(int index, const std::string& text)
{
    if (index >= 0 && index < kButtons)
        m_image1[index]->setToolTip(QString::fromStdString(text));
}

void Form1::setOptionsText(settings::OptionsText id, const std::string& text)
{
    dialogs::Options().setText(id, QString::fromStdString(text));
}

void Form1::setExitQuestionText(settings::ExitQuestionText id, const std::string& text)
{
    dialogs::ExitQuestion().setText(id, QString::fromStdString(text));
}

void Form1::arrangeMiddleButton()
{
    placeMiddleButton();
    fitHeight();
    applyGeometry();
}

void Form1::placeMiddleButton()
{
    // The buttons below the middle-click button close the gap when it is hidden.
    Picture* middle = m_image1[engine::ModeMiddleClick];
    if (settings::Settings.middleClick == 1) {
        m_image1[engine::ModeOptions]->twips.Top = kOptionsTop;
        m_image1[engine::ModeHelp]->twips.Top = kHelpTop;
        middle->setVisible(true);
    } else {
        middle->setVisible(false);
        m_image1[engine::ModeOptions]->twips.Top = kOptionsTop - middle->twips.Height;
        m_image1[engine::ModeHelp]->twips.Top = kHelpTop - middle->twips.Height;
    }
}

void Form1::fitHeight()
{
    // The background reaches 60 twips below the help button, and the window is as high as the background.
    const TwipsRect& help = m_image1[engine::ModeHelp]->twips;
    m_image2->twips.Height = help.Top + help.Height + 60;
    Height = m_image2->twips.Height;
}

int Form1::toPixelsX(double twips) const { return static_cast<int>(std::lrint(twips / m_tppX)); }

int Form1::toPixelsY(double twips) const { return static_cast<int>(std::lrint(twips / m_tppY)); }

void Form1::placeControl(Picture* control)
{
    const TwipsRect& t = control->twips;
    control->setGeometry(toPixelsX(t.Left), toPixelsY(t.Top), toPixelsX(t.Width), toPixelsY(t.Height));
}

void Form1::applyGeometry()
{
    const int width = toPixelsX(Width);
    const int height = toPixelsY(Height);
    setGeometry(toPixelsX(Left), toPixelsY(Top), width, height);
    m_client->setGeometry(kBorderPixels, kBorderPixels, width - 2 * kBorderPixels, height - 2 * kBorderPixels);
    placeControl(m_image2);
    for (Picture* button : m_image1)
        placeControl(button);
    m_image2->lower();
}

} // namespace toolbar
