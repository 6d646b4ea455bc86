// The program's start-up: the timing and texts it starts with, a second copy, and a toolbar face that did not
// decode; where the toolbar goes on its monitor. Choosing by moving over the buttons, and help, are among the
// dialogs' steps.
#include "tests/dialogs/Steps.h"

using namespace engine;
using support::Ini;
using support::Row;

const QByteArray kNone; // no Dimoro.ini

class TestToolbar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startup_data()
    {
        // Afterwards: timing, language file, two windows' texts, messages shown and exit code; with a damaged face,
        // its button's size, the toolbar's width and the mode chosen by moving over the button.
        support::Columns<QByteArray, QString, bool, int, QString>("ini", "locale", "otherCopy", "damaged", "started");
        Row("dwell 0: 2/5; the setting's language", Ini("7 0 0 Deutsch.lng 1 0"), "it", false, -1,
            "2 5 Deutsch.lng Optionen... Beenden -1");
        Row("a second copy", kNone, "de", true, -1, "0 0 Deutsch.lng Optionen... Beenden Dimoro Free läuft bereits. 0");
        // A face that does not decode (of the button given, -1 none) leaves its button the designed size, within reach.
        Row("a damaged pause face, the width's", kNone, "en", false, 1,
            "2 5 English.lng Options... Exit -1 45x52 45 1");
    }
    void startup()
    {
        const auto [ini, locale, otherCopy, damaged, started] = support::Fetch<QByteArray, QString, bool, int, QString>(
            "ini", "locale", "otherCopy", "damaged", "started");
        support::StartedProgram p(false);
        const QDir shipped(QFINDTESTDATA("../../resources/Lang"));
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), p.folder.file("Lang/" + name));
        p.os.locale = locale.toStdString();
        p.os.otherCopy = otherCopy;
        toolbar::ToolbarWindow& bar = p.program->toolbar();
        if (damaged >= 0)
            bar.face(damaged) = bar.face(damaged + bar.kButtons) = QPixmap();
        support::Start(p, ini);

        const settings::Settings& s = p.program->settings();
        QStringList shown {QString::number(s.tolerance), QString::number(s.dwellTenths),
            QString::fromStdString(s.languageFile), bar.button(Mode::Options)->toolTip(),
            p.program->dialogs().exitQuestion().windowTitle()};
        shown << p.messages << QString::number(p.os.endedWith);
        if (damaged >= 0) {
            support::Run(p, QString::number(damaged));
            const QSize size = bar.button(Mode(damaged))->size();
            shown << QString("%1x%2").arg(size.width()).arg(size.height()) << QString::number(bar.widthPixels())
                  << QString::number(int(p.program->engine().mode()));
        }
        QCOMPARE(shown.join(' '), started);
        // Start-up only reads the settings.
        QCOMPARE(QFile(p.folder.file("Dimoro.ini")).size(), ini.size());
        // Clicking starts when the slide-out ends, some 350 ms on; never in a copy that ends.
        QTest::qWait(otherCopy ? 500 : 0);
        QTRY_COMPARE(p.program->dwellTimer().isActive(), !otherCopy);
        QVERIFY(!otherCopy || p.os.events.empty());
    }

    // The toolbar on its monitor (x, y, width, height in the windows' pixels): 411 pixels high with the
    // middle-click button, 359 without, centred by the designed height (439), kept on the monitor, shrunk to fit
    // one lower than itself. The plain 768-pixel desktop, with and without the button, and 768 at 200% are the
    // end-to-end journeys'; the edge cases are here.
    void place_data()
    {
        support::Columns<QRect, bool, QRect>("monitor", "middle", "window");
        Row("top not at 0", QRect(0, 300, 1280, 1024), true, QRect(0, 592, 45, 411));
        Row("left of the primary, at negative x", QRect(-1366, 0, 1366, 768), true, QRect(-1366, 164, 45, 411));
        Row("lower than the designed height: kept on", QRect(0, 50, 800, 430), true, QRect(0, 50, 45, 411));
        Row("just high enough", QRect(0, 0, 800, 411), true, QRect(0, 0, 45, 411));
        Row("a pixel lower: shrunk", QRect(0, 0, 800, 410), true, QRect(0, 0, 45, 410));
        Row("768 at 200%, no middle-click button: not shrunk", QRect(0, 0, 512, 384), false, QRect(0, 0, 45, 359));
    }
    void place()
    {
        const auto [monitor, middle, window] = support::Fetch<QRect, bool, QRect>("monitor", "middle", "window");
        platform::FakePlatform os;
        os.monitor = {monitor.x(), monitor.y(), monitor.width(), monitor.height()};
        toolbar::ToolbarWindow bar(os);
        bar.layOut(middle);
        QCOMPARE(bar.geometry(), window);
        // The engine's edges are the window's, and every button ends above the window's bottom border.
        QVERIFY(std::abs(bar.topPixels() - window.y()) <= 0.5);
        QCOMPARE(bar.heightPixels(), double(window.height()));
        for (int i = 0; i < bar.kButtons; ++i)
            QVERIFY(bar.button(Mode(i))->geometry().bottom() + 1 < window.height() - 1);
    }
};

QTEST_MAIN(TestToolbar)
#include "TestToolbar.moc"
