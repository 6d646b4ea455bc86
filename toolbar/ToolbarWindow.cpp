#include "ToolbarWindow.h"

#include "platform/Platform.h"
#include "settings/Language.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

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

// The height the toolbar is centred by, before it is fitted to its buttons.
constexpr double kDesignedHeight = 6585;
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
        m_buttons[i]
            = new ClickableLabel(m_client, engine::IsCommand(mode) ? QAccessible::Button : QAccessible::RadioButton);
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

    // Qt tells of a screen's change one signal at a time, and of a removed screen before its list is updated:
    // the toolbar goes to its place once they have all arrived.
    m_monitorsChanged.setSingleShot(true);
    connect(&m_monitorsChanged, &QTimer::timeout, this, [this] {
        if (m_laidOut)
            placeOnMonitor();
    });
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, &m_monitorsChanged, qOverload<>(&QTimer::start));
        connect(screen, &QScreen::logicalDotsPerInchChanged, &m_monitorsChanged, qOverload<>(&QTimer::start));
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        m_monitorsChanged.start();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, &m_monitorsChanged, qOverload<>(&QTimer::start));
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, &m_monitorsChanged, qOverload<>(&QTimer::start));
}

void ToolbarWindow::beginLoad()
{
    m_monitor = m_os.toolbarMonitor();
    applyGeometry();
    m_slideTimer.start(kSlideInterval);
    m_os.setTopmost(static_cast<std::uintptr_t>(winId()), place().x(), place().y());
}

void ToolbarWindow::layOut(bool middleClickShown)
{
    placeMiddleButton(middleClickShown);
    // A button takes the size of the face it shows at 100%. A face that did not decode keeps the designed size: a
    // button of no size could never be chosen, and the toolbar would lose its width.
    for (int i = 0; i < kButtons; ++i) {
        if (m_faces[i].isNull())
            continue;
        m_buttonTwips[i].width = m_faces[i].width() * dialogs::LayoutUnits::kTwipsPerPixel;
        m_buttonTwips[i].height = m_faces[i].height() * dialogs::LayoutUnits::kTwipsPerPixel;
    }
    fitHeight();
    m_twips.width = m_buttonTwips[engine::ButtonIndex(Mode::Pause)].width;
    m_laidOut = true;
    placeOnMonitor();
}

void ToolbarWindow::arrangeMiddleButton(bool middleClickShown)
{
    placeMiddleButton(middleClickShown);
    fitHeight();
    fitOnMonitor(m_twips.top / m_units.twipsPerPixel());
}

void ToolbarWindow::placeOnMonitor()
{
    m_monitor = m_os.toolbarMonitor();
    // Centred by the designed height, before the window is fitted to its buttons.
    fitOnMonitor((m_monitor.height - kDesignedHeight / dialogs::LayoutUnits::kTwipsPerPixel) / 2);
}

void ToolbarWindow::fitOnMonitor(double topPixels)
{
    // Taller than its monitor (a large scale on a low screen), the toolbar shrinks as one piece: every button
    // must stay where the pointer can reach it.
    m_units
        = dialogs::LayoutUnits(std::min(1.0, m_monitor.height * dialogs::LayoutUnits::kTwipsPerPixel / m_twips.height));
    const int height = m_units.y(m_twips.height);
    if (std::lrint(topPixels) + height > m_monitor.height)
        topPixels = m_monitor.height - height;
    m_twips.top = std::max(0.0, topPixels) * m_units.twipsPerPixel();

    const QScreen* screen
        = QGuiApplication::screenAt(QPoint(m_monitor.left + m_monitor.width / 2, m_monitor.top + m_monitor.height / 2));
    const double scale = screen != nullptr ? screen->devicePixelRatio() : devicePixelRatioF();
    for (int i = 0; i < 2 * kButtons; ++i) {
        // The drawings for 200% are read only for a scaled desktop: at 100% they would take 0.6 MB for nothing.
        if (scale > 1 && m_doubleFaces[i].isNull())
            m_doubleFaces[i] = QPixmap(QStringLiteral(":/pictures/face-%1@2x.png").arg(i));
        m_shownFaces[i] = faceFor(i, scale);
    }
    for (int i = 0; i < kButtons; ++i)
        m_buttons[i]->setPixmap(m_shownFaces[i]);
    applyGeometry();
}

QPixmap ToolbarWindow::faceFor(int index, double scale) const
{
    const QPixmap& drawn = m_faces[index];
    const QSize size = m_units.rect(m_buttonTwips[index % kButtons]).size();
    if (drawn.isNull() || (scale == 1 && size == drawn.size()))
        return drawn;
    // Above 100% from the drawing made for 200%, so that lines stay sharp; a face is never stretched by Qt.
    const QPixmap& source = m_doubleFaces[index].isNull() ? drawn : m_doubleFaces[index];
    const QSize pixels = (QSizeF(size) * scale).toSize();
    QPixmap face
        = source.size() == pixels ? source : source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    face.setDevicePixelRatio(scale);
    return face;
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
        move(place());
    }
}

bool ToolbarWindow::highlight(Mode hovered)
{
    // A face is set only when it really changes, so moving inside a button is noticed once, on entry.
    bool changed = false;
    for (int i = 0; i < kButtons; ++i) {
        const bool lit = i == engine::ButtonIndex(hovered);
        const QPixmap& face = m_shownFaces[lit ? i + kButtons : i];
        if (m_buttons[i]->pixmap().cacheKey() == face.cacheKey())
            continue;
        m_buttons[i]->setPixmap(face);
        changed = changed || lit;
    }
    return changed;
}

void ToolbarWindow::showMode(Mode mode)
{
    for (int i = 0; i < kButtons; ++i)
        m_buttons[i]->setChecked(i == engine::ButtonIndex(mode) && !engine::IsCommand(mode));
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
    move(place());
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

QPoint ToolbarWindow::place() const
{
    return {static_cast<int>(m_monitor.left) + m_units.x(m_twips.left),
        static_cast<int>(m_monitor.top) + m_units.y(m_twips.top)};
}

void ToolbarWindow::applyGeometry()
{
    const QRect outer = m_units.rect(m_twips);
    setGeometry(QRect(place(), outer.size()));
    m_client->setGeometry(
        kBorderPixels, kBorderPixels, outer.width() - 2 * kBorderPixels, outer.height() - 2 * kBorderPixels);
    m_background->setGeometry(m_units.rect(m_backgroundTwips));
    for (int i = 0; i < kButtons; ++i)
        m_buttons[i]->setGeometry(m_units.rect(m_buttonTwips[i]));
    m_background->lower();
}

} // namespace toolbar
