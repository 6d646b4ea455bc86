// The about box: its texts on opening, the scroll of the credits tick by tick, and which clicks close it.
#include "dialogs/Site.h"
#include "tests/TestSupport.h"

using dialogs::Form3;
using dialogs::frmAbout;
using support::Row;

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { support::Unload(m_form); }
    void opening_data();
    void opening();
    void copyrightOnce();
    void scroll_data();
    void scroll();
    void clicks_data();
    void clicks();

private:
    // Starts the toolbar with the English texts and opens the about box from the options dialog's "i".
    frmAbout& open();

    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<toolbar::Form1> m_form;
    QStringList m_opened;
};

void TestAbout::init()
{
    support::Reset(m_os);
    m_opened.clear();
    Form3::openAddress = [this](const QString& address) { m_opened << address; };
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid() && support::CopyEnglish(m_temp->path()));
    m_os.folder = m_temp->path().toStdString();
    m_form = support::Start();
}

frmAbout& TestAbout::open()
{
    m_form->Image1_Click(engine::ModeOptions);
    QTest::mouseClick(dialogs::Options().Label12, Qt::LeftButton);
    return dialogs::About();
}

void TestAbout::opening_data()
{
    QTest::addColumn<QString>("entry11");
    QTest::addColumn<QList<int>>("version");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("release");

    using V = QList<int>;
    Row("the link's tooltip without its dots", "About Dimoro Free...", V {1, 4, 1}, "About Dimoro Free", "Rel. 1.4.1");
    Row("any last three characters go", "Info xyz", V {2, 10, 300}, "Info ", "Rel. 2.10.300");
    Row("three characters: empty caption", "...", V {0, 0, 0}, "", "Rel. 0.0.0");
    Row("fewer than three: empty caption", "ab", V {1, 0, 0}, "", "Rel. 1.0.0");
    Row("empty entry: empty caption", "", V {1, 0, 0}, "", "Rel. 1.0.0");
}

void TestAbout::opening()
{
    QFETCH(QString, entry11);
    QFETCH(QList<int>, version);
    QFETCH(QString, caption);
    QFETCH(QString, release);

    settings::LanguageTable[11] = entry11.toStdString();
    m_os.programVersion = {version[0], version[1], version[2]};
    frmAbout& box = open();

    QVERIFY(box.isVisible());
    QCOMPARE(box.windowTitle(), caption);
    QCOMPARE(box.lblVersion->text(), release);
    QVERIFY(box.lblVersion->width() >= box.lblVersion->sizeHint().width());
    QCOMPARE(box.lblTitle->text(), QStringLiteral("Dimoro Free"));
    QCOMPARE(box.lblDescription->text(), QStringLiteral("Clicks for you wherever the pointer rests."));
    QCOMPARE(box.lblCopyright->text(), QString::fromUtf8(dialogs::kCopyright) + " - All rights reserved.");
    QCOMPARE(box.Picture2Top(), 2200.0F);
    QCOMPARE(box.Timer1.interval(), 10);
    QVERIFY(box.Timer1.isActive());
    // The box takes the options dialog's place; the dialog stays loaded, and the click mode is left alone.
    QVERIFY(dialogs::OptionsLoaded());
    QVERIFY(!dialogs::Options().isVisible());
    QCOMPARE(engine::ClickMode, engine::ModeLeftClick);
    QCOMPARE(box.size(), QSize(425, 243));
}

void TestAbout::copyrightOnce()
{
    open();
    dialogs::UnloadAbout();
    QVERIFY(!dialogs::AboutLoaded());
    frmAbout& box = open();
    QCOMPARE(box.lblCopyright->text().count(QStringLiteral(" - ")), 1);
}

void TestAbout::scroll_data()
{
    QTest::addColumn<int>("ticks"); // scroll steps run after opening
    QTest::addColumn<float>("top"); // of the credits, in twips
    QTest::addColumn<int>("pause");

    Row("first step", 1, 2190.0F, 0);
    Row("end of the credits at the viewport's bottom", 412, -1920.0F, 0);
    Row("first tick of the pause", 413, -1920.0F, 1);
    Row("last tick of the pause", 532, -1920.0F, 120);
    Row("moves on after 120 ticks", 533, -1930.0F, 121);
    Row("the counter keeps counting", 534, -1940.0F, 122);
    Row("last place inside the limit", 755, -4150.0F, 343);
    Row("below -4155: back at 2200, counter cleared", 756, 2200.0F, 0);
    Row("second round", 757, 2190.0F, 0);
    Row("second pause", 756 + 413, -1920.0F, 1);
}

void TestAbout::scroll()
{
    QFETCH(int, ticks);
    QFETCH(float, top);
    QFETCH(int, pause);

    frmAbout& box = open();
    box.Timer1.stop();
    for (int i = 0; i < ticks; ++i)
        box.Timer1_Timer();
    QCOMPARE(box.Picture2Top(), top);
    QCOMPARE(box.PauseTicks(), pause);
    QCOMPARE(box.Picture2->y(), qRound(top / 15));
}

void TestAbout::clicks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<float>("top"); // of the credits, so that the control clicked is in view
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("opened");

    const QStringList none;
    Row("background", "background", 2200.0F, true, none);
    Row("logo", "imgTitle", 2200.0F, true, none);
    Row("title", "lblTitle", 2200.0F, true, none);
    Row("release", "lblVersion", 2200.0F, true, none);
    Row("description, while scrolling", "lblDescription", 500.0F, true, none);
    Row("copyright line", "lblCopyright", -600.0F, true, none);
    Row("close box", "close box", 2200.0F, true, none);
    Row("Escape", "escape", 2200.0F, true, none);
    Row("viewport", "Picture1", 2200.0F, false, none);
    Row("credits panel", "Picture2", 0.0F, false, none);
    Row("rule", "Frame1", 2200.0F, false, none);
    Row("credits picture", "Image1", -1920.0F, false, none);
    Row("home page caption", "lblHomePageCap", -1920.0F, false, none);
    Row("home page: opened, the box stays", "lblHomePage", -1920.0F, false,
        QStringList {"https://www.dimorofree.org/"});
}

void TestAbout::clicks()
{
    QFETCH(QString, control);
    QFETCH(float, top);
    QFETCH(bool, closes);
    QFETCH(QStringList, opened);

    frmAbout& box = open();
    box.setPicture2Top(top);
    QPointer<frmAbout> alive(&box);
    if (control == QLatin1String("background")) {
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 3, box.height() - 3));
    } else if (control == QLatin1String("close box")) {
        box.close();
    } else if (control == QLatin1String("escape")) {
        QTest::keyClick(&box, Qt::Key_Escape);
    } else {
        auto* widget = box.findChild<QWidget*>(control);
        QVERIFY2(widget != nullptr, qPrintable(control));
        const QPoint centre = widget->rect().center();
        // The middle of the control is in view: a click there is one the user can make.
        QVERIFY(box.rect().contains(widget->mapTo(&box, centre)));
        QVERIFY(widget->parentWidget() == &box || widget == box.Picture1
            || box.Picture1->rect().contains(widget->mapTo(box.Picture1, centre)));
        QTest::mouseClick(widget, Qt::LeftButton, {}, centre);
    }

    QCOMPARE(dialogs::AboutLoaded(), !closes);
    QCOMPARE(dialogs::Options().isVisible(), closes);
    QCOMPARE(m_opened, opened);
    if (closes) {
        // Closing stops the scroll at once, before the box is gone.
        QVERIFY(alive.isNull() || !alive->Timer1.isActive());
        QVERIFY(alive.isNull() || !alive->isVisible());
    } else {
        QVERIFY(box.isVisible());
    }
}

QTEST_MAIN(TestAbout)
#include "TestAbout.moc"
