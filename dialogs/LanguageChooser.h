#pragma once

#include "Dialogs.h"

#include <QString>
#include <QStringList>

#include <string>

class QWidget;

// Choosing another language file from the program's Lang folder; its texts reach every window at once.
namespace dialogs {

// The name a chosen path gives: what follows the last "<separator>Lang<separator>" in it (case-sensitive), or
// current when the path holds none.
std::string NameInLangFolder(const std::string& path, char separator, const std::string& current);

// The open-file dialog for one existing file, with the given title, filter, folder, first name and default
// extension, run by the desktop's runFileDialog; places, when given, are the folders of its side bar. The chosen
// file's full path, or an empty string on cancel.
QString ShowOpenFileDialog(Desktop& desktop, QWidget* owner, const QString& title, const QString& initialFile,
    const QString& filter, const QString& initialFolder, const QString& defaultExtension,
    const QStringList& places = {});

// The click on the options dialog's language link: the file dialog (in the shipped Lang folder, with the user's
// own beside it when an installed copy has one), then the chosen name and texts, then the texts applied to every
// window. A file that cannot be read from our Lang folder, or whose name Dimoro.ini cannot hold, changes neither the
// name nor the texts, so OK never saves a language that would leave the windows blank or another at the next start.
// A Lang folder whose path is not text is not offered at all: the user is told why.
void ChooseLanguage(Services& services, QWidget* owner);

} // namespace dialogs
