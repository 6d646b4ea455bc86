#include "engine/Engine.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <QTest>

#include <memory>

using namespace engine;

namespace {

// Plain ints, as the data columns hold ints.
constexpr int Exit = ModeExit, Pause = ModePause, Double = ModeDoubleClick, Left = ModeLeftClick, Drag = ModeDrag,
              Right = ModeRightClick, Middle = ModeMiddleClick, Options = ModeOptions, Help = ModeHelp;
constexpr int Ld = platform::LeftDown, Lu = platform::LeftUp, Rd = platform::RightDown, Ru = platform::RightUp,
              Md = platform::MiddleDown, Mu = platform::MiddleUp;
constexpr int Hidden = 0, Shown = 1, NotLoaded = 2; // dialog states
constexpr int Nothing = 0, Show = 1, Hide = 2; // toolbar reactions
constexpr long kAwayX = 500; // right of the toolbar, so every tick there hides it
constexpr long kAwayY = 300;

// One rest on a pointer that drifts by (dx, dy) each tick, away from the toolbar.
struct Drift
{
    int tolerance, dwell, start, dx, dy; // start: DwellTicks when the pointer moves off
    int clickAfter, finalCount; // resting ticks to the only left click (-1: none); DwellTicks after 250 ticks
};

// One rest inside the toolbar's rectangle.
struct Rest
{
    int mode, dwell, x, exitQuestion, options, beep; // x 0 shows the toolbar, 20 leaves it hidden
    QList<int> events, commands;
    int soundAfter, finalMode; // button events before the only sound, -1 for silence
};

// The toolbar and its two dialogs, with the side effects the real ones have on the engine.
struct Fakes : EngineWindows
{
    double top = 164.5;
    QList<int> toolbar; // Show or Hide, one per call
    int exitQuestion = Hidden;
    int options = Hidden;
    QList<int> commands;

    double toolbarTop() override { return top; }
    double toolbarHeight() override { return 300.5; } // a whole top gives a fractional bottom and the reverse
    double toolbarWidth() override { return 45; }
    bool toolbarVisible() override { return !toolbar.isEmpty() && toolbar.last() == Show; }
    void showToolbar() override { toolbar.append(Show); }
    void hideToolbar() override { toolbar.append(Hide); }
    bool exitQuestionVisible() override { return ask(exitQuestion); }
    bool optionsVisible() override { return ask(options); }
    void Image1_Click(std::int16_t index) override
    {
        commands.append(index);
        ClickMode = ModeLeftClick;
    }
    // Asking loads a dialog that is not loaded, and loading forces left click.
    static bool ask(int& dialog)
    {
        if (dialog == NotLoaded) {
            dialog = Hidden;
            ClickMode = ModeLeftClick;
        }
        return dialog == Shown;
    }
};

} // namespace

class TestDwellTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        sys = std::make_unique<platform::FakePlatform>();
        platform::Install(sys.get());
        win = std::make_unique<Fakes>();
        Attach(win.get());
        ResetState();
        ClickMode = ModeLeftClick; // start-up loads both dialogs, which leaves left click
        settings::Settings = {};
        settings::Settings.tolerance = 2;
        settings::Settings.dwellTenths = 5;
    }

    void cleanup()
    {
        Attach(nullptr);
        platform::Install(nullptr);
    }

    void drift_data()
    {
        QTest::addColumn<Drift>("d");
        QTest::newRow("dwell 5 from 0, still") << Drift {2, 5, 0, 0, 0, 5, 0};
        QTest::newRow("dwell 5 from 3, tolerance 2 drifting 3 px") << Drift {2, 5, 3, 3, 3, 2, 3};
        QTest::newRow("dwell 20 from 0, still") << Drift {2, 20, 0, 0, 0, 20, 10};
        QTest::newRow("dwell 99 from 50, tolerance 10 drifting 11 px") << Drift {10, 99, 50, 11, 11, 49, 3};
        QTest::newRow("dwell 2 from 1, tolerance 0 drifting 1 px") << Drift {0, 2, 1, 1, 1, 1, 1};
        QTest::newRow("dwell -3 clicks at once") << Drift {2, -3, 0, 0, 0, 1, 0};
        QTest::newRow("tolerance 0 drifting 2 px right never rests") << Drift {0, 5, 3, 2, 0, -1, 3};
        QTest::newRow("tolerance 0 drifting 2 px down never rests") << Drift {0, 5, 3, 0, 2, -1, 3};
        QTest::newRow("tolerance 2 drifting 4 px right, 3 down never rests") << Drift {2, 5, 3, 4, 3, -1, 3};
        QTest::newRow("tolerance 10 drifting 11 px right, 12 down never rests") << Drift {10, 5, 3, 11, 12, -1, 3};
    }

    void drift()
    {
        QFETCH(Drift, d);
        settings::Settings.tolerance = static_cast<std::int16_t>(d.tolerance);
        settings::Settings.dwellTenths = static_cast<std::int16_t>(d.dwell);
        DwellTicks = static_cast<std::int16_t>(d.start);
        stay(kAwayX, kAwayY, 1);
        for (long i = 1; i <= 250; ++i)
            stay(kAwayX + i * d.dx, kAwayY + i * d.dy, 1);
        QCOMPARE(flags(), (d.clickAfter < 0 ? QList<int>() : QList<int> {Ld, Lu}));
        for (const auto& event : sys->events) { // where the pointer is when the count completes
            QCOMPARE(event.sample, 1 + d.clickAfter);
            QCOMPARE(event.at.x, kAwayX + long {d.clickAfter} * d.dx);
            QCOMPARE(event.at.y, kAwayY + long {d.clickAfter} * d.dy);
        }
        QCOMPARE(int {DwellTicks}, d.finalCount);
    }

    void pauseFreezes()
    {
        settings::Settings.beep = 1;
        ClickMode = ModePause;
        DwellTicks = 3;
        HoverTicks = 7;
        Clicked = 1;
        stay(0, 300, 40); // on the toolbar, where the hover step would count
        QVERIFY(sys->events.empty() && win->commands.isEmpty() && sys->sounds.empty());
        QCOMPARE(int {Clicked}, 0);
        QCOMPARE(int {HoverTicks}, 0);
        QCOMPARE(int {DwellTicks}, 3);
    }

    void restInToolbar_data()
    {
        QTest::addColumn<Rest>("r");
        const auto row = [](const char* name, const Rest& rest) { QTest::newRow(name) << rest; };
        row("double", {Double, 5, 20, Hidden, Hidden, 1, {Ld, Lu, Ld, Lu}, {}, 4, Double});
        row("left", {Left, 5, 20, Hidden, Hidden, 1, {Ld, Lu}, {}, 2, Left});
        row("drag", {Drag, 5, 20, Hidden, Hidden, 1, {Ld}, {}, 1, Drag});
        row("right", {Right, 5, 20, Hidden, Hidden, 1, {Rd, Ru}, {}, 2, Right});
        row("middle", {Middle, 5, 20, Hidden, Hidden, 1, {Md, Mu}, {}, 2, Middle});
        row("left, toolbar shown: silent click", {Left, 5, 0, Hidden, Hidden, 1, {Ld, Lu}, {}, -1, Left});
        row("left, beep 2: silent click", {Left, 5, 20, Hidden, Hidden, 2, {Ld, Lu}, {}, -1, Left});
        row("right, dwell 14: the click wins", {Right, 14, 0, Hidden, Hidden, 1, {Rd, Ru}, {}, -1, Right});
        row("left, dwell 15: the press wins", {Left, 15, 0, Hidden, Hidden, 1, {}, {}, 0, Left});
        row("exit opens the question", {Exit, 5, 0, Hidden, Hidden, 1, {}, {Exit}, 0, Left});
        row("exit, toolbar hidden: opens the question", {Exit, 5, 20, Hidden, Hidden, 1, {}, {Exit}, 0, Left});
        row("exit, question shown: only sounds", {Exit, 5, 0, Shown, Hidden, 1, {}, {}, 0, Exit});
        row("exit, question not loaded: loads it", {Exit, 5, 0, NotLoaded, Hidden, 1, {}, {}, 0, Left});
        row("exit, options not loaded: opens the question", {Exit, 5, 0, Hidden, NotLoaded, 1, {}, {Exit}, 0, Left});
        row("options opens options", {Options, 5, 0, Hidden, Hidden, 1, {}, {Options}, 0, Left});
        row("options, options shown: only sounds", {Options, 5, 0, Hidden, Shown, 1, {}, {}, 0, Options});
        row("help, options not loaded: lost", {Help, 5, 0, Hidden, NotLoaded, 1, {}, {}, 0, Left});
        row("help, options shown, beep 2: opens help silently", {Help, 5, 0, Hidden, Shown, 2, {}, {Help}, -1, Left});
    }

    void restInToolbar()
    {
        QFETCH(Rest, r);
        settings::Settings.dwellTenths = static_cast<std::int16_t>(r.dwell);
        settings::Settings.beep = static_cast<std::int16_t>(r.beep);
        ClickMode = static_cast<std::int16_t>(r.mode);
        win->exitQuestion = r.exitQuestion;
        win->options = r.options;
        stay(r.x, 300, 1 + 40);
        QCOMPARE(flags(), r.events);
        for (const auto& event : sys->events)
            QCOMPARE(event.sample, 1 + r.dwell);
        QCOMPARE(win->commands, r.commands);
        QList<int> soundsAfter; // button events injected before each sound
        for (const auto& sound : sys->sounds)
            soundsAfter.append(static_cast<int>(sound.afterEvents));
        QCOMPARE(soundsAfter, r.soundAfter < 0 ? QList<int>() : QList<int> {r.soundAfter});
        QCOMPARE(int {ClickMode}, r.finalMode);
        QCOMPARE(int {Clicked}, 1); // one click or press, and no more, per rest
        QCOMPARE(int {DragState}, r.mode == Drag ? 1 : 0);
        QCOMPARE(win->toolbar, QList<int>(r.x == 0 ? 41 : 0, Show));
        QVERIFY(win->exitQuestion != NotLoaded && win->options != NotLoaded); // every press loads both
    }

    void dragAcrossModes_data()
    {
        QTest::addColumn<QList<int>>("modes"); // the click mode of each successive rest
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<int>("held");
        QTest::newRow("press, release, press") << QList<int> {Drag, Drag, Drag} << QList<int> {Ld, Lu, Ld} << 1;
        QTest::newRow("held through a pause and other clicks until the next drag dwell")
            << QList<int> {Drag, Pause, Left, Right, Drag} << QList<int> {Ld, Ld, Lu, Rd, Ru, Lu} << 0;
    }

    void dragAcrossModes()
    {
        QFETCH(QList<int>, modes);
        QFETCH(QList<int>, events);
        QFETCH(int, held);
        for (int i = 0; i < modes.size(); ++i) {
            ClickMode = static_cast<std::int16_t>(modes[i]);
            stay(kAwayX + 100L * i, kAwayY, 1 + 5);
        }
        QCOMPARE(flags(), events);
        QCOMPARE(int {DragState}, held);
        ReleaseHeldButton(); // releases only a held button, once
        ReleaseHeldButton();
        QCOMPARE(flags(), events + (held ? QList<int> {Lu} : QList<int>()));
        QCOMPARE(int {DragState}, 0);
    }

    void toolbarEdges_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<long>("x");
        QTest::addColumn<long>("y");
        QTest::addColumn<int>("effect");
        QTest::newRow("x 0 below a fractional top shows") << 164.5 << 0L << 165L << Show;
        QTest::newRow("x 0 above a fractional top hides") << 164.5 << 0L << 164L << Hide;
        QTest::newRow("x 0 on a whole bottom edge: nothing") << 164.5 << 0L << 465L << Nothing;
        QTest::newRow("x 0 on a whole top edge: nothing") << 100.0 << 0L << 100L << Nothing;
        QTest::newRow("x 0 above a fractional bottom shows") << 100.0 << 0L << 400L << Show;
        QTest::newRow("x 0 below a fractional bottom hides") << 100.0 << 0L << 401L << Hide;
        QTest::newRow("x 45 inside: nothing") << 164.5 << 45L << 300L << Nothing;
        QTest::newRow("x 46 hides") << 164.5 << 46L << 300L << Hide;
        QTest::newRow("x -1 inside: nothing") << 164.5 << -1L << 300L << Nothing;
    }

    void toolbarEdges()
    {
        QFETCH(double, top);
        QFETCH(long, x);
        QFETCH(long, y);
        QFETCH(int, effect);
        win->top = top;
        PrevMode = ClickMode;
        stay(x, y, 3); // a move, then two resting ticks
        QCOMPARE(win->toolbar, QList<int>(effect == Nothing ? 0 : 3, effect));
        QCOMPARE(int {HoverTicks}, effect == Hide ? 1 : 2); // zeroed by each hide before the hover step adds one
    }

    void hoverCountRestarts_data()
    {
        QTest::addColumn<int>("firstMode");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("pressAt"); // ticks in exit mode up to the press
        QTest::newRow("moving on the toolbar restarts it") << Exit << 5 << 16;
        QTest::newRow("changing mode while resting restarts it") << Left << 0 << 16;
        QTest::newRow("a pause between two exit rests does not") << Pause << 0 << 15;
    }

    void hoverCountRestarts()
    {
        QFETCH(int, firstMode);
        QFETCH(int, dy);
        QFETCH(int, pressAt);
        settings::Settings.dwellTenths = 50;
        PrevMode = ModeExit; // the mode of the hover step before this rest
        ClickMode = static_cast<std::int16_t>(firstMode);
        stay(0, 300, 1 + 10);
        ClickMode = ModeExit;
        stay(0, 300 + dy, pressAt - 1);
        QVERIFY(win->commands.isEmpty());
        stay(0, 300 + dy, 1);
        QCOMPARE(win->commands, QList<int> {Exit});
    }

    void helpPressRepeatsOnEachRest()
    {
        settings::Settings.dwellTenths = 20;
        for (int rest = 1; rest <= 3; ++rest) {
            ClickMode = ModeHelp; // the pointer comes back over the help button
            stay(0, 300 + 10 * rest, 1 + 40);
            QCOMPARE(win->commands, QList<int>(rest, Help));
        }
        QVERIFY(sys->events.empty());
    }

    void store16Bit_data()
    {
        QTest::addColumn<long>("x");
        QTest::addColumn<long>("y");
        QTest::addColumn<int>("lastX"); // both were 100
        QTest::addColumn<int>("lastY");
        QTest::newRow("largest x, y one beyond") << 32767L << 32768L << 32767 << 100;
        QTest::newRow("x one beyond, largest y") << 32768L << 32767L << 100 << 32767;
        QTest::newRow("smallest x, y one below") << -32768L << -32769L << -32768 << 100;
        QTest::newRow("x one below, smallest y") << -32769L << -32768L << 100 << -32768;
    }

    void store16Bit()
    {
        QFETCH(long, x);
        QFETCH(long, y);
        QFETCH(int, lastX);
        QFETCH(int, lastY);
        LastX = 100;
        LastY = 100;
        stay(x, y, 1);
        QCOMPARE(int {LastX}, lastX);
        QCOMPARE(int {LastY}, lastY);
    }

private:
    // Holds the pointer at (x, y) for some ticks; the first is a move when (x, y) is new.
    void stay(long x, long y, int ticks)
    {
        sys->movePointer(x, y);
        for (int i = 0; i < ticks; ++i)
            Timer1_Timer();
    }
    QList<int> flags() const
    {
        QList<int> out;
        for (const auto& event : sys->events)
            out.append(static_cast<int>(event.flags));
        return out;
    }

    std::unique_ptr<platform::FakePlatform> sys;
    std::unique_ptr<Fakes> win;
};

QTEST_GUILESS_MAIN(TestDwellTick)
#include "TestDwellTick.moc"
