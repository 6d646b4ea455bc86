#include "Form4.h"

#include "HandCursor.h"
#include "Topmost.h"
#include "ctlTransparent.h"
#include "engine/Engine.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <cmath>

namespace dialogs {

namespace {

QPointer<Form4> g_form4;

// Places in twips: the client area on the screen, the controls in the client area.
struct Twips
{
    double Left, Top, Width, Height;
};
constexpr Twips kClient {2760, 3750, 3705, 1965};
constexpr Twips kLabel1 {1080, 360, 2280, 495};
constexpr Twips kImage1 {120, 240, 630, 600};
constexpr Twips kSi {300, 1200, 1395, 525};
constexpr Twips kNo {2040, 1200, 1395, 525};

constexpr std::uint32_t kMagenta = 0xFF00FF;

QRect ToPixels(const Twips& t)
{
    auto& os = platform::Current();
    const auto x = [&](double twips) { return static_cast<int>(std::lrint(twips / os.twipsPerPixelX())); };
    const auto y = [&](double twips) { return static_cast<int>(std::lrint(twips / os.twipsPerPixelY())); };
    return {x(t.Left), y(t.Top), x(t.Width), y(t.Height)};
}

QPushButton* MakeButton(QWidget* parent, const Twips& place, const QString& placeholder)
{
    auto* button = new QPushButton(placeholder, parent);
    button->setGeometry(ToPixels(place));
    button->setCursor(HandCursor());
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

} // namespace

Form4::Form4()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Nome"));
    QIcon icon;
    for (int size : {32, 24, 16})
        icon.addFile(QStringLiteral(":/pictures/exit-icon-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    const QRect client = ToPixels(kClient);
    setGeometry(client);
    setFixedSize(client.size());
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    look.setColor(QPalette::WindowText, Qt::white);
    setPalette(look);
    // Moves over the bare surface, without a button held, switch the engine to left clicks.
    setMouseTracking(true);

    m_label1 = new QLabel(QStringLiteral("Label1"), this);
    m_label1->setGeometry(ToPixels(kLabel1));
    m_label1->setWordWrap(true);
    m_label1->setFocusPolicy(Qt::NoFocus);
    m_label1->setAttribute(Qt::WA_NoMousePropagation);

    m_image1 = new QLabel(this);
    m_image1->setGeometry(ToPixels(kImage1));
    m_image1->setPixmap(QPixmap(QStringLiteral(":/pictures/laughing.bmp")));

    m_ctlTransparent1 = new ctlTransparent(this);
    m_ctlTransparent1->setAttribute(Qt::WA_NoMousePropagation);

    m_si = MakeButton(this, kSi, QStringLiteral("&Si"));
    m_no = MakeButton(this, kNo, QStringLiteral("&No"));
    setTabOrder(m_si, m_no);
    m_si->setFocus();
    connect(m_si, &QPushButton::clicked, this, &Form4::Si_Click);
    connect(m_no, &QPushButton::clicked, this, &Form4::No_Click);
}

void Form4::Form_Load()
{
    MakeTopmost(*this);
    m_ctlTransparent1->move(m_image1->x(), m_image1->y());
    m_ctlTransparent1->resize(m_image1->width(), m_image1->height());
    m_ctlTransparent1->setMaskColor(kMagenta);
    m_ctlTransparent1->setPicture(m_image1->pixmap());
    m_image1->hide();
    m_savedMode = engine::ClickMode;
    engine::ClickMode = engine::ModeLeftClick;
}

void Form4::setText(settings::ExitQuestionText id, const QString& text)
{
    switch (id) {
    case settings::ExitQuestionText::Caption:
        setWindowTitle(text);
        break;
    case settings::ExitQuestionText::Label1:
        m_label1->setText(text);
        break;
    case settings::ExitQuestionText::Si:
        m_si->setText(text);
        break;
    case settings::ExitQuestionText::No:
        m_no->setText(text);
        break;
    case settings::ExitQuestionText::Count:
        break;
    }
}

QString Form4::text(settings::ExitQuestionText id) const
{
    switch (id) {
    case settings::ExitQuestionText::Caption:
        return windowTitle();
    case settings::ExitQuestionText::Label1:
        return m_label1->text();
    case settings::ExitQuestionText::Si:
        return m_si->text();
    case settings::ExitQuestionText::No:
        return m_no->text();
    case settings::ExitQuestionText::Count:
        break;
    }
    return {};
}

void Form4::Si_Click()
{
    // A user who cannot press buttons could never free one left held by drag.
    engine::ReleaseHeldButton();
    platform::Current().endProcess(0);
}

void Form4::No_Click() { UnloadExitQuestion(); }

void Form4::reject() { UnloadExitQuestion(); }

void Form4::closeEvent(QCloseEvent* event)
{
    event->ignore();
    UnloadExitQuestion();
}

void Form4::mouseMoveEvent(QMouseEvent*) { engine::ClickMode = engine::ModeLeftClick; }

Form4& ExitQuestion()
{
    if (g_form4.isNull()) {
        g_form4 = new Form4;
        g_form4->Form_Load();
    }
    return *g_form4;
}

bool ExitQuestionLoaded() { return !g_form4.isNull(); }

void UnloadExitQuestion()
{
    if (g_form4.isNull())
        return;
    Form4* dialog = g_form4;
    g_form4.clear();
    engine::ClickMode = dialog->savedMode();
    dialog->hide();
    dialog->deleteLater();
}

} // namespace dialogs
