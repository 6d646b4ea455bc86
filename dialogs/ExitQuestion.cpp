#include "ExitQuestion.h"

#include "MaskedPicture.h"
#include "Widgets.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace dialogs {

namespace {

// Places in twips: the client area on the screen, the controls in the client area.
constexpr TwipsRect kClient {2760, 3750, 3705, 1965};
constexpr TwipsRect kQuestion {1080, 360, 2280, 495};
constexpr TwipsRect kPicture {120, 240, 630, 600};
constexpr TwipsRect kYes {300, 1200, 1395, 525};
constexpr TwipsRect kNo {2040, 1200, 1395, 525};

constexpr std::uint32_t kMagenta = 0xFF00FF;

} // namespace

ExitQuestion::ExitQuestion(Services& services, Dialogs& dialogs)
    : m_services(services)
    , m_dialogs(dialogs)
{
    setWindowFlags(kDialogFlags);
    setWindowTitle(QStringLiteral("Nome"));
    QIcon icon;
    for (int size : {32, 24, 16})
        icon.addFile(QStringLiteral(":/pictures/exit-icon-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    const LayoutUnits units;
    // The designed place is counted from the primary monitor's corner, which need not be the desktop's.
    QRect client = units.rect(kClient);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        client.translate(screen->geometry().topLeft());
    setGeometry(client);
    setFixedSize(client.size());
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    look.setColor(QPalette::WindowText, Qt::white);
    setPalette(look);
    // Moves over the bare surface, without a button held, switch the engine to left clicks.
    setMouseTracking(true);

    m_question = new QLabel(this);
    m_question->setGeometry(units.rect(kQuestion));
    m_question->setWordWrap(true);
    m_question->setFocusPolicy(Qt::NoFocus);
    m_question->setAttribute(Qt::WA_NoMousePropagation);

    m_designedPicture = new QLabel(this);
    m_designedPicture->setGeometry(units.rect(kPicture));
    m_designedPicture->setPixmap(QPixmap(QStringLiteral(":/pictures/laughing.bmp")));

    m_picture = new MaskedPicture(this, units);
    m_picture->setAttribute(Qt::WA_NoMousePropagation);

    const auto button = [this, &units](const TwipsRect& place, const QString& placeholder) {
        auto* push = new QPushButton(placeholder, this);
        push->setGeometry(units.rect(place));
        push->setCursor(HandCursor());
        push->setAttribute(Qt::WA_NoMousePropagation);
        return push;
    };
    m_yes = button(kYes, QStringLiteral("&Si"));
    m_no = button(kNo, QStringLiteral("&No"));
    setTabOrder(m_yes, m_no);
    m_yes->setFocus();
    connect(m_yes, &QPushButton::clicked, this, &ExitQuestion::yes);
    connect(m_no, &QPushButton::clicked, this, &ExitQuestion::no);
}

void ExitQuestion::load()
{
    MakeTopmost(m_services.os, *this);
    m_picture->setGeometry(m_designedPicture->geometry());
    m_picture->setMaskColor(kMagenta);
    m_picture->setPicture(m_designedPicture->pixmap());
    m_designedPicture->hide();
}

void ExitQuestion::applyTexts()
{
    using settings::TextId;
    ApplyTexts(m_services.language,
        {
            {{TextId::Exit, ""}, this, TextRole::Title},
            {{TextId::ExitQuestion, ""}, m_question},
            {{TextId::Yes, ""}, m_yes},
            {{TextId::No, ""}, m_no},
        });
}

void ExitQuestion::yes()
{
    // A user who cannot press buttons could never free one left held by drag.
    m_services.engine.releaseHeldButton();
    m_services.os.endProcess(0);
}

void ExitQuestion::no() { m_dialogs.unloadExitQuestion(); }

void ExitQuestion::reject() { m_dialogs.unloadExitQuestion(); }

void ExitQuestion::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_dialogs.unloadExitQuestion();
}

void ExitQuestion::mouseMoveEvent(QMouseEvent*) { m_services.engine.setMode(engine::Mode::LeftClick); }

} // namespace dialogs
