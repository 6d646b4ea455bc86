// The exit question against the toolbar that opens it: the saved click mode, the picture, the moves
// over its surface and the two answers.
#include "dialogs/ctlTransparent.h"
#include "tests/TestSupport.h"

#include <QLabel>
#include <QPushButton>

using namespace engine;
using dialogs::ExitQuestion;
using dialogs::ExitQuestionLoaded;
using support::Row;
using toolbar::Form1;

class TestExitQuestion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { support::Unload(m_form); }

    void savedMode_data();
    void savedMode();
    void picture_data();
    void picture();
    void surfaceMove_data();
    void surfaceMove();
    void answers_data();
    void answers();

private:
    dialogs::Form4& open();

    platform::FakePlatform m_os;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Form1> m_form;
};

void TestExitQuestion::init()
{
    support::Reset(m_os);
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_os.folder = m_folder->path().toStdString();
    m_form = support::Start();
}

// The exit button pressed, and the question up and active.
dialogs::Form4& TestExitQuestion::open()
{
    m_form->Image1_Click(ModeExit);
    dialogs::Form4& question = ExitQuestion();
    [&] { QVERIFY(QTest::qWaitForWindowActive(&question)); }();
    return question;
}

void TestExitQuestion::savedMode_data()
{
    // Steps: exit (the exit button), no, close (the close box), escape, background (moving over the
    // toolbar's background), right (moving over the right-click button).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("saved"); // when loaded
    using S = QStringList;

    Row("start, exit, No: the mode of start-up", S {"exit", "no"}, false, +ModeExit, 0);
    Row("start, exit, close box", S {"exit", "close"}, false, +ModeExit, 0);
    Row("start, exit, Escape", S {"exit", "escape"}, false, +ModeExit, 0);
    Row("open: buttons leave the mode alone", S {"exit", "right"}, true, +ModeLeftClick, +ModeExit);
    Row("after No a button loads it again, hidden", S {"exit", "no", "background", "right"}, true, +ModeRightClick,
        +ModePause);
    Row("the mode saved at that load comes back", S {"exit", "no", "background", "right", "exit", "no"}, false,
        +ModePause, 0);
    Row("exit while unloaded saves left click", S {"exit", "no", "exit", "no"}, false, +ModeLeftClick, 0);
}

void TestExitQuestion::savedMode()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, loaded);
    QFETCH(int, mode);
    QFETCH(int, saved);
    for (const QString& step : steps) {
        if (step == QLatin1String("exit"))
            m_form->Image1_Click(ModeExit);
        else if (step == QLatin1String("no"))
            QTest::mouseClick(ExitQuestion().No(), Qt::LeftButton);
        else if (step == QLatin1String("close"))
            ExitQuestion().close();
        else if (step == QLatin1String("escape"))
            QTest::keyClick(&ExitQuestion(), Qt::Key_Escape);
        else if (step == QLatin1String("background"))
            m_form->Image2_MouseMove();
        else if (step == QLatin1String("right"))
            m_form->Image1_MouseMove(ModeRightClick);
    }
    QCOMPARE(ExitQuestionLoaded(), loaded);
    QCOMPARE(ClickMode, mode);
    if (loaded) {
        QCOMPARE(ExitQuestion().savedMode(), saved);
        QCOMPARE(ExitQuestion().isVisible(), steps.count(QStringLiteral("exit")) > steps.count(QStringLiteral("no")));
    }
}

void TestExitQuestion::picture_data()
{
    QTest::addColumn<QPoint>("point"); // in the picture, 42 x 40
    QTest::addColumn<QColor>("colour");

    Row("magenta corner shows the dark grey", QPoint(0, 0), QColor(0x40, 0x40, 0x40));
    Row("magenta beside the face", QPoint(1, 38), QColor(0x40, 0x40, 0x40));
    Row("the face's yellow", QPoint(21, 6), QColor(255, 206, 40));
}

void TestExitQuestion::picture()
{
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    dialogs::Form4& question = open();
    QVERIFY(!question.Image1()->isVisible());
    QCOMPARE(question.ctlTransparent1()->geometry(), question.Image1()->geometry());
    const QImage shown = question.grab().toImage();
    QCOMPARE(QColor(shown.pixel(question.Image1()->pos() + point)), colour);
}

void TestExitQuestion::surfaceMove_data()
{
    QTest::addColumn<QString>("over");
    QTest::addColumn<bool>("leftClick");

    Row("the background", "background", true);
    Row("the picture's magenta", "magenta", true);
    Row("the face", "face", false);
    Row("the question", "Label1", false);
    Row("Si", "Si", false);
}

void TestExitQuestion::surfaceMove()
{
    QFETCH(QString, over);
    QFETCH(bool, leftClick);
    dialogs::Form4& question = open();
    const QPoint picture = question.ctlTransparent1()->pos();
    const QMap<QString, QPoint> points {{"background", QPoint(4, question.height() - 4)},
        {"magenta", picture + QPoint(1, 1)}, {"face", picture + QPoint(21, 20)},
        {"Label1", question.Label1()->geometry().center()}, {"Si", question.Si()->geometry().center()}};
    // Moving over the toolbar's background is the way to another mode while the question is up.
    m_form->Image2_MouseMove();
    QCOMPARE(ClickMode, ModePause);
    QTest::mouseMove(question.windowHandle(), points[over]);
    QCOMPARE(ClickMode, leftClick ? ModeLeftClick : ModePause);
}

void TestExitQuestion::answers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("held"); // drag holds the left button
    QTest::addColumn<int>("exitCode"); // -1: still running
    QTest::addColumn<QList<quint32>>("events");

    const QList<quint32> none;
    const QList<quint32> release {platform::LeftUp};
    Row("Si", "Si", false, 0, none);
    Row("Si releases a held button first", "Si", true, 0, release);
    Row("Enter at once is Si", "Enter", true, 0, release);
    Row("Space at once is Si", "Space", false, 0, none);
    Row("No keeps the button held", "No", true, -1, none);
}

void TestExitQuestion::answers()
{
    QFETCH(QString, answer);
    QFETCH(bool, held);
    QFETCH(int, exitCode);
    QFETCH(QList<quint32>, events);
    DragState = held ? 1 : 0;
    dialogs::Form4& question = open();
    QCOMPARE(QApplication::focusWidget(), question.Si());
    if (answer == QLatin1String("Enter"))
        QTest::keyClick(question.windowHandle(), Qt::Key_Return);
    else if (answer == QLatin1String("Space"))
        QTest::keyClick(question.windowHandle(), Qt::Key_Space);
    else
        QTest::mouseClick(answer == QLatin1String("Si") ? question.Si() : question.No(), Qt::LeftButton);
    QCOMPARE(m_os.endedWith, exitCode);
    QList<quint32> sent;
    for (const auto& event : m_os.events)
        sent << event.flags;
    QCOMPARE(sent, events);
    QCOMPARE(DragState, held && exitCode != 0 ? 1 : 0);
}

QTEST_MAIN(TestExitQuestion)
#include "TestExitQuestion.moc"
