// Dimoro.ini: the field rules, what a load reads and what a save leaves on disk, even when it is killed. Language
// files: the line rule, the file for the user's locale, the English fallback at start, and the files that ship.
#include "platform/posix/Autostart.h"
#include "tests/TestSupport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using settings::Settings;
using settings::TextId;
using support::Row;

namespace {

// Values no row gives, so that a field left alone is told apart from one read as 0 or empty.
const Settings kPrevious {11, 12, 13, "Previous.lng", 14, 15};
const Settings kValues {-2, 5, 0, "Español, 2.lng", 1, 0, 0};
const QByteArray kOld("10\r\n20\r\n1\r\nA longer name.lng\r\n1\r\n1\r\nand more\r\n");

QString Show(const Settings& s)
{
    const QByteArray name = QByteArray::fromStdString(s.languageFile).replace('\0', "\\0");
    return QString::asprintf("%d|%d|%d|%s|%d|%d%s", s.tolerance, s.dwellTenths, s.runAtLogon, name.constData(), s.sound,
        s.middleClick, s.showProgress == 0 ? "|no ring" : "");
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool Mode(const QString& path, mode_t mode) { return chmod(QFile::encodeName(path).constData(), mode) == 0; }

mode_t ModeOf(const QString& path)
{
    struct stat status
    { };
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// What stands where Dimoro.ini belongs: up to Nothing, a save replaces it; from ReadOnlyFile on, it is kept. InPlace:
// a writable file in a folder that takes no new one; Symlink: a link to real.ini beside it. A file that may be written
// has mode 0662, which no umask gives a new file.
enum class Place { File, LeftTemporaries, InPlace, Symlink, Nothing, Folder, Fifo, ReadOnlyFile, ReadOnlyFolder };

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_dir; // the program's folder
    QString ini() const { return m_dir->filePath("Dimoro.ini"); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && Mode(m_dir->path(), 0777));
        m_os.folder = m_dir->path().toStdString();
    }

    void loadAndSave_data()
    {
        // bytes: of the file that stands there; read: by a load before the save
        support::Columns<Place, QByteArray, QString>("place", "bytes", "read");
        const auto file = [](const char* name, const QByteArray& bytes, const char* read) {
            Row(name, Place::File, bytes, QString(read));
        };
        using B = QByteArray;
        file("blanks around fields", B(" 3\r\n\t8\r\n \t1\r\n \tMy Lang \t\r\n 0\r\n1\r\n"), "3|8|1|My Lang|0|1");
        file("commas, a comma ends the name", B("3, 8 ,1,Deutsch,5.lng\r\n1"), "3|8|1|Deutsch|0|1");
        file("a number ends at a blank", B("3 9\r\n8 x,1\r\nx\r\n0\r\n1\r\n"), "3|8|1|x|0|1");
        file("quoted fields", B("\"3\"\r\n8\r\n1\r\n \" a, b \"tail\r\n0\r\n1\r\n"), "3|8|1| a, b |0|1");
        file("unclosed quote ends at the line end", B("3\r\n8\r\n1\r\n\"De.lng\r\n0\r\n1"), "3|8|1|De.lng|0|1");
        file("signs, zeros, 16-bit limits", B("+3\r\n-32768\r\n32767\r\nx\r\n-2\r\n008"), "3|-32768|32767|x|-2|8");
        file("past 16 bits: 0", B("32768,-32769,4294967301,x,99999999999999999999,65536"), "0|0|0|x|0|0");
        file("not numbers: 0", B("abc\r\n12abc\r\n5.5\r\nx\r\n-\r\n--3"), "0|0|0|x|0|0");
        file("blank line is an empty field", B("\r\n   \r\n1\r\n \t \r\n1\r\n1\r\n"), "0|0|1||1|1");
        file("LF, lines past the sixth", B("3\n8\n1\nDe.lng\n0\n1\n7\n7\n"), "3|8|1|De.lng|0|1");
        file("seventh field 0: no ring", B("3\r\n8\r\n1\r\nDe.lng\r\n0\r\n1\r\n 0 \r\n"), "3|8|1|De.lng|0|1|no ring");
        file("seventh field not exactly 0: a ring", B("3,8,1,De.lng,0,1,00,0\r\n"), "3|8|1|De.lng|0|1");
        file("CR, no final line end", B("3\r8\r1\rDe.lng\r0\r1"), "3|8|1|De.lng|0|1");
        file("name cut by the end", B("3\r\n8\r\n1\r\nDeu"), "3|8|1|Deu|14|15");
        file("NUL bytes", B("3\0\r\n8\r\n1\r\nDeu\0tsch.lng\r\n0\r\n1\r\n", 30), "0|8|1|Deu|0|1");
        // The first number ends on the last byte read.
        file("only the first 64 KiB read", B(64 * 1024 - 1, ' ') + "7\r\n8\r\n", "7|12|13|Previous.lng|14|15");
        file("a UTF-8 byte-order mark skipped",
            B("\xEF\xBB\xBF"
              "3\r\n8\r\n"),
            "3|8|13|Previous.lng|14|15");
        const QString old("10|20|1|A longer name.lng|1|1");
        Row("temporaries of ended processes go, a running one's stays", Place::LeftTemporaries, kOld, old);
        Row("folder takes no file: written in place", Place::InPlace, kOld, old);
        Row("symlink: it stays, its target written", Place::Symlink, kOld, old);
        Row("no file", Place::Nothing, B(), Show(kPrevious));
        Row("folder in its place", Place::Folder, B(), Show(kPrevious));
        Row("FIFO in its place", Place::Fifo, B(), Show(kPrevious));
        Row("read-only file kept", Place::ReadOnlyFile, kOld, QString("10|20|1|A longer name.lng|1|1"));
        Row("read-only folder and file", Place::ReadOnlyFolder, kOld, old);
    }

    // A load keeps what the file does not give; a save writes the lines whole or nothing at all, keeps the file's
    // mode, and neither opens what is not a plain file.
    void loadAndSave()
    {
        const auto [place, bytes, read] = support::Fetch<Place, QByteArray, QString>("place", "bytes", "read");
        const bool saved = place <= Place::Nothing;
        const bool kept = place >= Place::ReadOnlyFile;
        const auto load = [this] {
            Settings s = kPrevious;
            settings::LoadSettings(m_os, s);
            return Show(s);
        };
        QVERIFY(place != Place::Folder || QDir().mkdir(ini()));
        QVERIFY(place != Place::Fifo || mkfifo(QFile::encodeName(ini()).constData(), 0666) == 0);
        const pid_t ended = fork();
        if (ended == 0)
            _exit(0);
        const QString running = ".tmp-" + QString::number(getpid()) + "-7";
        for (const QString& name :
            {".tmp-" + QString::number(waitpid(ended, nullptr, 0)) + "-1", running, QString(".tmpx")})
            QVERIFY(place != Place::LeftTemporaries || support::WriteFile(ini() + name, "1"));
        const QString file = place == Place::Symlink ? m_dir->filePath("real.ini") : ini();
        QVERIFY(bytes.isNull()
            || (support::WriteFile(file, bytes) && Mode(file, place >= Place::ReadOnlyFile ? 0444 : 0662)
                && (place != Place::Symlink || symlink("real.ini", QFile::encodeName(ini()).constData()) == 0)
                && ((place != Place::ReadOnlyFolder && place != Place::InPlace) || Mode(m_dir->path(), 0555))));
        const mode_t mode = ModeOf(file);
        QCOMPARE(load(), read);

        const bool asNobody = geteuid() == 0 && seteuid(65534) == 0; // permissions do not stop root
        if (kept && geteuid() == 0)
            QSKIP("file permissions do not bind this user");
        const bool result = settings::SaveSettings(m_os, kValues);
        QVERIFY((!asNobody || seteuid(0) == 0) && Mode(m_dir->path(), 0777));
        QCOMPARE(result, saved);
        // Only the file is left, and the link to it; a running process's temporary and a look-alike stay.
        const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        QCOMPARE(QDir(m_dir->path()).entryList(all).join(' '),
            place == Place::LeftTemporaries ? "Dimoro.ini Dimoro.ini" + running + " Dimoro.ini.tmpx"
                                            : QString(place == Place::Symlink ? "Dimoro.ini real.ini" : "Dimoro.ini"));
        QVERIFY(place != Place::Symlink || QFileInfo(ini()).isSymLink());
        QVERIFY(bytes.isNull() || ModeOf(file) == mode);
        if (saved || kept) // the name with a comma quoted
            QCOMPARE(
                ReadAll(ini()), saved ? QByteArray("-2\r\n5\r\n0\r\n\"Espa\xF1ol, 2.lng\"\r\n1\r\n0\r\n0\r\n") : bytes);
        QCOMPARE(load(), saved ? Show(kValues) : read);
    }

    // A line end in the name would shift the fields after it. The names that cannot read back the same are the ones
    // the language chooser refuses.
    void languageNames()
    {
        const Settings odd {1, 2, 0, "Ω\r\nb\n.lng", 1, 1};
        QCOMPARE(settings::FormatSettings(m_os, odd), std::string("1\r\n2\r\n0\r\n???b?.lng\r\n1\r\n1\r\n1\r\n"));
        QStringList storable;
        for (const char* name :
            {"A, b.lng", " \"a\" .lng", "a\".lng", "Русский.lng", "\"a.lng", "a\"b, c.lng", "a\nb.lng"})
            storable << name + QString(settings::CanStoreLanguageName(m_os, name) ? "+" : "-");
        QCOMPARE(storable.join(' '), "A, b.lng+  \"a\" .lng- a\".lng+ Русский.lng- \"a.lng- a\"b, c.lng- a\nb.lng-");
    }

    // A child saves two versions of Dimoro.ini and of the autostart entry in turn and is killed at random moments:
    // each file is always one whole version.
    void killedWhileSaving()
    {
        const QString entry = m_dir->filePath("dimoro.desktop");
        const auto save = [&](int version) {
            settings::SaveSettings(m_os, version ? kValues : kPrevious);
            platform::WriteAutostartEntry(entry.toStdString(), version ? "/a b/\"D\" 100% $HOME/dimoro" : "/d");
            return QByteArrayList {ReadAll(ini()), ReadAll(entry)};
        };
        QElapsedTimer took;
        took.start();
        const QByteArrayList versions = save(0) + save(1);
        // Kills spread over about two saves, however long the disk takes to flush one.
        const auto span = static_cast<quint32>(std::max<qint64>(5000, took.nsecsElapsed() / 1000));
        QSet<QByteArray> seen;
        bool caught = false; // a temporary file left beside them: a kill in the middle of a save
        // At least 200 kills, then on until one has landed mid-save (a busy machine may take many more); the bound
        // only ends a run where none ever could.
        for (int kill = 0; kill < 200 || (!caught && kill < 20000); ++kill) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            for (int version = kill % 2; child == 0; version = 1 - version)
                save(version);
            usleep(QRandomGenerator::global()->bounded(span));
            ::kill(child, SIGKILL);
            QCOMPARE(waitpid(child, nullptr, 0), child);
            seen += QSet<QByteArray> {ReadAll(ini()), ReadAll(entry)};
            caught = caught || QDir(m_dir->path()).entryList(QDir::Files).size() > 2;
        }
        // Every state found was a whole version, and every version was found.
        QCOMPARE(seen, QSet<QByteArray>(versions.cbegin(), versions.cend()));
        QVERIFY2(caught, "no kill came in the middle of a save");
    }

    void lineRule_data()
    {
        // texts: the entries set, from 0; the rest keep "old"
        support::Columns<QByteArray, QByteArrayList>("bytes", "texts");
        Row("any three characters, blanks kept", QByteArray("a:\t Exit \r\n"), QByteArrayList {" Exit "});
        Row("three or fewer characters: empty", QByteArray("\r\nab\r\n01 \r\n03 D"), QByteArrayList {"", "", "", "D"});
        Row("CR, LF, CR CR LF", QByteArray("00 A\r01 B\n02 C\r\r\n04 E"), QByteArrayList {"A", "B", "C", "", "E"});
        Row("bytes unchanged", QByteArray("00 Espa\xF1ol \x80\"&\r\n"), QByteArrayList {"Espa\xF1ol \x80\"&"});
        Row("60 lines fill 51 entries", QByteArray("ab x\r\n").repeated(60), QByteArrayList(51, "x"));
    }

    void lineRule()
    {
        const auto [bytes, texts] = support::Fetch<QByteArray, QByteArrayList>("bytes", "texts");
        settings::LanguageTexts table;
        table.fill("old");
        QCOMPARE(settings::ParseLanguageLines(bytes.toStdString(), table), texts.size());
        for (int k = 0; k < settings::kLanguageEntries; ++k)
            QCOMPARE(QByteArray::fromStdString(table[k]), texts.value(k, "old"));
    }

    void fileForUser()
    {
        QStringList files;
        for (const char* locale : {"it", "fr", "es", "DE", "ita", "pt", "i", ""}) {
            m_os.locale = locale;
            files << QString::fromStdString(settings::LanguageFileForUser(m_os)).chopped(4);
        }
        QCOMPARE(files.join(' '), QStringLiteral("Italiano French Español Deutsch Italiano English English English"));
    }

    void loadForStart_data()
    {
        // first: text 0 afterwards
        support::Columns<QString, QString>("name", "first");
        Row("named file", "Deutsch.lng", "Deutsch");
        Row("missing: English", "Klingon.lng", "English");
        Row("UTF-8 name, Windows-1252 texts", "Español €Ÿ.lng", "Español €Ÿ");
        Row("no English either: none", "Klingon.lng", "");
    }

    void loadForStart()
    {
        const auto [name, first] = support::Fetch<QString, QString>("name", "first");
        QVERIFY(QDir(m_dir->path()).mkpath("Lang"));
        for (const QString file : {"Deutsch", "Español €Ÿ", "English"}) {
            QByteArray text
                = QByteArray::fromStdString("00 " + platform::Utf8ToWindows1252(file.toStdString()) + "\r\n");
            // Only English has the texts added later; the others get them from it.
            if (file == "English")
                text += QByteArray("xx\r\n").repeated(29) + "30 Show\r\n";
            QVERIFY(support::WriteFile(m_dir->filePath("Lang/" + file + ".lng"), text));
        }
        if (first.isEmpty()) // the row where nothing can be read
            m_os.folder += "/elsewhere";
        settings::LanguageTable table;
        table.loadForStart(m_os, name.toStdString());
        QCOMPARE(QString::fromStdString(table.text(TextId::AlreadyRunning)), first);
        QCOMPARE(table.text(TextId::ShowProgress), first.isEmpty() ? "" : "Show");
    }

    // Every file that ships: Windows-1252 lines ended by CR LF, every text, and the help page that text 2 names
    // beside the executable.
    void shippedFiles()
    {
        const QStringList names = QDir(DIMORO_RUN_DIR "/Lang").entryList({"*.lng"}, QDir::Files);
        QVERIFY(names.size() >= 5);
        m_os.folder = DIMORO_RUN_DIR;
        for (const QString& name : names) {
            const QByteArray what = name.toUtf8();
            QByteArray bytes = ReadAll(DIMORO_RUN_DIR "/Lang/" + name);
            QVERIFY2(bytes.count("\r\n") > settings::kLastEntry && bytes.endsWith("\r\n"), what);
            // No control character but in CR LF, and none of the bytes that Windows-1252 leaves undefined.
            for (const char c : bytes.replace("\r\n", ""))
                QVERIFY2(uchar(c) >= 0x20 && !QByteArray("\x81\x8D\x8F\x90\x9D").contains(c), what);
            settings::LanguageTable table;
            QVERIFY2(table.loadFrom(m_os, name.toStdString()), what);
            for (int k = 0; k <= settings::kLastEntry; ++k)
                QVERIFY2(k == 4 || !table.text(static_cast<TextId>(k)).empty(), what + QByteArray::number(k));
            QVERIFY2(table.text(TextId::About).ends_with("..."), what);
            QVERIFY2(QDir(DIMORO_RUN_DIR).exists(QString::fromStdString(table.text(TextId::HelpPage)) + ".html"), what);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
