// The toolbar's buttons: selection by moving over them, their faces and sounds, and the help command.
#include "tests/TestSupport.h"

using namespace engine;
using support::Row;
using toolbar::Form1;

namespace {
constexpr int Background = -1;
}

class TestButtons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { support::Unload(m_form); }

    void walk_data();
    void walk();
    void clickKindsDoNothing();
    void help_data();
    void help();

private:
    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Form1> m_form;
    QStringList m_opened;
};

void TestButtons::init()
{
    support::Reset(m_os);
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_os.folder = m_folder->path().toStdString();
    m_opened.clear();
    Form1::openPage = [this](const QString& path) { m_opened << path; };
    m_form = support::Start();
}

void TestButtons::walk_data()
{
    QTest::addColumn<QList<int>>("moves"); // button indexes, or Background
    QTest::addColumn<int>("beep");
    QTest::addColumn<bool>("optionsShown");
    QTest::addColumn<int>("sounds"); // selection sounds played
    QTest::addColumn<int>("highlighted"); // the one button showing its red face, -1 none
    QTest::addColumn<int>("mode");

    using M = QList<int>;
    Row("moves inside one button sound once", M {5, 5, 5}, 1, false, 1, 5, 5);
    Row("left to right across drag", M {3, 4, 5}, 1, false, 3, 5, 5);
    Row("background keeps the highlight", M {2, Background}, 1, false, 1, 2, 1);
    Row("back to the same button is silent", M {6, Background, Background, 6}, 1, false, 1, 6, 6);
    Row("background alone", M {Background}, 1, false, 0, -1, 1);
    Row("sounds off", M {0, 1, 8, 7}, 0, false, 0, 7, 7);
    Row("options shown: highlight and sound, mode kept", M {2, 3}, 1, true, 2, 3, int {ModeLeftClick});
}

void TestButtons::walk()
{
    QFETCH(QList<int>, moves);
    QFETCH(int, beep);
    QFETCH(bool, optionsShown);
    QFETCH(int, sounds);
    QFETCH(int, highlighted);
    QFETCH(int, mode);

    settings::Settings.beep = static_cast<std::int16_t>(beep);
    QDir(m_folder->path()).mkdir(QStringLiteral("Click"));
    QFile(QFINDTESTDATA("../../resources/Click/Click2.wav"))
        .copy(m_folder->filePath(QStringLiteral("Click/Click2.wav")));
    if (optionsShown)
        dialogs::Options().show();

    for (const int move : moves) {
        if (move == Background)
            m_form->Image2_MouseMove();
        else
            m_form->Image1_MouseMove(static_cast<std::int16_t>(move));
    }

    QCOMPARE(static_cast<int>(m_os.sounds.size()), sounds);
    for (const auto& sound : m_os.sounds)
        QVERIFY(QString::fromStdString(sound.path).endsWith(QLatin1String("/Click/Click2.wav")));
    for (int i = 0; i < Form1::kButtons; ++i) {
        const int face = i == highlighted ? i + Form1::kButtons : i;
        QVERIFY2(m_form->Image1(i)->pixmap().cacheKey() == m_form->Image3(face).cacheKey(),
            qPrintable(QStringLiteral("button %1").arg(i)));
    }
    QCOMPARE(ClickMode, mode);
    // Asking whether the dialogs are shown keeps both loaded.
    QVERIFY(dialogs::OptionsLoaded() && dialogs::ExitQuestionLoaded());
}

void TestButtons::clickKindsDoNothing()
{
    for (std::int16_t k = ModePause; k <= ModeMiddleClick; ++k) {
        ClickMode = ModeRightClick;
        DwellTicks = 4;
        m_form->Image1_Click(k);
        QCOMPARE(ClickMode, ModeRightClick);
        QCOMPARE(DwellTicks, 4);
    }
    QVERIFY(m_opened.isEmpty());
}

void TestButtons::help_data()
{
    QTest::addColumn<QString>("subfolder"); // where the program lives, inside the temporary folder
    QTest::addColumn<QString>("entry2");
    QTest::addColumn<QString>("existing"); // a file or, ending in "/", a folder made beside the program
    QTest::addColumn<QString>("opened");

    Row("language page", "", "Help", "Help.html", "Help.html");
    Row("folder with blanks", "Program Files/Di moro", "Aiuto in linea", "Aiuto in linea.html", "Aiuto in linea.html");
    Row("no language page", "", "Hilfe", "", "Help Topics.html");
    Row("page is a folder", "", "Ayuda", "Ayuda.html/", "Help Topics.html");
    Row("empty entry", "x y", "", "", "Help Topics.html");
}

void TestButtons::help()
{
    QFETCH(QString, subfolder);
    QFETCH(QString, entry2);
    QFETCH(QString, existing);
    QFETCH(QString, opened);

    const QString folder = subfolder.isEmpty() ? m_folder->path() : m_folder->filePath(subfolder);
    QVERIFY(QDir().mkpath(folder));
    m_os.folder = folder.toStdString();
    settings::LanguageTable[2] = entry2.toStdString();
    if (existing.endsWith(u'/')) {
        QVERIFY(QDir(folder).mkdir(existing));
    } else if (!existing.isEmpty()) {
        QVERIFY(support::WriteFile(folder + u'/' + existing, {}));
    }
    ClickMode = ModeHelp;
    DwellTicks = 7;

    m_form->Image1_Click(ModeHelp);

    QCOMPARE(m_opened, QStringList {folder + u'/' + opened});
    QCOMPARE(ClickMode, ModeLeftClick);
    QCOMPARE(DwellTicks, 0);
}

QTEST_MAIN(TestButtons)
#include "TestButtons.moc"
