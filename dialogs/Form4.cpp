#include "Form4.h"

#include "Topmost.h"
#include "engine/Engine.h"

#include <QCloseEvent>
#include <QPointer>

namespace dialogs {

namespace {
QPointer<Form4> g_form4;
}

Form4::Form4() { setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint); }

void Form4::Form_Load()
{
    MakeTopmost(*this);
    m_savedMode = engine::ClickMode;
    engine::ClickMode = engine::ModeLeftClick;
}

void Form4::setText(settings::ExitQuestionText id, const QString& text)
{
    m_texts[static_cast<std::size_t>(id)] = text;
    if (id == settings::ExitQuestionText::Caption)
        setWindowTitle(text);
}

QString Form4::text(settings::ExitQuestionText id) const
{
    return id == settings::ExitQuestionText::Caption ? windowTitle() : m_texts[static_cast<std::size_t>(id)];
}

void Form4::closeEvent(QCloseEvent* event)
{
    event->ignore();
    UnloadExitQuestion();
}

Form4& ExitQuestion()
{
    if (g_form4.isNull()) {
        g_form4 = new Form4;
        g_form4->Form_Load();
    }
    return *g_form4;
}

bool ExitQuestionLoaded() { return !g_form4.isNull(); }

void UnloadExitQuestion()
{
    if (g_form4.isNull())
        return;
    Form4* dialog = g_form4;
    g_form4.clear();
    engine::ClickMode = dialog->savedMode();
    dialog->hide();
    dialog->deleteLater();
}

} // namespace dialogs
