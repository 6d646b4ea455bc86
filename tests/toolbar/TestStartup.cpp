// Start-up of the toolbar window on the offscreen platform, against the fake platform.
#include "settings/Version.h"
#include "tests/TestSupport.h"

using engine::ClickMode;
using support::Row;
using toolbar::Form1;

namespace {
const QByteArray kMiddleOff("2\r\n5\r\n0\r\nEnglish.lng\r\n0\r\n0\r\n");
const QByteArray kMiddleOn("2\r\n5\r\n0\r\nEnglish.lng\r\n0\r\n1\r\n");
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void topFromHeightBeforeResize_data();
    void topFromHeightBeforeResize();
    void settingsDefaults_data();
    void settingsDefaults();
    void versionText();
    void dialogsLoadedAndModeLeftClick();
    void slideOut();
    void secondCopy();
    void tooltips_data();
    void tooltips();
    void commandsLoadMissingDialogs();
    void languageAtStartup_data();
    void languageAtStartup();
    void damagedFace_data();
    void damagedFace();

private:
    void writeSettings(const QByteArray& bytes)
    {
        if (!bytes.isEmpty())
            QVERIFY(support::WriteFile(m_folder->filePath(QStringLiteral("Dimoro.ini")), bytes));
    }
    static std::unique_ptr<Form1> start() { return support::Start(); }

    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_messages;
};

void TestStartup::init()
{
    support::Reset(m_os);
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_os.folder = m_folder->path().toStdString();
    m_messages.clear();
    Form1::showMessage = [this](const QString& text, const QString& title) { m_messages << title << text; };
}

void TestStartup::cleanup()
{
    std::unique_ptr<Form1> none;
    support::Unload(none);
    QVERIFY(!dialogs::OptionsLoaded());
}

void TestStartup::layout_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("middleShown");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("optionsTop");
    QTest::addColumn<double>("helpTop");

    Row("no file", QByteArray(), false, 5385.0, 4350.0, 4830.0);
    Row("middle button off", kMiddleOff, false, 5385.0, 4350.0, 4830.0);
    Row("middle button on", kMiddleOn, true, 6165.0, 5130.0, 5610.0);
}

void TestStartup::layout()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, middleShown);
    QFETCH(double, height);
    QFETCH(double, optionsTop);
    QFETCH(double, helpTop);
    writeSettings(file);

    const auto form = start();
    QCOMPARE(form->Width, 675.0);
    QCOMPARE(form->Height, height);
    QCOMPARE(form->Left, 0.0);
    QCOMPARE(form->Image1(engine::ModeOptions)->twips.Top, optionsTop);
    QCOMPARE(form->Image1(engine::ModeHelp)->twips.Top, helpTop);
    QCOMPARE(form->Image1(engine::ModeMiddleClick)->isVisibleTo(form.get()), middleShown);
    QCOMPARE(form->Image1(engine::ModeMiddleClick)->twips.Top, 4320.0);
    // The background runs from the top to 60 twips below the help button.
    QCOMPARE(form->Image2()->twips.Height, helpTop + 495 + 60);

    // Buttons take the sizes of their faces; the window is one button wide, in pixels at 15 twips each.
    const QSize faces[] = {{26, 32}, {45, 50}, {45, 52}, {45, 50}, {45, 50}, {45, 50}, {45, 50}, {45, 28}, {45, 33}};
    for (int i = 0; i < Form1::kButtons; ++i) {
        QCOMPARE(form->Image3(i).size(), faces[i]);
        QCOMPARE(form->Image3(i + 9).size(), faces[i]);
        QCOMPARE(form->Image1(i)->pixmap().cacheKey(), form->Image3(i).cacheKey());
        QCOMPARE(form->Image1(i)->twips.Width, faces[i].width() * 15.0);
        QCOMPARE(form->Image1(i)->twips.Height, faces[i].height() * 15.0);
    }
    QCOMPARE(form->size(), QSize(45, qRound(height / 15)));
    QCOMPARE(form->toolbarWidth(), 45.0);
    QCOMPARE(form->toolbarHeight(), height / 15);
    QCOMPARE(form->Image1(engine::ModeHelp)->geometry(), QRect(0, qRound(helpTop / 15), 45, 33));
}

void TestStartup::topFromHeightBeforeResize_data()
{
    QTest::addColumn<double>("screenHeight");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("top");

    Row("768 pixels, no middle button", 11520.0, QByteArray(), 2467.5);
    Row("768 pixels, middle button", 11520.0, kMiddleOn, 2467.5);
    Row("1080 pixels", 16200.0, QByteArray(), 4807.5);
    Row("screen lower than the window", 4500.0, QByteArray(), -1042.5);
}

void TestStartup::topFromHeightBeforeResize()
{
    QFETCH(double, screenHeight);
    QFETCH(QByteArray, file);
    QFETCH(double, top);
    m_os.screenHeight = screenHeight;
    writeSettings(file);

    const auto form = start();
    QCOMPARE(form->Top, top);
    QCOMPARE(form->toolbarTop(), top / 15);
    // Topmost was asked for at the designed place, before the window moved.
    QCOMPARE(m_os.topmostPositions.front(), std::make_pair(0, 40));
}

void TestStartup::settingsDefaults_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<int>("dwellTenths");
    QTest::addColumn<int>("beep");

    Row("no file", QByteArray(), 2, 5, 0);
    Row("dwell 0 replaces tolerance 7", QByteArray("7\r\n0\r\n0\r\nEnglish.lng\r\n1\r\n0\r\n"), 2, 5, 1);
    Row("values outside the dialog's range kept", QByteArray("25\r\n99\r\n0\r\nx.lng\r\n0\r\n0\r\n"), 25, 99, 0);
    Row("short file", QByteArray("4\r\n"), 2, 5, 0);
}

void TestStartup::settingsDefaults()
{
    QFETCH(QByteArray, file);
    QFETCH(int, tolerance);
    QFETCH(int, dwellTenths);
    QFETCH(int, beep);
    writeSettings(file);

    const auto form = start();
    QCOMPARE(settings::Settings.tolerance, tolerance);
    QCOMPARE(settings::Settings.dwellTenths, dwellTenths);
    QCOMPARE(settings::Settings.beep, beep);
    QCOMPARE(engine::DwellTicks, 0);
    QCOMPARE(engine::HoverTicks, 0);
    // Start-up reads the file and never writes it.
    QCOMPARE(QFile::exists(m_folder->filePath(QStringLiteral("Dimoro.ini"))), !file.isEmpty());
}

void TestStartup::versionText()
{
    m_os.programVersion = {1, 4, 1};
    const auto form = start();
    QCOMPARE(settings::versionText, std::string("Dimoro Free 1.4.1"));
}

void TestStartup::dialogsLoadedAndModeLeftClick()
{
    QCOMPARE(ClickMode, engine::ModeExit);
    const auto form = start();
    QCOMPARE(ClickMode, engine::ModeLeftClick);
    QVERIFY(dialogs::OptionsLoaded());
    QVERIFY(dialogs::ExitQuestionLoaded());
    QVERIFY(!form->exitQuestionVisible());
    QVERIFY(!form->optionsVisible());
    // The exit question loads inside the options dialog's load, before that dialog remembers the mode.
    QCOMPARE(dialogs::ExitQuestion().savedMode(), engine::ModeExit);
    QCOMPARE(dialogs::Options().savedMode(), engine::ModeLeftClick);
    QVERIFY(!form->Timer1.isActive());
    QVERIFY(form->Timer2.isActive());
    QCOMPARE(form->Timer2.interval(), 10);

    // Applying the texts again loads nothing a second time.
    const dialogs::Form3* options = &dialogs::Options();
    ClickMode = engine::ModeDrag;
    settings::ApplyLanguage();
    QCOMPARE(&dialogs::Options(), options);
    QCOMPARE(ClickMode, engine::ModeDrag);
}

void TestStartup::slideOut()
{
    const auto form = start();
    form->show();
    for (int tick = 1; tick <= 34; ++tick) {
        form->Timer2_Timer();
        QCOMPARE(form->Left, -20.0 * tick);
        QVERIFY(form->isVisible());
        QVERIFY(!form->Timer1.isActive());
    }
    QCOMPARE(form->x(), -45);
    form->Timer2_Timer();
    QCOMPARE(form->Left, 0.0);
    QVERIFY(!form->isVisible());
    QVERIFY(!form->Timer2.isActive());
    QVERIFY(form->Timer1.isActive());
    QCOMPARE(form->Timer1.interval(), 100);
    QCOMPARE(form->x(), 0);

    // A late position report from the server must not bring the toolbar back off the screen.
    form->move(-45, form->y());
    form->showToolbar();
    QVERIFY(form->isVisible());
    QCOMPARE(form->pos(), QPoint(0, 164)); // 2467.5 twips: 164.5 pixels, rounded half to even
}

void TestStartup::secondCopy()
{
    m_os.otherCopy = true;
    settings::LanguageTable[0] = "Already running.";
    settings::LanguageTable[1] = "Dimoro";
    const auto form = start();
    QCOMPARE(m_messages, QStringList({QStringLiteral("Dimoro"), QStringLiteral("Already running.")}));
    QCOMPARE(m_os.endedWith, 0);
    QVERIFY(!form->Timer2.isActive());
    QVERIFY(!form->Timer1.isActive());
    QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("Dimoro.ini"))));
    QVERIFY(m_os.events.empty());
}

void TestStartup::tooltips_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("ending");

    const char* names[] = {"exit", "pause", "double", "left", "drag", "right", "middle", "options", "help"};
    const int entries[] = {12, 22, 9, 8, 10, 6, 7, 13, 2};
    for (int i = 0; i < Form1::kButtons; ++i)
        Row(names[i], i, entries[i], QString(i == engine::ModeOptions ? "..." : ""));
}

void TestStartup::tooltips()
{
    QFETCH(int, button);
    QFETCH(int, entry);
    QFETCH(QString, ending);

    const auto form = start();
    QCOMPARE(form->Image1(button)->toolTip(), ending);
    for (int k = 0; k < settings::kLanguageEntries; ++k)
        settings::LanguageTable[k] = "text " + std::to_string(k);
    settings::ApplyLanguage();
    QCOMPARE(form->Image1(button)->toolTip(), QStringLiteral("text %1").arg(entry) + ending);
}

void TestStartup::commandsLoadMissingDialogs()
{
    const auto form = start();
    dialogs::UnloadExitQuestion();
    QCOMPARE(ClickMode, engine::ModeExit);
    engine::DwellTicks = 3;
    form->Image1_Click(engine::ModeExit);
    QVERIFY(dialogs::ExitQuestionLoaded());
    QCOMPARE(dialogs::ExitQuestion().savedMode(), engine::ModeLeftClick);
    QCOMPARE(ClickMode, engine::ModeLeftClick);
    QCOMPARE(engine::DwellTicks, 0);

    dialogs::UnloadOptions();
    ClickMode = engine::ModeRightClick;
    QVERIFY(!form->optionsVisible());
    QCOMPARE(dialogs::Options().savedMode(), engine::ModeRightClick);
    QCOMPARE(ClickMode, engine::ModeLeftClick);
}

void TestStartup::languageAtStartup_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("shipped"); // the shipped Lang folder beside the executable
    QTest::addColumn<QString>("languageFile");
    QTest::addColumn<QString>("texts"); // options tip, Form3 caption, Label3, Form4 caption, Si

    const auto ini = [](const char* name) { return "2\r\n5\r\n0\r\n" + QByteArray(name) + "\r\n0\r\n0\r\n"; };
    const char* english = "Options...|Options|Tolerance (0 - 10)|Exit|&Yes";
    Row("Italian locale, no settings", "it", QByteArray(), true, "Italiano.lng",
        "Opzioni...|Opzioni|Tolleranza (0 - 10)|Esci|&Sì");
    Row("Portuguese locale, no settings", "pt", QByteArray(), true, "English.lng", english);
    Row("setting wins over the locale", "it", ini("Deutsch.lng"), true, "Deutsch.lng",
        "Optionen...|Optionen|Toleranz (0 - 10)|Beenden|&Ja");
    Row("missing file: English, setting kept", "it", ini("Klingon.lng"), true, "Klingon.lng", english);
    Row("no language files: endings alone", "fr", QByteArray(), false, "French.lng", "...|| (0 - 10)||");
}

void TestStartup::languageAtStartup()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, file);
    QFETCH(bool, shipped);
    QFETCH(QString, languageFile);
    QFETCH(QString, texts);
    m_os.locale = locale.toStdString();
    writeSettings(file);
    if (shipped) {
        const QDir from(QStringLiteral(DIMORO_RUN_DIR "/Lang"));
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Lang")));
        for (const QString& name : from.entryList(QDir::Files))
            QVERIFY(QFile::copy(from.filePath(name), m_folder->filePath(QStringLiteral("Lang/") + name)));
    }

    const auto form = start();
    QCOMPARE(QString::fromStdString(settings::Settings.languageFile), languageFile);
    const QStringList shown = {form->Image1(engine::ModeOptions)->toolTip(), dialogs::Options().windowTitle(),
        dialogs::Options().text(settings::OptionsText::Label3), dialogs::ExitQuestion().windowTitle(),
        dialogs::ExitQuestion().text(settings::ExitQuestionText::Si)};
    QCOMPARE(shown.join('|'), texts);
}

void TestStartup::damagedFace_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("designed");

    // Pause gives the window its width, help its height.
    Row("exit", int(engine::ModeExit), QSize(390, 480));
    Row("pause", int(engine::ModePause), QSize(675, 780));
    Row("drag", int(engine::ModeDrag), QSize(675, 780));
    Row("help", int(engine::ModeHelp), QSize(675, 495));
}

// A picture that does not decode must neither stop the start nor leave its button out of reach.
void TestStartup::damagedFace()
{
    QFETCH(int, index);
    QFETCH(QSize, designed);
    QPixmap damaged;
    QVERIFY(!damaged.loadFromData(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR cut off", 24), "PNG"));

    auto form = std::make_unique<Form1>();
    form->Image3(index) = damaged;
    form->Image3(index + Form1::kButtons) = damaged;
    form->Form_Initialize();
    form->Form_Load();

    const toolbar::TwipsRect& twips = form->Image1(index)->twips;
    QCOMPARE(QSizeF(twips.Width, twips.Height), QSizeF(designed));
    QCOMPARE(form->Width, 675.0);
    QCOMPARE(form->Height, 5385.0);
    QVERIFY(!form->Image1(index)->geometry().isEmpty());
    QCOMPARE(form->size(), QSize(45, 359));

    form->Image1_MouseMove(static_cast<std::int16_t>(index));
    QCOMPARE(ClickMode, index);
    form->Image1_MouseMove(engine::ModeLeftClick);
    QCOMPARE(ClickMode, engine::ModeLeftClick);
}

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
