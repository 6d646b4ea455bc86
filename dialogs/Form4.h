#pragma once

#include <QDialog>

#include <cstdint>

namespace dialogs {

// The exit question. Reached only through the accessors below, which create and load it on first touch.
class Form4 : public QDialog
{
    Q_OBJECT

public:
    Form4();

    // The click mode saved at load, given back at unload.
    std::int16_t savedMode() const { return m_savedMode; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend Form4& ExitQuestion();
    void Form_Load();

    std::int16_t m_savedMode = 0;
};

Form4& ExitQuestion();
bool ExitQuestionLoaded();
void UnloadExitQuestion();

} // namespace dialogs
