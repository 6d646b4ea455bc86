// The translation page: its exact bytes from small language files, and the options dialog's link that writes,
// opens and hides.
#include "tests/TestSupport.h"

using dialogs::Form3;
using support::Row;

class TestTranslationPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { support::Unload(m_form); }
    void page_data();
    void page();

private:
    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<toolbar::Form1> m_form;
    QStringList m_opened;
};

void TestTranslationPage::init()
{
    support::Reset(m_os);
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_opened.clear();
    Form3::openFile = [this](const QString& path) { m_opened << path; };
}

void TestTranslationPage::page_data()
{
    QTest::addColumn<QString>("files"); // folder of data/ holding the Lang files; the page expected is <files>.html
    QTest::addColumn<QString>("language"); // the language in use
    QTest::addColumn<QByteArray>("earlier"); // a page already there, or null
    QTest::addColumn<int>("clicks");

    Row("five files: 25 rows of 7 cells, texts escaped, high bytes kept", "full", "English.lng", QByteArray(), 1);
    Row("the language in use plays no part", "full", "Italiano.lng", QByteArray(), 1);
    Row("a missing file, a short file, short lines: empty cells", "gaps", "English.lng", QByteArray(), 1);
    Row("a longer page already there is overwritten", "gaps", "English.lng", QByteArray(20000, 'x'), 1);
    Row("a second click writes the page afresh", "full", "English.lng", QByteArray(), 2);
}

void TestTranslationPage::page()
{
    QFETCH(QString, files);
    QFETCH(QString, language);
    QFETCH(QByteArray, earlier);
    QFETCH(int, clicks);

    // The program's folder, with a blank in its name, holding the row's language files.
    const QString folder = m_temp->path() + QStringLiteral("/my program");
    const QDir source(QFINDTESTDATA("data/" + files + "/Lang"));
    QVERIFY(source.exists());
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Lang")));
    for (const QString& name : source.entryList(QDir::Files))
        QVERIFY(QFile::copy(source.filePath(name), folder + QStringLiteral("/Lang/") + name));
    const QString page = folder + QStringLiteral("/Invia_Traduzione.html");
    if (!earlier.isNull())
        QVERIFY(support::WriteFile(page, earlier));
    QVERIFY(support::WriteFile(
        folder + QStringLiteral("/Dimoro.ini"), "2\r\n5\r\n0\r\n" + language.toUtf8() + "\r\n0\r\n0\r\n"));
    m_os.folder = folder.toStdString();
    m_form = support::Start();

    for (int i = 0; i < clicks; ++i) {
        m_form->Image1_Click(engine::ModeOptions);
        Form3& d = dialogs::Options();
        QVERIFY(d.isVisible());
        QTest::mouseClick(d.Label10, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(dialogs::OptionsLoaded());
    }

    QFile written(page);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QFile fixture(QFINDTESTDATA("data/" + files + ".html"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), fixture.readAll());
    QCOMPARE(m_opened, QStringList(QVector<QString>(clicks, page)));
    QCOMPARE(engine::ClickMode, engine::ModeLeftClick);
}

QTEST_MAIN(TestTranslationPage)
#include "TestTranslationPage.moc"
