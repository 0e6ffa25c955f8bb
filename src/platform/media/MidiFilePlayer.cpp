#include "platform/media/MidiFilePlayer.h"

#include <fluidsynth.h>

#include "platform/midiout/GeneralMidiSynth.h"
#include "platform/midiout/PulseOutput.h"

namespace media {

std::unique_ptr<MidiFilePlayer> MidiFilePlayer::open(const std::string& path, std::string& error) {
    if (!fluid_is_midifile(path.c_str())) {
        error = "not a MIDI file: " + path;
        return nullptr;
    }
    const std::string soundFont = midiout::generalMidiSoundFontPath();
    if (soundFont.empty()) {
        error = "no General MIDI SoundFont";
        return nullptr;
    }
    std::unique_ptr<MidiFilePlayer> player(new MidiFilePlayer);
    player->path_ = path;
    player->settings_ = new_fluid_settings();
    if (!player->settings_) {
        error = "cannot create the synthesizer settings";
        return nullptr;
    }
    fluid_settings_setnum(player->settings_, "synth.sample-rate",
                          midiout::GeneralMidiSynth::SampleRate);
    fluid_settings_setnum(player->settings_, "synth.gain", 0.5);
    fluid_settings_setint(player->settings_, "synth.lock-memory", 0);
    fluid_settings_setint(player->settings_, "synth.threadsafe-api", 1);
    player->synth_ = new_fluid_synth(player->settings_);
    if (!player->synth_ ||
        fluid_synth_sfload(player->synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
        error = "cannot build the synthesizer";
        return nullptr;
    }
    player->player_ = new_fluid_player(player->synth_);
    if (!player->player_ || fluid_player_add(player->player_, path.c_str()) != FLUID_OK) {
        error = "cannot load the MIDI file";
        return nullptr;
    }
    return player;
}

MidiFilePlayer::~MidiFilePlayer() {
    // The audio thread, which drives the file player, ends first.
    output_.reset();
    if (player_) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
    }
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

bool MidiFilePlayer::play(std::string& error) {
    if (output_ && !output_->isConnected()) output_.reset();
    if (fluid_player_get_status(player_) == FLUID_PLAYER_DONE || startOver_.exchange(false)) {
        // A file played to its end starts again from the beginning.
        fluid_player_seek(player_, 0);
    }
    if (fluid_player_play(player_) != FLUID_OK) {
        error = "the file player does not start";
        return false;
    }
    started_ = true;
    if (!output_) {
        output_ = midiout::PulseOutput::connect(
            [this](float* interleaved, int frames, const midiout::RenderClock&) {
                return render(interleaved, frames);
            },
            midiout::GeneralMidiSynth::SampleRate,
            midiout::fileBuffer(midiout::GeneralMidiSynth::SampleRate), error,
            [this] { endUnheard(); });
        if (!output_) {
            endUnheard();
            return false;
        }
    }
    output_->wake();
    return true;
}

void MidiFilePlayer::stop() {
    halt();
    // Nothing already queued plays after the stop.
    if (output_) output_->discardQueued();
}

// With no server to hear it the file ends here as at its end, and what
// sounded does not ring on once the next play connects.
void MidiFilePlayer::endUnheard() {
    startOver_ = true;
    halt();
}

void MidiFilePlayer::halt() {
    fluid_player_stop(player_);
    fluid_synth_all_sounds_off(synth_, -1);
    started_ = false;
}

int MidiFilePlayer::bufferFrames() const {
    return output_ ? output_->serverBufferFrames() : 0;
}

bool MidiFilePlayer::isPlaying() {
    return fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}

int MidiFilePlayer::lengthTicks() {
    return fluid_player_get_total_ticks(player_);
}

int MidiFilePlayer::positionTicks() {
    return fluid_player_get_current_tick(player_);
}

bool MidiFilePlayer::render(float* interleaved, int frames) {
    fluid_synth_write_float(synth_, frames, interleaved, 0, 2, interleaved, 1, 2);
    return started_ || fluid_synth_get_active_voice_count(synth_) > 0;
}

}  // namespace media
