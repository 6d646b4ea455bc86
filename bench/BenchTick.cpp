// Prints what one dwell tick costs in our own code: the platform and the windows are trivial stand-ins,
// so the figure is the engine alone.
#include "StandInToolbar.h"
#include "engine/DwellEngine.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// The fake's pointer, without its event record growing over millions of clicks.
class BenchPlatform : public platform::FakePlatform
{
public:
    platform::Point pointerPosition() override { return path[next++ % path.size()]; }
    void press(platform::Button, std::chrono::milliseconds) override { ++injected; }
    void release(platform::Button) override { ++injected; }
    std::vector<platform::Point> path;
    std::size_t next = 0;
    unsigned long injected = 0;
};

double NanosecondsPerTick(engine::DwellEngine& dwell, long ticks)
{
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < ticks; ++i)
        dwell.tick();
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / static_cast<double>(ticks);
}

} // namespace

int main()
{
    BenchPlatform os;
    StandInToolbar windows;
    const settings::Settings timing {2, 5, 0, "", 0, 0};
    constexpr long kTicks = 20'000'000;

    struct Scenario
    {
        const char* name;
        std::vector<platform::Point> path;
    };
    const Scenario scenarios[] = {
        {"pointer still", {{500, 300}}},
        {"pointer moving", {{500, 300}, {520, 310}, {540, 320}, {560, 330}}},
        {"rest and click every 6 ticks", {{500, 300}, {500, 300}, {500, 300}, {500, 300}, {500, 300}, {600, 400}}},
        {"pointer at the left edge", {{0, 300}}},
    };
    std::printf("%-32s %12s\n", "scenario", "ns per tick");
    for (const Scenario& scenario : scenarios) {
        engine::DwellEngine dwell(os, timing);
        dwell.attach(&windows);
        dwell.setMode(engine::Mode::LeftClick);
        os.path = scenario.path;
        os.next = 0;
        std::printf("%-32s %12.1f\n", scenario.name, NanosecondsPerTick(dwell, kTicks));
    }
    std::printf("(%ld ticks each; button events injected: %lu)\n", kTicks, os.injected);
    return 0;
}
