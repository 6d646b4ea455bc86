#include "ToolbarWindow.h"

#include "platform/Platform.h"
#include "settings/Language.h"

namespace toolbar {

using dialogs::ClickableLabel;
using dialogs::TwipsRect;
using engine::Mode;

namespace {

// Designed places of the buttons in the client area, in twips, top to bottom.
constexpr TwipsRect kButtonLayout[ToolbarWindow::kButtons] = {
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

// The window's one-pixel border around the client area.
constexpr int kBorderPixels = 1;

// Each button's tooltip, top to bottom.
constexpr settings::TextWithEnding kButtonTips[ToolbarWindow::kButtons] = {
    {settings::TextId::Exit, ""},
    {settings::TextId::Pause, ""},
    {settings::TextId::DoubleClick, ""},
    {settings::TextId::LeftClick, ""},
    {settings::TextId::Drag, ""},
    {settings::TextId::RightClick, ""},
    {settings::TextId::MiddleClick, ""},
    {settings::TextId::Options, "..."},
    {settings::TextId::HelpPage, ""},
};

} // namespace

ToolbarWindow::ToolbarWindow(platform::Platform& os)
    : QWidget(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
            | Qt::NoDropShadowWindowHint)
    , m_os(os)
    , m_units(os)
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

    // Choosing by moving, without a button, is the whole point of the toolbar.
    m_background = new ClickableLabel(m_client);
    m_background->setMouseTracking(true);
    m_background->setScaledContents(true);
    m_background->setPixmap(QPixmap(QStringLiteral(":/pictures/background.png")));
    connect(m_background, &ClickableLabel::moved, this, &ToolbarWindow::backgroundHovered);

    const QCursor hand = dialogs::HandCursor();
    for (int i = 0; i < kButtons; ++i) {
        const auto mode = static_cast<Mode>(i);
        m_buttons[i] = new ClickableLabel(m_client);
        m_buttons[i]->setMouseTracking(true);
        m_buttons[i]->setCursor(hand);
        m_buttonTwips[i] = kButtonLayout[i];
        connect(m_buttons[i], &ClickableLabel::clicked, this, [this, mode] { Q_EMIT buttonClicked(mode); });
        connect(m_buttons[i], &ClickableLabel::moved, this, [this, mode] { Q_EMIT buttonHovered(mode); });
    }
    for (int i = 0; i < 2 * kButtons; ++i)
        m_faces[i] = QPixmap(QStringLiteral(":/pictures/face-%1.png").arg(i));

    m_slideTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_slideTimer, &QTimer::timeout, this, &ToolbarWindow::slideStep);
}

void ToolbarWindow::beginLoad()
{
    applyGeometry();
    m_slideTimer.start(kSlideInterval);
    m_os.setTopmost(static_cast<std::uintptr_t>(winId()), m_units.x(m_twips.left), m_units.y(m_twips.top));
}

void ToolbarWindow::layOut(bool middleClickShown)
{
    placeMiddleButton(middleClickShown);
    // Centred by the height before the window is fitted to its buttons.
    m_twips.top = (m_os.screenHeightTwips() - m_twips.height) / 2;
    // A button takes the size of the face it shows. A face that did not decode keeps the designed size: a button
    // of no size could never be chosen, and the toolbar would lose its width.
    for (int i = 0; i < kButtons; ++i) {
        m_buttons[i]->setPixmap(m_faces[i]);
        if (m_faces[i].isNull())
            continue;
        m_buttonTwips[i].width = m_faces[i].width() * m_units.twipsPerPixelX();
        m_buttonTwips[i].height = m_faces[i].height() * m_units.twipsPerPixelY();
    }
    fitHeight();
    m_twips.width = m_buttonTwips[engine::ButtonIndex(Mode::Pause)].width;
    applyGeometry();
}

void ToolbarWindow::arrangeMiddleButton(bool middleClickShown)
{
    placeMiddleButton(middleClickShown);
    fitHeight();
    applyGeometry();
}

void ToolbarWindow::slideStep()
{
    if (m_twips.left + m_twips.width < 0) {
        Q_EMIT slidOut();
        m_slideTimer.stop();
        hide();
        m_twips.left = 0;
        applyGeometry();
    } else {
        m_twips.left -= kSlideStep;
        move(m_units.x(m_twips.left), m_units.y(m_twips.top));
    }
}

bool ToolbarWindow::highlight(Mode hovered)
{
    // A face is set only when it really changes, so moving inside a button is noticed once, on entry.
    bool changed = false;
    for (int i = 0; i < kButtons; ++i) {
        const bool lit = i == engine::ButtonIndex(hovered);
        const QPixmap& face = m_faces[lit ? i + kButtons : i];
        if (m_buttons[i]->pixmap().cacheKey() == face.cacheKey())
            continue;
        m_buttons[i]->setPixmap(face);
        changed = changed || lit;
    }
    return changed;
}

void ToolbarWindow::applyTexts(const settings::LanguageTable& language)
{
    for (int i = 0; i < kButtons; ++i)
        m_buttons[i]->setToolTip(QString::fromStdString(language.text(kButtonTips[i])));
}

void ToolbarWindow::showAtEdge()
{
    if (isVisible())
        return;
    // The server's late answer to the last slide-out step can leave the hidden window's position off the
    // screen; the place it is shown at is always the one held in twips.
    move(m_units.x(m_twips.left), m_units.y(m_twips.top));
    show();
}

void ToolbarWindow::placeMiddleButton(bool shown)
{
    // The buttons below the middle-click button close the gap when it is hidden.
    const int middle = engine::ButtonIndex(Mode::MiddleClick);
    const double gap = shown ? 0 : m_buttonTwips[middle].height;
    m_buttons[middle]->setVisible(shown);
    m_buttonTwips[engine::ButtonIndex(Mode::Options)].top = kOptionsTop - gap;
    m_buttonTwips[engine::ButtonIndex(Mode::Help)].top = kHelpTop - gap;
}

void ToolbarWindow::fitHeight()
{
    // The background reaches 60 twips below the help button, and the window is as high as the background.
    const TwipsRect& help = m_buttonTwips[engine::ButtonIndex(Mode::Help)];
    m_backgroundTwips.height = help.top + help.height + 60;
    m_twips.height = m_backgroundTwips.height;
}

void ToolbarWindow::applyGeometry()
{
    const QRect outer = m_units.rect(m_twips);
    setGeometry(outer);
    m_client->setGeometry(
        kBorderPixels, kBorderPixels, outer.width() - 2 * kBorderPixels, outer.height() - 2 * kBorderPixels);
    m_background->setGeometry(m_units.rect(m_backgroundTwips));
    for (int i = 0; i < kButtons; ++i)
        m_buttons[i]->setGeometry(m_units.rect(m_buttonTwips[i]));
    m_background->lower();
}

} // namespace toolbar
