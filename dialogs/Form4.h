#pragma once

#include "settings/Language.h"

#include <QDialog>
#include <QString>

#include <cstdint>

class QLabel;
class QPushButton;

namespace dialogs {

class ctlTransparent;

// The exit question: Si ends the program, No closes the question. Reached only through the accessors
// below, which create and load it on first touch. While it is loaded it is worked with dwell left clicks.
class Form4 : public QDialog
{
    Q_OBJECT

public:
    Form4();

    // The click mode saved at load, given back at unload.
    std::int16_t savedMode() const { return m_savedMode; }

    // The texts the language gives: the caption, the question and the two buttons.
    void setText(settings::ExitQuestionText id, const QString& text);
    QString text(settings::ExitQuestionText id) const;

    QLabel* Label1() const { return m_label1; }
    QLabel* Image1() const { return m_image1; }
    ctlTransparent* ctlTransparent1() const { return m_ctlTransparent1; }
    QPushButton* Si() const { return m_si; }
    QPushButton* No() const { return m_no; }

    // Releases a button held by drag, then ends the process at once, saving nothing.
    void Si_Click();
    void No_Click();

public Q_SLOTS:
    // Escape closes the question as the close box does, so the saved mode always comes back.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    friend Form4& ExitQuestion();
    void Form_Load();

    std::int16_t m_savedMode = 0;
    QLabel* m_label1 = nullptr;
    QLabel* m_image1 = nullptr;
    ctlTransparent* m_ctlTransparent1 = nullptr;
    QPushButton* m_si = nullptr;
    QPushButton* m_no = nullptr;
};

// The question, created and loaded, hidden, when it is not loaded.
Form4& ExitQuestion();
bool ExitQuestionLoaded();
// Closes the question: the click mode saved at load comes back and the dialog ceases to exist.
void UnloadExitQuestion();

} // namespace dialogs
