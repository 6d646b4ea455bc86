#include "frmAbout.h"

#include "Form3.h"
#include "HandCursor.h"
#include "Site.h"
#include "Topmost.h"
#include "platform/Platform.h"
#include "settings/Language.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <utility>

namespace dialogs {

namespace {

QPointer<frmAbout> g_about;

// The client area and the credits, in twips.
constexpr double kClientWidth = 6375;
constexpr double kClientHeight = 3645;
constexpr float kViewportHeight = 2235; // Picture1
constexpr float kCreditsHeight = 4155; // Picture2
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
QString Caption(const QString& entry11) { return entry11.size() > 3 ? entry11.chopped(3) : QString(); }

} // namespace

frmAbout::frmAbout()
{
    // A title and a close box only: no minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/dimoro.ico")));
    setFont(Verdana(8.25));
    SetColours(this, Qt::black, Qt::white);

    auto& os = platform::Current();
    m_tppX = os.twipsPerPixelX();
    m_tppY = os.twipsPerPixelY();
    setFixedSize(toPixels(0, 0, kClientWidth, kClientHeight).size());

    const auto label = [](QLabel* control, const QRect& place, const QColor& colour, Qt::Alignment align) {
        control->setGeometry(place);
        control->setTextFormat(Qt::PlainText);
        control->setAlignment(align);
        control->setWordWrap(true);
        SetColours(control, colour, Qt::white);
        return control;
    };
    const auto closer = [this, &label](QWidget* parent, const QRect& place, const QColor& colour, Qt::Alignment align) {
        auto* control = new ClickLabel(parent);
        label(control, place, colour, align);
        connect(control, &ClickLabel::clicked, this, [] { UnloadAbout(); });
        return control;
    };
    // Parts of the box that a click leaves alone.
    const auto inert = [](auto* control) {
        control->setAttribute(Qt::WA_NoMousePropagation);
        return control;
    };

    imgTitle = new ClickLabel(this);
    imgTitle->setGeometry(toPixels(0, 0, 1155, 1125));
    imgTitle->setScaledContents(true);
    imgTitle->setPixmap(QPixmap(QStringLiteral(":/pictures/about-logo.png")));
    connect(imgTitle, &ClickLabel::clicked, this, [] { UnloadAbout(); });

    lblTitle = closer(this, toPixels(990, 330, 3180, 375), kBlue, Qt::AlignLeft | Qt::AlignTop);
    lblTitle->setFont(Verdana(15.75, true));
    lblTitle->setWordWrap(false);
    lblTitle->setText(QStringLiteral("Dimoro Free"));

    lblVersion = closer(this, toPixels(4800, 510, 720, 195), kDarkRed, Qt::AlignLeft | Qt::AlignTop);
    lblVersion->setFont(Verdana(8.25, true));
    lblVersion->setWordWrap(false);

    Frame1 = inert(new QWidget(this));
    Frame1->setGeometry(toPixels(-60, 1140, 6495, 25));
    SetColours(Frame1, kBlue, kBlue);

    Picture1 = inert(new QWidget(this));
    Picture1->setGeometry(toPixels(210, 1170, 5940, kViewportHeight));
    SetColours(Picture1, Qt::black, Qt::white);
    Picture2 = inert(new QWidget(Picture1));
    Picture2->setGeometry(toPixels(60, kCreditsStart, 5775, kCreditsHeight));
    SetColours(Picture2, Qt::black, Qt::white);

    lblDescription = closer(Picture2, toPixels(900, 0, 3945, 1095), kDarkBlue, Qt::AlignHCenter | Qt::AlignTop);
    lblDescription->setFont(Verdana(9));
    lblCopyright = closer(Picture2, toPixels(690, 1320, 4380, 435), Qt::black, Qt::AlignHCenter | Qt::AlignTop);
    lblCopyright->setText(QString::fromUtf8(kCopyright));

    Image1 = inert(new QLabel(Picture2));
    Image1->setGeometry(toPixels(1740, 2040, 2250, 1800));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/credits.bmp")));

    lblHomePageCap = label(inert(new QLabel(Picture2)), toPixels(720, 3870, 1050, 195), Qt::black, Qt::AlignLeft);
    lblHomePageCap->setWordWrap(false);
    lblHomePageCap->setText(QStringLiteral("Home Page:"));

    lblHomePage = new ClickLabel(Picture2);
    label(lblHomePage, toPixels(1860, 3840, 3255, 255), kRed, Qt::AlignHCenter | Qt::AlignTop);
    lblHomePage->setWordWrap(false);
    QFont link(QStringLiteral("Arial"));
    link.setPointSizeF(11.25);
    link.setUnderline(true);
    lblHomePage->setFont(link);
    lblHomePage->setCursor(HandCursor());
    lblHomePage->setText(QString::fromUtf8(kHomePageText));
    // The box stays open whether or not a browser comes up.
    connect(lblHomePage, &ClickLabel::clicked, this, [] { Form3::openAddress(HomePage()); });

    connect(&Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);

    // The designed names, for tests and accessibility tools.
    const std::pair<QWidget*, const char*> names[] = {{imgTitle, "imgTitle"}, {lblTitle, "lblTitle"},
        {lblVersion, "lblVersion"}, {Frame1, "Frame1"}, {Picture1, "Picture1"}, {Picture2, "Picture2"},
        {lblDescription, "lblDescription"}, {lblCopyright, "lblCopyright"}, {Image1, "Image1"},
        {lblHomePageCap, "lblHomePageCap"}, {lblHomePage, "lblHomePage"}};
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void frmAbout::Form_Load()
{
    // In front of the toolbar and of whatever the user was working in, like the options dialog it replaces.
    MakeTopmost(*this);
    Timer1.start(kScrollInterval);
    setPicture2Top(kCreditsStart);
    m_pauseTicks = 0;
}

void frmAbout::setPicture2Top(float twips)
{
    m_picture2Top = twips;
    Picture2->move(Picture2->x(), static_cast<int>(std::lrint(twips / m_tppY)));
}

void frmAbout::Timer1_Timer()
{
    // The credits rise until their end reaches the viewport's bottom, rest there for 120 ticks, rise out of
    // sight and come in again from below.
    if (kViewportHeight - kCreditsHeight < m_picture2Top) {
        setPicture2Top(m_picture2Top - kScrollStep);
    } else {
        ++m_pauseTicks;
        if (m_pauseTicks > kPauseTicks)
            setPicture2Top(m_picture2Top - kScrollStep);
    }
    if (m_picture2Top < -kCreditsHeight) {
        setPicture2Top(kCreditsStart);
        m_pauseTicks = 0;
    }
}

void frmAbout::reject() { UnloadAbout(); }

void frmAbout::closeEvent(QCloseEvent* event)
{
    event->ignore();
    UnloadAbout();
}

void frmAbout::mousePressEvent(QMouseEvent* event) { m_pressed = event->button() == Qt::LeftButton; }

void frmAbout::mouseReleaseEvent(QMouseEvent* event)
{
    // A click on the box's own background closes it.
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        UnloadAbout();
}

QRect frmAbout::toPixels(double left, double top, double width, double height) const
{
    const auto x = [this](double twips) { return static_cast<int>(std::lrint(twips / m_tppX)); };
    const auto y = [this](double twips) { return static_cast<int>(std::lrint(twips / m_tppY)); };
    return {x(left), y(top), x(width), y(height)};
}

frmAbout& About()
{
    if (g_about.isNull()) {
        g_about = new frmAbout;
        g_about->Form_Load();
    }
    return *g_about;
}

bool AboutLoaded() { return !g_about.isNull(); }

void UnloadAbout()
{
    if (g_about.isNull())
        return;
    frmAbout* box = g_about;
    g_about.clear();
    box->Timer1.stop();
    box->hide();
    box->deleteLater();
    Options().show();
}

void OpenAbout()
{
    if (OptionsLoaded())
        Options().hide();
    frmAbout& box = About();
    const auto& table = settings::LanguageTable;
    box.setWindowTitle(Caption(QString::fromStdString(table[11])));
    box.setPicture2Top(kCreditsStart);
    const platform::Version version = platform::Current().version();
    box.lblVersion->setText(
        QStringLiteral("Rel. %1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    // Wider numbers than the designed "Rel. 1.4.1" are shown whole: the label grows into the room on its right.
    box.lblVersion->resize(
        std::max(box.lblVersion->width(), box.lblVersion->sizeHint().width()), box.lblVersion->height());
    box.lblDescription->setText(QString::fromStdString(table[26]));
    // From the designed line each time, so the suffix is there once however often the box is opened.
    box.lblCopyright->setText(
        QString::fromUtf8(kCopyright) + QStringLiteral(" - ") + QString::fromStdString(table[27]));
    box.show();
}

} // namespace dialogs
