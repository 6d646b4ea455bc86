#include "Form3.h"

#include "Topmost.h"
#include "engine/Engine.h"
#include "settings/Language.h"

#include <QCloseEvent>
#include <QPointer>

namespace dialogs {

namespace {
QPointer<Form3> g_form3;
}

Form3::Form3()
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Opzioni"));
}

void Form3::Form_Load()
{
    MakeTopmost(*this);
    settings::ApplyLanguage();
    // Remembered after the texts are applied: applying them may load the exit question, which switches modes.
    m_savedMode = engine::ClickMode;
    engine::ClickMode = engine::ModeLeftClick;
}

void Form3::setText(settings::OptionsText id, const QString& text)
{
    m_texts[static_cast<std::size_t>(id)] = text;
    if (id == settings::OptionsText::Caption)
        setWindowTitle(text);
}

QString Form3::text(settings::OptionsText id) const
{
    return id == settings::OptionsText::Caption ? windowTitle() : m_texts[static_cast<std::size_t>(id)];
}

void Form3::closeEvent(QCloseEvent* event)
{
    event->ignore();
    UnloadOptions();
}

Form3& Options()
{
    if (g_form3.isNull()) {
        // The dialog exists from the start of its load, so texts applied during the load do not create it again.
        g_form3 = new Form3;
        g_form3->Form_Load();
    }
    return *g_form3;
}

bool OptionsLoaded() { return !g_form3.isNull(); }

void UnloadOptions()
{
    if (g_form3.isNull())
        return;
    Form3* dialog = g_form3;
    g_form3.clear();
    engine::ClickMode = dialog->savedMode();
    dialog->hide();
    dialog->deleteLater();
}

} // namespace dialogs
