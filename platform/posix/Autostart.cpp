#include "Autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace platform {

std::string AutostartExecValue(const std::string& command)
{
    // Inside a quoted Exec argument these four need a backslash; the value as a whole is then a
    // desktop-entry string, whose own escapes double every backslash and spell out line ends and tabs.
    std::string quoted;
    for (const char c : command) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    std::string value = "\"";
    for (const char c : quoted) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\r':
            value += "\\r";
            break;
        case '\t':
            value += "\\t";
            break;
        case '%':
            value += "%%";
            break;
        default:
            value += c;
        }
    }
    return value + '"';
}

std::string AutostartEntryText(const std::string& command)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Dimoro Free\n"
           "Comment=Clicks where the pointer rests\n"
           "Exec="
        + AutostartExecValue(command)
        + "\n"
          "Terminal=false\n"
          "X-GNOME-Autostart-enabled=true\n";
}

bool WriteAutostartEntry(const std::string& path, const std::string& command)
{
    const QString file = QString::fromStdString(path);
    if (!QDir().mkpath(QFileInfo(file).path()))
        return false;
    // Written whole or not at all: a half-written entry could start nothing, or something else.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const std::string entry = AutostartEntryText(command);
    out.write(entry.data(), static_cast<qint64>(entry.size()));
    return out.commit();
}

} // namespace platform
