// The translation page: its exact bytes from small language files, and the options dialog's link that writes,
// opens and hides.
#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "engine/Engine.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "toolbar/Form1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using dialogs::Form3;

class TestTranslationPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
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
    m_os = platform::FakePlatform();
    platform::Install(&m_os);
    engine::ResetState();
    settings::Settings = {};
    settings::LanguageTable.fill({});
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_opened.clear();
    Form3::openFile = [this](const QString& path) { m_opened << path; };
}

void TestTranslationPage::cleanup()
{
    m_form.reset();
    dialogs::UnloadOptions();
    dialogs::UnloadExitQuestion();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestTranslationPage::page_data()
{
    QTest::addColumn<QString>("files"); // folder of data/ holding the Lang files
    QTest::addColumn<QString>("language"); // the language in use
    QTest::addColumn<QByteArray>("earlier"); // a page already there, or null
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("expected"); // the page, in data/

    QTest::newRow("five files: 25 rows of 7 cells, texts escaped, high bytes kept")
        << "full"
        << "English.lng" << QByteArray() << 1 << "full.html";
    QTest::newRow("the language in use plays no part") << "full"
                                                       << "Italiano.lng" << QByteArray() << 1 << "full.html";
    QTest::newRow("a missing file, a short file, short lines: empty cells")
        << "gaps"
        << "English.lng" << QByteArray() << 1 << "gaps.html";
    QTest::newRow("a longer page already there is overwritten")
        << "gaps"
        << "English.lng" << QByteArray(20000, 'x') << 1 << "gaps.html";
    QTest::newRow("a second click writes the page afresh") << "full"
                                                           << "English.lng" << QByteArray() << 2 << "full.html";
}

void TestTranslationPage::page()
{
    QFETCH(QString, files);
    QFETCH(QString, language);
    QFETCH(QByteArray, earlier);
    QFETCH(int, clicks);
    QFETCH(QString, expected);

    // The program's folder, with a blank in its name, holding the row's language files.
    const QString folder = m_temp->path() + QStringLiteral("/my program");
    const QDir source(QFINDTESTDATA("data/" + files + "/Lang"));
    QVERIFY(source.exists());
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Lang")));
    for (const QString& name : source.entryList(QDir::Files))
        QVERIFY(QFile::copy(source.filePath(name), folder + QStringLiteral("/Lang/") + name));
    const QString page = folder + QStringLiteral("/Invia_Traduzione.html");
    if (!earlier.isNull()) {
        QFile old(page);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(earlier) == earlier.size());
    }
    QFile ini(folder + QStringLiteral("/Dimoro.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("2\r\n5\r\n0\r\n" + language.toUtf8() + "\r\n0\r\n0\r\n");
    ini.close();
    m_os.folder = folder.toStdString();
    m_form = std::make_unique<toolbar::Form1>();
    m_form->Form_Initialize();
    m_form->Form_Load();

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
    QFile fixture(QFINDTESTDATA("data/" + expected));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), fixture.readAll());
    QCOMPARE(m_opened, QStringList(QVector<QString>(clicks, page)));
    QCOMPARE(engine::ClickMode, engine::ModeLeftClick);
}

QTEST_MAIN(TestTranslationPage)
#include "TestTranslationPage.moc"
