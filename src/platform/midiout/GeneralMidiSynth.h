#pragma once
// The General MIDI synthesizer behind the mapper: FluidSynth with the system's
// General MIDI SoundFont. The playing mapper and the offline renderer used by
// the tests build it the same way, so what the tests hear is what plays.

#include <cstdint>
#include <memory>
#include <string>

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace midiout {

// The SoundFont the synthesizer loads: Debian's default General MIDI link, or
// one of the SoundFonts it may point to when the link is missing. "" when there
// is none.
std::string generalMidiSoundFontPath();

class GeneralMidiSynth {
public:
    static constexpr int SampleRate = 44100;

    // Builds the synthesizer and loads the SoundFont; nullptr with a reason in
    // error when either fails.
    static std::unique_ptr<GeneralMidiSynth> create(std::string& error);
    ~GeneralMidiSynth();
    GeneralMidiSynth(const GeneralMidiSynth&) = delete;
    GeneralMidiSynth& operator=(const GeneralMidiSynth&) = delete;

    // Plays one channel message; system messages have no meaning to the synth
    // and are ignored. Safe to call while another thread renders.
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // Turns every sounding note off as its note off would: the notes release
    // and the reverb dies away.
    void notesOff();
    // Renders frames of stereo audio, interleaved left/right.
    void render(float* interleaved, int frames);
    int activeVoices();

private:
    GeneralMidiSynth() = default;

    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
};

}  // namespace midiout
