// The options dialog: what it shows at load, its controls, and what OK, Cancel and closing it do.
#include "settings/Version.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

using namespace engine;
using dialogs::Form3;
using support::Row;

namespace {
const QByteArray kNoFile; // a null row value: no Dimoro.ini at start
}

class TestOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { support::Unload(m_form); }

    void load_data();
    void load();
    void texts();
    void toggles_data();
    void toggles();
    void arrows_data();
    void arrows();
    void ok_data();
    void ok();
    void close_data();
    void close();
    void links();

private:
    // Starts the toolbar from a program folder holding the English texts and, unless null, this Dimoro.ini.
    void start(const QByteArray& ini, const QString& subfolder = {});
    static QLabel* toggleLabel(int number)
    {
        Form3& d = dialogs::Options();
        return number == 5 ? d.Label5 : number == 7 ? d.Label7 : d.Label9;
    }
    static QList<int> checks()
    {
        Form3& d = dialogs::Options();
        return {Form3::CheckValue(d.Check1), Form3::CheckValue(d.Check2), Form3::CheckValue(d.Check3)};
    }

    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_folder;
    std::unique_ptr<toolbar::Form1> m_form;
    QStringList m_opened;
};

void TestOptions::init()
{
    support::Reset(m_os);
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_opened.clear();
    Form3::openAddress = [this](const QString& address) { m_opened << address; };
}

void TestOptions::start(const QByteArray& ini, const QString& subfolder)
{
    m_folder = m_temp->path() + subfolder;
    QVERIFY(support::CopyEnglish(m_folder));
    if (!ini.isNull())
        QVERIFY(support::WriteFile(m_folder + QStringLiteral("/Dimoro.ini"), ini));
    m_os.folder = m_folder.toStdString();
    m_form = support::Start();
    QVERIFY(dialogs::OptionsLoaded());
}

void TestOptions::load_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("scroll1");
    QTest::addColumn<int>("scroll2");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QList<int>>("checks"); // values of Check1..3

    using L = QList<int>;
    Row("stored values", QByteArray("7\r\n12\r\n1\r\nEnglish.lng\r\n0\r\n1\r\n"), 7, 12, "7", "12", L {1, 0, 1});
    Row("limits", QByteArray("10\r\n20\r\n0\r\n\r\n1\r\n0\r\n"), 10, 20, "10", "20", L {0, 1, 0});
    Row("no file: the start-up's timing", kNoFile, 2, 5, "2", "5", L {0, 0, 0});
    Row("out of range: bars and boxes keep their places, numbers as stored",
        QByteArray("25\r\n30\r\n5\r\n\r\n-1\r\n3\r\n"), 0, 2, "25", "30", L {0, 1, 0});
    Row("negative tolerance", QByteArray("-1\r\n4\r\n0\r\n\r\n0\r\n0\r\n"), 0, 4, "-1", "4", L {0, 0, 0});
    Row("grey boxes", QByteArray("1\r\n3\r\n2\r\n\r\n2\r\n2\r\n"), 1, 3, "1", "3", L {2, 2, 2});
}

void TestOptions::load()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, scroll1);
    QFETCH(int, scroll2);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    QFETCH(QList<int>, checks);

    start(ini);
    Form3& d = dialogs::Options();
    QCOMPARE(d.VScroll1->value(), scroll1);
    QCOMPARE(d.VScroll2->value(), scroll2);
    QCOMPARE(d.Label1->text(), label1);
    QCOMPARE(d.Label2->text(), label2);
    QCOMPARE(this->checks(), checks);
    QCOMPARE(d.Label8->text(), QString::fromStdString(settings::versionText));
    QCOMPARE(ClickMode, ModeLeftClick);
    QVERIFY(!d.isVisible());
}

void TestOptions::texts()
{
    start(kNoFile);
    Form3& d = dialogs::Options();
    const QStringList shown {d.windowTitle(), d.Label3->text(), d.Label4->text(), d.Label5->text(), d.Label7->text(),
        d.Label9->text(), d.Label6->text(), d.Label10->text(), d.Label11->text(), d.Label12->toolTip(),
        d.Image1->toolTip(), d.Command1->text(), d.Command2->text()};
    QCOMPARE(shown,
        QStringList({"Options", "Tolerance (0 - 10)", "Dwell time in tenths of a second (2 - 20)", "Start at logon",
            "Sound", "Middle click button", "Language...", "Add a language...", "Check for updates...",
            "About Dimoro Free...", "Support Dimoro Free with a donation", "&Ok", "&Cancel"}));
    // Auto-sized labels show their whole text on one line.
    for (QLabel* label : std::initializer_list<QLabel*> {d.Label4, d.Label5, d.Label7, d.Label9, d.Label8})
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    QCOMPARE(d.size(), QSize(482, 309));
}

void TestOptions::toggles_data()
{
    QTest::addColumn<int>("label"); // 5, 7 or 9
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("once");
    QTest::addColumn<int>("twice");

    const QByteArray zero("2\r\n5\r\n0\r\n\r\n0\r\n0\r\n");
    const QByteArray one("2\r\n5\r\n1\r\n\r\n1\r\n1\r\n");
    const QByteArray grey("2\r\n5\r\n2\r\n\r\n2\r\n2\r\n");
    Row("Label5 clears a checked Check1", 5, one, 0, 1);
    Row("Label5 checks a clear Check1", 5, zero, 1, 0);
    Row("Label7 clears a checked Check2", 7, one, 0, 1);
    Row("Label7 checks a grey Check2", 7, grey, 1, 0);
    Row("Label9 checks a clear Check3", 9, zero, 1, 0);
    Row("Label9 checks a grey Check3", 9, grey, 1, 0);
}

void TestOptions::toggles()
{
    QFETCH(int, label);
    QFETCH(QByteArray, ini);
    QFETCH(int, once);
    QFETCH(int, twice);

    start(ini);
    dialogs::Options().show();
    QList<int> expected = checks();
    for (const int value : {once, twice}) {
        QTest::mouseClick(toggleLabel(label), Qt::LeftButton);
        expected[(label - 5) / 2] = value;
        QCOMPARE(checks(), expected);
    }
}

void TestOptions::arrows_data()
{
    QTest::addColumn<int>("bar"); // 1 tolerance, 2 dwell time
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("down"); // presses on the down arrow, then
    QTest::addColumn<int>("up"); // presses on the up arrow
    QTest::addColumn<int>("value");

    Row("dwell: the down arrow increases", 2, QByteArray("2\r\n5\r\n"), 3, 0, 8);
    Row("dwell: no higher than 20", 2, QByteArray("2\r\n19\r\n"), 3, 0, 20);
    Row("dwell: no lower than 2", 2, QByteArray("2\r\n3\r\n"), 0, 3, 2);
    Row("tolerance: the up arrow decreases", 1, QByteArray("6\r\n5\r\n"), 1, 3, 4);
    Row("tolerance: no higher than 10", 1, QByteArray("9\r\n5\r\n"), 2, 0, 10);
    Row("tolerance: no lower than 0", 1, QByteArray("1\r\n5\r\n"), 0, 2, 0);
    Row("stored out of range: the bar goes on from its own place", 1, QByteArray("25\r\n5\r\n"), 1, 0, 1);
}

void TestOptions::arrows()
{
    QFETCH(int, bar);
    QFETCH(QByteArray, ini);
    QFETCH(int, down);
    QFETCH(int, up);
    QFETCH(int, value);

    start(ini);
    Form3& d = dialogs::Options();
    d.show();
    QScrollBar* scroll = bar == 1 ? d.VScroll1 : d.VScroll2;
    for (int i = 0; i < down; ++i)
        QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(scroll->width() / 2, scroll->height() - 2));
    for (int i = 0; i < up; ++i)
        QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(scroll->width() / 2, 1));
    QCOMPARE(scroll->value(), value);
    QCOMPARE((bar == 1 ? d.Label1 : d.Label2)->text(), QString::number(value));
}

void TestOptions::ok_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QList<int>>("clicks"); // toggling labels clicked
    QTest::addColumn<int>("down"); // presses on the dwell time's down arrow
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<bool>("registered"); // start at logon written (else removed)
    QTest::addColumn<QList<double>>("toolbar"); // options top, help top, height, in twips

    using L = QList<int>;
    const QList<double> without {4380, 4860, 5415};
    const QList<double> with {5130, 5610, 6165};
    const auto ini = [](const char* values) { return QByteArray(values).replace(' ', "\r\n") + "\r\n"; };
    const QByteArray plain = ini("3 7 0 English.lng 1 0");
    const QByteArray middle = ini("3 7 0 English.lng 1 1");
    const QByteArray logon = ini("3 7 1 English.lng 1 0");
    Row("no change: the same six lines", plain, "", L {}, 0, plain, false, without);
    Row("middle box checked", plain, "", L {9}, 0, middle, false, with);
    Row("middle box cleared", middle, "", L {9}, 0, plain, false, without);
    Row("middle shown, no change", middle, "", L {}, 0, middle, false, with);
    Row("dwell time up, sound off", plain, "", L {7}, 4, ini("3 11 0 English.lng 0 0"), false, without);
    Row("start at logon checked, folder with blanks", plain, "/my programs", L {5}, 0, logon, true, without);
    Row("start at logon kept: written again", logon, "/dir", L {}, 0, logon, true, without);
    Row("start at logon cleared: removed", logon, "", L {5}, 0, plain, false, without);
    Row("no file: the start-up's timing and language", kNoFile, "", L {}, 0, ini("2 5 0 English.lng 0 0"), false,
        without);
    Row("out of range: the bars' values", ini("25 30 0 English.lng 1 0"), "", L {}, 0, ini("0 2 0 English.lng 1 0"),
        false, without);
}

void TestOptions::ok()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, subfolder);
    QFETCH(QList<int>, clicks);
    QFETCH(int, down);
    QFETCH(QByteArray, saved);
    QFETCH(bool, registered);
    QFETCH(QList<double>, toolbar);

    start(ini, subfolder);
    const double width = m_form->Width;
    const double top = m_form->Top;
    m_os.runAtLogon = "an entry of an older copy";
    m_form->Image1_Click(ModeOptions);
    Form3& d = dialogs::Options();
    QVERIFY(d.isVisible());
    for (const int label : clicks)
        QTest::mouseClick(toggleLabel(label), Qt::LeftButton);
    for (int i = 0; i < down; ++i)
        QTest::mouseClick(d.VScroll2, Qt::LeftButton, {}, QPoint(d.VScroll2->width() / 2, d.VScroll2->height() - 2));
    DwellTicks = 3;
    HoverTicks = 4;
    QTest::mouseClick(d.Command1, Qt::LeftButton);

    QFile file(m_folder + QStringLiteral("/Dimoro.ini"));
    QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), saved);
    if (registered)
        QCOMPARE(QString::fromStdString(m_os.runAtLogon.value_or("")), QDir::cleanPath(m_folder) + "/dimoro");
    else
        QVERIFY(!m_os.runAtLogon.has_value());
    QCOMPARE(m_form->Image1(ModeMiddleClick)->isVisibleTo(m_form.get()), toolbar[0] == 5130);
    QCOMPARE(m_form->Image1(ModeOptions)->twips.Top, toolbar[0]);
    QCOMPARE(m_form->Image1(ModeHelp)->twips.Top, toolbar[1]);
    QCOMPARE(m_form->Height, toolbar[2]);
    QCOMPARE(m_form->Image2()->twips.Height, toolbar[2]);
    QCOMPARE(m_form->height(), qRound(toolbar[2] / 15));
    QCOMPARE(m_form->Image1(ModeHelp)->geometry().top(), qRound(toolbar[1] / 15));
    QCOMPARE(m_form->Width, width);
    QCOMPARE(m_form->Top, top);
    QCOMPARE(DwellTicks, 0);
    QCOMPARE(HoverTicks, 0);
    QCOMPARE(ClickMode, ModeLeftClick);
    QVERIFY(!dialogs::OptionsLoaded());
}

void TestOptions::close_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("reload"); // a dialog loaded later, in drag mode, rather than the start-up's
    QTest::addColumn<int>("mode"); // after closing
    QTest::addColumn<bool>("reset"); // the counters set to 0

    Row("Cancel", "cancel", true, int {ModeDrag}, true);
    Row("close box", "close box", true, int {ModeDrag}, false);
    Row("Escape, as the close box", "escape", true, int {ModeDrag}, false);
    Row("first close after start-up gives left click", "close box", false, int {ModeLeftClick}, false);
}

void TestOptions::close()
{
    QFETCH(QString, how);
    QFETCH(bool, reload);
    QFETCH(int, mode);
    QFETCH(bool, reset);

    start(kNoFile);
    const settings::SettingsRecord before = settings::Settings;
    if (reload)
        dialogs::UnloadOptions();
    ClickMode = reload ? ModeDrag : ModeRightClick; // else chosen on the toolbar since the start
    Form3& d = dialogs::Options();
    d.show();
    QTest::mouseClick(d.Label7, Qt::LeftButton);
    QTest::mouseClick(d.Label9, Qt::LeftButton);
    d.VScroll2->setValue(15);
    DwellTicks = 3;
    HoverTicks = 4;
    if (how == QLatin1String("cancel"))
        QTest::mouseClick(d.Command2, Qt::LeftButton);
    else if (how == QLatin1String("escape"))
        QTest::keyClick(&d, Qt::Key_Escape);
    else
        d.close();

    QVERIFY(!dialogs::OptionsLoaded());
    QCOMPARE(ClickMode, mode);
    QCOMPARE(DwellTicks, reset ? 0 : 3);
    QCOMPARE(HoverTicks, reset ? 0 : 4);
    QVERIFY(!QFile::exists(m_folder + QStringLiteral("/Dimoro.ini")));
    QCOMPARE(settings::Settings.dwellTenths, before.dwellTenths);
    QCOMPARE(settings::Settings.beep, before.beep);
    QCOMPARE(settings::Settings.middleClick, before.middleClick);
    QVERIFY(!m_form->Image1(ModeMiddleClick)->isVisibleTo(m_form.get()));
    QVERIFY(!m_os.runAtLogon.has_value());
    // The next touch loads the dialog afresh from the settings.
    QCOMPARE(dialogs::Options().VScroll2->value(), 5);
}

void TestOptions::links()
{
    start(kNoFile);
    Form3& d = dialogs::Options();
    d.show();
    QTest::mouseClick(d.Label11, Qt::LeftButton);
    QTest::mouseClick(d.Image1, Qt::LeftButton);
    QCOMPARE(
        m_opened, QStringList({"https://www.dimorofree.org/dimoro.html", "https://www.dimorofree.org/donazioni.html"}));
    QVERIFY(d.isVisible());
}

QTEST_MAIN(TestOptions)
#include "TestOptions.moc"
