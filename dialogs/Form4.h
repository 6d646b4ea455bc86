#pragma once

#include "settings/Language.h"

#include <QDialog>
#include <QString>

#include <array>
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

    // The texts the language gives; the caption is the window's own, the others wait for their controls.
    void setText(settings::ExitQuestionText id, const QString& text);
    QString text(settings::ExitQuestionText id) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend Form4& ExitQuestion();
    void Form_Load();

    std::int16_t m_savedMode = 0;
    std::array<QString, static_cast<std::size_t>(settings::ExitQuestionText::Count)> m_texts;
};

Form4& ExitQuestion();
bool ExitQuestionLoaded();
void UnloadExitQuestion();

} // namespace dialogs
