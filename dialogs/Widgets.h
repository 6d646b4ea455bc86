#pragma once

#include "settings/Language.h"

#include <QAccessible>
#include <QCursor>
#include <QLabel>
#include <QLoggingCategory>
#include <QRect>

#include <initializer_list>

class QMouseEvent;
class QRegion;

namespace platform {
class Platform;
}

// The pieces every window of the program shares.
namespace dialogs {

// Failures the windows go on from.
Q_DECLARE_LOGGING_CATEGORY(lcDialogs)

// Every dialog's window: a title and a close box only, no minimize or maximize, and a fixed size.
inline constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// A place and size in twips, the unit the windows are designed in.
struct TwipsRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Twips to device-independent pixels, rounded half to even, at 15 twips per pixel; Qt scales those pixels to the
// desktop's scale, so every window grows as one piece. A zoom below 1 shrinks a window uniformly (the toolbar on
// a monitor lower than itself).
class LayoutUnits
{
public:
    static constexpr double kTwipsPerPixel = 15;

    explicit LayoutUnits(double zoom = 1);

    int x(double twips) const;
    int y(double twips) const;
    QRect rect(const TwipsRect& twips) const;
    double twipsPerPixel() const { return m_perPixel; }

private:
    double m_perPixel;
};

// A left press and a left release on the same control make a click.
class ClickDetector
{
public:
    void press(const QMouseEvent* event);
    // True when this release ends a click inside area.
    bool release(const QMouseEvent* event, const QRegion& area);

private:
    bool m_pressed = false;
};

// A label that reacts to a click and, with mouse tracking on, to the pointer moving over it. Assistive technology
// sees it in the role its window gives it (by default a picture or text, as any label), named by its tooltip or
// else its text; a button, link or radio button can be pressed through it.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent, QAccessible::Role role = QAccessible::NoRole);

    QAccessible::Role accessibleRole() const { return m_role; }
    // A radio button's state; assistive technology is told of each change.
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);

Q_SIGNALS:
    void clicked();
    void moved();

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ClickDetector m_click;
    QAccessible::Role m_role;
    bool m_checked = false;
};

// The one cursor every clickable control shows: a pointing hand, hotspot at the fingertip.
QCursor HandCursor();

// Raises a window above all others where it stands, and keeps it there when it is shown later.
void MakeTopmost(platform::Platform& os, QWidget& window);

// Where a language text goes on a control.
enum class TextRole { Text, ToolTip, Title };

struct TextAssignment
{
    settings::TextWithEnding text;
    QWidget* control;
    TextRole role = TextRole::Text;
};

// Writes each text of the table into its control: a label's or button's text, a tooltip or a window title.
void ApplyTexts(const settings::LanguageTable& language, std::initializer_list<TextAssignment> assignments);

// A text of the table; for the texts added last, the English one where the language file is older than they are.
QString TextOrEnglish(const settings::LanguageTable& language, settings::TextId id);

} // namespace dialogs
