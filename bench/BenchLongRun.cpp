// Prints what a simulated day of dwell ticks (864,000 at 100 ms) leaves behind in memory: the live heap blocks and
// the anonymous resident size after the first hour and at the end. Rests, moves, toolbar visits and pointers beyond
// 16 bits come in every mode; the platform and the windows keep nothing, so any growth is the engine's.
#include "StandInToolbar.h"
#include "engine/DwellEngine.h"
#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <unistd.h>

namespace {
std::atomic<long> g_liveBlocks {0};
}

// Every block of the process is counted: a tick that keeps memory shows here before it shows in the resident size.
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

// Resident memory that no file backs: the heap and the stacks.
long AnonymousResidentKiB()
{
    long pages = 0, resident = 0, shared = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld %ld", &pages, &resident, &shared) != 3)
            resident = shared = 0;
        std::fclose(statm);
    }
    return (resident - shared) * (sysconf(_SC_PAGESIZE) / 1024);
}

// The fake's pointer, counting what it is asked instead of recording it.
class CountingPlatform : public platform::FakePlatform
{
public:
    void press(platform::Button, std::chrono::milliseconds) override { ++events; }
    void release(platform::Button) override { ++events; }
    bool playSound(const std::string&) override
    {
        ++sounds;
        return true;
    }
    void beep() override { ++sounds; }
    long events = 0;
    long sounds = 0;
};

} // namespace

int main()
{
    constexpr long kTicksPerHour = 36'000;
    CountingPlatform os;
    StandInToolbar windows;
    const settings::Settings timing {2, 5, 0, "", 1, 0};
    engine::DwellEngine dwell(os, timing);
    dwell.attach(&windows);
    std::mt19937 random(20240917);
    const auto between = [&](long low, long high) { return std::uniform_int_distribution<long>(low, high)(random); };

    long ticks = 0, warmBlocks = 0, warmKiB = 0;
    const auto stay = [&](long x, long y, long n) {
        os.pointer = {x, y};
        for (; n > 0; --n) {
            dwell.tick();
            if (++ticks == kTicksPerHour) {
                warmBlocks = g_liveBlocks;
                warmKiB = AnonymousResidentKiB();
            }
        }
    };
    while (ticks < 24 * kTicksPerHour) {
        if (between(0, 3) == 0 && !dwell.dragHeld())
            dwell.setMode(engine::Mode(between(0, engine::kModes - 1)));
        switch (between(0, 3)) {
        case 0: // a rest away from the toolbar
        case 1:
            stay(between(100, 1000), between(20, 740), 1 + between(5, 35));
            break;
        case 2: // the left edge, then a rest on a button
            stay(0, between(165, 523), 1);
            stay(between(1, 44), os.pointer.y, between(1, 40));
            break;
        default: // beyond 16 bits, then moving on
            stay(between(32768, 70000), between(-70000, -32769), between(1, 10));
            for (long i = between(1, 40); i > 0; --i)
                stay(between(100, 1000), between(20, 740), 1);
        }
    }
    dwell.releaseHeldButton();
    std::printf("%ld ticks: %ld button events, %ld sounds\n", ticks, os.events, os.sounds);
    std::printf("%-22s %12s %12s\n", "", "heap blocks", "anon KiB");
    std::printf("%-22s %12ld %12ld\n", "after the first hour", warmBlocks, warmKiB);
    std::printf("%-22s %12ld %12ld\n", "at the end", g_liveBlocks.load(), AnonymousResidentKiB());
    return 0;
}
