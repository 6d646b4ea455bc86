#include "AboutBox.h"

#include "Site.h"
#include "platform/Platform.h"
#include "settings/Language.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace dialogs {

namespace {

// The client area and the credits, in twips.
constexpr double kClientWidth = 6375;
constexpr double kClientHeight = 3645;
constexpr float kViewportHeight = 2235; // m_ui.creditsViewport
constexpr float kCreditsHeight = 4155; // m_ui.credits
constexpr float kCreditsStart = 2200; // just below the viewport
constexpr float kScrollStep = 10;
constexpr int kPauseTicks = 120;
constexpr int kScrollInterval = 10; // ms

const QColor kBlue(0x02, 0x5C, 0xCA);
const QColor kDarkRed(0x80, 0x00, 0x00);
const QColor kDarkBlue(0x28, 0x56, 0x93);
const QColor kRed(0xFF, 0x00, 0x00);

QFont Verdana(double points, bool bold = false)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void SetColours(QWidget* control, const QColor& text, const QColor& ground)
{
    QPalette look = control->palette();
    look.setColor(QPalette::WindowText, text);
    look.setColor(QPalette::Window, ground);
    control->setPalette(look);
    control->setAutoFillBackground(true);
}

// The caption is the about link's tooltip without its "..."; what is left of a shorter text is nothing.
QString Caption(const QString& about) { return about.size() > 3 ? about.chopped(3) : QString(); }

} // namespace

AboutBox::AboutBox(Services& services, Dialogs& dialogs)
    : m_services(services)
    , m_dialogs(dialogs)
{
    setWindowFlags(kDialogFlags);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/dimoro.ico")));
    setFont(Verdana(8.25));
    SetColours(this, Qt::black, Qt::white);

    setFixedSize(m_units.rect({0, 0, kClientWidth, kClientHeight}).size());

    const auto label = [](QLabel* control, const QRect& place, const QColor& colour, Qt::Alignment align) {
        control->setGeometry(place);
        control->setTextFormat(Qt::PlainText);
        control->setAlignment(align);
        control->setWordWrap(true);
        SetColours(control, colour, Qt::white);
        return control;
    };
    const auto closer = [this, &label](QWidget* parent, const QRect& place, const QColor& colour, Qt::Alignment align) {
        auto* control = new ClickableLabel(parent);
        label(control, place, colour, align);
        connect(control, &ClickableLabel::clicked, this, [this] { m_dialogs.unloadAbout(); });
        return control;
    };
    // Parts of the box that a click leaves alone.
    const auto inert = [](auto* control) {
        control->setAttribute(Qt::WA_NoMousePropagation);
        return control;
    };

    m_ui.logo = new ClickableLabel(this);
    m_ui.logo->setGeometry(m_units.rect({0, 0, 1155, 1125}));
    m_ui.logo->setScaledContents(true);
    m_ui.logo->setPixmap(QPixmap(QStringLiteral(":/pictures/about-logo.png")));
    connect(m_ui.logo, &ClickableLabel::clicked, this, [this] { m_dialogs.unloadAbout(); });

    m_ui.title = closer(this, m_units.rect({990, 330, 3180, 375}), kBlue, Qt::AlignLeft | Qt::AlignTop);
    m_ui.title->setFont(Verdana(15.75, true));
    m_ui.title->setWordWrap(false);
    m_ui.title->setText(QStringLiteral("Dimoro Free"));

    m_ui.version = closer(this, m_units.rect({4800, 510, 720, 195}), kDarkRed, Qt::AlignLeft | Qt::AlignTop);
    m_ui.version->setFont(Verdana(8.25, true));
    m_ui.version->setWordWrap(false);

    m_ui.rule = inert(new QWidget(this));
    m_ui.rule->setGeometry(m_units.rect({-60, 1140, 6495, 25}));
    SetColours(m_ui.rule, kBlue, kBlue);

    m_ui.creditsViewport = inert(new QWidget(this));
    m_ui.creditsViewport->setGeometry(m_units.rect({210, 1170, 5940, kViewportHeight}));
    SetColours(m_ui.creditsViewport, Qt::black, Qt::white);
    m_ui.credits = inert(new QWidget(m_ui.creditsViewport));
    m_ui.credits->setGeometry(m_units.rect({60, kCreditsStart, 5775, kCreditsHeight}));
    SetColours(m_ui.credits, Qt::black, Qt::white);

    m_ui.description
        = closer(m_ui.credits, m_units.rect({900, 0, 3945, 1095}), kDarkBlue, Qt::AlignHCenter | Qt::AlignTop);
    m_ui.description->setFont(Verdana(9));
    m_ui.copyright
        = closer(m_ui.credits, m_units.rect({690, 1320, 4380, 435}), Qt::black, Qt::AlignHCenter | Qt::AlignTop);
    m_ui.copyright->setText(QString::fromUtf8(kCopyright));

    m_ui.creditsPicture = inert(new QLabel(m_ui.credits));
    m_ui.creditsPicture->setGeometry(m_units.rect({1740, 2040, 2250, 1800}));
    m_ui.creditsPicture->setPixmap(QPixmap(QStringLiteral(":/pictures/credits.bmp")));

    m_ui.homePageCaption
        = label(inert(new QLabel(m_ui.credits)), m_units.rect({720, 3870, 1050, 195}), Qt::black, Qt::AlignLeft);
    m_ui.homePageCaption->setWordWrap(false);
    m_ui.homePageCaption->setText(QStringLiteral("Home Page:"));

    m_ui.homePage = new ClickableLabel(m_ui.credits, QAccessible::Link);
    label(m_ui.homePage, m_units.rect({1860, 3840, 3255, 255}), kRed, Qt::AlignHCenter | Qt::AlignTop);
    m_ui.homePage->setWordWrap(false);
    QFont link(QStringLiteral("Arial"));
    link.setPointSizeF(11.25);
    link.setUnderline(true);
    m_ui.homePage->setFont(link);
    m_ui.homePage->setCursor(HandCursor());
    m_ui.homePage->setText(QString::fromUtf8(kHomePageText));
    // The box stays open whether or not a browser comes up.
    connect(m_ui.homePage, &ClickableLabel::clicked, this, [this] { m_services.desktop.openUrl(QUrl(HomePage())); });

    connect(&m_scrollTimer, &QTimer::timeout, this, &AboutBox::scrollCredits);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void AboutBox::load()
{
    // In front of the toolbar and of whatever the user was working in, like the options dialog it replaces.
    MakeTopmost(m_services.os, *this);
    m_scrollTimer.start(kScrollInterval);
    setCreditsTop(kCreditsStart);
    m_pauseTicks = 0;
}

void AboutBox::setCreditsTop(float twips)
{
    m_creditsTop = twips;
    m_ui.credits->move(m_ui.credits->x(), m_units.y(twips));
}

void AboutBox::scrollCredits()
{
    // The credits rise until their end reaches the viewport's bottom, rest there for 120 ticks, rise out of
    // sight and come in again from below.
    if (kViewportHeight - kCreditsHeight < m_creditsTop) {
        setCreditsTop(m_creditsTop - kScrollStep);
    } else {
        ++m_pauseTicks;
        if (m_pauseTicks > kPauseTicks)
            setCreditsTop(m_creditsTop - kScrollStep);
    }
    if (m_creditsTop < -kCreditsHeight) {
        setCreditsTop(kCreditsStart);
        m_pauseTicks = 0;
    }
}

void AboutBox::reject() { m_dialogs.unloadAbout(); }

void AboutBox::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_dialogs.unloadAbout();
}

void AboutBox::mousePressEvent(QMouseEvent* event) { m_click.press(event); }

void AboutBox::mouseReleaseEvent(QMouseEvent* event)
{
    // A click on the box's own background closes it.
    if (m_click.release(event, rect()))
        m_dialogs.unloadAbout();
}

void AboutBox::applyTexts()
{
    const settings::LanguageTable& language = m_services.language;
    setWindowTitle(Caption(QString::fromStdString(language.text(settings::TextId::About))));
    setCreditsTop(kCreditsStart);
    const platform::Version version = m_services.os.version();
    m_ui.version->setText(QStringLiteral("Rel. %1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    // Wider numbers than the designed "Rel. 1.4.1" are shown whole: the label grows into the room on its right.
    m_ui.version->resize(std::max(m_ui.version->width(), m_ui.version->sizeHint().width()), m_ui.version->height());
    m_ui.description->setText(QString::fromStdString(language.text(settings::TextId::AboutDescription)));
    // From the designed line each time, so the suffix is there once however often the box is opened.
    m_ui.copyright->setText(QString::fromUtf8(kCopyright) + QStringLiteral(" - ")
        + QString::fromStdString(language.text(settings::TextId::AboutRights)));
}

} // namespace dialogs
