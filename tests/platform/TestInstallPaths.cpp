// Where a portable and an installed copy find their data and keep their settings, by the environment's rules.
#include "platform/ProgramFiles.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Language.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>

class TestInstallPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void locate_data()
    {
        // The executable's folder (a backslash makes it a Windows one), what exists, NAME=value pairs, and the
        // expected data folder | settings written | settings read | page folder | the user's own languages.
        support::Columns<QString, QStringList, QStringList, QString>(
            "executable", "existing", "environment", "expected");
        const QString shipped = QStringLiteral("/usr/share/dimoro-free/Lang");
        const QString home = QStringLiteral("/usr/share/dimoro-free|/h/.config/Dimoro/Dimoro.ini|%1|/h/.cache/Dimoro|"
                                            "/h/.local/share/Dimoro/Lang");
        using support::Row;
        Row("build folder", QString("/b/bin"), QStringList {"/b/bin/Lang", shipped}, QStringList {},
            QString("/b/bin|/b/bin/Dimoro.ini|/b/bin/Dimoro.ini|/b/bin|"));
        Row("no data anywhere stays beside", QString("/opt/x"), QStringList {}, QStringList {},
            QString("/opt/x|/opt/x/Dimoro.ini|/opt/x/Dimoro.ini|/opt/x|"));
        Row("installed, XDG set", QString("/usr/bin"), QStringList {shipped},
            QStringList {"XDG_CONFIG_HOME=/c", "XDG_CACHE_HOME=/k", "XDG_DATA_HOME=/d/"},
            QString("/usr/share/dimoro-free|/c/Dimoro/Dimoro.ini|/c/Dimoro/Dimoro.ini|/k/Dimoro|/d/Dimoro/Lang"));
        Row("relative or empty XDG ignored", QString("/usr/bin"), QStringList {shipped},
            QStringList {"XDG_CONFIG_HOME=c", "XDG_CACHE_HOME=", "XDG_DATA_HOME=~/d", "XDG_CONFIG_DIRS=etc"},
            home.arg("/h/.config/Dimoro/Dimoro.ini"));
        Row("first default in XDG_CONFIG_DIRS", QString("/usr/bin"),
            QStringList {shipped, "/site/Dimoro/Dimoro.ini", "/vendor/Dimoro/Dimoro.ini"},
            QStringList {"XDG_CONFIG_DIRS=rel:/none:/vendor:/site"}, home.arg("/vendor/Dimoro/Dimoro.ini"));
        Row("the user's file over the default", QString("/usr/bin"),
            QStringList {shipped, "/h/.config/Dimoro/Dimoro.ini", "/etc/xdg/Dimoro/Dimoro.ini"}, QStringList {},
            home.arg("/h/.config/Dimoro/Dimoro.ini"));
        Row("Windows, under Program Files", QString("C:\\P\\bin"), QStringList {"C:\\P\\share\\dimoro-free\\Lang"},
            QStringList {"APPDATA=C:\\A"},
            QString("C:\\P\\share\\dimoro-free|C:\\A\\Dimoro\\Dimoro.ini|C:\\A\\Dimoro\\Dimoro.ini|C:\\A\\Dimoro|"
                    "C:\\A\\Dimoro\\Lang"));
    }

    void locate()
    {
        const auto [executable, existing, environment, expected]
            = support::Fetch<QString, QStringList, QStringList, QString>(
                "executable", "existing", "environment", "expected");
        std::map<std::string, std::string> variables;
        for (const QString& variable : environment)
            variables[variable.section(u'=', 0, 0).toStdString()] = variable.section(u'=', 1).toStdString();
        const auto lookup = [&variables](const char* name) -> std::optional<std::string> {
            const auto found = variables.find(name);
            return found != variables.end() ? std::optional<std::string>(found->second) : std::nullopt;
        };
        const bool windows = executable.contains(u'\\');
        const auto files = platform::LocateProgramFiles(executable.toStdString(), windows ? '\\' : '/',
            windows ? platform::AppDataBaseFolders(variables["APPDATA"]) : platform::XdgBaseFolders(lookup, "/h"),
            [&existing](const std::string& path) { return existing.contains(QString::fromStdString(path)); });
        const QString actual = QString::fromStdString(files.data + "|" + files.settings + "|" + files.settingsToRead
            + "|" + files.pageFolder + "|" + files.userLanguages);
        QCOMPARE(actual, expected);
        QCOMPARE(files.installed, !expected.endsWith(u'|'));
    }

    // On a real disk: the folders a save makes are the user's alone, and a user's language file of a shipped
    // name is read instead of the shipped one.
    void usersOwnFiles()
    {
        QTemporaryDir root;
        const QString home = root.filePath(QStringLiteral("home"));
        QVERIFY(platform::MakeFolders(platform::Utf8Path(home.toStdString() + "/.config/Dimoro")));
        platform::FakePlatform os;
        os.folder = root.filePath(QStringLiteral("usr/bin")).toStdString();
        os.base = {home.toStdString() + "/.config", {}, home.toStdString() + "/.cache", home.toStdString() + "/data"};
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("usr/share/dimoro-free/Lang"))));
        QVERIFY(support::WriteFile(root.filePath(QStringLiteral("usr/share/dimoro-free/Lang/English.lng")), "00 Ours"));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/data/Dimoro/Lang")));
        QVERIFY(support::WriteFile(home + QStringLiteral("/data/Dimoro/Lang/English.lng"), "00 Mine\r\n"));
        settings::LanguageTable table;
        QVERIFY(table.loadFrom(os, "English.lng"));
        QCOMPARE(table.text(settings::TextId::AlreadyRunning), std::string("Mine"));
    }
};

QTEST_GUILESS_MAIN(TestInstallPaths)
#include "TestInstallPaths.moc"
