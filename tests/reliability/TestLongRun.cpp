// A simulated day: 864,000 ticks (24 hours at 100 ms) of scripted rests, moves, toolbar visits and pointers beyond
// 16 bits in every mode. Each rest gets exactly its mode's click, never before the dwell time has passed since the
// last move beyond the tolerance, nothing else clicks, a button is never pressed twice or released while up, and the
// counters stay in range. bench_long_run measures the memory of such a day.
#include "settings/Settings.h"
#include "tests/TestSupport.h"

#include <QRandomGenerator>

#include <cstdlib>

class TestLongRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void day_data()
    {
        support::Columns<int, int>("tolerance", "dwell");
        support::Row("tightest", 0, 2);
        support::Row("loosest", 10, 20);
    }
    void day()
    {
        const auto [tolerance, dwell] = support::Fetch<int, int>("tolerance", "dwell");
        platform::FakePlatform os;
        support::StandInWindows windows;
        const settings::Settings settings {std::int16_t(tolerance), std::int16_t(dwell), 0, "", 1, 0};
        engine::DwellEngine clicker(os, settings);
        clicker.attach(&windows);
        QRandomGenerator random(20240917);
        const auto between = [&](long low, long high) { return long(random.bounded(int(low), int(high) + 1)); };
        long ticks = 0, faults = 0, clicks = 0, moved = 0; // moved: the pointer sample that saw the last move
        const auto stay = [&](long x, long y, long n) {
            if (std::labs(x - os.pointer.x) > tolerance + 1 || std::labs(y - os.pointer.y) > tolerance + 1)
                moved = os.samples + 1;
            os.movePointer(x, y);
            for (; n > 0; --n, ++ticks) {
                clicker.tick();
                faults += clicker.dwellTicks() >= dwell || clicker.hoverTicks() >= 15;
            }
        };
        bool down[3] = {};
        while (ticks < 864'000) {
            // The toolbar's choice of mode; drag keeps the button held, so that each click has one shape.
            if (between(0, 3) == 0 && !clicker.dragHeld())
                clicker.setMode(engine::Mode(between(0, engine::kModes - 1)));
            const QString shape = QStringList {"", "", "LlLl", "Ll", clicker.dragHeld() ? "l" : "L", "Rr", "Mm", "",
                ""}[engine::ButtonIndex(clicker.mode())];
            const long reach = tolerance + 1, kind = between(0, 9);
            long x = 0, y = 0;
            do { // far enough from the last pointer to start a rest of its own
                x = kind <= 5 ? between(100, 1000) : 0;
                y = kind <= 5 ? between(20, 740) : between(165, 523);
            } while (std::labs(x - os.pointer.x) <= reach && std::labs(y - os.pointer.y) <= reach);
            if (kind <= 5) { // a rest away from the toolbar, still or drifting within the tolerance
                const long drift = between(0, 1) * reach;
                for (long i = 0, n = dwell + between(0, 30); i <= n; ++i)
                    stay(x + i % 2 * drift, y + i % 4 / 2 * drift, 1);
            } else if (kind <= 8) { // the left edge shows the toolbar, then a rest on a button: a click or a press
                stay(x, y, 1);
                stay(between(1, 44), y, between(1, 40));
            } else { // a pointer beyond 16 bits, which is not stored, then moving on: nothing clicks
                stay(between(32768, 70000), between(-70000, -32769), between(1, 10));
                for (long i = between(1, 40); i > 0; --i, x = (x + reach + 1 + between(0, 50)) % 1024)
                    stay(x, y, 1);
            }
            QString made; // the segment's events as letters, upper case a press
            for (const auto& event : os.events) {
                faults += down[int(event.button)] == event.press || event.sample - moved < dwell;
                down[int(event.button)] = event.press;
                made += QChar((event.press ? "LRM" : "lrm")[int(event.button)]);
            }
            os.events.clear();
            faults += kind <= 5 ? made != shape : !made.isEmpty() && (kind == 9 || made != shape);
            clicks += !made.isEmpty();
        }
        QVERIFY(down[0] == clicker.dragHeld() && !down[1] && !down[2]); // releaseHeldButton() lets go of the rest
        QCOMPARE(faults, 0L);
        QVERIFY2(clicks > 10'000 && !windows.commands.empty(), qPrintable(QString::number(clicks)));
    }
};

QTEST_GUILESS_MAIN(TestLongRun)
#include "TestLongRun.moc"
