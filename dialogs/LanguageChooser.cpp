#include "LanguageChooser.h"

#include "Widgets.h"

#include "platform/Platform.h"
#include "settings/Language.h"
#include "settings/Settings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

#include <algorithm>

namespace dialogs {

namespace {

// Big enough that every entry and the Open button are easy targets for a resting pointer.
constexpr QSize kDialogSize(720, 480);

} // namespace

std::string NameInLangFolder(const std::string& path, char separator, const std::string& current)
{
    const std::string folder = std::string(1, separator) + "Lang" + separator;
    const std::size_t at = path.rfind(folder);
    return at == std::string::npos ? current : path.substr(at + folder.size());
}

QString ShowOpenFileDialog(Desktop& desktop, QWidget* owner, const QString& title, const QString& initialFile,
    const QString& filter, const QString& initialFolder, const QString& defaultExtension, const QStringList& places)
{
    // Qt's own dialog rather than the desktop's: it takes dwell clicks like every other window of ours, and it
    // stays above the topmost options dialog it belongs to.
    QPointer<QFileDialog> dialog = new QFileDialog(owner, title, initialFolder, filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(defaultExtension);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog->resize(kDialogSize);
    if (!initialFile.isEmpty())
        dialog->selectFile(initialFile);
    if (!places.isEmpty()) {
        QList<QUrl> urls;
        for (const QString& place : places)
            urls.append(QUrl::fromLocalFile(place));
        dialog->setSidebarUrls(urls);
    }
    const QString chosen = desktop.runFileDialog(*dialog);
    // The owner may have gone while the dialog ran, taking the dialog with it.
    delete dialog.data();
    return chosen;
}

void ChooseLanguage(Services& services, QWidget* owner)
{
    platform::Platform& os = services.os;
    const std::string langFolder = platform::ProgramPath(os, "Lang");
    // The file dialog takes folders as text only: it could neither show this one nor hand back its files.
    if (!PathIsText(langFolder)) {
        qCWarning(lcDialogs) << "cannot show the language files of a folder whose name is not UTF-8:"
                             << QString::fromStdString(langFolder);
        services.desktop.showNotice(TextOrEnglish(services.language, settings::TextId::FolderNameNotText),
            QString::fromStdString(services.language.text(settings::TextId::ChooseLanguage)));
        services.languageChanged();
        return;
    }
    const QString title = QString::fromStdString(services.language.text(settings::TextId::ChooseLanguage));
    const QString folder = QString::fromStdString(langFolder);
    QStringList places;
    const QString own = QString::fromStdString(os.files().userLanguages);
    if (!own.isEmpty() && QFileInfo(own).isDir())
        places = QStringList {folder, own};
    const QString chosen = ShowOpenFileDialog(
        services.desktop, owner, title, {}, title + QStringLiteral(" (*.lng)"), folder, QStringLiteral("lng"), places);
    if (!chosen.isEmpty()) {
        // Qt hands back '/' on every system; the rule looks for the system's own separator.
        std::string path = chosen.toStdString();
        std::replace(path.begin(), path.end(), '/', os.separator());
        const std::string name = NameInLangFolder(path, os.separator(), services.settings.languageFile);
        // A name Dimoro.ini cannot hold (a letter outside its code page) would give another at the next start.
        if (!settings::CanStoreLanguageName(os, name))
            qCWarning(lcDialogs) << "Dimoro.ini cannot hold the language file name" << chosen << "- the language stays";
        else if (services.language.loadFrom(os, name))
            services.settings.languageFile = name;
    }
    // Also after a cancel: the windows show the table as it is.
    services.languageChanged();
}

} // namespace dialogs
