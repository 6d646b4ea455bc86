#pragma once

#include <chrono>
#include <string>

namespace platform {

// Plays a short sound file to the default ALSA device and returns once it has been heard.
// Decoding is libsndfile's; the device may be a sound card, PulseAudio or PipeWire behind ALSA.
class SoundPlayer
{
public:
    explicit SoundPlayer(std::string device = "default");
    // False when the file cannot be decoded or no device takes it. A device that stops taking
    // samples is given up on once the sound's own length (and the device's buffer) has passed.
    bool play(const std::string& path);

    // From the last play() call to its first samples reaching the device.
    std::chrono::nanoseconds startLatency() const { return m_startLatency; }

private:
    std::string m_device;
    std::chrono::nanoseconds m_startLatency {};
};

} // namespace platform
