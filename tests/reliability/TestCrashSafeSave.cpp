// Kills a process at random moments while it saves, over and over, and checks that the file it was
// replacing is always one complete version: never cut, never empty, never a mix.
#include "platform/fake/FakePlatform.h"
#include "platform/x11/Autostart.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Target { Settings, Autostart };

const settings::SettingsRecord kOld {2, 5, 0, "Italiano.lng", 1, 0};
const settings::SettingsRecord kNew {10, 20, 1, "A much longer language file name, to change the size.lng", 0, 1};
const std::string kOldCommand = "/opt/dimoro/dimoro";
const std::string kNewCommand = "/home/user/Programs with blanks/\"Dimoro\" 100% $HOME/dimoro";

void Save(Target target, const std::string& entryPath, bool newVersion)
{
    if (target == Target::Settings) {
        settings::Settings = newVersion ? kNew : kOld;
        settings::SaveSettings();
    } else {
        platform::WriteAutostartEntry(entryPath, newVersion ? kNewCommand : kOldCommand);
    }
}

void SleepMicroseconds(long us)
{
    const timespec span {us / 1000000, (us % 1000000) * 1000};
    nanosleep(&span, nullptr);
}

} // namespace

Q_DECLARE_METATYPE(Target)

class TestCrashSafeSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedWhileSaving_data();
    void killedWhileSaving();
};

void TestCrashSafeSave::killedWhileSaving_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("Dimoro.ini") << Target::Settings << "Dimoro.ini";
    QTest::newRow("autostart entry") << Target::Autostart << "Dimoro.desktop";
}

void TestCrashSafeSave::killedWhileSaving()
{
    QFETCH(Target, target);
    QFETCH(QString, fileName);
#ifdef __SANITIZE_ADDRESS__
    // Forking a sanitized process costs some 15 ms and its saves are slower; the sanitized run looks for
    // memory faults, not odds.
    constexpr int kKills = 200;
    constexpr int kWindowUs = 8000;
#else
    constexpr int kKills = 1000;
    constexpr int kWindowUs = 3000;
#endif

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    platform::FakePlatform fake;
    fake.folder = dir.path().toStdString();
    platform::Install(&fake);
    const QString path = dir.filePath(fileName);
    const std::string entryPath = path.toStdString();

    Save(target, entryPath, false);
    const QByteArray oldBytes = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    Save(target, entryPath, true);
    QFile newFile(path);
    QVERIFY(newFile.open(QIODevice::ReadOnly));
    const QByteArray newBytes = newFile.readAll();
    newFile.close();
    QVERIFY(!oldBytes.isEmpty() && !newBytes.isEmpty() && oldBytes != newBytes);

    // One save takes some tens of microseconds, so kill times spread over a few milliseconds land at
    // every step of it: opening, writing, closing, renaming.
    QRandomGenerator random(20240917);
    int oldSeen = 0;
    int newSeen = 0;
    int leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (bool newVersion = kill % 2 == 0;; newVersion = !newVersion)
                Save(target, entryPath, newVersion);
        }
        SleepMicroseconds(random.bounded(kWindowUs));
        ::kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));

        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(QString("kill %1: the file is gone").arg(kill)));
        const QByteArray bytes = file.readAll();
        if (bytes == oldBytes)
            ++oldSeen;
        else if (bytes == newBytes)
            ++newSeen;
        else
            QFAIL(qPrintable(
                QString("kill %1 left %2 bytes: %3").arg(kill).arg(bytes.size()).arg(bytes.toPercentEncoding())));
        // A temporary file beside it means the kill came between its creation and the rename.
        QStringList others = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        others.removeAll(fileName);
        if (!others.isEmpty())
            ++leftovers;
        for (const QString& other : others)
            QFile::remove(dir.filePath(other));
    }
    platform::Install(nullptr);
    qInfo("%d kills: %d found the old version, %d the new one; %d came in the middle of a save", kKills, oldSeen,
        newSeen, leftovers);
    // Otherwise the kills missed the saves and the test proved nothing. QSaveFile writes into an unnamed
    // file (O_TMPFILE) where the file system has them, so only the settings writer shows its temporary.
    QVERIFY(oldSeen > kKills / 20 && newSeen > kKills / 20);
    QVERIFY(target == Target::Autostart || leftovers > 0);
}

QTEST_GUILESS_MAIN(TestCrashSafeSave)
#include "TestCrashSafeSave.moc"
