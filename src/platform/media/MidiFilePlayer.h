#pragma once
// Plays a Standard MIDI File through FluidSynth's file player on a
// synthesizer of its own (the General MIDI SoundFont the mapper uses), to the
// default PulseAudio output, with a file's buffer.

#include <atomic>
#include <memory>
#include <string>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace midiout {
class PulseOutput;
}

namespace media {

class MidiFilePlayer {
public:
    // nullptr with a reason when the file is no MIDI file or the synthesizer
    // cannot be built.
    static std::unique_ptr<MidiFilePlayer> open(const std::string& path, std::string& error);
    ~MidiFilePlayer();
    MidiFilePlayer(const MidiFilePlayer&) = delete;
    MidiFilePlayer& operator=(const MidiFilePlayer&) = delete;

    // Plays from where it stopped, or from the start once the end was
    // reached. A file whose sound server goes away, or is not there to
    // connect to, has reached its end.
    bool play(std::string& error);
    // Silent at once.
    void stop();
    bool isPlaying();
    // In MIDI ticks of the file.
    int lengthTicks();
    int positionTicks();
    // What the sound server keeps in the stream's buffer, in frames; 0 before
    // the first play.
    int bufferFrames() const;

private:
    MidiFilePlayer() = default;
    bool render(float* interleaved, int frames);
    void endUnheard();
    // The file player stopped and every voice cut off.
    void halt();

    std::string path_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_player_t* player_ = nullptr;
    std::atomic<bool> started_{false};
    std::atomic<bool> startOver_{false};
    std::unique_ptr<midiout::PulseOutput> output_;
};

}  // namespace media
