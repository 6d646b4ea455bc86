#include "Widgets.h"

#include "platform/Platform.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QFile>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegion>

#include <cmath>

namespace dialogs {

Q_LOGGING_CATEGORY(lcDialogs, "dimoro.windows")

LayoutUnits::LayoutUnits(double zoom)
    : m_perPixel(kTwipsPerPixel / zoom)
{ }

int LayoutUnits::x(double twips) const { return static_cast<int>(std::lrint(twips / m_perPixel)); }

int LayoutUnits::y(double twips) const { return static_cast<int>(std::lrint(twips / m_perPixel)); }

QRect LayoutUnits::rect(const TwipsRect& twips) const
{
    return {x(twips.left), y(twips.top), x(twips.width), y(twips.height)};
}

void ClickDetector::press(const QMouseEvent* event) { m_pressed = event->button() == Qt::LeftButton; }

bool ClickDetector::release(const QMouseEvent* event, const QRegion& area)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && area.contains(event->position().toPoint());
    m_pressed = false;
    return click;
}

namespace {

// What assistive technology is told of a clickable label. Everything is read from the label when asked, so the
// interface Qt keeps for it never goes stale.
class AccessibleLabel : public QAccessibleWidget
{
public:
    explicit AccessibleLabel(ClickableLabel* label)
        : QAccessibleWidget(label)
    { }

    QAccessible::Role role() const override
    {
        if (label()->accessibleRole() != QAccessible::NoRole)
            return label()->accessibleRole();
        return label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = role() == QAccessible::RadioButton;
        state.checked = state.checkable && label()->isChecked();
        return state;
    }

    QString text(QAccessible::Text text) const override
    {
        // Pictures, and the letter "i", say what they do only in their tooltip; a label's words are its name, and
        // its tooltip the description.
        if (text == QAccessible::Name && label()->accessibleName().isEmpty())
            return label()->text().size() > 1 || label()->toolTip().isEmpty() ? label()->text() : label()->toolTip();
        return QAccessibleWidget::text(text);
    }

    QStringList actionNames() const override
    {
        if (label()->accessibleRole() == QAccessible::NoRole)
            return {};
        return {pressAction()};
    }

    void doAction(const QString& action) override
    {
        // What the pointer does: a click kind is chosen by moving over it, anything else by a click.
        if (action != pressAction() || label()->accessibleRole() == QAccessible::NoRole)
            return;
        if (label()->accessibleRole() == QAccessible::RadioButton)
            Q_EMIT label()->moved();
        else
            Q_EMIT label()->clicked();
    }

private:
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

QAccessibleInterface* AccessibleLabelFactory(const QString&, QObject* object)
{
    auto* label = qobject_cast<ClickableLabel*>(object);
    return label != nullptr ? new AccessibleLabel(label) : nullptr;
}

} // namespace

ClickableLabel::ClickableLabel(QWidget* parent, QAccessible::Role role)
    : QLabel(parent)
    , m_role(role)
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(AccessibleLabelFactory);
        return true;
    }();
    setTextFormat(Qt::PlainText);
}

void ClickableLabel::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

bool ClickableLabel::event(QEvent* event)
{
    // A name taken from the tooltip changes with it, in a new language.
    if (event->type() == QEvent::ToolTipChange) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
    return QLabel::event(event);
}

void ClickableLabel::mouseMoveEvent(QMouseEvent* event)
{
    // Only a label that tracks the pointer takes its moves; the others leave them to their window.
    if (!hasMouseTracking()) {
        QLabel::mouseMoveEvent(event);
        return;
    }
    Q_EMIT moved();
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) { m_click.press(event); }

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_click.release(event, rect()))
        Q_EMIT clicked();
}

QCursor HandCursor()
{
    int hotX = 0;
    int hotY = 0;
    QFile hotspot(QStringLiteral(":/pictures/hand-hotspot.txt"));
    if (hotspot.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> parts = hotspot.readAll().simplified().split(' ');
        if (parts.size() == 2) {
            hotX = parts[0].toInt();
            hotY = parts[1].toInt();
        }
    }
    return QCursor(QPixmap(QStringLiteral(":/pictures/hand.png")), hotX, hotY);
}

void MakeTopmost(platform::Platform& os, QWidget& window)
{
    // The hint keeps the window on top when it is mapped later; the platform call raises it now.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    os.setTopmost(static_cast<std::uintptr_t>(window.winId()), window.x(), window.y());
}

void ApplyTexts(const settings::LanguageTable& language, std::initializer_list<TextAssignment> assignments)
{
    for (const TextAssignment& assignment : assignments) {
        const QString text = QString::fromStdString(language.text(assignment.text));
        switch (assignment.role) {
        case TextRole::Title:
            assignment.control->setWindowTitle(text);
            break;
        case TextRole::ToolTip:
            assignment.control->setToolTip(text);
            break;
        case TextRole::Text:
            if (auto* label = qobject_cast<QLabel*>(assignment.control))
                label->setText(text);
            else if (auto* button = qobject_cast<QAbstractButton*>(assignment.control))
                button->setText(text);
            break;
        }
    }
}

QString TextOrEnglish(const settings::LanguageTable& language, settings::TextId id)
{
    const std::string& text = language.text(id);
    if (!text.empty())
        return QString::fromStdString(text);
    // A language file made before these texts existed ends earlier.
    switch (id) {
    case settings::TextId::SettingsNotSaved:
        return QStringLiteral("The settings could not be saved: they last only until Dimoro Free ends.");
    case settings::TextId::FolderNameNotText:
        return QStringLiteral("This cannot work from a folder whose name is not valid text. Move Dimoro Free to a "
                              "folder with a plain name.");
    default:
        return {};
    }
}

} // namespace dialogs
