#pragma once

#include "settings/Language.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

namespace dialogs {

// The options dialog. Reached only through the accessors below, which create and load it on first touch.
class Form3 : public QDialog
{
    Q_OBJECT

public:
    Form3();

    // The click mode remembered at load, given back at unload.
    std::int16_t savedMode() const { return m_savedMode; }

    // The texts the language gives; the caption is the window's own, the others wait for their controls.
    void setText(settings::OptionsText id, const QString& text);
    QString text(settings::OptionsText id) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend Form3& Options();
    void Form_Load();

    std::int16_t m_savedMode = 0;
    std::array<QString, static_cast<std::size_t>(settings::OptionsText::Count)> m_texts;
};

// The dialog, created and loaded, hidden, when it is not loaded.
Form3& Options();
bool OptionsLoaded();
// Closes the dialog: the click mode remembered at load comes back and the dialog ceases to exist.
void UnloadOptions();

} // namespace dialogs
