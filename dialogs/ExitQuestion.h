#pragma once

#include "Dialogs.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace dialogs {

class MaskedPicture;

// The exit question: yes ends the program, no closes the question. Created and unloaded by Dialogs; while it
// is loaded it is worked with dwell left clicks.
class ExitQuestion : public QDialog
{
    Q_OBJECT

public:
    ExitQuestion(Services& services, Dialogs& dialogs);

    // Puts it above all windows and gives the picture its shape; called once, right after it is made.
    void load();
    // The table's texts: the caption, the question and the two buttons.
    void applyTexts();

    QLabel* question() const { return m_question; }
    MaskedPicture* picture() const { return m_picture; }
    QPushButton* yesButton() const { return m_yes; }
    QPushButton* noButton() const { return m_no; }

    // Releases a button held by drag, then ends the process at once, saving nothing.
    void yes();
    void no();

public Q_SLOTS:
    // Escape closes the question as the close box does, so the saved mode always comes back.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Services& m_services;
    Dialogs& m_dialogs;
    QLabel* m_question = nullptr;
    QLabel* m_designedPicture = nullptr; // holds the picture until the masked control takes it
    MaskedPicture* m_picture = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
};

} // namespace dialogs
