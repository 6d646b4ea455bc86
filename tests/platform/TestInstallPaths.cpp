// Where a portable and an installed copy find their data and keep their settings, by the environment's rules.
#include "platform/ProgramFiles.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Language.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <map>

class TestInstallPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void locate_data();
    void locate();
    void installedCopyOnDisk();
};

void TestInstallPaths::locate_data()
{
    QTest::addColumn<QString>("executable"); // the executable's folder; a backslash in it makes it a Windows one
    QTest::addColumn<QStringList>("existing"); // paths that exist
    QTest::addColumn<QStringList>("environment"); // NAME=value
    // data folder, settings written, settings read, translation page's folder, the user's own languages
    QTest::addColumn<QStringList>("expected");

    const QStringList installedTree {"/usr/share/dimoro-free/Lang"};
    const QStringList home {"/usr/share/dimoro-free", "/home/ana/.config/Dimoro/Dimoro.ini",
        "/home/ana/.config/Dimoro/Dimoro.ini", "/home/ana/.cache/Dimoro", "/home/ana/.local/share/Dimoro/Lang"};
    const auto readFrom = [&home](const QString& file) {
        return QStringList {home[0], home[1], file, home[3], home[4]};
    };

    QTest::newRow("build folder") << "/b/bin" << QStringList {"/b/bin/Lang"} << QStringList {}
                                  << QStringList {"/b/bin", "/b/bin/Dimoro.ini", "/b/bin/Dimoro.ini", "/b/bin", ""};
    QTest::newRow("data beside wins over an installed tree")
        << "/usr/bin" << QStringList {"/usr/bin/Lang", installedTree[0]} << QStringList {"XDG_CONFIG_HOME=/c"}
        << QStringList {"/usr/bin", "/usr/bin/Dimoro.ini", "/usr/bin/Dimoro.ini", "/usr/bin", ""};
    QTest::newRow("no data anywhere stays beside")
        << "/opt/x" << QStringList {} << QStringList {}
        << QStringList {"/opt/x", "/opt/x/Dimoro.ini", "/opt/x/Dimoro.ini", "/opt/x", ""};
    QTest::newRow("installed, XDG unset") << "/usr/bin" << installedTree << QStringList {} << home;
    QTest::newRow("installed, XDG set") << "/usr/bin" << installedTree
                                        << QStringList {"XDG_CONFIG_HOME=/c", "XDG_CACHE_HOME=/k", "XDG_DATA_HOME=/d/"}
                                        << QStringList {"/usr/share/dimoro-free", "/c/Dimoro/Dimoro.ini",
                                               "/c/Dimoro/Dimoro.ini", "/k/Dimoro", "/d/Dimoro/Lang"};
    QTest::newRow("installed, XDG relative or empty")
        << "/usr/bin" << installedTree
        << QStringList {"XDG_CONFIG_HOME=c", "XDG_CACHE_HOME=", "XDG_DATA_HOME=~/d", "XDG_CONFIG_DIRS=etc"} << home;
    QTest::newRow("administrator's default")
        << "/usr/bin" << QStringList {installedTree[0], "/etc/xdg/Dimoro/Dimoro.ini"} << QStringList {}
        << readFrom("/etc/xdg/Dimoro/Dimoro.ini");
    QTest::newRow("first default in XDG_CONFIG_DIRS")
        << "/usr/bin"
        << QStringList {installedTree[0], "/site/Dimoro/Dimoro.ini", "/vendor/Dimoro/Dimoro.ini",
               "/etc/xdg/Dimoro/Dimoro.ini"}
        << QStringList {"XDG_CONFIG_DIRS=rel:/none:/vendor:/site"} << readFrom("/vendor/Dimoro/Dimoro.ini");
    QTest::newRow("the user's file over the default")
        << "/usr/bin" << QStringList {installedTree[0], home[1], "/etc/xdg/Dimoro/Dimoro.ini"} << QStringList {}
        << home;
    QTest::newRow("installed in a prefix")
        << "/opt/dm/bin" << QStringList {"/opt/dm/share/dimoro-free/Lang"} << QStringList {"XDG_CONFIG_HOME=/c"}
        << QStringList {"/opt/dm/share/dimoro-free", "/c/Dimoro/Dimoro.ini", "/c/Dimoro/Dimoro.ini",
               "/home/ana/.cache/Dimoro", "/home/ana/.local/share/Dimoro/Lang"};
    QTest::newRow("Windows, unpacked copy") << "C:\\Tools\\Dimoro" << QStringList {"C:\\Tools\\Dimoro\\Lang"}
                                            << QStringList {"APPDATA=C:\\Users\\Ana\\AppData\\Roaming"}
                                            << QStringList {"C:\\Tools\\Dimoro", "C:\\Tools\\Dimoro\\Dimoro.ini",
                                                   "C:\\Tools\\Dimoro\\Dimoro.ini", "C:\\Tools\\Dimoro", ""};
    QTest::newRow("Windows, installed under Program Files")
        << "C:\\Program Files\\Dimoro Free\\bin"
        << QStringList {"C:\\Program Files\\Dimoro Free\\share\\dimoro-free\\Lang"}
        << QStringList {"APPDATA=C:\\Users\\Ana\\AppData\\Roaming"}
        << QStringList {"C:\\Program Files\\Dimoro Free\\share\\dimoro-free",
               "C:\\Users\\Ana\\AppData\\Roaming\\Dimoro\\Dimoro.ini",
               "C:\\Users\\Ana\\AppData\\Roaming\\Dimoro\\Dimoro.ini", "C:\\Users\\Ana\\AppData\\Roaming\\Dimoro",
               "C:\\Users\\Ana\\AppData\\Roaming\\Dimoro\\Lang"};
}

void TestInstallPaths::locate()
{
    QFETCH(QString, executable);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, environment);
    QFETCH(QStringList, expected);

    std::map<std::string, std::string> variables;
    for (const QString& variable : environment)
        variables[variable.section(u'=', 0, 0).toStdString()] = variable.section(u'=', 1).toStdString();
    const auto lookup = [&variables](const char* name) -> std::optional<std::string> {
        const auto found = variables.find(name);
        return found != variables.end() ? std::optional<std::string>(found->second) : std::nullopt;
    };
    const bool windows = executable.contains(u'\\');
    const platform::BaseFolders base
        = windows ? platform::AppDataBaseFolders(variables["APPDATA"]) : platform::XdgBaseFolders(lookup, "/home/ana");
    const auto exists
        = [&existing](const std::string& path) { return existing.contains(QString::fromStdString(path)); };

    const platform::ProgramFiles files
        = platform::LocateProgramFiles(executable.toStdString(), windows ? '\\' : '/', base, exists);
    const QStringList actual = {QString::fromStdString(files.data), QString::fromStdString(files.settings),
        QString::fromStdString(files.settingsToRead), QString::fromStdString(files.pageFolder),
        QString::fromStdString(files.userLanguages)};
    QCOMPARE(actual, expected);
    QCOMPARE(files.installed, !expected[4].isEmpty());
}

// The rule on a real disk, through the fake platform: an installed tree owned by nobody who runs it.
void TestInstallPaths::installedCopyOnDisk()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString shared = root.filePath(QStringLiteral("usr/share/dimoro-free"));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("usr/bin"))));
    QVERIFY(QDir().mkpath(shared + QStringLiteral("/Lang")));
    QVERIFY(
        QFile::copy(QFINDTESTDATA("../../resources/Lang/English.lng"), shared + QStringLiteral("/Lang/English.lng")));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("etc/xdg/Dimoro"))));
    QFile defaults(root.filePath(QStringLiteral("etc/xdg/Dimoro/Dimoro.ini")));
    QVERIFY(defaults.open(QIODevice::WriteOnly) && defaults.write("3\r\n9\r\n0\r\nEnglish.lng\r\n1\r\n1\r\n") > 0);
    defaults.close();

    platform::FakePlatform os;
    os.folder = root.filePath(QStringLiteral("usr/bin")).toStdString();
    const std::string home = root.filePath(QStringLiteral("home")).toStdString();
    os.base = {home + "/.config", {root.filePath(QStringLiteral("etc/xdg")).toStdString()}, home + "/.cache",
        home + "/.local/share"};

    settings::Settings values;
    settings::LoadSettings(os, values);
    QCOMPARE(values.dwellTenths, 9); // the administrator's default, while the user has no file
    values.dwellTenths = 7;
    QVERIFY(settings::SaveSettings(os, values));
    const QString own = QString::fromStdString(home + "/.config/Dimoro/Dimoro.ini");
    QVERIFY(QFileInfo::exists(own));
    QCOMPARE(QDir(root.filePath(QStringLiteral("usr/bin"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList());
    // Folders the save made are the user's alone.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(
        QFileInfo(QString::fromStdString(home + "/.config/Dimoro")).permissions() & others, QFileDevice::Permissions());
    settings::Settings again;
    settings::LoadSettings(os, again);
    QCOMPARE(again.dwellTenths, 7); // now the user's own file

    // A user's language file of a shipped name is read instead of the shipped one.
    QCOMPARE(QString::fromStdString(settings::LanguageFilePath(os, "English.lng")),
        shared + QStringLiteral("/Lang/English.lng"));
    QVERIFY(QDir().mkpath(QString::fromStdString(home + "/.local/share/Dimoro/Lang")));
    QFile mine(QString::fromStdString(home + "/.local/share/Dimoro/Lang/English.lng"));
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("00 Mine\r\n") > 0);
    mine.close();
    settings::LanguageTable table;
    QVERIFY(table.loadFrom(os, "English.lng"));
    QCOMPARE(table.text(settings::TextId::AlreadyRunning), std::string("Mine"));
}

QTEST_GUILESS_MAIN(TestInstallPaths)
#include "TestInstallPaths.moc"
