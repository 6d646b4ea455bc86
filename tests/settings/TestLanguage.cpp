// Language detection, the language-file line rule, loading with its fallback, and the shipped files.
#include "platform/fake/FakePlatform.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "tests/TestRow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using settings::LanguageTable;
using support::Row;

namespace {

// Lines "00 text 0", "01 text 1"... each ended by CR LF.
QByteArray NumberedLines(int count)
{
    QByteArray out;
    for (int k = 0; k < count; ++k)
        out += QByteArray::number(k).rightJustified(2, '0') + " text " + QByteArray::number(k) + "\r\n";
    return out;
}

// Records every assignment ApplyLanguage makes, in order, as "<window> <id>=<text>".
struct Recorder : settings::TextTargets
{
    QStringList made;
    void add(const char* window, int id, const std::string& text)
    {
        made << QStringLiteral("%1 %2=%3").arg(window).arg(id).arg(QString::fromStdString(text));
    }
    void setToolbarTip(int index, const std::string& text) override { add("tip", index, text); }
    void setOptionsText(settings::OptionsText id, const std::string& text) override
    {
        add("options", static_cast<int>(id), text);
    }
    void setExitQuestionText(settings::ExitQuestionText id, const std::string& text) override
    {
        add("exit", static_cast<int>(id), text);
    }
};

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void detectLanguage_data();
    void detectLanguage();
    void lineRule_data();
    void lineRule();
    void load_data();
    void load();
    void espanolThroughSettingsFile();
    void applyOrderAndEndings_data();
    void applyOrderAndEndings();
    void shippedFiles_data();
    void shippedFiles();

private:
    void writeLanguage(const QString& name, const QByteArray& bytes);

    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestLanguage::init()
{
    m_os = platform::FakePlatform();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Lang")));
    m_os.folder = m_folder->path().toStdString();
    platform::Install(&m_os);
    settings::Settings = {};
    LanguageTable.fill("old");
}

void TestLanguage::writeLanguage(const QString& name, const QByteArray& bytes)
{
    QFile file(m_folder->filePath(QStringLiteral("Lang/") + name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestLanguage::detectLanguage_data()
{
    QTest::addColumn<QString>("locale"); // what the system gives; empty: the call fails
    QTest::addColumn<QString>("file");

    Row("Italian", "it", "Italiano.lng");
    Row("French", "fr", "French.lng");
    Row("Spanish", "es", "Español.lng");
    Row("German", "de", "Deutsch.lng");
    Row("Portuguese", "pt", "English.lng");
    Row("English", "en", "English.lng");
    Row("no locale", "", "English.lng");
    Row("upper case", "DE", "Deutsch.lng");
    Row("cut to two letters", "ita", "Italiano.lng");
    Row("one letter", "i", "English.lng");
}

void TestLanguage::detectLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, file);
    m_os.locale = locale.toStdString();
    settings::Settings.languageFile = "Previous.lng";
    settings::DetectLanguage();
    QCOMPARE(QString::fromStdString(settings::Settings.languageFile), file);
}

void TestLanguage::lineRule_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("texts"); // the entries set, from 0; the rest must keep "old"

    Row("prefix and word", QByteArray("00 Exit\r\n"), QByteArrayList {"Exit"});
    Row("blanks kept", QByteArray("00  Exit \r\n"), QByteArrayList {" Exit "});
    Row("any three characters", QByteArray("a:\tExit\r\n"), QByteArrayList {"Exit"});
    Row("two characters: empty", QByteArray("ab\r\n01 B\r\n"), QByteArrayList {"", "B"});
    Row("three characters: empty", QByteArray("00 \r\n01 B"), QByteArrayList {"", "B"});
    Row("empty line", QByteArray("\r\n01 B"), QByteArrayList {"", "B"});
    Row("lone CR ends a line", QByteArray("00 A\r01 B\r\n02 C"), QByteArrayList {"A", "B", "C"});
    Row("lone LF ends a line", QByteArray("00 A\n01 B\n"), QByteArrayList {"A", "B"});
    Row("CR CR LF: an empty line", QByteArray("00 A\r\r\n02 C"), QByteArrayList {"A", "", "C"});
    Row("last line without end", QByteArray("00 A\r\n01 B"), QByteArrayList {"A", "B"});
    Row("empty file", QByteArray(), QByteArrayList {});
    Row("bytes unchanged", QByteArray("00 Espa\xF1ol \x80\"&\r\n"), QByteArrayList {"Espa\xF1ol \x80\"&"});
    const auto numbered = [](int count) {
        QByteArrayList texts;
        for (int k = 0; k < count; ++k)
            texts << "text " + QByteArray::number(k);
        return texts;
    };
    Row("30 lines fill 0-29", NumberedLines(30), numbered(30));
    Row("60 lines fill 0-50", NumberedLines(60), numbered(51));
}

void TestLanguage::lineRule()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, texts);
    settings::LanguageTexts table;
    table.fill("old");
    QCOMPARE(settings::ParseLanguageLines(bytes.toStdString(), table), texts.size());
    while (texts.size() < settings::kLanguageEntries)
        texts << "old";
    QByteArrayList actual;
    for (const std::string& text : table)
        actual << QByteArray::fromStdString(text);
    QCOMPARE(actual, texts);
}

void TestLanguage::load_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QStringList>("present"); // files in the Lang folder; a name ending in '/' is a folder
    QTest::addColumn<QString>("entry0"); // "old": nothing was loaded

    Row("named file", "Deutsch.lng", QStringList {"Deutsch.lng", "English.lng"}, "Deutsch");
    Row("missing file: English", "Klingon.lng", QStringList {"English.lng"}, "English");
    Row("folder of that name: English", "Deutsch.lng", QStringList {"Deutsch.lng/", "English.lng"}, "English");
    Row("empty name: English", "", QStringList {"English.lng"}, "English");
    Row("nothing to read", "Deutsch.lng", QStringList {}, "old");
    Row("Windows-1252 decoded", "Cp.lng", QStringList {"Cp.lng"}, QStringLiteral("Cp è€ Ÿ"));
}

void TestLanguage::load()
{
    QFETCH(QString, setting);
    QFETCH(QStringList, present);
    QFETCH(QString, entry0);
    for (const QString& name : present) {
        if (name.endsWith('/'))
            QVERIFY(QDir(m_folder->filePath(QStringLiteral("Lang"))).mkdir(name.chopped(1)));
        else if (name == QStringLiteral("Cp.lng"))
            writeLanguage(name, "00 Cp \xE8\x80 \x9F\r\n");
        else
            writeLanguage(name, "00 " + name.chopped(4).toLatin1() + "\r\n01 second\r\n");
    }
    settings::Settings.languageFile = setting.toStdString();
    settings::LoadLanguageFile();
    QCOMPARE(QString::fromStdString(LanguageTable[0]), entry0);
    // Only the lines the file has are replaced, and the setting is never changed.
    QCOMPARE(QString::fromStdString(LanguageTable[2]), QStringLiteral("old"));
    QCOMPARE(QString::fromStdString(settings::Settings.languageFile), setting);
}

// The name is held in Windows-1252 in Dimoro.ini and must still open the file named in UTF-8 on disk.
void TestLanguage::espanolThroughSettingsFile()
{
    writeLanguage(QStringLiteral("Español.lng"), "00 Dimoro Free ya se est\xE1 ejecutando.\r\n");
    writeLanguage(QStringLiteral("English.lng"), "00 English\r\n");
    settings::Settings.languageFile = "Espa\xC3\xB1ol.lng";
    QVERIFY(settings::SaveSettings());
    QFile ini(QString::fromStdString(settings::SettingsPath()));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll().split('\n').value(3), QByteArray("Espa\xF1ol.lng\r"));

    settings::Settings = {};
    settings::LoadSettings();
    settings::LoadLanguageFile();
    QCOMPARE(QString::fromStdString(LanguageTable[0]), QStringLiteral("Dimoro Free ya se está ejecutando."));
}

void TestLanguage::applyOrderAndEndings_data()
{
    QTest::addColumn<bool>("filled");
    QTest::newRow("empty table: endings alone") << false;
    QTest::newRow("entry k is \"k\"") << true;
}

void TestLanguage::applyOrderAndEndings()
{
    QFETCH(bool, filled);
    for (int k = 0; k < settings::kLanguageEntries; ++k)
        LanguageTable[k] = filled ? std::to_string(k) : std::string();
    Recorder recorder;
    settings::AttachTextTargets(&recorder);
    settings::ApplyLanguage();
    settings::AttachTextTargets(nullptr);

    // (kind, target, entry, ending) in the order the windows receive them.
    const QStringList order = {"tip 0 12", "tip 1 22", "tip 2 9", "tip 3 8", "tip 4 10", "tip 5 6", "tip 6 7",
        "tip 7 13 ...", "tip 8 2", "options 0 13", "options 1 14 _(0 - 10)", "options 2 15 _(2 - 20)", "options 3 16",
        "options 4 17", "options 5 18", "options 6 23", "options 7 24", "options 8 25", "options 9 11", "options 10 5",
        "options 11 3", "exit 0 12", "exit 1 19", "exit 2 20", "exit 3 21"};
    QStringList expected;
    for (const QString& line : order) {
        const QStringList part = line.split(' ');
        const QString ending = part.size() > 3 ? part.mid(3).join(' ').replace('_', ' ') : QString();
        expected << part[0] + ' ' + part[1] + '=' + (filled ? part[2] : QString()) + ending;
    }
    QCOMPARE(recorder.made, expected);
}

void TestLanguage::shippedFiles_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"Italiano", "French", "Español", "Deutsch", "English"})
        QTest::newRow(name) << QString::fromUtf8(name) + QStringLiteral(".lng");
}

// What ships beside the executable: Windows-1252 with CR LF, texts 0 to 27, and the help page text 2 names.
void TestLanguage::shippedFiles()
{
    QFETCH(QString, name);
    const QDir run(QStringLiteral(DIMORO_RUN_DIR));
    QFile file(run.filePath(QStringLiteral("Lang/") + name));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    // No bytes Windows-1252 leaves undefined, and no control characters but CR LF pairs.
    const QByteArray body = QByteArray(bytes).replace("\r\n", "");
    for (const char c : body) {
        const auto byte = static_cast<unsigned char>(c);
        QVERIFY2(byte >= 0x20 && !QByteArray("\x81\x8D\x8F\x90\x9D").contains(c), qPrintable(QString::number(byte)));
    }

    m_os.folder = run.path().toStdString();
    settings::Settings.languageFile = name.toStdString();
    LanguageTable.fill({});
    QVERIFY(settings::LoadLanguageFrom(settings::Settings.languageFile));
    for (int k = 0; k <= 27; ++k)
        QVERIFY2(k == 4 || !LanguageTable[k].empty(), qPrintable(QStringLiteral("entry %1 is empty").arg(k)));
    QVERIFY(LanguageTable[11].ends_with("..."));
    QVERIFY2(QFile::exists(run.filePath(QString::fromStdString(LanguageTable[2]) + QStringLiteral(".html"))),
        LanguageTable[2].c_str());
    QVERIFY(QFile::exists(run.filePath(QStringLiteral("Help Topics.html"))));
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "TestLanguage.moc"
