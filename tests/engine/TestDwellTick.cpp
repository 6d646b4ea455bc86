#include "engine/Engine.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <QTest>

#include <memory>

namespace {

constexpr int kExit = engine::ModeExit;
constexpr int kPause = engine::ModePause;
constexpr int kDouble = engine::ModeDoubleClick;
constexpr int kLeft = engine::ModeLeftClick;
constexpr int kDrag = engine::ModeDrag;
constexpr int kRight = engine::ModeRightClick;
constexpr int kMiddle = engine::ModeMiddleClick;
constexpr int kOptions = engine::ModeOptions;
constexpr int kHelp = engine::ModeHelp;

constexpr int Ld = platform::LeftDown;
constexpr int Lu = platform::LeftUp;
constexpr int Rd = platform::RightDown;
constexpr int Ru = platform::RightUp;
constexpr int Md = platform::MiddleDown;
constexpr int Mu = platform::MiddleUp;

constexpr long kAwayX = 500; // right of the toolbar, so every tick there hides it
constexpr long kAwayY = 300;

enum DialogState { Hidden, Shown, NotLoaded };

struct FakeDialog
{
    bool loaded = true;
    bool visible = false;
    std::int16_t savedMode = -1;

    void set(int state)
    {
        loaded = state != NotLoaded;
        visible = state == Shown;
    }
};

// The toolbar and its two dialogs, with the side effects the real ones have on the engine state.
class FakeWindows : public engine::EngineWindows
{
public:
    double top = 164.5;
    double height = 359;
    bool visible = false;
    int shows = 0;
    int hides = 0;
    FakeDialog exitQuestion;
    FakeDialog options;
    QList<int> commands;

    double toolbarTop() override { return top; }
    double toolbarHeight() override { return height; }
    double toolbarWidth() override { return 45; }
    bool toolbarVisible() override { return visible; }
    void showToolbar() override
    {
        ++shows;
        visible = true;
    }
    void hideToolbar() override
    {
        ++hides;
        visible = false;
    }
    bool exitQuestionVisible() override { return ask(exitQuestion); }
    bool optionsVisible() override { return ask(options); }
    void Image1_Click(std::int16_t index) override
    {
        commands.append(index);
        if (index == kExit || index == kOptions || index == kHelp) {
            engine::ClickMode = engine::ModeLeftClick;
            engine::DwellTicks = 0;
        }
    }

private:
    // Asking loads a dialog that is not loaded; its load step saves the mode and forces left click.
    static bool ask(FakeDialog& dialog)
    {
        if (!dialog.loaded) {
            dialog.loaded = true;
            dialog.savedMode = engine::ClickMode;
            engine::ClickMode = engine::ModeLeftClick;
        }
        return dialog.visible;
    }
};

// Notes, for each sound, how many button events and pointer samples preceded it.
class FakeSounds : public engine::Sounds
{
public:
    explicit FakeSounds(const platform::FakePlatform& system)
        : m_system(system)
    { }
    void Suona() override
    {
        afterEvents.append(static_cast<int>(m_system.events.size()));
        atSample.append(m_system.samples);
    }
    void SuonaSelezione() override { }

    QList<int> afterEvents;
    QList<int> atSample;

private:
    const platform::FakePlatform& m_system;
};

std::int16_t I16(long value) { return static_cast<std::int16_t>(value); }

} // namespace

class TestDwellTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_system = std::make_unique<platform::FakePlatform>();
        platform::Install(m_system.get());
        m_windows = std::make_unique<FakeWindows>();
        m_sounds = std::make_unique<FakeSounds>(*m_system);
        engine::Attach(m_windows.get(), m_sounds.get());
        engine::ResetState();
        engine::ClickMode = engine::ModeLeftClick; // start-up loads both dialogs, which leaves left click
        settings::Settings = {};
        settings::Settings.tolerance = 2;
        settings::Settings.dwellTenths = 5;
    }

    void cleanup()
    {
        engine::Attach(nullptr, nullptr);
        platform::Install(nullptr);
    }

    void restBoundary_data()
    {
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("rests");
        QTest::newRow("tolerance 0, 1 px right rests") << 0 << 1 << 0 << true;
        QTest::newRow("tolerance 0, 1 px both axes rests") << 0 << -1 << 1 << true;
        QTest::newRow("tolerance 0, 2 px right moves") << 0 << 2 << 0 << false;
        QTest::newRow("tolerance 0, 2 px up moves") << 0 << 0 << -2 << false;
        QTest::newRow("tolerance 2, 3 px left rests") << 2 << -3 << 0 << true;
        QTest::newRow("tolerance 2, 3 px down rests") << 2 << 0 << 3 << true;
        QTest::newRow("tolerance 2, 4 px left moves") << 2 << -4 << 0 << false;
        QTest::newRow("tolerance 2, 4 px down moves") << 2 << 0 << 4 << false;
        QTest::newRow("tolerance 10, 11 px both axes rests") << 10 << 11 << -11 << true;
        QTest::newRow("tolerance 10, 12 px right moves") << 10 << 12 << 0 << false;
        QTest::newRow("tolerance 10, 12 px up moves") << 10 << 0 << -12 << false;
        QTest::newRow("tolerance 25, 26 px rests") << 25 << 26 << 26 << true;
        QTest::newRow("tolerance 25, 27 px moves") << 25 << 0 << 27 << false;
    }

    void restBoundary()
    {
        QFETCH(int, tolerance);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, rests);
        settings::Settings.tolerance = I16(tolerance);
        settings::Settings.dwellTenths = 50;
        stay(kAwayX, kAwayY, 1);
        engine::Clicked = 1;
        stay(kAwayX + dx, kAwayY + dy, 1);
        QCOMPARE(int {engine::DwellTicks}, rests ? 1 : 0);
        QCOMPARE(int {engine::Clicked}, rests ? 1 : 0); // a move re-arms the click
    }

    void dwellCount_data()
    {
        QTest::addColumn<QByteArray>("file"); // the settings file's tolerance and dwell lines, used as read
        QTest::addColumn<int>("startCount");
        QTest::addColumn<int>("step"); // pixels of drift per tick in each axis
        QTest::addColumn<int>("clickAfter"); // resting ticks to the only click, -1 for none
        QTest::addColumn<int>("finalCount"); // after 250 ticks
        const auto row = [](const char* name, const char* file, int start, int step, int after, int final) {
            QTest::newRow(name) << QByteArray(file) << start << step << after << final;
        };
        row("dwell 5 from 0", "2\r\n5\r\n", 0, 0, 5, 0);
        row("dwell 5 from 3", "2\r\n5\r\n", 3, 0, 2, 3);
        row("dwell 5 from 4", "2\r\n5\r\n", 4, 0, 1, 4);
        row("dwell 2 from 1", "2\r\n2\r\n", 1, 0, 1, 1);
        row("dwell 20 from 0", "2\r\n20\r\n", 0, 0, 20, 10);
        row("dwell 20 from 19", "2\r\n20\r\n", 19, 0, 1, 9);
        row("dwell 99 from 0", "2\r\n99\r\n", 0, 0, 99, 52);
        row("dwell 99 from 50", "2\r\n99\r\n", 50, 0, 49, 3);
        row("dwell -3 clicks at once", "2\r\n-3\r\n", 0, 0, 1, 0);
        row("tolerance 0 drifting 1 px", "0\r\n5\r\n", 0, 1, 5, 0);
        row("tolerance 10 drifting 11 px", "10\r\n7\r\n", 2, 11, 5, 0);
        row("tolerance 25 drifting 26 px", "25\r\n4\r\n", 0, 26, 4, 2);
        row("tolerance 2 drifting 4 px never rests", "2\r\n5\r\n", 3, 4, -1, 3);
    }

    void dwellCount()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, startCount);
        QFETCH(int, step);
        QFETCH(int, clickAfter);
        QFETCH(int, finalCount);
        settings::ParseSettings(file.toStdString(), settings::Settings);
        engine::DwellTicks = I16(startCount);
        stay(kAwayX, kAwayY, 1);
        std::vector<platform::Point> path;
        for (long i = 1; i <= 250; ++i)
            path.push_back({kAwayX + i * step, kAwayY - i * step});
        m_system->scriptPointer(path);
        for (int i = 0; i < 250; ++i)
            engine::Timer1_Timer();

        QCOMPARE(flags(), (clickAfter < 0 ? QList<int>() : QList<int> {Ld, Lu}));
        for (const auto& event : m_system->events) {
            QCOMPARE(event.sample, 1 + clickAfter);
            QCOMPARE(event.at.x, kAwayX + clickAfter * step);
            QCOMPARE(event.at.y, kAwayY - clickAfter * step);
        }
        QCOMPARE(int {engine::DwellTicks}, finalCount);
    }

    void pauseFreezes_data()
    {
        QTest::addColumn<long>("x");
        QTest::newRow("away from the toolbar") << kAwayX;
        QTest::newRow("on the toolbar") << 0L;
    }

    void pauseFreezes()
    {
        QFETCH(long, x);
        settings::Settings.beep = 1;
        engine::ClickMode = engine::ModePause;
        engine::DwellTicks = 3;
        engine::HoverTicks = 7;
        engine::Clicked = 1;
        stay(x, kAwayY, 40);
        QVERIFY(m_system->events.empty());
        QVERIFY(m_windows->commands.isEmpty());
        QVERIFY(m_sounds->atSample.isEmpty());
        QCOMPARE(int {engine::Clicked}, 0);
        QCOMPARE(int {engine::HoverTicks}, 0);
        QCOMPARE(int {engine::DwellTicks}, 3);
    }

    void clickModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("beep");
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<int>("soundAfter"); // button events before the sound; -1 for silence
        QTest::newRow("double, hidden") << kDouble << false << 1 << QList<int> {Ld, Lu, Ld, Lu} << 4;
        QTest::newRow("left, hidden") << kLeft << false << 1 << QList<int> {Ld, Lu} << 2;
        QTest::newRow("drag, hidden") << kDrag << false << 1 << QList<int> {Ld} << 1;
        QTest::newRow("right, hidden") << kRight << false << 1 << QList<int> {Rd, Ru} << 2;
        QTest::newRow("middle, hidden") << kMiddle << false << 1 << QList<int> {Md, Mu} << 2;
        QTest::newRow("exit injects nothing") << kExit << false << 1 << QList<int>() << -1;
        QTest::newRow("options injects nothing") << kOptions << false << 1 << QList<int>() << -1;
        QTest::newRow("help injects nothing") << kHelp << false << 1 << QList<int>() << -1;
        QTest::newRow("double, visible: silent") << kDouble << true << 1 << QList<int> {Ld, Lu, Ld, Lu} << -1;
        QTest::newRow("left, visible: silent") << kLeft << true << 1 << QList<int> {Ld, Lu} << -1;
        QTest::newRow("drag, visible: silent") << kDrag << true << 1 << QList<int> {Ld} << -1;
        QTest::newRow("left, hidden, beep 0: silent") << kLeft << false << 0 << QList<int> {Ld, Lu} << -1;
        QTest::newRow("left, hidden, beep 2: silent") << kLeft << false << 2 << QList<int> {Ld, Lu} << -1;
    }

    void clickModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, visible);
        QFETCH(int, beep);
        QFETCH(QList<int>, events);
        QFETCH(int, soundAfter);
        settings::Settings.beep = I16(beep);
        engine::ClickMode = I16(mode);
        m_windows->visible = visible;
        stay(20, 300, 1 + 5); // inside the toolbar's rectangle, where its visibility stays as it is
        QCOMPARE(flags(), events);
        for (const auto& event : m_system->events)
            QCOMPARE(event.sample, 6);
        QCOMPARE(m_sounds->afterEvents, soundAfter < 0 ? QList<int>() : QList<int> {soundAfter});
        QCOMPARE(int {engine::Clicked}, events.isEmpty() ? 0 : 1);
        QCOMPARE(int {engine::DragState}, mode == kDrag ? 1 : 0);
        QVERIFY(m_windows->commands.isEmpty());
    }

    void dragAcrossModes_data()
    {
        QTest::addColumn<QList<int>>("modes"); // the click mode of each successive rest
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<int>("held");
        QTest::newRow("press, release, press") << QList<int> {kDrag, kDrag, kDrag} << QList<int> {Ld, Lu, Ld} << 1;
        QTest::newRow("left click while held does not release")
            << QList<int> {kDrag, kLeft} << QList<int> {Ld, Ld, Lu} << 1;
        QTest::newRow("next drag dwell releases")
            << QList<int> {kDrag, kLeft, kRight, kDrag} << QList<int> {Ld, Ld, Lu, Rd, Ru, Lu} << 0;
        QTest::newRow("pause while held keeps it") << QList<int> {kDrag, kPause, kDrag} << QList<int> {Ld, Lu} << 0;
    }

    void dragAcrossModes()
    {
        QFETCH(QList<int>, modes);
        QFETCH(QList<int>, events);
        QFETCH(int, held);
        for (int i = 0; i < modes.size(); ++i) {
            engine::ClickMode = I16(modes[i]);
            stay(kAwayX + 100 * i, kAwayY, 1 + 5);
        }
        QCOMPARE(flags(), events);
        QCOMPARE(int {engine::DragState}, held);
        engine::ReleaseHeldButton(); // releases only a held button, once
        engine::ReleaseHeldButton();
        QCOMPARE(flags(), events + (held ? QList<int> {Lu} : QList<int>()));
        QCOMPARE(int {engine::DragState}, 0);
    }

    void toolbarEdges_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("height");
        QTest::addColumn<long>("x");
        QTest::addColumn<long>("y");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("hidden");
        // The toolbar is 45 px wide; the first rows have fractional edges.
        QTest::newRow("x 0 inside shows") << 164.5 << 359.0 << 0L << 300L << true << false;
        QTest::newRow("x 0 below a fractional top shows") << 164.5 << 359.0 << 0L << 165L << true << false;
        QTest::newRow("x 0 above a fractional bottom shows") << 164.5 << 359.0 << 0L << 523L << true << false;
        QTest::newRow("x 0 above a fractional top hides") << 164.5 << 359.0 << 0L << 164L << false << true;
        QTest::newRow("x 0 below a fractional bottom hides") << 164.5 << 359.0 << 0L << 524L << false << true;
        QTest::newRow("x 0 on the top edge changes nothing") << 100.0 << 300.0 << 0L << 100L << false << false;
        QTest::newRow("x 0 on the bottom edge changes nothing") << 100.0 << 300.0 << 0L << 400L << false << false;
        QTest::newRow("x 0 one above the top hides") << 100.0 << 300.0 << 0L << 99L << false << true;
        QTest::newRow("x 0 one below the bottom hides") << 100.0 << 300.0 << 0L << 401L << false << true;
        QTest::newRow("x 1 inside changes nothing") << 164.5 << 359.0 << 1L << 300L << false << false;
        QTest::newRow("x 45 inside changes nothing") << 164.5 << 359.0 << 45L << 300L << false << false;
        QTest::newRow("x 45 on the bottom edge changes nothing") << 100.0 << 300.0 << 45L << 400L << false << false;
        QTest::newRow("x 46 hides") << 164.5 << 359.0 << 46L << 300L << false << true;
        QTest::newRow("x -1 inside changes nothing") << 164.5 << 359.0 << -1L << 300L << false << false;
    }

    void toolbarEdges()
    {
        QFETCH(double, top);
        QFETCH(double, height);
        QFETCH(long, x);
        QFETCH(long, y);
        QFETCH(bool, shown);
        QFETCH(bool, hidden);
        m_windows->top = top;
        m_windows->height = height;
        settings::Settings.dwellTenths = 50;
        engine::LastX = I16(x);
        engine::LastY = I16(y);
        engine::PrevMode = engine::ClickMode;
        engine::HoverTicks = 5;
        stay(x, y, 3);
        QCOMPARE(m_windows->shows, shown ? 3 : 0);
        QCOMPARE(m_windows->hides, hidden ? 3 : 0);
        QCOMPARE(int {engine::HoverTicks}, hidden ? 1 : 8); // zeroed by each hide before the hover step adds one
    }

    void hoverPress_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("dwell");
        QTest::addColumn<int>("startCount");
        QTest::addColumn<long>("x"); // 0 shows the toolbar; 20 leaves it hidden
        QTest::addColumn<int>("exitQuestion");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("beep");
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<QList<int>>("commands");
        QTest::addColumn<QList<int>>("sounds"); // samples at which Suona ran
        QTest::addColumn<int>("finalMode");
        const QList<int> none;
        const QList<int> press {16}; // the move, then 15 resting ticks
        const auto row
            = [](const char* name, int mode, int dwell, int start, long x, int exitQuestion, int options, int beep,
                  const QList<int>& events, const QList<int>& commands, const QList<int>& sounds, int finalMode) {
                  QTest::newRow(name) << mode << dwell << start << x << exitQuestion << options << beep << events
                                      << commands << sounds << finalMode;
              };
        row("left, dwell 5: click wins", kLeft, 5, 0, 0, Hidden, Hidden, 1, {Ld, Lu}, none, none, kLeft);
        row("right, dwell 14: click wins", kRight, 14, 0, 0, Hidden, Hidden, 1, {Rd, Ru}, none, none, kRight);
        row("left, dwell 15: press wins", kLeft, 15, 0, 0, Hidden, Hidden, 1, none, none, press, kLeft);
        row("right, dwell 20 from 10: click wins", kRight, 20, 10, 0, Hidden, Hidden, 1, {Rd, Ru}, none, none, kRight);
        row("middle, dwell 20 from 0: press wins", kMiddle, 20, 0, 0, Hidden, Hidden, 1, none, none, press, kMiddle);
        row("exit, dwell 5: opens the question", kExit, 5, 0, 0, Hidden, Hidden, 1, none, {kExit}, press, kLeft);
        row("options, dwell 2: opens options", kOptions, 2, 0, 0, Hidden, Hidden, 1, none, {kOptions}, press, kLeft);
        row("help, dwell 20: opens help", kHelp, 20, 0, 0, Hidden, Hidden, 1, none, {kHelp}, press, kLeft);
        row("exit, toolbar hidden: opens, sounds", kExit, 5, 0, 20, Hidden, Hidden, 1, none, {kExit}, press, kLeft);
        row("exit, question visible: only sounds", kExit, 5, 0, 0, Shown, Hidden, 1, none, none, press, kExit);
        row("exit, question not loaded: loads it", kExit, 5, 0, 0, NotLoaded, Hidden, 1, none, none, press, kLeft);
        row("exit, options not loaded: opens", kExit, 5, 0, 0, Hidden, NotLoaded, 1, none, {kExit}, press, kLeft);
        row("options, options visible: only sounds", kOptions, 5, 0, 0, Hidden, Shown, 1, none, none, press, kOptions);
        row("options, question not loaded: lost", kOptions, 5, 0, 0, NotLoaded, Hidden, 1, none, none, press, kLeft);
        row("help, options not loaded: lost", kHelp, 5, 0, 0, Hidden, NotLoaded, 1, none, none, press, kLeft);
        row("help, beep 0: silent press", kHelp, 5, 0, 0, Hidden, Hidden, 0, none, {kHelp}, none, kLeft);
    }

    void hoverPress()
    {
        QFETCH(int, mode);
        QFETCH(int, dwell);
        QFETCH(int, startCount);
        QFETCH(long, x);
        QFETCH(int, exitQuestion);
        QFETCH(int, options);
        QFETCH(int, beep);
        QFETCH(QList<int>, events);
        QFETCH(QList<int>, commands);
        QFETCH(QList<int>, sounds);
        QFETCH(int, finalMode);
        settings::Settings.dwellTenths = I16(dwell);
        settings::Settings.beep = I16(beep);
        engine::DwellTicks = I16(startCount);
        engine::ClickMode = I16(mode);
        m_windows->exitQuestion.set(exitQuestion);
        m_windows->options.set(options);
        stay(x, 300, 1 + 40);
        QCOMPARE(flags(), events);
        QCOMPARE(m_windows->commands, commands);
        QCOMPARE(m_sounds->atSample, sounds);
        QCOMPARE(int {engine::ClickMode}, finalMode);
        QCOMPARE(m_windows->shows, x == 0 ? 41 : 0);
        QVERIFY(m_windows->exitQuestion.loaded && m_windows->options.loaded); // every press loads both
    }

    void hoverCountRestarts_data()
    {
        QTest::addColumn<int>("firstMode");
        QTest::addColumn<int>("dy");
        QTest::newRow("moving on the toolbar") << kExit << 5;
        QTest::newRow("changing mode while resting") << kLeft << 0;
    }

    void hoverCountRestarts()
    {
        QFETCH(int, firstMode);
        QFETCH(int, dy);
        settings::Settings.dwellTenths = 50;
        engine::ClickMode = I16(firstMode);
        stay(0, 300, 1 + 10);
        engine::ClickMode = engine::ModeExit;
        stay(0, 300 + dy, 15);
        QVERIFY(m_windows->commands.isEmpty());
        stay(0, 300 + dy, 1);
        QCOMPARE(m_windows->commands, QList<int> {kExit});
    }

    void helpPressRepeatsOnEachRest()
    {
        settings::Settings.dwellTenths = 20;
        for (int rest = 1; rest <= 3; ++rest) {
            engine::ClickMode = engine::ModeHelp; // the pointer comes back over the help button
            stay(0, 300 + 10 * rest, 1 + 40);
            QCOMPARE(m_windows->commands, QList<int>(rest, kHelp));
        }
        QVERIFY(m_system->events.empty());
    }

    void store16Bit_data()
    {
        QTest::addColumn<long>("x");
        QTest::addColumn<long>("y");
        QTest::addColumn<int>("lastX");
        QTest::addColumn<int>("lastY");
        QTest::newRow("largest x stored") << 32767L << 200L << 32767 << 200;
        QTest::newRow("x one beyond keeps the old value") << 32768L << 200L << 100 << 200;
        QTest::newRow("smallest x stored") << -32768L << 200L << -32768 << 200;
        QTest::newRow("x one below keeps the old value") << -32769L << 200L << 100 << 200;
        QTest::newRow("y beyond keeps the old value") << 200L << 40000L << 200 << 100;
        QTest::newRow("both beyond keep the old values") << 99999L << -99999L << 100 << 100;
    }

    void store16Bit()
    {
        QFETCH(long, x);
        QFETCH(long, y);
        QFETCH(int, lastX);
        QFETCH(int, lastY);
        engine::LastX = 100;
        engine::LastY = 100;
        stay(x, y, 1);
        QCOMPARE(int {engine::LastX}, lastX);
        QCOMPARE(int {engine::LastY}, lastY);
    }

private:
    // Holds the pointer at (x, y) for some ticks; the first is a move when (x, y) is new.
    void stay(long x, long y, int ticks)
    {
        m_system->movePointer(x, y);
        for (int i = 0; i < ticks; ++i)
            engine::Timer1_Timer();
    }
    QList<int> flags() const
    {
        QList<int> out;
        for (const auto& event : m_system->events)
            out.append(static_cast<int>(event.flags));
        return out;
    }

    std::unique_ptr<platform::FakePlatform> m_system;
    std::unique_ptr<FakeWindows> m_windows;
    std::unique_ptr<FakeSounds> m_sounds;
};

QTEST_GUILESS_MAIN(TestDwellTick)
#include "TestDwellTick.moc"
