// The language chooser: the name a chosen path gives, the file dialog it shows, and what a choice does to the
// language name, the texts and the windows.
#include "dialogs/LanguageChooser.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>
#include <QScrollBar>

using dialogs::Form3;
using support::Row;

class TestLanguageChooser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { support::Unload(m_form); }
    void name_data();
    void name();
    void fileDialog();
    void choose_data();
    void choose();

private:
    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_folder;
    std::unique_ptr<toolbar::Form1> m_form;
    QString m_answer; // what the file dialog gives back
};

namespace {

// A language file of n lines: line k reads "<k> <word> <k>", CR LF ended.
QByteArray Lines(const QByteArray& word, int n)
{
    QByteArray bytes;
    for (int k = 0; k < n; ++k)
        bytes += QByteArray::number(k).rightJustified(2, '0') + ' ' + word + ' ' + QByteArray::number(k) + "\r\n";
    return bytes;
}

} // namespace

void TestLanguageChooser::init()
{
    support::Reset(m_os);
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_folder = m_temp->path() + QStringLiteral("/my program");
    QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/Lang/sub")));
    QVERIFY(support::CopyEnglish(m_folder));
    const std::pair<const char*, QByteArray> files[]
        = {{"Test.lng", Lines("Test", 51)}, {"sub/Sub.lng", Lines("Sub", 51)}, {"Short.lng", Lines("Short", 14)},
            {"EmptyLast.lng", Lines("Last", 19) + "\r\n"}, {"Long.lng", Lines("Long", 60)}};
    for (const auto& [name, bytes] : files)
        QVERIFY(support::WriteFile(m_folder + QStringLiteral("/Lang/") + name, bytes));
    QVERIFY(support::WriteFile(m_folder + QStringLiteral("/Dimoro.ini"), "2\r\n5\r\n0\r\nEnglish.lng\r\n0\r\n0\r\n"));
    m_os.folder = m_folder.toStdString();
    m_form = support::Start();
    m_answer.clear();
    dialogs::runFileDialog = [this](QFileDialog&) { return m_answer; };
}

void TestLanguageChooser::name_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("name");

    Row("plain name", "/opt/dimoro/Lang/Test.lng", '/', "Test.lng");
    Row("subfolder", "/opt/dimoro/Lang/sub/Sub.lng", '/', "sub/Sub.lng");
    Row("two occurrences: the last decides", "/home/Lang/dimoro/Lang/Test.lng", '/', "Test.lng");
    Row("back to back", "/opt/Lang/Lang/Test.lng", '/', "Test.lng");
    Row("lower-case lang: unchanged", "/opt/dimoro/lang/Test.lng", '/', "Current.lng");
    Row("no Lang folder: unchanged", "/opt/dimoro/Test.lng", '/', "Current.lng");
    Row("Lang only as part of a name", "/opt/Languages/Test.lng", '/', "Current.lng");
    Row("Windows separators", "C:\\Dimoro\\Lang\\sub\\Sub.lng", '\\', "sub\\Sub.lng");
    Row("the other separator does not count", "C:\\Dimoro\\Lang\\Test.lng", '/', "Current.lng");
}

void TestLanguageChooser::name()
{
    QFETCH(QString, path);
    QFETCH(char, separator);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(dialogs::NameInLangFolder(path.toStdString(), separator, "Current.lng")), name);
}

void TestLanguageChooser::fileDialog()
{
    m_form->Image1_Click(engine::ModeOptions);
    Form3& d = dialogs::Options();
    d.VScroll2->setValue(12);
    d.Check1->setChecked(true);
    QString title, directory, suffix;
    QStringList filters;
    bool modal = false, native = true, existing = false;
    QSize size;
    dialogs::runFileDialog = [&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        directory = dialog.directory().absolutePath();
        suffix = dialog.defaultSuffix();
        modal = dialog.windowModality() != Qt::NonModal;
        native = !dialog.testOption(QFileDialog::DontUseNativeDialog);
        existing = dialog.fileMode() == QFileDialog::ExistingFile;
        size = dialog.size();
        return m_folder + QStringLiteral("/Lang/Test.lng");
    };
    QTest::mouseClick(d.Label6, Qt::LeftButton);

    QCOMPARE(title, QStringLiteral("Language..."));
    QCOMPARE(filters, QStringList {"Language... (*.lng)"});
    QCOMPARE(directory, m_folder + QStringLiteral("/Lang"));
    QCOMPARE(suffix, QStringLiteral("lng"));
    QVERIFY(modal);
    QVERIFY(!native);
    QVERIFY(existing);
    // Large enough for a resting pointer to hit entries and buttons.
    QVERIFY(size.width() >= 600 && size.height() >= 400);
    // The options dialog stays open with its values, in the new language.
    QVERIFY(d.isVisible());
    QCOMPARE(d.VScroll2->value(), 12);
    QCOMPARE(d.Label2->text(), QStringLiteral("12"));
    QVERIFY(d.Check1->isChecked());
    QCOMPARE(d.windowTitle(), QStringLiteral("Test 13"));
}

void TestLanguageChooser::choose_data()
{
    QTest::addColumn<QString>("answer"); // the chosen path; %1 is the program's folder
    QTest::addColumn<QString>("name"); // languageFile afterwards
    QTest::addColumn<QString>("caption"); // options dialog: entry 13
    QTest::addColumn<QString>("label3"); // entry 14 and its ending
    QTest::addColumn<QString>("tip"); // toolbar's options button: entry 13 and "..."
    QTest::addColumn<QString>("question"); // exit question: entry 19

    // Each row starts in English, with entries 13 and 19 changed in memory, so a refresh shows.
    const auto row = [](const char* name, const char* answer, const char* file, const char* caption, const char* label3,
                         const char* question) {
        Row(name, answer, file, caption, label3 ? label3 : "Tolerance (0 - 10)", caption + QString("..."), question);
    };
    row("cancelled: nothing read, the texts applied again", "", "English.lng", "Stale 13", nullptr, "Stale 19");
    row("plain name in our Lang folder", "%1/Lang/Test.lng", "Test.lng", "Test 13", "Test 14 (0 - 10)", "Test 19");
    row("subfolder", "%1/Lang/sub/Sub.lng", "sub/Sub.lng", "Sub 13", "Sub 14 (0 - 10)", "Sub 19");
    row("a Lang folder elsewhere: the name read from ours", "/media/stick/Lang/Test.lng", "Test.lng", "Test 13",
        "Test 14 (0 - 10)", "Test 19");
    row("missing in our Lang folder: old name and texts kept", "/media/stick/Lang/Nowhere.lng", "English.lng",
        "Stale 13", nullptr, "Stale 19");
    row("lower-case lang: the current file read again", "%1/lang/Test.lng", "English.lng", "Options", nullptr,
        "Do you really want to quit Dimoro Free?");
    row("fewer than 51 lines: only those entries replaced", "%1/Lang/Short.lng", "Short.lng", "Short 13", nullptr,
        "Stale 19");
    row("an empty last line: entries replaced and shown", "%1/Lang/EmptyLast.lng", "EmptyLast.lng", "Last 13",
        "Last 14 (0 - 10)", "");
    row("60 lines: the first 51 read and shown", "%1/Lang/Long.lng", "Long.lng", "Long 13", "Long 14 (0 - 10)",
        "Long 19");
    row("a folder, not a file: nothing changed", "%1/Lang/sub", "English.lng", "Stale 13", nullptr, "Stale 19");
}

void TestLanguageChooser::choose()
{
    QFETCH(QString, answer);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, label3);
    QFETCH(QString, tip);
    QFETCH(QString, question);

    settings::LanguageTable[13] = "Stale 13";
    settings::LanguageTable[19] = "Stale 19";
    m_answer = answer.contains(QLatin1String("%1")) ? answer.arg(m_folder) : answer;
    m_form->Image1_Click(engine::ModeOptions);
    QTest::mouseClick(dialogs::Options().Label6, Qt::LeftButton);

    QCOMPARE(QString::fromStdString(settings::Settings.languageFile), name);
    Form3& d = dialogs::Options();
    QCOMPARE(d.windowTitle(), caption);
    QCOMPARE(d.Label3->text(), label3);
    QCOMPARE(m_form->Image1(engine::ModeOptions)->toolTip(), tip);
    QCOMPARE(dialogs::ExitQuestion().Label1()->text(), question);
    // OK then saves the name in effect.
    QTest::mouseClick(d.Command1, Qt::LeftButton);
    QFile ini(m_folder + QStringLiteral("/Dimoro.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll().split('\n').value(3), name.toUtf8() + '\r');
}

QTEST_MAIN(TestLanguageChooser)
#include "TestLanguageChooser.moc"
