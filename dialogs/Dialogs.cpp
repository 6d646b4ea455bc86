#include "Dialogs.h"

#include "AboutBox.h"
#include "ExitQuestion.h"
#include "OptionsDialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>

namespace dialogs {

using engine::Mode;

namespace {

// A click that its button does not take (beside the button, or a right or middle one on it) closes it too.
class Notice : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        event->accept();
        close();
    }
};

} // namespace

QUrl FileUrl(const std::string& path)
{
    if (PathIsText(path))
        return QUrl::fromLocalFile(QString::fromStdString(path));
    return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
}

bool PathIsText(const std::string& path)
{
    // Invalid sequences decode to U+FFFD and so come back as other bytes.
    const QByteArray bytes = QByteArray::fromStdString(path);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

Desktop::Desktop()
    // Through the desktop's opener, never a command line: paths with blanks open and no text of a language file
    // reaches a shell.
    : openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); })
    , showMessage([](const QString& text, const QString& title) {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        box.exec();
    })
    , showNotice([](const QString& text, const QString& title) {
        auto* notice = new Notice(QMessageBox::Information, title, text, QMessageBox::Ok);
        notice->setWindowModality(Qt::NonModal);
        // A selectable text would take the press for itself.
        notice->setTextInteractionFlags(Qt::NoTextInteraction);
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        notice->show();
    })
    , runFileDialog([](QFileDialog& dialog) {
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        const QStringList chosen = dialog.selectedFiles();
        return chosen.isEmpty() ? QString() : chosen.first();
    })
{ }

Dialogs::Dialogs(Services& services)
    : m_services(services)
{ }

Dialogs::~Dialogs()
{
    delete m_about.get();
    delete m_exitQuestion.get();
    delete m_options.get();
}

OptionsDialog& Dialogs::options()
{
    if (m_options.get() == nullptr) {
        auto* dialog = new OptionsDialog(m_services, *this);
        m_options.set(dialog);
        dialog->load();
        // Its texts used to load the exit question first, so the question saves the mode before this dialog does.
        exitQuestion();
        dialog->applyTexts();
        m_optionsSavedMode = m_services.engine.mode();
        m_services.engine.setMode(Mode::LeftClick);
    }
    return *m_options.get();
}

ExitQuestion& Dialogs::exitQuestion()
{
    if (m_exitQuestion.get() == nullptr) {
        auto* question = new ExitQuestion(m_services, *this);
        m_exitQuestion.set(question);
        question->load();
        question->applyTexts();
        m_exitQuestionSavedMode = m_services.engine.mode();
        m_services.engine.setMode(Mode::LeftClick);
    }
    return *m_exitQuestion.get();
}

void Dialogs::load(engine::Dialog dialog)
{
    if (dialog == engine::Dialog::Options)
        options();
    else
        exitQuestion();
}

bool Dialogs::isVisible(engine::Dialog dialog) const
{
    return dialog == engine::Dialog::Options ? m_options.isVisible() : m_exitQuestion.isVisible();
}

bool Dialogs::isLoaded(engine::Dialog dialog) const
{
    return dialog == engine::Dialog::Options ? m_options.get() != nullptr : m_exitQuestion.get() != nullptr;
}

AboutBox* Dialogs::about() const { return m_about.get(); }

namespace {

void ShowInFront(QDialog& dialog)
{
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

} // namespace

void Dialogs::showExitQuestion()
{
    // Active, so that Enter or Space answers yes at once.
    ShowInFront(exitQuestion());
}

void Dialogs::showOptions() { ShowInFront(options()); }

void Dialogs::openAbout()
{
    if (m_options.get() != nullptr)
        m_options.get()->hide();
    if (m_about.get() == nullptr) {
        auto* box = new AboutBox(m_services, *this);
        m_about.set(box);
        box->load();
    }
    m_about.get()->applyTexts();
    m_about.get()->show();
}

void Dialogs::unloadOptions()
{
    if (m_options.get() == nullptr)
        return;
    m_services.engine.setMode(m_optionsSavedMode);
    m_options.unload();
}

void Dialogs::unloadExitQuestion()
{
    if (m_exitQuestion.get() == nullptr)
        return;
    m_services.engine.setMode(m_exitQuestionSavedMode);
    m_exitQuestion.unload();
}

void Dialogs::unloadAbout()
{
    if (m_about.get() == nullptr)
        return;
    m_about.get()->scrollTimer().stop();
    m_about.unload();
    options().show();
}

void Dialogs::applyTexts()
{
    if (m_options.get() != nullptr)
        m_options.get()->applyTexts();
    if (m_exitQuestion.get() != nullptr)
        m_exitQuestion.get()->applyTexts();
}

} // namespace dialogs
