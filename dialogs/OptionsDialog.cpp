#include "OptionsDialog.h"

#include "LanguageChooser.h"
#include "Site.h"
#include "TranslationPage.h"
#include "platform/Platform.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/Version.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOption>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>

namespace dialogs {

namespace {

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
// The progress switch's designed place, under the sound box, and the frame's inner right edge it must stay left of.
constexpr double kProgressBoxLeft = 5310;
constexpr double kProgressLabelOffset = 300;
constexpr double kChecksRight = 6945;
constexpr int kLabelGap = 6; // pixels

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

// Auto-size: the label grows or shrinks from its left edge to fit its one line of text.
void FitLabel(QLabel* label) { label->resize(label->sizeHint()); }

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

// The scroll bars' arrows are the only way to change the timing, so they are made targets a resting hand can hold:
// the application's style, with each arrow kArrowHeight tall across the whole bar and lit while the pointer is on it.
class ArrowStyle : public QProxyStyle
{
public:
    static constexpr int kArrowHeight = 20; // pixels

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        // Qt's styles make a vertical bar's arrows this tall (at most half the bar) and as wide as the bar.
        return metric == PM_ScrollBarExtent ? kArrowHeight : QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
        const QWidget* widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control != CC_ScrollBar || !option->state.testFlag(State_Enabled))
            return;
        // The style's own hover shade is too faint to tell which arrow a rest will press.
        const QColor highlight = option->palette.color(QPalette::Highlight);
        for (const SubControl arrow : {SC_ScrollBarSubLine, SC_ScrollBarAddLine}) {
            if (!option->activeSubControls.testFlag(arrow))
                continue;
            QColor fill = highlight;
            fill.setAlpha(110);
            painter->save();
            painter->setPen(QPen(highlight, 2));
            painter->setBrush(fill);
            painter->drawRect(QRectF(subControlRect(control, option, arrow, widget)).adjusted(1, 1, -1, -1));
            painter->restore();
        }
    }
};

} // namespace

OptionsDialog::OptionsDialog(Services& services, Dialogs& dialogs)
    : m_services(services)
    , m_dialogs(dialogs)
{
    setWindowFlags(kDialogFlags);
    setWindowTitle(QStringLiteral("Opzioni"));
    // Moving over the dialog's own surface sets left click, with or without a button held.
    setMouseTracking(true);
    setAutoFillBackground(true);
    SetColours(this, Qt::white, kGround);

    setFixedSize(m_units.rect({0, 0, kClientWidth, kClientHeight}).size());

    const auto label = [](QLabel* control, Qt::Alignment align, const QColor& colour = Qt::white) {
        control->setTextFormat(Qt::PlainText);
        control->setAlignment(align);
        SetColours(control, colour, kGround);
        return control;
    };
    const auto link = [&label](ClickableLabel* control, Qt::Alignment align) {
        label(control, align | Qt::AlignVCenter, kLink);
        control->setFont(Font(QStringLiteral("Arial"), 12, false, false, true));
        return control;
    };

    m_ui.logo = new QLabel(this);
    place(m_ui.logo, 90, 90, 1635, 1575);
    m_ui.logo->setScaledContents(true);
    m_ui.logo->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.png")));

    m_ui.chooseLanguageLink = link(new ClickableLabel(this, QAccessible::Link), Qt::AlignHCenter);
    place(m_ui.chooseLanguageLink, 2070, 420, 1815, 315);
    m_ui.chooseLanguageLink->setText(QStringLiteral("Lingua..."));
    m_ui.addLanguageLink = link(new ClickableLabel(this, QAccessible::Link), Qt::AlignHCenter);
    place(m_ui.addLanguageLink, 3630, 420, 2325, 315);
    m_ui.addLanguageLink->setText(QStringLiteral("Aggiungi lingua..."));

    m_ui.aboutLink = new ClickableLabel(this, QAccessible::Button);
    label(m_ui.aboutLink, Qt::AlignCenter);
    SetColours(m_ui.aboutLink, Qt::white, kInfoFill);
    m_ui.aboutLink->setAutoFillBackground(true);
    m_ui.aboutLink->setFont(Font(QStringLiteral("Verdana"), 18, true, true));
    place(m_ui.aboutLink, 6480, 330, 525, 495);
    m_ui.aboutLink->setText(QStringLiteral("i"));

    m_ui.toleranceCaption = label(new QLabel(this), Qt::AlignHCenter | Qt::AlignTop);
    m_ui.toleranceCaption->setWordWrap(true);
    place(m_ui.toleranceCaption, 2925, 1200, 1290, 435);
    m_ui.toleranceCaption->setText(QStringLiteral("Tolleranza (0 - 10)"));

    const QFont number = [] {
        QFont font = Font(QStringLiteral("Arial Black"), 15.75, false, false);
        font.setWeight(QFont::Black);
        return font;
    }();
    m_ui.toleranceValue = label(new QLabel(this), Qt::AlignCenter, QColor(0xFF, 0, 0));
    m_ui.toleranceValue->setFont(number);
    place(m_ui.toleranceValue, 5880, 1080, 750, 585);
    m_ui.toleranceValue->setText(QStringLiteral("0"));

    // Vertical with the minimum at the top, so the down arrow increases; the number follows the value
    // only when a drag of the thumb ends. Each bar fills the right end of its frame, clear of the rounded corners;
    // the two arrows leave a track of a pixel, as the number shows the value.
    const auto scroll = [this](int minimum, int maximum) {
        auto* bar = new QScrollBar(Qt::Vertical, this);
        bar->setRange(minimum, maximum);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->setAttribute(Qt::WA_Hover);
        auto* style = new ArrowStyle;
        style->setParent(bar);
        bar->setStyle(style);
        return bar;
    };
    m_ui.toleranceBar = scroll(0, 10);
    place(m_ui.toleranceBar, 6630, 1020, 360, 615);
    connect(m_ui.toleranceBar, &QScrollBar::valueChanged, this,
        [this](int value) { m_ui.toleranceValue->setText(QString::number(value)); });

    m_ui.dwellCaption = label(new QLabel(this), Qt::AlignLeft | Qt::AlignTop);
    place(m_ui.dwellCaption, 345, 1980, 480, 195);
    m_ui.dwellCaption->setText(QStringLiteral("Decimi"));
    FitLabel(m_ui.dwellCaption);

    m_ui.dwellValue = label(new QLabel(this), Qt::AlignCenter, QColor(0xFF, 0, 0));
    m_ui.dwellValue->setFont(number);
    place(m_ui.dwellValue, 5880, 1830, 750, 585);

    m_ui.dwellBar = scroll(2, 20);
    place(m_ui.dwellBar, 6630, 1770, 360, 615);
    connect(m_ui.dwellBar, &QScrollBar::valueChanged, this,
        [this](int value) { m_ui.dwellValue->setText(QString::number(value)); });

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
        auto* control = new ClickableLabel(this);
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        SetColours(control, Qt::white, kGround);
        place(control, left, top, width, 195);
        control->setText(QString::fromUtf8(initial));
        FitLabel(control);
        return control;
    };
    m_ui.runAtLogonBox = check(300, 2610, false);
    m_ui.runAtLogonLabel = toggle(600, 2670, 1440, "Esecuzione all'avvio");
    m_ui.soundBox = check(5310, 2610, true);
    m_ui.soundLabel = toggle(5610, 2670, 375, "Beep");
    m_ui.middleClickBox = check(300, 2910, false);
    m_ui.middleClickLabel = toggle(600, 2970, 870, "Clic centrale");
    m_ui.progressBox = check(kProgressBoxLeft, 2910, true);
    m_ui.progressLabel = toggle(kProgressBoxLeft + kProgressLabelOffset, 2970, 1440, "Show the dwell progress");

    m_ui.donations = new ClickableLabel(this, QAccessible::Link);
    place(m_ui.donations, 180, 3480, 930, 465);
    m_ui.donations->setScaledContents(true);
    m_ui.donations->setPixmap(QPixmap(QStringLiteral(":/pictures/donations.png")));
    m_ui.donations->setCursor(hand);

    m_ui.updatesLink = link(new ClickableLabel(this, QAccessible::Link), Qt::AlignRight);
    place(m_ui.updatesLink, 2310, 3480, 4665, 315);
    m_ui.updatesLink->setText(QStringLiteral("Controlla se ci sono aggiornamenti..."));
    m_ui.updatesLink->setCursor(hand);

    m_ui.versionLabel = label(new QLabel(this), Qt::AlignCenter, QColor(0xE0, 0xE0, 0xE0));
    m_ui.versionLabel->setFont(Font(QStringLiteral("Arial"), 11.25, true, true));
    place(m_ui.versionLabel, 2790, 4110, 0, 255);

    const auto button = [this](double left, const QString& caption) {
        auto* push = new QPushButton(caption, this);
        SetColours(push, Qt::white, kGround);
        place(push, left, 4050, 1155, 375);
        return push;
    };
    m_ui.okButton = button(4620, QStringLiteral("&Ok"));
    m_ui.cancelButton = button(5850, QStringLiteral("&Annulla"));

    // From OK, which has the focus, to the controls from top to bottom.
    setTabOrder(m_ui.okButton, m_ui.cancelButton);
    setTabOrder(m_ui.cancelButton, m_ui.toleranceBar);
    setTabOrder(m_ui.toleranceBar, m_ui.dwellBar);
    setTabOrder(m_ui.dwellBar, m_ui.runAtLogonBox);
    setTabOrder(m_ui.runAtLogonBox, m_ui.soundBox);
    setTabOrder(m_ui.soundBox, m_ui.middleClickBox);
    setTabOrder(m_ui.middleClickBox, m_ui.progressBox);
    m_ui.okButton->setFocus();

    connect(m_ui.runAtLogonLabel, &ClickableLabel::clicked, this, &OptionsDialog::toggleRunAtLogon);
    connect(m_ui.soundLabel, &ClickableLabel::clicked, this, &OptionsDialog::toggleSound);
    connect(m_ui.middleClickLabel, &ClickableLabel::clicked, this, &OptionsDialog::toggleMiddleClick);
    connect(m_ui.progressLabel, &ClickableLabel::clicked, this, &OptionsDialog::toggleProgress);
    connect(m_ui.chooseLanguageLink, &ClickableLabel::clicked, this, &OptionsDialog::chooseLanguage);
    connect(m_ui.addLanguageLink, &ClickableLabel::clicked, this, &OptionsDialog::openTranslationPage);
    connect(m_ui.updatesLink, &ClickableLabel::clicked, this, &OptionsDialog::openUpdates);
    connect(m_ui.aboutLink, &ClickableLabel::clicked, this, &OptionsDialog::openAbout);
    connect(m_ui.donations, &ClickableLabel::clicked, this, &OptionsDialog::openDonations);
    connect(m_ui.okButton, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, &OptionsDialog::cancel);

    // Placed like the about box, in the middle of the screen; the load keeps the place.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void OptionsDialog::load()
{
    // 1. Above all other windows, where it stands.
    MakeTopmost(m_services.os, *this);
    // 2. The toolbar's icon, which is the application's.
    setWindowIcon(QApplication::windowIcon());
    // 3. Values; one a control cannot hold leaves the control as it was. A dwell time of 0 (no settings file)
    // is replaced by the default timing as soon as this load returns to the start-up: the dialog shows that
    // timing, so that an OK without changes keeps it rather than saving tolerance 0 and dwell time 2.
    const settings::Settings options = settings::WithDefaultTiming(m_services.settings);
    SetInRange(m_ui.toleranceBar, options.tolerance);
    SetInRange(m_ui.dwellBar, options.dwellTenths);
    SetCheckValue(m_ui.runAtLogonBox, options.runAtLogon);
    SetCheckValue(m_ui.soundBox, options.sound);
    SetCheckValue(m_ui.middleClickBox, options.middleClick);
    m_ui.progressBox->setChecked(options.showProgress != 0);
    // 4. The numbers as stored, even where the scroll bar could not take them.
    m_ui.toleranceValue->setText(QString::number(options.tolerance));
    m_ui.dwellValue->setText(QString::number(options.dwellTenths));
    // 5. Product and version.
    m_ui.versionLabel->setText(QString::fromStdString(settings::VersionText(m_services.os.version())));
    FitLabel(m_ui.versionLabel);
    // A font wider than the designed one must not push the text under OK.
    const int room = m_ui.okButton->x() - kLabelGap - m_ui.versionLabel->width();
    if (m_ui.versionLabel->x() > room)
        m_ui.versionLabel->move(std::max(0, room), m_ui.versionLabel->y());
    // 6. Every control that reacts to a click shows the hand.
    const QCursor hand = m_ui.updatesLink->cursor();
    for (QWidget* control : std::initializer_list<QWidget*> {m_ui.okButton, m_ui.cancelButton, m_ui.runAtLogonLabel,
             m_ui.chooseLanguageLink, m_ui.soundLabel, m_ui.middleClickLabel, m_ui.progressLabel, m_ui.addLanguageLink,
             m_ui.aboutLink, m_ui.toleranceBar, m_ui.dwellBar})
        control->setCursor(hand);
}

int OptionsDialog::CheckValue(const QCheckBox* box)
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

void OptionsDialog::SetCheckValue(QCheckBox* box, int value)
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

void OptionsDialog::applyTexts()
{
    using settings::TextId;
    ApplyTexts(m_services.language,
        {
            {{TextId::Options, ""}, this, TextRole::Title},
            {{TextId::Tolerance, " (0 - 10)"}, m_ui.toleranceCaption},
            {{TextId::DwellTime, " (2 - 20)"}, m_ui.dwellCaption},
            {{TextId::RunAtLogon, ""}, m_ui.runAtLogonLabel},
            {{TextId::ChooseLanguage, ""}, m_ui.chooseLanguageLink},
            {{TextId::Sound, ""}, m_ui.soundLabel},
            {{TextId::MiddleClickButton, ""}, m_ui.middleClickLabel},
            {{TextId::AddLanguage, ""}, m_ui.addLanguageLink},
            {{TextId::CheckForUpdates, ""}, m_ui.updatesLink},
            {{TextId::About, ""}, m_ui.aboutLink, TextRole::ToolTip},
            {{TextId::Cancel, ""}, m_ui.cancelButton},
            {{TextId::DonationsTip, ""}, m_ui.donations, TextRole::ToolTip},
            {{TextId::ShowProgress, ""}, m_ui.progressLabel},
            {{TextId::ShowProgressTip, ""}, m_ui.progressLabel, TextRole::ToolTip},
            {{TextId::ShowProgressTip, ""}, m_ui.progressBox, TextRole::ToolTip},
        });
    for (QLabel* label : std::initializer_list<QLabel*> {
             m_ui.dwellCaption, m_ui.runAtLogonLabel, m_ui.soundLabel, m_ui.middleClickLabel, m_ui.progressLabel})
        FitLabel(label);
    // The bars and boxes have no text of their own: assistive technology names each by the label beside it.
    const std::pair<QWidget*, QLabel*> named[] = {
        {m_ui.toleranceBar, m_ui.toleranceCaption},
        {m_ui.dwellBar, m_ui.dwellCaption},
        {m_ui.runAtLogonBox, m_ui.runAtLogonLabel},
        {m_ui.soundBox, m_ui.soundLabel},
        {m_ui.middleClickBox, m_ui.middleClickLabel},
        {m_ui.progressBox, m_ui.progressLabel},
    };
    for (const auto& [control, label] : named)
        control->setAccessibleName(label->text());
    placeProgressSwitch();
}

void OptionsDialog::placeProgressSwitch()
{
    // Under the sound box when its text fits in the frame; a longer text moves the pair left, into the free place
    // beside the middle-click label, so that nothing runs out of the frame or over another control.
    const int offset = m_units.x(kProgressLabelOffset);
    const int leftmost = m_ui.middleClickLabel->geometry().right() + 2 * kLabelGap;
    const int left = std::max(leftmost,
        std::min(m_units.x(kProgressBoxLeft), m_units.x(kChecksRight) - m_ui.progressLabel->width() - offset));
    m_ui.progressBox->move(left, m_ui.progressBox->y());
    m_ui.progressLabel->move(left + offset, m_ui.progressLabel->y());
}

void OptionsDialog::accept()
{
    // 1. The controls' values; a value out of a scroll bar's range was never given to it.
    settings::Settings& options = m_services.settings;
    options.tolerance = static_cast<std::int16_t>(m_ui.toleranceBar->value());
    options.dwellTenths = static_cast<std::int16_t>(m_ui.dwellBar->value());
    options.runAtLogon = static_cast<std::int16_t>(CheckValue(m_ui.runAtLogonBox));
    options.sound = static_cast<std::int16_t>(CheckValue(m_ui.soundBox));
    options.middleClick = static_cast<std::int16_t>(CheckValue(m_ui.middleClickBox));
    options.showProgress = static_cast<std::int16_t>(m_ui.progressBox->isChecked() ? 1 : 0);
    // 2. A file that cannot be written keeps the new values for this run, and the user learns that they will not
    //    last, as they would otherwise expect.
    const bool saved = settings::SaveSettings(m_services.os, options);
    // 3. Written or removed on every OK, so a registration changed behind our back is put right. An autostart
    //    entry holds the command as UTF-8 text, which a folder named in another encoding cannot give.
    platform::Platform& os = m_services.os;
    const std::string command = settings::RunAtLogonCommand(os);
    const bool expressible = options.runAtLogon != 1 || PathIsText(command);
    if (!expressible)
        qCWarning(lcDialogs) << "cannot start at logon from a folder whose name is not UTF-8:"
                             << QString::fromStdString(command);
    else if (!(options.runAtLogon == 1 ? os.writeRunAtLogon(command) : os.deleteRunAtLogon()))
        qCWarning(lcDialogs) << "could not change the start at logon";
    // 4. The toolbar.
    m_services.settingsChanged();
    // 5. The next tick starts counting afresh, with the new values.
    m_services.engine.restartCounting();
    const settings::LanguageTable& language = m_services.language;
    Desktop& desktop = m_services.desktop;
    m_dialogs.unloadOptions();
    if (!saved)
        desktop.showNotice(TextOrEnglish(language, settings::TextId::SettingsNotSaved),
            QString::fromStdString(language.text(settings::TextId::MessageTitle)));
    if (!expressible)
        desktop.showNotice(TextOrEnglish(language, settings::TextId::FolderNameNotText),
            QString::fromStdString(language.text(settings::TextId::RunAtLogon)));
}

void OptionsDialog::cancel()
{
    m_services.engine.restartCounting();
    m_dialogs.unloadOptions();
}

void OptionsDialog::toggleRunAtLogon() { m_ui.runAtLogonBox->setChecked(CheckValue(m_ui.runAtLogonBox) != 1); }

void OptionsDialog::toggleSound() { m_ui.soundBox->setChecked(CheckValue(m_ui.soundBox) != 1); }

void OptionsDialog::toggleMiddleClick() { m_ui.middleClickBox->setChecked(CheckValue(m_ui.middleClickBox) != 1); }

void OptionsDialog::toggleProgress() { m_ui.progressBox->toggle(); }

void OptionsDialog::openUpdates() { m_services.desktop.openUrl(QUrl(ProductPage())); }

void OptionsDialog::openDonations() { m_services.desktop.openUrl(QUrl(DonationsPage())); }

void OptionsDialog::chooseLanguage() { ChooseLanguage(m_services, this); }

void OptionsDialog::openTranslationPage()
{
    // Each step goes on whatever the one before managed: missing files give empty cells, and a page that could not
    // be written is still asked for, as the browser then says what is wrong.
    const std::string path = TranslationPagePath(m_services.os);
    if (!WriteTranslationPage(path, MakeTranslationPage(ReadTranslationColumns(m_services.os), kTranslationAddress)))
        qCWarning(lcDialogs) << "could not write" << QString::fromStdString(path);
    m_services.desktop.openUrl(FileUrl(path));
    // Hidden, not closed: its values and the remembered click mode stay until OK or Cancel.
    hide();
}

void OptionsDialog::openAbout() { m_dialogs.openAbout(); }

void OptionsDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_dialogs.unloadOptions();
}

void OptionsDialog::reject() { m_dialogs.unloadOptions(); }

void OptionsDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (childAt(event->position().toPoint()) == nullptr)
        m_services.engine.setMode(engine::Mode::LeftClick);
}

void OptionsDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Frame& frame : kFrames) {
        const QRectF area
            = QRectF(m_units.rect({frame.left, frame.top, frame.width, frame.height})).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(frame.filled ? kInfoBorder : kFrame);
        painter.setBrush(frame.filled ? QBrush(kInfoFill) : QBrush(Qt::NoBrush));
        painter.drawRoundedRect(area, kFrameRadius, kFrameRadius);
    }
}

void OptionsDialog::place(QWidget* control, double left, double top, double width, double height)
{
    control->setGeometry(m_units.rect({left, top, width, height}));
}

} // namespace dialogs
