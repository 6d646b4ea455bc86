#pragma once

#include "dialogs/Form3.h"
#include "engine/Engine.h"
#include "settings/Language.h"

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

namespace toolbar {

// A control's place and size in twips, inside the window's client area.
struct TwipsRect
{
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// One picture control of the toolbar; a click on it reaches the window through the clicked signal.
class Picture : public QLabel
{
    Q_OBJECT

public:
    explicit Picture(QWidget* parent);
    TwipsRect twips;

Q_SIGNALS:
    void clicked();
    // The pointer moved over the control, with or without a button held.
    void moved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

// The toolbar window and the program's start-up window. Its geometry is kept in twips, as designed,
// and turned into pixels only when it is applied to the screen.
class Form1 : public QWidget, public engine::EngineWindows, public settings::TextTargets, public dialogs::ToolbarLayout
{
    Q_OBJECT

public:
    static constexpr int kButtons = 9;

    Form1();
    ~Form1() override;

    void Form_Initialize();
    void Form_Load();
    void Timer2_Timer();
    void Timer1_Timer();

    // The window's outer edges in twips.
    double Left = 0;
    double Top = 600;
    double Width = 2520;
    double Height = 6585;

    Picture* Image1(int index) const { return m_image1[index]; }
    Picture* Image2() const { return m_image2; }
    const QPixmap& Image3(int index) const { return m_image3[index]; }
    // Tests put damaged faces here before Form_Load.
    QPixmap& Image3(int index) { return m_image3[index]; }
    QTimer Timer1;
    QTimer Timer2;

    // engine::EngineWindows
    double toolbarTop() override;
    double toolbarHeight() override;
    double toolbarWidth() override;
    bool toolbarVisible() override;
    void showToolbar() override;
    void hideToolbar() override;
    bool exitQuestionVisible() override;
    bool optionsVisible() override;
    void Image1_Click(std::int16_t index) override;

    void Image1_MouseMove(std::int16_t index);
    void Image2_MouseMove();

    // settings::TextTargets
    void setToolbarTip(int index, const std::string& text) override;
    void setOptionsText(settings::OptionsText id, const std::string& text) override;
    void setExitQuestionText(settings::ExitQuestionText id, const std::string& text) override;

    // dialogs::ToolbarLayout
    void arrangeMiddleButton() override;

    // Shows the single-copy message; tests replace it so that no modal box waits for an answer.
    static std::function<void(const QString& text, const QString& title)> showMessage;
    // Opens a help page in the desktop's viewer without waiting for it; tests replace it.
    static std::function<void(const QString& path)> openPage;

private:
    void applyGeometry();
    void placeMiddleButton();
    void fitHeight();
    void placeControl(Picture* control);
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;

    std::array<Picture*, kButtons> m_image1 {};
    Picture* m_image2 = nullptr;
    std::array<QPixmap, 2 * kButtons> m_image3;
    QWidget* m_client = nullptr;
    double m_tppX = 15;
    double m_tppY = 15;
};

} // namespace toolbar
