#pragma once

#include "Dialogs.h"
#include "Widgets.h"

#include <QDialog>
#include <QTimer>

class QLabel;

namespace dialogs {

// The about box: logo, title, release and a panel of credits scrolling upwards in a loop. It takes the options
// dialog's place while it is open; Dialogs gives the place back when it closes.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    AboutBox(Services& services, Dialogs& dialogs);

    // Puts it above all windows and starts the credits from below; called once, right after it is made.
    void load();
    // The caption, release and credit texts, set each time the box is opened.
    void applyTexts();

    // One step of the credits' scrolling, every 10 ms.
    void scrollCredits();
    // The credits panel's top inside its viewport, in twips.
    float creditsTop() const { return m_creditsTop; }
    void setCreditsTop(float twips);
    // Ticks spent with the end of the credits at the bottom of the viewport.
    int pauseTicks() const { return m_pauseTicks; }
    QTimer& scrollTimer() { return m_scrollTimer; }

    struct Controls
    {
        ClickableLabel* logo = nullptr;
        ClickableLabel* title = nullptr;
        ClickableLabel* version = nullptr;
        QWidget* rule = nullptr;
        QWidget* creditsViewport = nullptr;
        QWidget* credits = nullptr;
        ClickableLabel* description = nullptr;
        ClickableLabel* copyright = nullptr;
        QLabel* creditsPicture = nullptr;
        QLabel* homePageCaption = nullptr;
        ClickableLabel* homePage = nullptr;
    };
    const Controls& controls() const { return m_ui; }

public Q_SLOTS:
    // Escape closes the box as its close box does, so the options dialog always comes back.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Services& m_services;
    Dialogs& m_dialogs;
    LayoutUnits m_units;
    Controls m_ui;
    QTimer m_scrollTimer;
    float m_creditsTop = 0;
    int m_pauseTicks = 0;
    ClickDetector m_click;
};

} // namespace dialogs
