#pragma once

#include <string>

namespace platform {

// Plays a short sound file to the default ALSA device and returns once it has been heard.
// Decoding is libsndfile's; the device may be a sound card, PulseAudio or PipeWire behind ALSA.
class SoundPlayer
{
public:
    SoundPlayer();
    // False when the file cannot be decoded or no device takes it. A device that stops taking
    // samples is given up on once the sound's own length (and the device's buffer) has passed.
    bool play(const std::string& path);
};

} // namespace platform
