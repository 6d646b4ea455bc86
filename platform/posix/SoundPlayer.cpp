#include "SoundPlayer.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// The device's own queue; the wait for the end of a sound allows for it.
constexpr unsigned kLatencyMicroseconds = 50'000;

// ALSA reports a missing card on stderr by default; the program goes on silently instead.
void SilentAlsaError(const char*, int, const char*, int, const char*, ...) { }

struct SoundFile
{
    std::vector<short> samples; // interleaved
    int channels = 0;
    int rate = 0;
};

bool Decode(const std::string& path, SoundFile& sound)
{
    SF_INFO info {};
    // Opened here, because libsndfile takes no path longer than 1024 bytes, while a program folder may be as long
    // as the system allows.
    struct Descriptor
    {
        int fd;
        ~Descriptor()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } const opened {::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (opened.fd < 0)
        return false;
    SNDFILE* file = sf_open_fd(opened.fd, SFM_READ, &info, SF_FALSE);
    if (file == nullptr)
        return false;
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> closer(file, sf_close);
    // Feedback sounds are short; anything beyond a minute is not one and is not loaded whole.
    constexpr sf_count_t kMaxFrames = 60 * 192'000;
    if (info.channels <= 0 || info.channels > 8 || info.samplerate <= 0 || info.frames <= 0 || info.frames > kMaxFrames)
        return false;
    sound.channels = info.channels;
    sound.rate = info.samplerate;
    sound.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_short(file, sound.samples.data(), info.frames);
    if (got <= 0)
        return false;
    sound.samples.resize(static_cast<std::size_t>(got * info.channels));
    return true;
}

} // namespace

SoundPlayer::SoundPlayer(std::string device)
    : m_device(std::move(device))
{
    snd_lib_error_set_handler(SilentAlsaError);
}

bool SoundPlayer::play(const std::string& path)
{
    const Clock::time_point called = Clock::now();
    m_startLatency = {};
    SoundFile sound;
    if (!Decode(path, sound))
        return false;

    // Opened without blocking: a device held by another program must not stall the dwell timer.
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, m_device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return false;
    const std::unique_ptr<snd_pcm_t, int (*)(snd_pcm_t*)> closer(pcm, snd_pcm_close);
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
            static_cast<unsigned>(sound.channels), static_cast<unsigned>(sound.rate), 1, kLatencyMicroseconds)
        < 0)
        return false;

    const auto frames = static_cast<snd_pcm_sframes_t>(sound.samples.size() / static_cast<std::size_t>(sound.channels));
    const auto length = std::chrono::microseconds(frames * 1'000'000LL / sound.rate);
    const Clock::time_point deadline = Clock::now() + length + std::chrono::microseconds(2 * kLatencyMicroseconds);
    const auto remaining = [&] {
        return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    };

    snd_pcm_sframes_t done = 0;
    while (done < frames) {
        if (remaining() <= 0)
            return false;
        const snd_pcm_sframes_t written
            = snd_pcm_writei(pcm, sound.samples.data() + static_cast<std::size_t>(done * sound.channels),
                static_cast<snd_pcm_uframes_t>(frames - done));
        if (written == -EAGAIN) {
            snd_pcm_wait(pcm, std::max(1, remaining()));
        } else if (written < 0) {
            if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0)
                return false;
        } else {
            if (done == 0)
                m_startLatency = Clock::now() - called;
            done += written;
        }
    }

    // A sound shorter than the device's start threshold would wait in the buffer for more.
    if (snd_pcm_state(pcm) == SND_PCM_STATE_PREPARED)
        snd_pcm_start(pcm);

    // The call returns when the sound has ended, as the callers expect; a device that stops
    // playing is dropped at the deadline instead of being waited for.
    while (remaining() > 0) {
        snd_pcm_sframes_t delay = 0;
        if (snd_pcm_state(pcm) != SND_PCM_STATE_RUNNING || snd_pcm_delay(pcm, &delay) < 0 || delay <= 0)
            break;
        const long long left = delay * 1000LL / sound.rate + 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<long long>(left, remaining())));
    }
    snd_pcm_drop(pcm);
    return true;
}

} // namespace platform
