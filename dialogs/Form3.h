#pragma once

#include "settings/Language.h"

#include <QDialog>
#include <QLabel>
#include <QString>

#include <cstdint>
#include <functional>

class QCheckBox;
class QPushButton;
class QScrollBar;

namespace dialogs {

// A label that reacts to a click: a left press and release on it.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

// What OK changes on the toolbar; implemented by the toolbar window.
class ToolbarLayout
{
public:
    virtual ~ToolbarLayout() = default;
    // Shows or hides the middle-click button as Settings.middleClick says, moves the buttons below it and
    // fits the window's height to them; the toolbar's width and position stay.
    virtual void arrangeMiddleButton() = 0;
};

void AttachToolbar(ToolbarLayout* toolbar);

// The options dialog. Reached only through the accessors below, which create and load it on first touch.
// Its geometry is designed in twips and turned into pixels as the controls are placed.
class Form3 : public QDialog
{
    Q_OBJECT

public:
    Form3();

    // The click mode remembered at load, given back at unload.
    std::int16_t savedMode() const { return m_savedMode; }

    // The texts the language gives, each written into its control.
    void setText(settings::OptionsText id, const QString& text);
    QString text(settings::OptionsText id) const;

    // Check box values as the settings hold them: 0 clear, 1 checked, 2 grey.
    static int CheckValue(const QCheckBox* box);
    // Only 0, 1 and 2 are taken; any other value leaves the box as it is.
    static void SetCheckValue(QCheckBox* box, int value);

    void Command1_Click();
    void Command2_Click();
    void Label5_Click();
    void Label7_Click();
    void Label9_Click();
    void Label11_Click();
    void Image1_Click();
    // Entry points of the language chooser, the translation page and the about box.
    void Label6_Click();
    void Label10_Click();
    void Label12_Click();

    // Opens a web address in the desktop's browser without waiting; tests replace it.
    static std::function<void(const QString& address)> openAddress;
    // Opens a local page in the desktop's browser without waiting; tests replace it.
    static std::function<void(const QString& path)> openFile;

    // The controls, by their designed names.
    QLabel* Image2 = nullptr;
    ClickLabel* Label6 = nullptr;
    ClickLabel* Label10 = nullptr;
    ClickLabel* Label12 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QCheckBox* Check1 = nullptr;
    ClickLabel* Label5 = nullptr;
    QCheckBox* Check2 = nullptr;
    ClickLabel* Label7 = nullptr;
    QCheckBox* Check3 = nullptr;
    ClickLabel* Label9 = nullptr;
    ClickLabel* Image1 = nullptr;
    ClickLabel* Label11 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend Form3& Options();
    void Form_Load();
    void place(QWidget* control, double left, double top, double width, double height);
    QRectF toPixels(double left, double top, double width, double height) const;
    void fitLabel(QLabel* label);

    std::int16_t m_savedMode = 0;
    double m_tppX = 15;
    double m_tppY = 15;
};

// The dialog, created and loaded, hidden, when it is not loaded.
Form3& Options();
bool OptionsLoaded();
// Closes the dialog: the click mode remembered at load comes back and the dialog ceases to exist.
void UnloadOptions();

} // namespace dialogs
