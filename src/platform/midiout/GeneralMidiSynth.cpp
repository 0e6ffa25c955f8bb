#include "platform/midiout/GeneralMidiSynth.h"

#include <fluidsynth.h>

#include <array>
#include <filesystem>

namespace midiout {

std::string generalMidiSoundFontPath() {
    static constexpr std::array candidates = {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    };
    for (const char* path : candidates) {
        std::error_code error;
        // The check follows the link, so a dangling default link is passed over.
        if (std::filesystem::is_regular_file(path, error)) return path;
    }
    return {};
}

std::unique_ptr<GeneralMidiSynth> GeneralMidiSynth::create(std::string& error) {
    const std::string soundFont = generalMidiSoundFontPath();
    if (soundFont.empty()) {
        error = "no General MIDI SoundFont in /usr/share/sounds/sf2";
        return nullptr;
    }
    std::unique_ptr<GeneralMidiSynth> synth(new GeneralMidiSynth);
    synth->settings_ = new_fluid_settings();
    if (!synth->settings_) {
        error = "cannot create the synthesizer settings";
        return nullptr;
    }
    fluid_settings_setnum(synth->settings_, "synth.sample-rate", SampleRate);
    // Loud enough to hear, low enough that a full chord does not clip.
    fluid_settings_setnum(synth->settings_, "synth.gain", 0.5);
    // Pinning a large SoundFont in memory fails for ordinary users and only
    // earns a warning; swapping is no concern for a desktop program.
    fluid_settings_setint(synth->settings_, "synth.lock-memory", 0);
    fluid_settings_setint(synth->settings_, "synth.reverb.active", 1);
    fluid_settings_setint(synth->settings_, "synth.chorus.active", 1);
    fluid_settings_setint(synth->settings_, "synth.threadsafe-api", 1);
    // A note off takes effect at once, rather than after 10 ms of sound: a
    // note and its note off taken in one block (a burst after the stream
    // lapsed) stay silent and free their voice, instead of sounding and
    // crowding out the notes still held.
    fluid_settings_setint(synth->settings_, "synth.min-note-length", 0);

    synth->synth_ = new_fluid_synth(synth->settings_);
    if (!synth->synth_) {
        error = "cannot create the synthesizer";
        return nullptr;
    }
    if (fluid_synth_sfload(synth->synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
        error = "cannot load the SoundFont " + soundFont;
        return nullptr;
    }
    return synth;
}

GeneralMidiSynth::~GeneralMidiSynth() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

void GeneralMidiSynth::send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    const int channel = status & 0x0F;
    switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0x90:
            fluid_synth_noteon(synth_, channel, data1, data2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
            break;
        default:
            break;
    }
}

void GeneralMidiSynth::notesOff() {
    fluid_synth_all_notes_off(synth_, -1);
}

void GeneralMidiSynth::render(float* interleaved, int frames) {
    fluid_synth_write_float(synth_, frames, interleaved, 0, 2, interleaved, 1, 2);
}

int GeneralMidiSynth::activeVoices() {
    return fluid_synth_get_active_voice_count(synth_);
}

}  // namespace midiout
