// Prints how long a user waits, after a rest completes, before the click sound starts: the tick that
// completes the dwell injects the click, then plays Click1.wav synchronously through ALSA.
//
//   bench_sound <program folder> [ALSA device]
//
// The program folder is the one holding Click/Click1.wav (build/<preset>/bin). Without a sound card,
// HOME pointing at a folder whose .asoundrc says `pcm.!default { type null }` gives the figure for
// everything up to the device.
#include "StandInToolbar.h"
#include "engine/DwellEngine.h"
#include "platform/fake/FakePlatform.h"
#include "platform/posix/SoundPlayer.h"
#include "settings/Settings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The fake platform with real sound.
class SoundingPlatform : public platform::FakePlatform
{
public:
    explicit SoundingPlatform(const char* device)
        : player(device)
    { }
    bool playSound(const std::string& path) override
    {
        soundCalled = Clock::now();
        played = player.play(path);
        return played;
    }
    platform::SoundPlayer player;
    Clock::time_point soundCalled;
    bool played = false;
};

double Milliseconds(Clock::duration span) { return std::chrono::duration<double, std::milli>(span).count(); }

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: bench_sound <program folder> [ALSA device]\n");
        return 2;
    }
    SoundingPlatform os(argc == 3 ? argv[2] : "default");
    os.folder = argv[1];
    StandInToolbar windows;
    const settings::Settings timing {2, 5, 0, "", 1, 0};
    engine::DwellEngine dwell(os, timing);
    dwell.attach(&windows);
    dwell.setMode(engine::Mode::LeftClick);

    constexpr int kRests = 100;
    std::vector<double> waits;
    for (int rest = 0; rest < kRests; ++rest) {
        // Move away, then rest until the tick that completes the dwell.
        os.movePointer(500 + 50 * (rest % 2), 300);
        for (int tick = 0; tick < timing.dwellTenths; ++tick)
            dwell.tick();
        os.played = false;
        const Clock::time_point dwellTick = Clock::now();
        dwell.tick();
        if (!os.played) {
            std::fprintf(stderr, "the click sound could not be played (no sound device?)\n");
            return 1;
        }
        waits.push_back(Milliseconds(os.soundCalled - dwellTick + os.player.startLatency()));
    }
    std::sort(waits.begin(), waits.end());
    std::printf("from the completed dwell to the click sound's first samples at the device, %d rests:\n", kRests);
    std::printf("  median %.2f ms, 90th percentile %.2f ms, worst %.2f ms\n", waits[kRests / 2], waits[kRests * 9 / 10],
        waits.back());
    std::printf("  (%zu button events injected before the sounds)\n", os.events.size());
    return 0;
}
