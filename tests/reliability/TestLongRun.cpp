// A simulated day: 864,000 ticks of the dwell timer (24 hours at 100 ms) over scripted pointer paths in
// every click mode, against a platform that checks each injected event as it comes instead of keeping it.
// After a warm-up hour nothing may be allocated for good, and the counters never leave their ranges.
#include "engine/Engine.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <QTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <unistd.h>

// Live heap blocks of the whole process: a tick that keeps memory would show here before it shows
// in the resident size.
namespace {
std::atomic<long> g_liveBlocks {0};
}

void* operator new(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    ++g_liveBlocks;
    return block;
}

void operator delete(void* block) noexcept
{
    if (block != nullptr)
        --g_liveBlocks;
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

using engine::ClickMode;
using platform::Point;

constexpr long kTicksPerHour = 36'000;
constexpr double kToolbarTop = 164.5;
constexpr double kToolbarHeight = 359;
constexpr double kToolbarWidth = 45;

// Resident memory that no file backs: the heap, the stacks. Code pages touched late would blur it.
long AnonymousResidentKiB()
{
    long pages = 0;
    long resident = 0;
    long shared = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld %ld", &pages, &resident, &shared) != 3)
            resident = shared = 0;
        std::fclose(statm);
    }
    return (resident - shared) * (sysconf(_SC_PAGESIZE) / 1024);
}

// xorshift: the same day every run.
struct Random
{
    std::uint64_t state;
    std::uint64_t next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    long between(long low, long high)
    {
        return low + static_cast<long>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
};

class Windows : public engine::EngineWindows
{
public:
    double toolbarTop() override { return kToolbarTop; }
    double toolbarHeight() override { return kToolbarHeight; }
    double toolbarWidth() override { return kToolbarWidth; }
    bool toolbarVisible() override { return visible; }
    void showToolbar() override { visible = true; }
    void hideToolbar() override { visible = false; }
    bool exitQuestionVisible() override { return false; }
    bool optionsVisible() override { return false; }
    void Image1_Click(std::int16_t) override
    {
        // The dialogs and the help page leave the engine in left click, as the toolbar does.
        ++commands;
        ClickMode = engine::ModeLeftClick;
        engine::DwellTicks = 0;
    }
    bool visible = false;
    long commands = 0;
};

// Checks each button event against the ones before it; keeps counts only.
class CheckingPlatform : public platform::FakePlatform
{
public:
    Point cursorPos() override { return pointer; }
    void mouseEvent(std::uint32_t flags) override
    {
        const int button = flags == platform::LeftDown || flags == platform::LeftUp ? 0
            : flags == platform::RightDown || flags == platform::RightUp            ? 1
                                                                                    : 2;
        const bool press = flags == platform::LeftDown || flags == platform::RightDown || flags == platform::MiddleDown;
        if (down[button] == press)
            ++faults; // a second press without release, or a release of a button that is up
        down[button] = press;
        tickEvents[tickEventCount++ % 4] = flags;
        ++events;
    }
    bool playSound(const std::string&) override
    {
        ++sounds;
        return true;
    }
    bool isNormalFile(const std::string&) override { return true; }

    bool down[3] = {false, false, false};
    std::uint32_t tickEvents[4] = {};
    int tickEventCount = 0;
    long events = 0;
    long faults = 0;
    long sounds = 0;
};

} // namespace

class TestLongRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void day_data();
    void day();
};

void TestLongRun::day_data()
{
    QTest::addColumn<int>("tolerance"); // -1: a new tolerance and dwell time every hour, as the options give
    QTest::addColumn<int>("dwellTenths");
    QTest::addColumn<int>("beep");
    QTest::newRow("defaults, silent") << 2 << 5 << 0;
    QTest::newRow("tightest: tolerance 0, dwell 2, beep") << 0 << 2 << 1;
    QTest::newRow("loosest: tolerance 10, dwell 20") << 10 << 20 << 0;
    QTest::newRow("options changed every hour, beep") << -1 << -1 << 1;
}

void TestLongRun::day()
{
    QFETCH(int, tolerance);
    QFETCH(int, dwellTenths);
    QFETCH(int, beep);
    const long ticks = qEnvironmentVariableIsSet("DIMORO_LONG_RUN_TICKS")
        ? qEnvironmentVariableIntValue("DIMORO_LONG_RUN_TICKS")
        : 24 * kTicksPerHour;

    CheckingPlatform os;
    Windows windows;
    platform::Install(&os);
    engine::Attach(&windows);
    engine::ResetState();
    Random random {0x9E3779B97F4A7C15ULL};
    settings::Settings.beep = static_cast<std::int16_t>(beep);
    const auto setTiming = [&] {
        settings::Settings.tolerance = static_cast<std::int16_t>(tolerance >= 0 ? tolerance : random.between(0, 10));
        settings::Settings.dwellTenths
            = static_cast<std::int16_t>(dwellTenths >= 0 ? dwellTenths : random.between(2, 20));
        engine::DwellTicks = 0;
        engine::HoverTicks = 0;
    };
    setTiming();

    long tick = 0;
    long clicks = 0;
    long restsMissed = 0;
    long restsDoubled = 0;
    long rangeFaults = 0;
    long shapeFaults = 0;
    long warmBlocks = 0;
    long warmKiB = 0;
    long rests = 0;

    // One tick; returns the number of dwell clicks it made (0 or 1) and checks what it injected.
    const auto step = [&]() -> int {
        os.tickEventCount = 0;
        const bool dragHeld = engine::DragState == 1;
        const std::int16_t mode = ClickMode;
        engine::Timer1_Timer();
        ++tick;
        if (tick == kTicksPerHour) {
            warmBlocks = g_liveBlocks;
            warmKiB = AnonymousResidentKiB();
        }
        using engine::DwellTicks, engine::HoverTicks;
        if (DwellTicks < 0 || DwellTicks >= settings::Settings.dwellTenths || HoverTicks < 0
            || HoverTicks >= engine::kHoverPressTicks || (engine::Clicked != 0 && engine::Clicked != 1)
            || (engine::DragState != 0 && engine::DragState != 1) || ClickMode < 0 || ClickMode > 8
            || os.down[0] != (engine::DragState == 1))
            ++rangeFaults;
        if (os.tickEventCount == 0)
            return 0;
        const std::uint32_t* e = os.tickEvents;
        bool shaped = false;
        switch (mode) {
        case engine::ModeDoubleClick:
            shaped = os.tickEventCount == 4 && e[0] == platform::LeftDown && e[1] == platform::LeftUp
                && e[2] == platform::LeftDown && e[3] == platform::LeftUp;
            break;
        case engine::ModeLeftClick:
            shaped = os.tickEventCount == 2 && e[0] == platform::LeftDown && e[1] == platform::LeftUp;
            break;
        case engine::ModeDrag:
            shaped = os.tickEventCount == 1 && e[0] == (dragHeld ? platform::LeftUp : platform::LeftDown);
            break;
        case engine::ModeRightClick:
            shaped = os.tickEventCount == 2 && e[0] == platform::RightDown && e[1] == platform::RightUp;
            break;
        case engine::ModeMiddleClick:
            shaped = os.tickEventCount == 2 && e[0] == platform::MiddleDown && e[1] == platform::MiddleUp;
            break;
        default:
            break; // pause and the commands never inject
        }
        if (!shaped)
            ++shapeFaults;
        ++clicks;
        return 1;
    };

    long hour = 0;
    while (tick < ticks) {
        // The options dialog's OK, once an hour, between two pointer paths.
        if (tolerance < 0 && tick / kTicksPerHour != hour) {
            hour = tick / kTicksPerHour;
            setTiming();
        }
        const long kind = random.between(0, 9);
        // The toolbar's own choice of mode, as moving over its buttons makes it; pause and the commands too.
        // Leaving drag mode with the button held keeps it held until drag mode's next rest; the script
        // changes modes only with the button up, so that each event can be checked against its mode.
        if (random.between(0, 3) == 0 && engine::DragState == 0)
            ClickMode = static_cast<std::int16_t>(random.between(0, 8));
        const long reach = settings::Settings.tolerance + 1; // the largest move that is still a rest
        if (kind <= 5) {
            // A rest away from the toolbar, still or drifting within the tolerance, long enough to click.
            // Far enough from the last sample that its first tick is a move, which ends the previous rest.
            Point at;
            do
                at = {random.between(100, 1000), random.between(20, 740)};
            while (std::labs(at.x - engine::LastX) <= reach && std::labs(at.y - engine::LastY) <= reach);
            os.pointer = at;
            const std::int16_t mode = ClickMode;
            int made = step();
            const long length = settings::Settings.dwellTenths + random.between(0, 30);
            const long drift = random.between(0, 1) * reach;
            for (long i = 0; i < length; ++i) {
                os.pointer = {at.x + (i % 2 ? drift : 0), at.y + (i % 4 < 2 ? 0 : drift)};
                made += step();
            }
            const bool clicking = mode >= engine::ModeDoubleClick && mode <= engine::ModeMiddleClick;
            ++rests;
            if (clicking && made == 0)
                ++restsMissed;
            if (made > 1 || (!clicking && made != 0))
                ++restsDoubled;
        } else if (kind == 6) {
            // Moving on, every tick too far for a rest.
            for (long i = random.between(1, 40); i > 0; --i) {
                os.pointer = {(os.pointer.x + reach + 1 + random.between(0, 50)) % 1024, os.pointer.y};
                if (step() != 0)
                    ++restsDoubled;
            }
        } else if (kind <= 8) {
            // To the left edge, which shows the toolbar, then a rest on one of its buttons: a hover press
            // or a dwell click on the toolbar itself, at most one of the two.
            do
                os.pointer = {0, random.between(165, 522)};
            while (engine::LastX <= reach && std::labs(os.pointer.y - engine::LastY) <= reach);
            int made = step();
            const long commandsBefore = windows.commands;
            os.pointer = {random.between(1, 44), os.pointer.y};
            for (long i = random.between(1, 40); i > 0; --i)
                made += step();
            if (made + (windows.commands - commandsBefore) > 1)
                ++restsDoubled;
        } else {
            // A pointer beyond 16 bits (a very large desktop): the old sample stays and nothing breaks.
            os.pointer = {random.between(32768, 70000), random.between(-70000, -32769)};
            for (long i = random.between(1, 10); i > 0; --i)
                step();
        }
    }
    const long endBlocks = g_liveBlocks;
    const long endKiB = AnonymousResidentKiB();
    engine::ReleaseHeldButton();
    engine::Attach(nullptr);
    platform::Install(nullptr);

    qInfo("%ld ticks, %ld rests away from the toolbar, %ld clicks, %ld events, %ld toolbar commands, %ld sounds", tick,
        rests, clicks, os.events, windows.commands, os.sounds);
    qInfo("after the first hour: %ld live heap blocks, %ld KiB anonymous resident; at the end: %ld blocks, %ld KiB",
        warmBlocks, warmKiB, endBlocks, endKiB);
    QCOMPARE(rangeFaults, 0L);
    QCOMPARE(shapeFaults, 0L);
    QCOMPARE(os.faults, 0L);
    QCOMPARE(restsMissed, 0L);
    QCOMPARE(restsDoubled, 0L);
    QVERIFY(!os.down[0] && !os.down[1] && !os.down[2]);
    QVERIFY(clicks > rests / 3 && windows.commands > 0);
    QCOMPARE(endBlocks, warmBlocks);
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer holds freed blocks back for a while, so only the block count holds there.
    QCOMPARE(endKiB, warmKiB);
#endif
}

QTEST_GUILESS_MAIN(TestLongRun)
#include "TestLongRun.moc"
