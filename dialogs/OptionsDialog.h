#pragma once

#include "Dialogs.h"
#include "Widgets.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace dialogs {

class ClickableLabel;

// The options dialog: timing, start at logon, sound, the middle-click button, the progress ring and the language,
// each worked by dwell clicks. Created and unloaded by Dialogs; its geometry is designed in twips.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    OptionsDialog(Services& services, Dialogs& dialogs);

    struct Controls
    {
        QLabel* logo = nullptr;
        ClickableLabel* chooseLanguageLink = nullptr;
        ClickableLabel* addLanguageLink = nullptr;
        ClickableLabel* aboutLink = nullptr;
        QLabel* toleranceCaption = nullptr;
        QLabel* toleranceValue = nullptr;
        QScrollBar* toleranceBar = nullptr;
        QLabel* dwellCaption = nullptr;
        QLabel* dwellValue = nullptr;
        QScrollBar* dwellBar = nullptr;
        QCheckBox* runAtLogonBox = nullptr;
        ClickableLabel* runAtLogonLabel = nullptr;
        QCheckBox* soundBox = nullptr;
        ClickableLabel* soundLabel = nullptr;
        QCheckBox* middleClickBox = nullptr;
        ClickableLabel* middleClickLabel = nullptr;
        QCheckBox* progressBox = nullptr;
        ClickableLabel* progressLabel = nullptr;
        ClickableLabel* donations = nullptr;
        ClickableLabel* updatesLink = nullptr;
        QLabel* versionLabel = nullptr;
        QPushButton* okButton = nullptr;
        QPushButton* cancelButton = nullptr;
    };
    const Controls& controls() const { return m_ui; }

    // Fills the controls from the settings; called once, right after the dialog is made.
    void load();
    // The table's texts into the controls.
    void applyTexts();

    // Check box values as the settings hold them: 0 clear, 1 checked, 2 grey.
    static int CheckValue(const QCheckBox* box);
    // Only 0, 1 and 2 are taken; any other value leaves the box as it is.
    static void SetCheckValue(QCheckBox* box, int value);

    // OK: the values are saved and take effect, and the dialog closes.
    void accept() override;
    // Cancel: nothing changes, and the dialog closes.
    void cancel();
    void toggleRunAtLogon();
    void toggleSound();
    void toggleMiddleClick();
    void toggleProgress();
    void chooseLanguage();
    void openTranslationPage();
    void openUpdates();
    void openDonations();
    void openAbout();

public Q_SLOTS:
    // Escape closes the dialog as its close box does; a merely hidden dialog would keep the left-click mode.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place(QWidget* control, double left, double top, double width, double height);
    void placeProgressSwitch();

    Services& m_services;
    Dialogs& m_dialogs;
    LayoutUnits m_units;
    Controls m_ui;
};

} // namespace dialogs
