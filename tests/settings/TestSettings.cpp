#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using settings::SettingsRecord;

Q_DECLARE_METATYPE(SettingsRecord)

namespace {

SettingsRecord Record(int tolerance, int dwell, int run, const char* language, int beep, int middle)
{
    SettingsRecord record;
    record.tolerance = static_cast<std::int16_t>(tolerance);
    record.dwellTenths = static_cast<std::int16_t>(dwell);
    record.runAtStartup = static_cast<std::int16_t>(run);
    record.languageFile = language;
    record.beep = static_cast<std::int16_t>(beep);
    record.middleClick = static_cast<std::int16_t>(middle);
    return record;
}

// What a reading starts from in the parse tests: values no file row gives, so that a field the file
// does not give is told apart from one read as 0 or empty.
const SettingsRecord kPrevious = Record(11, 12, 13, "Previous.lng", 14, 15);

QByteArray Bytes(const std::string& text) { return QByteArray::fromStdString(text); }

void CompareRecords(const SettingsRecord& actual, const SettingsRecord& expected)
{
    QCOMPARE(actual.tolerance, expected.tolerance);
    QCOMPARE(actual.dwellTenths, expected.dwellTenths);
    QCOMPARE(actual.runAtStartup, expected.runAtStartup);
    QCOMPARE(Bytes(actual.languageFile), Bytes(expected.languageFile));
    QCOMPARE(actual.beep, expected.beep);
    QCOMPARE(actual.middleClick, expected.middleClick);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Permissions do not stop root. Where the tests run as root, rows about unreadable or unwritable files
// switch the effective user to "nobody" for their span; the real user stays root, so it can switch back.
class Unprivileged
{
public:
    Unprivileged()
    {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            m_switched = seteuid(65534) == 0;
#endif
    }
    ~Unprivileged()
    {
#ifdef Q_OS_UNIX
        if (m_switched) {
            [[maybe_unused]] const int restored = seteuid(0);
        }
#endif
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    // Whether a file or folder without write permission now really refuses writing.
    static bool permissionsApply()
    {
#ifdef Q_OS_UNIX
        return geteuid() != 0;
#else
        return false;
#endif
    }

private:
    bool m_switched = false;
};

const QFileDevice::Permissions kReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
const QFileDevice::Permissions kReadOnlyFolder
    = kReadOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
const QFileDevice::Permissions kOpenFolder = kReadOnlyFolder | QFileDevice::WriteOwner;

// A named pipe blocks whoever opens it until the other end is opened: the program must never open one.
bool MakeFifo(const QString& path)
{
#ifdef Q_OS_UNIX
    // Writable by everyone, so that no permission check stands in for the program's own.
    return mkfifo(QFile::encodeName(path).constData(), 0666) == 0
        && chmod(QFile::encodeName(path).constData(), 0666) == 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void format_data();
    void format();
    void parse_data();
    void parse();
    void roundTrip_data();
    void roundTrip();
    void readBackAfterSave();
    void settingsPath();
    void load_data();
    void load();
    void save_data();
    void save();
    void failedSave_data();
    void failedSave();

private:
    QString filePath() const { return m_dir->path() + "/Dimoro.ini"; }
    QStringList folderEntries() const
    {
        return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    platform::FakePlatform m_fake;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::init()
{
    platform::Install(&m_fake);
    settings::Settings = SettingsRecord();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Reachable by the unprivileged user of the permission rows.
    QVERIFY(QFile::setPermissions(m_dir->path(), kOpenFolder));
    m_fake.folder = m_dir->path().toStdString();
}

void TestSettings::cleanup()
{
    // Read-only leftovers of a failed row must not keep the folder from being removed.
    const QString folder = m_dir->path();
    QFile::setPermissions(folder, kOpenFolder);
    QFile::setPermissions(folder + "/Dimoro.ini", kOpenFolder);
    m_dir.reset();
    platform::Install(nullptr);
}

void TestSettings::format_data()
{
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("German, logon, middle click")
        << Record(3, 8, 1, "Deutsch.lng", 0, 1) << QByteArray("3\r\n8\r\n1\r\nDeutsch.lng\r\n0\r\n1\r\n");
    QTest::newRow("Italian with beep") << Record(2, 5, 0, "Italiano.lng", 1, 0)
                                       << QByteArray("2\r\n5\r\n0\r\nItaliano.lng\r\n1\r\n0\r\n");
    QTest::newRow("all zero, no language") << Record(0, 0, 0, "", 0, 0) << QByteArray("0\r\n0\r\n0\r\n\r\n0\r\n0\r\n");
    QTest::newRow("negative and extreme numbers")
        << Record(-1, -32768, 32767, "x", -20, 10) << QByteArray("-1\r\n-32768\r\n32767\r\nx\r\n-20\r\n10\r\n");
    QTest::newRow("Spanish name in the code page")
        << Record(2, 5, 0, "Español.lng", 0, 0) << QByteArray("2\r\n5\r\n0\r\nEspa\xF1ol.lng\r\n0\r\n0\r\n");
    QTest::newRow("euro sign") << Record(1, 2, 0, "€.lng", 0, 0) << QByteArray("1\r\n2\r\n0\r\n\x80.lng\r\n0\r\n0\r\n");
    QTest::newRow("character outside the code page")
        << Record(1, 2, 0, "Ελληνικά.lng", 0, 0) << QByteArray("1\r\n2\r\n0\r\n????????.lng\r\n0\r\n0\r\n");
    QTest::newRow("line ends in the name keep six lines")
        << Record(1, 2, 0, "a\r\nb\n.lng", 1, 1) << QByteArray("1\r\n2\r\n0\r\na??b?.lng\r\n1\r\n1\r\n");
    QTest::newRow("blank and comma written as held")
        << Record(1, 2, 0, " My, Language.lng ", 1, 1) << QByteArray("1\r\n2\r\n0\r\n My, Language.lng \r\n1\r\n1\r\n");
}

void TestSettings::format()
{
    QFETCH(SettingsRecord, record);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Bytes(settings::FormatSettings(record)), bytes);
}

void TestSettings::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SettingsRecord>("expected");

    // Files as written.
    QTest::newRow("written file") << QByteArray("3\r\n8\r\n1\r\nDeutsch.lng\r\n0\r\n1\r\n")
                                  << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("name in the code page")
        << QByteArray("2\r\n5\r\n0\r\nEspa\xF1ol.lng\r\n1\r\n0\r\n") << Record(2, 5, 0, "Español.lng", 1, 0);
    QTest::newRow("negative numbers") << QByteArray("-1\r\n-32768\r\n-7\r\nx\r\n-2\r\n-3\r\n")
                                      << Record(-1, -32768, -7, "x", -2, -3);
    QTest::newRow("values beyond the dialog's range")
        << QByteArray("25\r\n99\r\n2\r\nx\r\n32767\r\n9\r\n") << Record(25, 99, 2, "x", 32767, 9);
    QTest::newRow("empty name line") << QByteArray("2\r\n5\r\n0\r\n\r\n1\r\n1\r\n") << Record(2, 5, 0, "", 1, 1);

    // The field rules.
    QTest::newRow("blanks before numbers")
        << QByteArray("  3\r\n\t8\r\n \t1\r\nx\r\n 0\r\n   1\r\n") << Record(3, 8, 1, "x", 0, 1);
    QTest::newRow("leading blank before name dropped")
        << QByteArray("3\r\n8\r\n1\r\n  \tDeutsch.lng\r\n0\r\n1\r\n") << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("trailing blanks after name dropped")
        << QByteArray("3\r\n8\r\n1\r\nDeutsch.lng \t \r\n0\r\n1\r\n") << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("blank inside name kept")
        << QByteArray("3\r\n8\r\n1\r\nMy Language.lng\r\n0\r\n1\r\n") << Record(3, 8, 1, "My Language.lng", 0, 1);
    QTest::newRow("comma cuts the name, rest is the next field")
        << QByteArray("3\r\n8\r\n1\r\nDeutsch,5.lng\r\n1\r\n1\r\n") << Record(3, 8, 1, "Deutsch", 0, 1);
    QTest::newRow("comma after a number starts the next field")
        << QByteArray("3,8\r\n1\r\nx\r\n0\r\n1\r\n") << Record(3, 8, 1, "x", 0, 1);
    QTest::newRow("all fields on one line")
        << QByteArray("3, 8 ,1,Deutsch.lng,0,1") << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("number ends at a blank, rest of field ignored")
        << QByteArray("3 9\r\n8 x,1\r\nx\r\n0\r\n1\r\n") << Record(3, 8, 1, "x", 0, 1);
    QTest::newRow("quoted name") << QByteArray("3\r\n8\r\n1\r\n\"Deutsch.lng\"\r\n0\r\n1\r\n")
                                 << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("quoted name keeps blanks and commas")
        << QByteArray("3\r\n8\r\n1\r\n \" a, b \"\r\n0\r\n1\r\n") << Record(3, 8, 1, " a, b ", 0, 1);
    QTest::newRow("text after closing quote ignored")
        << QByteArray("3\r\n8\r\n1\r\n\"Deutsch\".lng\r\n0\r\n1\r\n") << Record(3, 8, 1, "Deutsch", 0, 1);
    QTest::newRow("unclosed quote ends at the line end")
        << QByteArray("3\r\n8\r\n1\r\n\"Deutsch.lng\r\n0\r\n1\r\n") << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("quoted numbers") << QByteArray("\"3\"\r\n\"8\"\r\n1\r\nx\r\n0\r\n1\r\n")
                                    << Record(3, 8, 1, "x", 0, 1);
    QTest::newRow("plus sign and leading zeros")
        << QByteArray("+3\r\n008\r\n-0\r\nx\r\n0\r\n1\r\n") << Record(3, 8, 0, "x", 0, 1);

    // Line ends.
    QTest::newRow("LF line ends") << QByteArray("3\n8\n1\nDeutsch.lng\n0\n1\n") << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("CR line ends") << QByteArray("3\r8\r1\rDeutsch.lng\r0\r1\r") << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("mixed line ends") << QByteArray("3\n8\r1\r\nDeutsch.lng\n0\r1")
                                     << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("no final line end") << QByteArray("3\r\n8\r\n1\r\nDeutsch.lng\r\n0\r\n1")
                                       << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("lines past the sixth ignored")
        << QByteArray("3\r\n8\r\n1\r\nx\r\n0\r\n1\r\n7\r\n7\r\n") << Record(3, 8, 1, "x", 0, 1);
    QTest::newRow("empty line is an empty field")
        << QByteArray("\r\n8\r\n1\r\nx\r\n0\r\n1\r\n") << Record(0, 8, 1, "x", 0, 1);
    QTest::newRow("blank-only line is an empty field")
        << QByteArray("3\r\n   \r\n1\r\n \t \r\n1\r\n1\r\n") << Record(3, 0, 1, "", 1, 1);

    // Short files: what the file does not give keeps its value.
    QTest::newRow("empty file") << QByteArray() << kPrevious;
    QTest::newRow("one number") << QByteArray("3\r\n") << Record(3, 12, 13, "Previous.lng", 14, 15);
    QTest::newRow("two numbers, no final line end") << QByteArray("3\r\n8") << Record(3, 8, 13, "Previous.lng", 14, 15);
    QTest::newRow("three lines, no name") << QByteArray("3\r\n8\r\n1\r\n") << Record(3, 8, 1, "Previous.lng", 14, 15);
    QTest::newRow("four lines") << QByteArray("3\r\n8\r\n1\r\nx\r\n") << Record(3, 8, 1, "x", 14, 15);
    QTest::newRow("five lines") << QByteArray("3\r\n8\r\n1\r\nx\r\n1\r\n") << Record(3, 8, 1, "x", 1, 15);
    QTest::newRow("name cut short by end of file")
        << QByteArray("3\r\n8\r\n1\r\nDeu") << Record(3, 8, 1, "Deu", 14, 15);
    QTest::newRow("trailing comma gives no field") << QByteArray("3,") << Record(3, 12, 13, "Previous.lng", 14, 15);

    // Damaged numbers read as 0.
    QTest::newRow("words") << QByteArray("abc\r\nfive\r\n1\r\nx\r\n0\r\n1\r\n") << Record(0, 0, 1, "x", 0, 1);
    QTest::newRow("digits then letters") << QByteArray("12abc\r\n8\r\n1\r\nx\r\n0\r\n1\r\n")
                                         << Record(0, 8, 1, "x", 0, 1);
    QTest::newRow("decimal point") << QByteArray("3\r\n5.5\r\n1\r\nx\r\n0\r\n1\r\n") << Record(3, 0, 1, "x", 0, 1);
    QTest::newRow("sign alone") << QByteArray("-\r\n+\r\n1\r\nx\r\n0\r\n1\r\n") << Record(0, 0, 1, "x", 0, 1);
    QTest::newRow("double sign") << QByteArray("--3\r\n+-8\r\n1\r\nx\r\n0\r\n1\r\n") << Record(0, 0, 1, "x", 0, 1);
    QTest::newRow("16-bit limits") << QByteArray("32767\r\n-32768\r\n1\r\nx\r\n0\r\n1\r\n")
                                   << Record(32767, -32768, 1, "x", 0, 1);
    QTest::newRow("just past 16-bit limits")
        << QByteArray("32768\r\n-32769\r\n1\r\nx\r\n65536\r\n1\r\n") << Record(0, 0, 1, "x", 0, 1);
    QTest::newRow("far past 16 bits") << QByteArray("99999999999999999999999\r\n-4294967301\r\n1\r\nx\r\n0\r\n1\r\n")
                                      << Record(0, 0, 1, "x", 0, 1);
    QTest::newRow("2^32 + 5 does not wrap")
        << QByteArray("4294967301\r\n8\r\n1\r\nx\r\n0\r\n1\r\n") << Record(0, 8, 1, "x", 0, 1);

    // NUL bytes, as left by a crash on some file systems.
    QTest::newRow("file of NUL bytes") << QByteArray(512, '\0') << Record(0, 12, 13, "Previous.lng", 14, 15);
    QTest::newRow("NUL after a number") << QByteArray("3") + '\0' + "\r\n8\r\n1\r\nx\r\n0\r\n1\r\n"
                                        << Record(0, 8, 1, "x", 0, 1);
    QTest::newRow("NUL in the name cuts it") << QByteArray("3\r\n8\r\n1\r\nDeu") + '\0' + "tsch.lng\r\n0\r\n1\r\n"
                                             << Record(3, 8, 1, "Deu", 0, 1);
    QTest::newRow("undefined code-page byte kept")
        << QByteArray("3\r\n8\r\n1\r\n\x81.lng\r\n0\r\n1\r\n") << Record(3, 8, 1, "\xC2\x81.lng", 0, 1);
}

void TestSettings::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(SettingsRecord, expected);
    SettingsRecord record = kPrevious;
    settings::ParseSettings(bytes.toStdString(), record);
    CompareRecords(record, expected);
}

void TestSettings::roundTrip_data()
{
    QTest::addColumn<SettingsRecord>("record");
    QTest::newRow("German") << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    QTest::newRow("zeros and no name") << Record(0, 0, 0, "", 0, 0);
    QTest::newRow("extremes") << Record(-32768, 32767, -1, "x", 32767, -32768);
    QTest::newRow("Spanish") << Record(2, 5, 0, "Español.lng", 1, 0);
    QTest::newRow("all code-page specials") << Record(1, 2, 0, "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ.lng", 1, 1);
    QTest::newRow("blanks and quote inside the name") << Record(1, 2, 0, "My \"Lang\" .lng", 1, 1);
}

void TestSettings::roundTrip()
{
    QFETCH(SettingsRecord, record);
    SettingsRecord readBack = kPrevious;
    settings::ParseSettings(settings::FormatSettings(record), readBack);
    CompareRecords(readBack, record);
}

// Whatever a file held, the values read from it are saved so that they read back the same, as long as
// the name holds no comma and has no blank at either end (the unquoted format cannot carry those).
void TestSettings::readBackAfterSave()
{
    const char alphabet[] = {'0', '1', '9', '-', '+', ',', '"', ' ', '\t', '\r', '\n', '\0', 'a', '\x80', '\xF1'};
    QRandomGenerator random(20240611);
    int checked = 0;
    for (int round = 0; round < 5000; ++round) {
        std::string bytes(random.bounded(40), '\0');
        for (char& c : bytes)
            c = alphabet[random.bounded(static_cast<int>(sizeof alphabet))];
        SettingsRecord first;
        settings::ParseSettings(bytes, first);
        const std::string& name = first.languageFile;
        if (name.find(',') != std::string::npos || (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            || (!name.empty() && (name.back() == ' ' || name.back() == '\t')))
            continue;
        SettingsRecord second = Record(-9, -9, -9, "?", -9, -9);
        settings::ParseSettings(settings::FormatSettings(first), second);
        CompareRecords(second, first);
        if (QTest::currentTestFailed()) {
            qWarning() << "file bytes:" << Bytes(bytes);
            return;
        }
        ++checked;
    }
    QVERIFY(checked > 1000);
}

void TestSettings::settingsPath()
{
    m_fake.folder = "/opt/Dimoro Free";
    QCOMPARE(Bytes(settings::SettingsPath()), QByteArray("/opt/Dimoro Free/Dimoro.ini"));
}

enum class FileState { Missing, Folder, Fifo, Written, Unreadable, BlanksPastReadLimit, SixFieldsThenMegabytes };
Q_DECLARE_METATYPE(FileState)

void TestSettings::load_data()
{
    QTest::addColumn<FileState>("state");
    QTest::addColumn<SettingsRecord>("expected");
    const SettingsRecord startUp = Record(0, 0, 0, "", 0, 0);
    QTest::newRow("missing file") << FileState::Missing << startUp;
    QTest::newRow("folder in its place") << FileState::Folder << startUp;
    QTest::newRow("unreadable file") << FileState::Unreadable << startUp;
    QTest::newRow("named pipe in its place") << FileState::Fifo << startUp;
    QTest::newRow("written file") << FileState::Written << Record(3, 8, 1, "Español.lng", 0, 1);
    QTest::newRow("six fields then megabytes")
        << FileState::SixFieldsThenMegabytes << Record(3, 8, 1, "Deutsch.lng", 0, 1);
    // Only the start of a file is read: a first field beyond it is an empty one.
    QTest::newRow("first number past the read limit") << FileState::BlanksPastReadLimit << startUp;
}

void TestSettings::load()
{
    QFETCH(FileState, state);
    QFETCH(SettingsRecord, expected);
    switch (state) {
    case FileState::Missing:
        break;
    case FileState::Folder:
        QVERIFY(QDir(m_dir->path()).mkdir("Dimoro.ini"));
        break;
    case FileState::Fifo:
        if (!MakeFifo(filePath()))
            QSKIP("no named pipes here");
        break;
    case FileState::Written:
        QVERIFY(WriteAll(filePath(), "3\r\n8\r\n1\r\nEspa\xF1ol.lng\r\n0\r\n1\r\n"));
        break;
    case FileState::Unreadable:
        QVERIFY(WriteAll(filePath(), "3\r\n8\r\n1\r\nx\r\n0\r\n1\r\n"));
        QVERIFY(QFile::setPermissions(filePath(), QFileDevice::WriteOwner));
        break;
    case FileState::BlanksPastReadLimit:
        QVERIFY(WriteAll(filePath(), QByteArray(70 * 1024, ' ') + "3\r\n8\r\n1\r\nx\r\n0\r\n1\r\n"));
        break;
    case FileState::SixFieldsThenMegabytes:
        QVERIFY(WriteAll(filePath(), "3\r\n8\r\n1\r\nDeutsch.lng\r\n0\r\n1\r\n" + QByteArray(8 << 20, '9')));
        break;
    }
    Unprivileged unprivileged;
    if (state == FileState::Unreadable && !Unprivileged::permissionsApply())
        QSKIP("file permissions are not enforced for this user");
    settings::LoadSettings();
    CompareRecords(settings::Settings, expected);
}

void TestSettings::save_data()
{
    QTest::addColumn<QByteArray>("oldBytes"); // empty: no file before
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("new file") << QByteArray() << Record(3, 8, 1, "Deutsch.lng", 0, 1)
                              << QByteArray("3\r\n8\r\n1\r\nDeutsch.lng\r\n0\r\n1\r\n");
    QTest::newRow("replaces a longer file")
        << QByteArray("10\r\n20\r\n1\r\nA very long language name.lng\r\n1\r\n1\r\nand more\r\n")
        << Record(2, 5, 0, "Español.lng", 1, 0) << QByteArray("2\r\n5\r\n0\r\nEspa\xF1ol.lng\r\n1\r\n0\r\n");
    QTest::newRow("replaces a damaged file")
        << QByteArray(300, '\0') << Record(-1, 0, 0, "", 0, 0) << QByteArray("-1\r\n0\r\n0\r\n\r\n0\r\n0\r\n");
}

void TestSettings::save()
{
    QFETCH(QByteArray, oldBytes);
    QFETCH(SettingsRecord, record);
    QFETCH(QByteArray, bytes);
    if (!oldBytes.isEmpty())
        QVERIFY(WriteAll(filePath(), oldBytes));
    settings::Settings = record;
    QVERIFY(settings::SaveSettings());
    QCOMPARE(ReadAll(filePath()), bytes);
    QCOMPARE(folderEntries(), QStringList {"Dimoro.ini"});

    settings::Settings = Record(-9, -9, -9, "?", -9, -9);
    settings::LoadSettings();
    CompareRecords(settings::Settings, record);
}

enum class Obstacle { FolderNamedLikeFile, Fifo, ReadOnlyFolder, ReadOnlyFile, MissingFolder };
Q_DECLARE_METATYPE(Obstacle)

void TestSettings::failedSave_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::newRow("Dimoro.ini is a folder") << Obstacle::FolderNamedLikeFile;
    QTest::newRow("named pipe in its place") << Obstacle::Fifo;
    QTest::newRow("read-only folder") << Obstacle::ReadOnlyFolder;
    QTest::newRow("read-only file") << Obstacle::ReadOnlyFile;
    QTest::newRow("missing folder") << Obstacle::MissingFolder;
}

// A save that cannot be done leaves the folder exactly as it was and the running values as they are.
void TestSettings::failedSave()
{
    QFETCH(Obstacle, obstacle);
    const QByteArray oldBytes("1\r\n2\r\n0\r\nItaliano.lng\r\n1\r\n0\r\n");
    switch (obstacle) {
    case Obstacle::FolderNamedLikeFile:
        QVERIFY(QDir(m_dir->path()).mkdir("Dimoro.ini"));
        QVERIFY(WriteAll(filePath() + "/inside", oldBytes));
        break;
    case Obstacle::Fifo:
        if (!MakeFifo(filePath()))
            QSKIP("no named pipes here");
        break;
    case Obstacle::ReadOnlyFolder:
        QVERIFY(WriteAll(filePath(), oldBytes));
        QVERIFY(QFile::setPermissions(m_dir->path(), kReadOnlyFolder));
        break;
    case Obstacle::ReadOnlyFile:
        QVERIFY(WriteAll(filePath(), oldBytes));
        QVERIFY(QFile::setPermissions(filePath(), kReadOnly));
        // Only the file, not the folder, refuses the unprivileged user.
        QVERIFY(QFile::setPermissions(m_dir->path(), kOpenFolder | QFileDevice::WriteGroup | QFileDevice::WriteOther));
        break;
    case Obstacle::MissingFolder:
        m_fake.folder = (m_dir->path() + "/absent").toStdString();
        break;
    }
    const QStringList entriesBefore = folderEntries();
    const SettingsRecord values = Record(3, 8, 1, "Deutsch.lng", 0, 1);
    settings::Settings = values;
    bool saved = false;
    {
        Unprivileged unprivileged;
        const bool needsPermissions = obstacle == Obstacle::ReadOnlyFolder || obstacle == Obstacle::ReadOnlyFile;
        if (needsPermissions && !Unprivileged::permissionsApply())
            QSKIP("file permissions are not enforced for this user");
        saved = settings::SaveSettings();
    }
    QVERIFY(!saved);
    QCOMPARE(folderEntries(), entriesBefore);
    if (obstacle == Obstacle::FolderNamedLikeFile)
        QCOMPARE(ReadAll(filePath() + "/inside"), oldBytes);
    else if (obstacle == Obstacle::Fifo)
        QVERIFY(QFileInfo(filePath()).isFile() == false && QFileInfo::exists(filePath()));
    else if (obstacle != Obstacle::MissingFolder)
        QCOMPARE(ReadAll(filePath()), oldBytes);
    CompareRecords(settings::Settings, values);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
