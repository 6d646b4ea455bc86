// The dwell tick without a display: what it injects, presses, shows and plays for a scripted pointer.
#include "settings/Settings.h"
#include "tests/TestSupport.h"

using engine::Mode;
using support::Columns;
using support::Fetched;
using support::Row;

namespace {

// One engine on the fake platform and the shared stand-in windows.
struct Rig
{
    Rig(int tolerance = 2, int dwell = 5, int sound = 1)
        : settings {std::int16_t(tolerance), std::int16_t(dwell), 0, "", std::int16_t(sound), 0}
    {
        clicker.attach(&windows);
    }
    void stay(long x, long y, int ticks)
    {
        os.movePointer(x, y);
        for (int i = 0; i < ticks; ++i)
            clicker.tick();
    }

    platform::FakePlatform os;
    settings::Settings settings;
    support::StandInWindows windows;
    engine::DwellEngine clicker {os, settings};
};

} // namespace

class TestDwellEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One tick per letter of the script, starting on the hidden toolbar at (20, 300), t being the tolerance: . stays,
    // + right t+1, - up-left t+1 (rests), > right t+2, < left t+2, v down t+2 (moves); E and W go to the 16-bit
    // corners (32767, -32768) and (-32768, 32767), from where x and y step one pixel outwards for one tick only: a
    // value beyond 16 bits is not stored, so the next rest is measured from the one before. A digit chooses the mode
    // (the button's index) without a tick. The first tick is a move from (0, 0). marks: c for a tick that clicked,
    // p for one that ran a command.
    void rests_data()
    {
        Columns<int, int, QString, QString>("tolerance", "dwell", "script", "marks");
        Row("still: one click per rest, at the dwell time", 2, 5, "3............", "_____c______");
        Row("drifting tolerance + 1 rests", 2, 5, "3.+-+-+", "_____c");
        Row("tolerance + 2 right moves", 2, 5, "3.>>>>>>", "_______");
        Row("tolerance + 2 left moves", 2, 5, "3.<<<<<<", "_______");
        Row("tolerance + 2 down moves", 2, 5, "3.vvvvvv", "_______");
        Row("tolerance 0: 1 pixel rests", 0, 2, "3.+-", "__c");
        Row("a move clears the count", 2, 5, "3....>.....", "_________c");
        Row("after a click too", 2, 5, "3........>.....", "_____c_______c");
        Row("beyond 16 bits, right and up", 2, 5, "3E.x.y.", "_____c");
        Row("beyond 16 bits, left and down", 2, 5, "3W.x.y.", "_____c");
        Row("a move restarts the hover count", 2, 50, "0....v...............", "___________________p");
        Row("so does a mode change", 2, 50, "7....8................", "___________________p");
        Row("but not a pause", 2, 50, "0....1...............0...............", "_________________________________p");
    }
    void rests()
    {
        const long t = Fetched("tolerance");
        Rig rig(int(t), Fetched("dwell"));
        long x = 20, y = 300;
        QString marks;
        for (const QChar step : Fetched<QString>("script")) {
            if (step.isDigit()) {
                rig.clicker.setMode(Mode(step.digitValue()));
                continue;
            }
            x += step == u'+' ? t + 1 : step == u'-' ? -t - 1 : step == u'>' ? t + 2 : step == u'<' ? -t - 2 : 0;
            y += step == u'-' ? -t - 1 : step == u'v' ? t + 2 : 0;
            if (step == u'E' || step == u'W')
                x = step == u'E' ? 32767 : -32768, y = -1 - x;
            const auto events = rig.os.events.size(), commands = rig.windows.commands.size();
            rig.stay(x + (step == u'x' ? x / std::labs(x) : 0), y + (step == u'y' ? y / std::labs(y) : 0), 1);
            marks += rig.os.events.size() > events ? u'c' : rig.windows.commands.size() > commands ? u'p' : u'_';
        }
        QTEST(marks, "marks");
    }

    // Rests of 40 ticks, one per mode, on the toolbar (x 0 shows it, x 20 leaves it hidden) or away from it (x 500),
    // then the release every way out calls, twice. The trace: events (upper case a press, ~ before one that asks
    // for a gap after the event before it: Ll~Ll is a double click) and sounds (b: the beep) in order | dialogs loaded
    // (Exit question, Options) and commands.
    void modes_data()
    {
        Columns<QList<Mode>, int, int, int, QString>("modes", "dwell", "x", "sound", "trace");
        using enum engine::Mode;
        Row("double", QList {DoubleClick}, 5, 20, 1, "Ll~Llb|");
        Row("toolbar shown: a silent click", QList {LeftClick}, 5, 0, 1, "Ll|");
        Row("sound 2 is not on", QList {LeftClick}, 5, 20, 2, "Ll|");
        Row("dwell 14: the click comes first", QList {RightClick}, 14, 0, 1, "Rr|");
        Row("dwell 15: the hover press comes first", QList {LeftClick}, 15, 0, 1, "b|EO");
        Row("exit presses itself once a rest", QList {Exit, Exit}, 5, 0, 1, "bb|EOEO00");
        Row("exit away from the toolbar: nothing", QList {Exit}, 5, 500, 1, "|");
        Row("options, sound off", QList {Options}, 5, 0, 0, "|EO7");
        Row("help", QList {Help}, 5, 0, 1, "b|EO8");
        Row("drag: press, release, press, the way out releases", QList {Drag, Drag, Drag}, 5, 20, 1, "LblbLbl|");
        Row("drag held through other modes", QList {Drag, Pause, LeftClick, RightClick, Drag}, 5, 500, 0, "LLlRrl|");
    }
    void modes()
    {
        Rig rig(2, Fetched("dwell"), Fetched("sound"));
        int y = 200;
        for (const Mode mode : Fetched<QList<Mode>>("modes")) {
            rig.clicker.setMode(mode);
            rig.stay(Fetched("x"), y += 30, 1 + 40);
        }
        rig.clicker.releaseHeldButton();
        rig.clicker.releaseHeldButton();
        QString trace;
        auto sound = rig.os.sounds.begin();
        for (std::size_t i = 0; i <= rig.os.events.size(); ++i) {
            for (; sound != rig.os.sounds.end() && sound->afterEvents == i; ++sound)
                trace += sound->path.empty() ? u'b' : u'?';
            if (i < rig.os.events.size())
                trace += QString(rig.os.events[i].after.count() > 0 ? "~" : "")
                    + QChar((rig.os.events[i].press ? "LRM" : "lrm")[int(rig.os.events[i].button)]);
        }
        trace += u'|';
        for (const engine::Dialog dialog : rig.windows.loads)
            trace += dialog == engine::Dialog::ExitQuestion ? u'E' : u'O';
        for (const Mode command : rig.windows.commands)
            trace += QString::number(engine::ButtonIndex(command));
        QTEST(trace, "trace");
    }

    // Rests of `ticks` ticks (the first a move), one per mode, at x; what the ring is told each tick (see
    // StandInWindows::progress).
    void progress_data()
    {
        Columns<QList<Mode>, int, int, long, QString>("modes", "dwell", "ticks", "x", "progress");
        using enum engine::Mode;
        Row("left: from the first tick of rest to full at the click, then left to end by itself", QList {LeftClick}, 3,
            6, 500L, "- L1/3 L2/3 L3/3 ");
        Row("a kind per click, drag's press and release apart",
            QList {DoubleClick, RightClick, MiddleClick, Drag, Drag}, 1, 2, 500L,
            "- D1/1 - r1/1 - M1/1 - P1/1 - R1/1 ");
        Row("pause: never", QList {Pause}, 1, 3, 500L, "- - - ");
        Row("a command away from the toolbar: never", QList {Exit}, 5, 3, 500L, "- - - ");
        QString press = "- ";
        for (int done = 1; done <= engine::kHoverPressTicks; ++done)
            press += QStringLiteral("C%1/15 ").arg(done);
        Row("a command on the toolbar: the hover press's count", QList {Exit}, 5, 17, 0L, press);
    }
    void progress()
    {
        Rig rig(2, Fetched("dwell"));
        int y = 200;
        for (const Mode mode : Fetched<QList<Mode>>("modes")) {
            rig.clicker.setMode(mode);
            rig.stay(Fetched<long>("x"), y += 30, Fetched("ticks"));
        }
        QTEST(rig.windows.progress, "progress");
    }

    // The stand-in's toolbar runs from y 164.5 to 523.5 and is 45 pixels wide, at the left edge of its monitor;
    // "-" leaves it as it was.
    void toolbarEdges_data()
    {
        Columns<long, int, int, QString>("monitor", "x", "y", "effect");
        Row("left edge, top inside", 0L, 0, 165, "show");
        Row("left edge, above the top", 0L, 0, 164, "hide");
        Row("left edge, bottom inside", 0L, 0, 523, "show");
        Row("left edge, below the bottom", 0L, 0, 524, "hide");
        Row("on the toolbar's right column", 0L, 45, 300, "-");
        Row("right of the toolbar", 0L, 46, 300, "hide");
        Row("left of the screen", 0L, -1, 300, "-");
        Row("monitor at negative x: its edge", -1366L, -1366, 300, "show");
        Row("monitor at negative x: x 0 is another monitor", -1366L, 0, 300, "hide");
    }
    void toolbarEdges()
    {
        for (const bool before : {false, true}) {
            Rig rig;
            rig.os.monitor.left = Fetched<long>("monitor");
            rig.windows.visible = before;
            rig.stay(Fetched("x"), Fetched("y"), 1);
            QCOMPARE(
                rig.windows.visible, Fetched<QString>("effect") == "-" ? before : Fetched<QString>("effect") == "show");
        }
    }

    // Files made in the program's folder (a trailing / makes a folder); the click, then the selection sound.
    void sounds_data()
    {
        Columns<QString, QString>("made", "heard");
        Row("only the click", "Click/Click1.wav", "Click/Click1.wav beep");
        Row("a folder named Click1.wav", "Click/Click1.wav/ Click/Click2.wav", "beep Click/Click2.wav");
    }
    void sounds()
    {
        QTemporaryDir folder;
        for (const QString& path : Fetched<QString>("made").split(u' ', Qt::SkipEmptyParts))
            QVERIFY(QDir(folder.path()).mkpath(QFileInfo(path).path())
                && (path.endsWith(u'/') || support::WriteFile(folder.filePath(path), {})));
        Rig rig;
        rig.os.folder = folder.path().toStdString();
        rig.clicker.playClickSound();
        rig.clicker.playSelectionSound();
        QStringList heard;
        for (const auto& sound : rig.os.sounds)
            heard << (sound.path.empty() ? "beep" : QDir(folder.path()).relativeFilePath(sound.path.c_str()));
        QTEST(heard.join(u' '), "heard");
    }
};

QTEST_GUILESS_MAIN(TestDwellEngine)
#include "TestDwellEngine.moc"
