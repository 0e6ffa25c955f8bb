#include "platform/midiout/SynthRender.h"

#include <algorithm>

#include "platform/midiout/GeneralMidiSynth.h"
#include "platform/midiout/ShortMessage.h"

namespace midiout {

RenderedAudio renderSynth(std::vector<TimedMessage> messages, int frames) {
    RenderedAudio audio;
    const auto synth = GeneralMidiSynth::create(audio.error);
    if (!synth) return audio;
    audio.sampleRate = GeneralMidiSynth::SampleRate;
    std::stable_sort(
        messages.begin(), messages.end(),
        [](const TimedMessage& a, const TimedMessage& b) { return a.frame < b.frame; });

    std::vector<float> interleaved(static_cast<std::size_t>(std::max(frames, 0)) * 2);
    int done = 0;
    auto next = messages.begin();
    while (done < frames) {
        while (next != messages.end() && next->frame <= done) {
            if (const auto message = decodeShortMessage(next->message)) {
                synth->send(message->status, message->data1, message->data2);
            }
            ++next;
        }
        const int until = next == messages.end() ? frames : std::min(frames, next->frame);
        synth->render(interleaved.data() + static_cast<std::size_t>(done) * 2, until - done);
        done = until;
    }
    audio.left.resize(static_cast<std::size_t>(done));
    audio.right.resize(static_cast<std::size_t>(done));
    for (int i = 0; i < done; ++i) {
        audio.left[static_cast<std::size_t>(i)] = interleaved[static_cast<std::size_t>(i) * 2];
        audio.right[static_cast<std::size_t>(i)] = interleaved[static_cast<std::size_t>(i) * 2 + 1];
    }
    return audio;
}

}  // namespace midiout
