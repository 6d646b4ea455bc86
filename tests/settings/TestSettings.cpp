#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
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

using R = SettingsRecord;

// Values no row gives, so that a field left alone is told apart from one read as 0 or empty.
const SettingsRecord kPrevious = R {11, 12, 13, "Previous.lng", 14, 15};

QByteArray Show(const SettingsRecord& r)
{
    return QByteArray::number(r.tolerance) + '|' + QByteArray::number(r.dwellTenths) + '|'
        + QByteArray::number(r.runAtStartup) + '|' + QByteArray::fromStdString(r.languageFile) + '|'
        + QByteArray::number(r.beep) + '|' + QByteArray::number(r.middleClick);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Permissions do not stop root: for its span, switch the effective user to "nobody" (the real user stays root).
struct Unprivileged
{
#ifdef Q_OS_UNIX
    bool switched = geteuid() == 0 && seteuid(65534) == 0;
    bool enforced = geteuid() != 0; // whether permissions now refuse this user
    ~Unprivileged()
    {
        if (switched) {
            [[maybe_unused]] const int restored = seteuid(0);
        }
    }
#else
    bool enforced = false;
#endif
};

using P = QFileDevice;
const P::Permissions kReadOnly = P::ReadOwner | P::ReadGroup | P::ReadOther;
const P::Permissions kReadOnlyFolder = kReadOnly | P::ExeOwner | P::ExeGroup | P::ExeOther;
const P::Permissions kWritableByAll = kReadOnlyFolder | P::WriteOwner | P::WriteGroup | P::WriteOther;

// What stands where Dimoro.ini belongs. Only the permission cases refuse the unprivileged user.
enum class Place {
    Missing,
    File,
    Folder,
    Fifo,
    Unreadable,
    ReadOnlyFile,
    ReadOnlyFolder,
    MissingFolder,
    LeftTemporaries, // a file, and temporaries of saves killed before their rename
};

} // namespace

Q_DECLARE_METATYPE(Place)

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void written_data();
    void written();
    void parse_data();
    void parse();
    void load_data();
    void load();
    void save_data();
    void save();

private:
    QString filePath() const { return m_dir->path() + "/Dimoro.ini"; }
    QStringList entries() const
    {
        return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    bool prepare(Place place, const QByteArray& oldBytes);

    platform::FakePlatform m_fake;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::init()
{
    platform::Install(&m_fake);
    settings::Settings = kPrevious;
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QFile::setPermissions(m_dir->path(), kWritableByAll));
    m_fake.folder = m_dir->path().toStdString();
}

void TestSettings::cleanup()
{
    QFile::setPermissions(m_dir->path(), kWritableByAll);
    m_dir.reset();
    platform::Install(nullptr);
}

bool TestSettings::prepare(Place place, const QByteArray& oldBytes)
{
    const QString path = filePath();
    switch (place) {
    case Place::Missing:
        return true;
    case Place::File:
        return WriteAll(path, oldBytes) && QFile::setPermissions(path, kWritableByAll);
    case Place::Folder:
        return QDir(m_dir->path()).mkdir("Dimoro.ini");
    case Place::Fifo:
#ifdef Q_OS_UNIX
        return mkfifo(QFile::encodeName(path).constData(), 0666) == 0 && QFile::setPermissions(path, kWritableByAll);
#else
        return false;
#endif
    case Place::Unreadable:
        return WriteAll(path, oldBytes) && QFile::setPermissions(path, P::WriteOwner);
    case Place::ReadOnlyFile:
        return WriteAll(path, oldBytes) && QFile::setPermissions(path, kReadOnly);
    case Place::ReadOnlyFolder:
        return WriteAll(path, oldBytes) && QFile::setPermissions(path, kWritableByAll)
            && QFile::setPermissions(m_dir->path(), kReadOnlyFolder);
    case Place::MissingFolder:
        m_fake.folder = (m_dir->path() + "/absent").toStdString();
        return true;
    case Place::LeftTemporaries:
        return WriteAll(path, oldBytes) && QFile::setPermissions(path, kWritableByAll)
            && WriteAll(path + ".tmp-12-1", "1\r\n") && WriteAll(path + ".tmp-99-7", "")
            && WriteAll(path + ".tmpx", "not ours") && WriteAll(m_dir->path() + "/notes.txt", "not ours");
    }
    return false;
}

// Records as they are written, and read back from those bytes where the format can carry them.
void TestSettings::written_data()
{
    QTest::addColumn<SettingsRecord>("record");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readsBack");
    QTest::newRow("plain") << R {3, 8, 1, "Deutsch.lng", 0, 1} << QByteArray("3\r\n8\r\n1\r\nDeutsch.lng\r\n0\r\n1\r\n")
                           << true;
    QTest::newRow("negative, 16-bit limits, no name")
        << R {-1, -32768, 32767, "", -20, 10} << QByteArray("-1\r\n-32768\r\n32767\r\n\r\n-20\r\n10\r\n") << true;
    QTest::newRow("name in the code page")
        << R {2, 5, 0, "Español €\xC2\x81.lng", 1, 0}
        << QByteArray("2\r\n5\r\n0\r\nEspa\xF1ol \x80\x81.lng\r\n1\r\n0\r\n") << true;
    QTest::newRow("outside the code page, line ends in the name")
        << R {1, 2, 0, "Ω\r\nb\n.lng", 1, 1} << QByteArray("1\r\n2\r\n0\r\n???b?.lng\r\n1\r\n1\r\n") << false;
}

void TestSettings::written()
{
    QFETCH(SettingsRecord, record);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readsBack);
    QCOMPARE(QByteArray::fromStdString(settings::FormatSettings(record)), bytes);
    if (readsBack) {
        SettingsRecord read = kPrevious;
        settings::ParseSettings(bytes.toStdString(), read);
        QCOMPARE(Show(read), Show(record));
    }
}

void TestSettings::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SettingsRecord>("expected");
    const SettingsRecord german = R {3, 8, 1, "Deutsch.lng", 0, 1};
    QTest::newRow("blanks around fields")
        << QByteArray(" 3\r\n\t8\r\n \t1\r\n \tMy Lang.lng \t\r\n 0\r\n1\r\n") << R {3, 8, 1, "My Lang.lng", 0, 1};
    QTest::newRow("commas, comma cuts the name")
        << QByteArray("3, 8 ,1,Deutsch,5.lng\r\n1") << R {3, 8, 1, "Deutsch", 0, 1};
    QTest::newRow("number ends at a blank") << QByteArray("3 9\r\n8 x,1\r\nx\r\n0\r\n1\r\n") << R {3, 8, 1, "x", 0, 1};
    QTest::newRow("quoted fields") << QByteArray("\"3\"\r\n8\r\n1\r\n \" a, b \"tail\r\n0\r\n1\r\n")
                                   << R {3, 8, 1, " a, b ", 0, 1};
    QTest::newRow("unclosed quote ends at the line end")
        << QByteArray("3\r\n8\r\n1\r\n\"Deutsch.lng\r\n0\r\n1\r\n") << german;
    QTest::newRow("signs, zeros, 16-bit limits")
        << QByteArray("+3\r\n-32768\r\n32767\r\nx\r\n-2\r\n008") << R {3, -32768, 32767, "x", -2, 8};
    QTest::newRow("past 16 bits reads 0")
        << QByteArray("32768\r\n-32769\r\n4294967301\r\nx\r\n99999999999999999999999\r\n65536")
        << R {0, 0, 0, "x", 0, 0};
    QTest::newRow("non-numbers read 0") << QByteArray("abc\r\n12abc\r\n5.5\r\nx\r\n-\r\n--3") << R {0, 0, 0, "x", 0, 0};
    QTest::newRow("blank line is an empty field")
        << QByteArray("\r\n   \r\n1\r\n \t \r\n1\r\n1\r\n") << R {0, 0, 1, "", 1, 1};
    QTest::newRow("LF, lines past the sixth") << QByteArray("3\n8\n1\nDeutsch.lng\n0\n1\n7\n7\n") << german;
    QTest::newRow("CR, no final line end") << QByteArray("3\r8\r1\rDeutsch.lng\r0\r1") << german;
    QTest::newRow("empty file") << QByteArray() << kPrevious;
    QTest::newRow("trailing comma") << QByteArray("3,") << R {3, 12, 13, "Previous.lng", 14, 15};
    QTest::newRow("name cut by the end") << QByteArray("3\r\n8\r\n1\r\nDeu") << R {3, 8, 1, "Deu", 14, 15};
    QTest::newRow("NUL bytes in fields") << QByteArray("3\0\r\n8\r\n1\r\nDeu\0tsch.lng\r\n0\r\n1\r\n", 30)
                                         << R {0, 8, 1, "Deu", 0, 1};
}

void TestSettings::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(SettingsRecord, expected);
    SettingsRecord record = kPrevious;
    settings::ParseSettings(bytes.toStdString(), record);
    QCOMPARE(Show(record), Show(expected));
}

void TestSettings::load_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SettingsRecord>("expected");
    const QByteArray file("3\r\n8\r\n1\r\nx\r\n0\r\n1\r\n");
    QTest::newRow("missing file") << Place::Missing << file << kPrevious;
    QTest::newRow("folder in its place") << Place::Folder << file << kPrevious;
    QTest::newRow("named pipe in its place") << Place::Fifo << file << kPrevious;
    QTest::newRow("unreadable file") << Place::Unreadable << file << kPrevious;
    QTest::newRow("first number past the read limit")
        << Place::File << QByteArray(qsizetype {70} * 1024, ' ') + file << R {0, 12, 13, "Previous.lng", 14, 15};
}

void TestSettings::load()
{
    QFETCH(Place, place);
    QFETCH(QByteArray, bytes);
    QFETCH(SettingsRecord, expected);
    if (!prepare(place, bytes))
        QSKIP("cannot set this up here");
    const Unprivileged unprivileged;
    if (place == Place::Unreadable && !unprivileged.enforced)
        QSKIP("file permissions are not enforced for this user");
    settings::LoadSettings();
    QCOMPARE(Show(settings::Settings), Show(expected));
}

void TestSettings::save_data()
{
    QTest::addColumn<Place>("place");
    QTest::newRow("new file") << Place::Missing;
    QTest::newRow("replaces a longer file") << Place::File;
    QTest::newRow("Dimoro.ini is a folder") << Place::Folder;
    QTest::newRow("named pipe in its place") << Place::Fifo;
    QTest::newRow("read-only folder") << Place::ReadOnlyFolder;
    QTest::newRow("read-only file") << Place::ReadOnlyFile;
    QTest::newRow("missing folder") << Place::MissingFolder;
    QTest::newRow("temporaries of killed saves") << Place::LeftTemporaries;
}

// A save writes the exact bytes and leaves nothing else behind; one that cannot be done leaves the folder as it was.
void TestSettings::save()
{
    QFETCH(Place, place);
    const QByteArray oldBytes("10\r\n20\r\n1\r\nA very long language name.lng\r\n1\r\n1\r\nand more\r\n");
    if (!prepare(place, oldBytes))
        QSKIP("cannot set this up here");
    const QStringList entriesBefore = entries();
    const SettingsRecord values = R {-2, 5, 0, "Español.lng", 1, 0};
    settings::Settings = values;
    bool saved = false;
    {
        const Unprivileged unprivileged;
        if ((place == Place::ReadOnlyFolder || place == Place::ReadOnlyFile) && !unprivileged.enforced)
            QSKIP("file permissions are not enforced for this user");
        saved = settings::SaveSettings();
    }
    QCOMPARE(Show(settings::Settings), Show(values));
    if (place == Place::Missing || place == Place::File || place == Place::LeftTemporaries) {
        QVERIFY(saved);
        QCOMPARE(ReadAll(filePath()), QByteArray("-2\r\n5\r\n0\r\nEspa\xF1ol.lng\r\n1\r\n0\r\n"));
        // Leftover temporaries go; files that only look alike stay.
        const QStringList kept = place == Place::LeftTemporaries
            ? QStringList {"Dimoro.ini", "Dimoro.ini.tmpx", "notes.txt"}
            : QStringList {"Dimoro.ini"};
        QCOMPARE(entries(), kept);
        settings::Settings = kPrevious;
        settings::LoadSettings();
        QCOMPARE(Show(settings::Settings), Show(values));
        return;
    }
    QVERIFY(!saved);
    QCOMPARE(entries(), entriesBefore);
    if (place == Place::ReadOnlyFolder || place == Place::ReadOnlyFile)
        QCOMPARE(ReadAll(filePath()), oldBytes);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
