#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace dialogs {

class ClickLabel;

// The about box: logo, title, release and a panel of credits scrolling upwards in a loop. It takes the options
// dialog's place while it is open and gives it back when it closes. Reached only through the accessors below.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout();

    // The credits' scroll step, every 10 ms.
    void Timer1_Timer();

    // The credits panel's top inside its viewport, in twips.
    float Picture2Top() const { return m_picture2Top; }
    void setPicture2Top(float twips);
    // Ticks spent with the end of the credits at the bottom of the viewport.
    std::int16_t PauseTicks() const { return m_pauseTicks; }

    ClickLabel* imgTitle = nullptr;
    ClickLabel* lblTitle = nullptr;
    ClickLabel* lblVersion = nullptr;
    QWidget* Frame1 = nullptr;
    QWidget* Picture1 = nullptr;
    QWidget* Picture2 = nullptr;
    ClickLabel* lblDescription = nullptr;
    ClickLabel* lblCopyright = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblHomePageCap = nullptr;
    ClickLabel* lblHomePage = nullptr;
    QTimer Timer1;

public Q_SLOTS:
    // Escape closes the box as its close box does, so the options dialog always comes back.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend frmAbout& About();
    void Form_Load();
    QRect toPixels(double left, double top, double width, double height) const;

    float m_picture2Top = 0;
    std::int16_t m_pauseTicks = 0;
    bool m_pressed = false;
    double m_tppX = 15;
    double m_tppY = 15;
};

// The box, created and loaded, hidden, when it is not loaded.
frmAbout& About();
bool AboutLoaded();
// Closes the box: the scroll stops, the box ceases to exist and the options dialog is shown again.
void UnloadAbout();
// The opening from the options dialog's "i": the options dialog hides, the box loads, takes its texts and shows.
void OpenAbout();

} // namespace dialogs
