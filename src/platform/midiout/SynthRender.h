#pragma once
// Renders the mapper's synthesizer without an audio output, for tests: the same
// SoundFont and settings, messages placed at given frames, the audio returned.

#include <cstdint>
#include <string>
#include <vector>

namespace midiout {

struct TimedMessage {
    int frame = 0;              // when it takes effect, in frames from the start
    std::uint32_t message = 0;  // packed as for midiOutShortMsg
};

struct RenderedAudio {
    int sampleRate = 0;
    std::vector<float> left;
    std::vector<float> right;
    std::string error;  // set, with no audio, when the synthesizer cannot be built
};

// Messages that are not valid short messages are dropped, as midiOutShortMsg
// drops them.
RenderedAudio renderSynth(std::vector<TimedMessage> messages, int frames);

}  // namespace midiout
