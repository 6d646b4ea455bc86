#include "Form3.h"

#include "HandCursor.h"
#include "LanguageChooser.h"
#include "Site.h"
#include "Topmost.h"
#include "TranslationPage.h"
#include "engine/Engine.h"
#include "frmAbout.h"
#include "platform/Platform.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/Version.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace dialogs {

namespace {

QPointer<Form3> g_form3;
ToolbarLayout* g_toolbar = nullptr;

// The client area, in twips.
constexpr double kClientWidth = 7230;
constexpr double kClientHeight = 4635;

const QColor kGround(0x40, 0x40, 0x40);
const QColor kFrame(0x80, 0x80, 0x80);
const QColor kLink(0x79, 0xA5, 0xEE);
const QColor kInfoFill(0x1C, 0x71, 0xFD);
const QColor kInfoBorder(0x21, 0x1C, 0xF9);

// A rounded frame painted on the dialog's surface, in twips.
struct Frame
{
    double left, top, width, height;
    bool filled;
};
constexpr Frame kFrames[] = {
    {1890, 240, 4335, 675, false}, // Shape4: the language links
    {6420, 240, 645, 675, true}, // Shape5: behind the "i"
    {1890, 990, 5175, 675, false}, // Shape1: tolerance
    {150, 1740, 6915, 675, false}, // Shape2: dwell time
    {150, 2490, 6915, 855, false}, // Shape3: the check boxes
};
constexpr double kFrameRadius = 8; // pixels
constexpr int kLabelGap = 6; // pixels

// The timing the start-up gives when the settings give no dwell time.

void DefaultOpenAddress(const QString& address)
{
    // Through the desktop's opener, never a command line; a page that cannot be opened is ignored.
    QDesktopServices::openUrl(QUrl(address));
}

void DefaultOpenFile(const QString& path)
{
    // As a file URL: blanks in the path open, and no text of a language file reaches a command line.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SetColours(QWidget* control, const QColor& text, const QColor& ground)
{
    QPalette look = control->palette();
    look.setColor(QPalette::WindowText, text);
    look.setColor(QPalette::ButtonText, text);
    look.setColor(QPalette::Window, ground);
    look.setColor(QPalette::Button, ground);
    control->setPalette(look);
}

QFont Font(const QString& family, double points, bool bold, bool italic, bool underline = false)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

// The stored value when the scroll bar can hold it; otherwise the bar keeps its position.
void SetInRange(QScrollBar* bar, int value)
{
    if (value >= bar->minimum() && value <= bar->maximum())
        bar->setValue(value);
}

// A check box whose click toggles between clear and checked, also from grey.
class CheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override
    {
        const bool checked = checkState() == Qt::Checked;
        setTristate(false);
        setCheckState(checked ? Qt::Unchecked : Qt::Checked);
    }
};

} // namespace

std::function<void(const QString&)> Form3::openAddress = DefaultOpenAddress;
std::function<void(const QString&)> Form3::openFile = DefaultOpenFile;

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) { m_pressed = event->button() == Qt::LeftButton; }

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

void AttachToolbar(ToolbarLayout* toolbar) { g_toolbar = toolbar; }

Form3::Form3()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Opzioni"));
    // Moving over the dialog's own surface sets left click, with or without a button held.
    setMouseTracking(true);
    setAutoFillBackground(true);
    SetColours(this, Qt::white, kGround);

    auto& os = platform::Current();
    m_tppX = os.twipsPerPixelX();
    m_tppY = os.twipsPerPixelY();
    const QRectF client = toPixels(0, 0, kClientWidth, kClientHeight);
    setFixedSize(client.size().toSize());

    const auto label = [](QLabel* control, Qt::Alignment align, const QColor& colour = Qt::white) {
        control->setTextFormat(Qt::PlainText);
        control->setAlignment(align);
        SetColours(control, colour, kGround);
        return control;
    };
    const auto link = [&label](ClickLabel* control, Qt::Alignment align) {
        label(control, align | Qt::AlignVCenter, kLink);
        control->setFont(Font(QStringLiteral("Arial"), 12, false, false, true));
        return control;
    };

    Image2 = new QLabel(this);
    place(Image2, 90, 90, 1635, 1575);
    Image2->setScaledContents(true);
    Image2->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.png")));

    Label6 = link(new ClickLabel(this), Qt::AlignHCenter);
    place(Label6, 2070, 420, 1815, 315);
    Label6->setText(QStringLiteral("Lingua..."));
    Label10 = link(new ClickLabel(this), Qt::AlignHCenter);
    place(Label10, 3630, 420, 2325, 315);
    Label10->setText(QStringLiteral("Aggiungi lingua..."));

    Label12 = new ClickLabel(this);
    label(Label12, Qt::AlignCenter);
    SetColours(Label12, Qt::white, kInfoFill);
    Label12->setAutoFillBackground(true);
    Label12->setFont(Font(QStringLiteral("Verdana"), 18, true, true));
    place(Label12, 6480, 330, 525, 495);
    Label12->setText(QStringLiteral("i"));

    Label3 = label(new QLabel(this), Qt::AlignHCenter | Qt::AlignTop);
    Label3->setWordWrap(true);
    place(Label3, 2925, 1200, 1290, 435);
    Label3->setText(QStringLiteral("Tolleranza (0 - 10)"));

    const QFont number = [] {
        QFont font = Font(QStringLiteral("Arial Black"), 15.75, false, false);
        font.setWeight(QFont::Black);
        return font;
    }();
    Label1 = label(new QLabel(this), Qt::AlignCenter, QColor(0xFF, 0, 0));
    Label1->setFont(number);
    place(Label1, 5880, 1080, 750, 585);
    Label1->setText(QStringLiteral("0"));

    // Vertical with the minimum at the top, so the down arrow increases; the number follows the value
    // only when a drag of the thumb ends.
    const auto scroll = [this](int minimum, int maximum) {
        auto* bar = new QScrollBar(Qt::Vertical, this);
        bar->setRange(minimum, maximum);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        return bar;
    };
    VScroll1 = scroll(0, 10);
    place(VScroll1, 6630, 1080, 255, 495);
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int value) { Label1->setText(QString::number(value)); });

    Label4 = label(new QLabel(this), Qt::AlignLeft | Qt::AlignTop);
    place(Label4, 345, 1980, 480, 195);
    Label4->setText(QStringLiteral("Decimi"));
    fitLabel(Label4);

    Label2 = label(new QLabel(this), Qt::AlignCenter, QColor(0xFF, 0, 0));
    Label2->setFont(number);
    place(Label2, 5880, 1830, 750, 585);

    VScroll2 = scroll(2, 20);
    place(VScroll2, 6630, 1830, 255, 495);
    connect(VScroll2, &QScrollBar::valueChanged, this, [this](int value) { Label2->setText(QString::number(value)); });

    const QCursor hand = HandCursor();
    const auto check = [this, &hand](double left, double top, bool checked) {
        auto* box = new CheckBox(this);
        SetColours(box, Qt::white, kGround);
        box->setCursor(hand);
        box->setChecked(checked);
        place(box, left, top, 255, 315);
        return box;
    };
    const auto toggle = [this](double left, double top, double width, const char* initial) {
        auto* control = new ClickLabel(this);
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        SetColours(control, Qt::white, kGround);
        place(control, left, top, width, 195);
        control->setText(QString::fromUtf8(initial));
        fitLabel(control);
        return control;
    };
    Check1 = check(300, 2610, false);
    Label5 = toggle(600, 2670, 1440, "Esecuzione all'avvio");
    Check2 = check(5310, 2610, true);
    Label7 = toggle(5610, 2670, 375, "Beep");
    Check3 = check(300, 2910, false);
    Label9 = toggle(600, 2970, 870, "Clic centrale");

    Image1 = new ClickLabel(this);
    place(Image1, 180, 3480, 930, 465);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/donations.png")));
    Image1->setCursor(hand);

    Label11 = link(new ClickLabel(this), Qt::AlignRight);
    place(Label11, 2310, 3480, 4665, 315);
    Label11->setText(QStringLiteral("Controlla se ci sono aggiornamenti..."));
    Label11->setCursor(hand);

    Label8 = label(new QLabel(this), Qt::AlignCenter, QColor(0xE0, 0xE0, 0xE0));
    Label8->setFont(Font(QStringLiteral("Arial"), 11.25, true, true));
    place(Label8, 2790, 4110, 0, 255);

    const auto button = [this](double left, const QString& caption) {
        auto* push = new QPushButton(caption, this);
        SetColours(push, Qt::white, kGround);
        place(push, left, 4050, 1155, 375);
        return push;
    };
    Command1 = button(4620, QStringLiteral("&Ok"));
    Command2 = button(5850, QStringLiteral("&Annulla"));

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, VScroll2);
    setTabOrder(VScroll2, VScroll1);
    setTabOrder(VScroll1, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, Check3);
    Command1->setFocus();

    connect(Label5, &ClickLabel::clicked, this, &Form3::Label5_Click);
    connect(Label7, &ClickLabel::clicked, this, &Form3::Label7_Click);
    connect(Label9, &ClickLabel::clicked, this, &Form3::Label9_Click);
    connect(Label6, &ClickLabel::clicked, this, &Form3::Label6_Click);
    connect(Label10, &ClickLabel::clicked, this, &Form3::Label10_Click);
    connect(Label11, &ClickLabel::clicked, this, &Form3::Label11_Click);
    connect(Label12, &ClickLabel::clicked, this, &Form3::Label12_Click);
    connect(Image1, &ClickLabel::clicked, this, &Form3::Image1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);

    // Placed like the about box, in the middle of the screen; the load keeps the place.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void Form3::Form_Load()
{
    // 1. Above all other windows, where it stands.
    MakeTopmost(*this);
    // 2. The toolbar's icon, which is the application's.
    setWindowIcon(QApplication::windowIcon());
    // 3. Values; one a control cannot hold leaves the control as it was. A dwell time of 0 (no settings file)
    // is replaced by the default timing as soon as this load returns to the start-up: the dialog shows that
    // timing, so that an OK without changes keeps it rather than saving tolerance 0 and dwell time 2.
    settings::SettingsRecord options = settings::Settings;
    if (options.dwellTenths == 0) {
        options.tolerance = settings::kDefaultTolerance;
        options.dwellTenths = settings::kDefaultDwellTenths;
    }
    SetInRange(VScroll1, options.tolerance);
    SetInRange(VScroll2, options.dwellTenths);
    SetCheckValue(Check1, options.runAtStartup);
    SetCheckValue(Check2, options.beep);
    SetCheckValue(Check3, options.middleClick);
    // 4. The numbers as stored, even where the scroll bar could not take them.
    Label1->setText(QString::number(options.tolerance));
    Label2->setText(QString::number(options.dwellTenths));
    // 5. Product and version.
    Label8->setText(QString::fromStdString(settings::versionText));
    fitLabel(Label8);
    // A font wider than the designed one must not push the text under OK.
    const int room = Command1->x() - kLabelGap - Label8->width();
    if (Label8->x() > room)
        Label8->move(std::max(0, room), Label8->y());
    // 6. Every control that reacts to a click shows the hand.
    const QCursor hand = Label11->cursor();
    for (QWidget* control : std::initializer_list<QWidget*> {
             Command1, Command2, Label5, Label6, Label7, Label9, Label10, Label12, VScroll1, VScroll2})
        control->setCursor(hand);
    // 7. Texts.
    settings::ApplyLanguage();
    // 8, 9. Remembered after the texts are applied: applying them may load the exit question, which switches modes.
    m_savedMode = engine::ClickMode;
    engine::ClickMode = engine::ModeLeftClick;
}

int Form3::CheckValue(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void Form3::SetCheckValue(QCheckBox* box, int value)
{
    switch (value) {
    case 0:
        box->setCheckState(Qt::Unchecked);
        break;
    case 1:
        box->setCheckState(Qt::Checked);
        break;
    case 2:
        box->setCheckState(Qt::PartiallyChecked);
        break;
    default:
        break;
    }
}

void Form3::setText(settings::OptionsText id, const QString& text)
{
    using settings::OptionsText;
    switch (id) {
    case OptionsText::Caption:
        setWindowTitle(text);
        break;
    case OptionsText::Label3:
        Label3->setText(text);
        break;
    case OptionsText::Label4:
        Label4->setText(text);
        fitLabel(Label4);
        break;
    case OptionsText::Label5:
        Label5->setText(text);
        fitLabel(Label5);
        break;
    case OptionsText::Label6:
        Label6->setText(text);
        break;
    case OptionsText::Label7:
        Label7->setText(text);
        fitLabel(Label7);
        break;
    case OptionsText::Label9:
        Label9->setText(text);
        fitLabel(Label9);
        break;
    case OptionsText::Label10:
        Label10->setText(text);
        break;
    case OptionsText::Label11:
        Label11->setText(text);
        break;
    case OptionsText::Label12Tip:
        Label12->setToolTip(text);
        break;
    case OptionsText::Command2:
        Command2->setText(text);
        break;
    case OptionsText::Image1Tip:
        Image1->setToolTip(text);
        break;
    case OptionsText::Count:
        break;
    }
}

QString Form3::text(settings::OptionsText id) const
{
    using settings::OptionsText;
    switch (id) {
    case OptionsText::Caption:
        return windowTitle();
    case OptionsText::Label3:
        return Label3->text();
    case OptionsText::Label4:
        return Label4->text();
    case OptionsText::Label5:
        return Label5->text();
    case OptionsText::Label6:
        return Label6->text();
    case OptionsText::Label7:
        return Label7->text();
    case OptionsText::Label9:
        return Label9->text();
    case OptionsText::Label10:
        return Label10->text();
    case OptionsText::Label11:
        return Label11->text();
    case OptionsText::Label12Tip:
        return Label12->toolTip();
    case OptionsText::Command2:
        return Command2->text();
    case OptionsText::Image1Tip:
        return Image1->toolTip();
    case OptionsText::Count:
        break;
    }
    return {};
}

void Form3::Command1_Click()
{
    // 1. The controls' values; a value out of a scroll bar's range was never given to it.
    auto& options = settings::Settings;
    options.tolerance = static_cast<std::int16_t>(VScroll1->value());
    options.dwellTenths = static_cast<std::int16_t>(VScroll2->value());
    options.runAtStartup = static_cast<std::int16_t>(CheckValue(Check1));
    options.beep = static_cast<std::int16_t>(CheckValue(Check2));
    options.middleClick = static_cast<std::int16_t>(CheckValue(Check3));
    // 2. A file that cannot be written keeps the new values for this run; nothing is reported.
    settings::SaveSettings();
    // 3. Written or removed on every OK, so a registration changed behind our back is put right.
    auto& os = platform::Current();
    if (options.runAtStartup == 1)
        os.writeRunAtLogon(settings::RunAtLogonCommand());
    else
        os.deleteRunAtLogon();
    // 4. The toolbar.
    if (g_toolbar != nullptr)
        g_toolbar->arrangeMiddleButton();
    // 5. The next tick starts counting afresh, with the new values.
    engine::HoverTicks = 0;
    engine::DwellTicks = 0;
    UnloadOptions();
}

void Form3::Command2_Click()
{
    engine::HoverTicks = 0;
    engine::DwellTicks = 0;
    UnloadOptions();
}

void Form3::Label5_Click() { Check1->setChecked(CheckValue(Check1) != 1); }

void Form3::Label7_Click() { Check2->setChecked(CheckValue(Check2) != 1); }

void Form3::Label9_Click() { Check3->setChecked(CheckValue(Check3) != 1); }

void Form3::Label11_Click() { openAddress(ProductPage()); }

void Form3::Image1_Click() { openAddress(DonationsPage()); }

void Form3::Label6_Click() { ChooseLanguage(this); }

void Form3::Label10_Click()
{
    // Each step goes on whatever the one before managed: missing files give empty cells, and a page that could not
    // be written is still asked for, as the browser then says what is wrong.
    const std::string path = TranslationPagePath();
    WriteTranslationPage(path, MakeTranslationPage(ReadTranslationColumns(), kTranslationAddress));
    openFile(QString::fromStdString(path));
    // Hidden, not closed: its values and the remembered click mode stay until OK or Cancel.
    hide();
}

void Form3::Label12_Click() { OpenAbout(); }

void Form3::closeEvent(QCloseEvent* event)
{
    event->ignore();
    UnloadOptions();
}

void Form3::reject()
{
    // Escape closes the dialog as its close box does; a merely hidden dialog would keep the left-click mode.
    UnloadOptions();
}

void Form3::mouseMoveEvent(QMouseEvent* event)
{
    if (childAt(event->position().toPoint()) == nullptr)
        engine::ClickMode = engine::ModeLeftClick;
}

void Form3::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Frame& frame : kFrames) {
        const QRectF area = toPixels(frame.left, frame.top, frame.width, frame.height).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(frame.filled ? kInfoBorder : kFrame);
        painter.setBrush(frame.filled ? QBrush(kInfoFill) : QBrush(Qt::NoBrush));
        painter.drawRoundedRect(area, kFrameRadius, kFrameRadius);
    }
}

QRectF Form3::toPixels(double left, double top, double width, double height) const
{
    const auto x = [this](double twips) { return static_cast<double>(std::lrint(twips / m_tppX)); };
    const auto y = [this](double twips) { return static_cast<double>(std::lrint(twips / m_tppY)); };
    return {x(left), y(top), x(width), y(height)};
}

void Form3::place(QWidget* control, double left, double top, double width, double height)
{
    control->setGeometry(toPixels(left, top, width, height).toRect());
}

void Form3::fitLabel(QLabel* label)
{
    // Auto-size: the label grows or shrinks from its left edge to fit its one line of text.
    label->resize(label->sizeHint());
}

Form3& Options()
{
    if (g_form3.isNull()) {
        // The dialog exists from the start of its load, so texts applied during the load do not create it again.
        g_form3 = new Form3;
        g_form3->Form_Load();
    }
    return *g_form3;
}

bool OptionsLoaded() { return !g_form3.isNull(); }

void UnloadOptions()
{
    if (g_form3.isNull())
        return;
    Form3* dialog = g_form3;
    g_form3.clear();
    engine::ClickMode = dialog->savedMode();
    dialog->hide();
    dialog->deleteLater();
}

} // namespace dialogs
