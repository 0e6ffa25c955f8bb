// The mapper's synthesizer rendered without an audio output: notes sound at
// their pitch on the side they are panned to, and the messages the program
// sends have the effect they should.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/midiout/GeneralMidiSynth.h"
#include "platform/midiout/SynthRender.h"
#include "support/AudioAnalysis.h"

namespace midiout {
namespace {

using testsupport::rms;

constexpr int Rate = GeneralMidiSynth::SampleRate;

std::uint32_t pack(int status, int data1, int data2 = 0) {
    return static_cast<std::uint32_t>(status | (data1 << 8) | (data2 << 16));
}

RenderedAudio render(std::vector<TimedMessage> messages, double seconds = 0.6) {
    RenderedAudio audio = renderSynth(std::move(messages), static_cast<int>(seconds * Rate));
    EXPECT_EQ(audio.error, "");
    return audio;
}

std::span<const float> part(const std::vector<float>& samples, double from, double to) {
    const auto begin = std::min(samples.size(), static_cast<std::size_t>(from * Rate));
    const auto end = std::min(samples.size(), static_cast<std::size_t>(to * Rate));
    return std::span<const float>(samples).subspan(begin, end - begin);
}

double pitchOf(const std::vector<float>& samples) {
    return testsupport::fundamentalHz(part(samples, 0.15, 0.45), Rate);
}

TEST(MidiOutSynth, NotesSoundAtTheirPitchOnTheSideTheyArePannedTo) {
    struct Case {
        int key, pan;
        double hz;
    };
    for (const Case& note : {Case{69, 0, 440.0}, Case{81, 127, 880.0}, Case{57, 0, 220.0}}) {
        SCOPED_TRACE(note.key);
        const RenderedAudio audio =
            render({{0, pack(0xB0, 10, note.pan)}, {Rate / 10, pack(0x90, note.key, 127)}});
        const auto& near = note.pan == 0 ? audio.left : audio.right;
        const auto& far = note.pan == 0 ? audio.right : audio.left;
        EXPECT_LT(rms(part(near, 0, 0.09)), 1e-5) << "sound before the note on";
        EXPECT_GT(rms(part(near, 0.1, 0.5)), 4 * rms(part(far, 0.1, 0.5)));
        EXPECT_NEAR(pitchOf(near), note.hz, note.hz * 0.006);
    }
}

TEST(MidiOutSynth, PercussionPlaysOnChannelNineAndNoteOffsEndNotes) {
    // Key 35 is the bass drum there; on a melodic channel a low B of 62 Hz.
    EXPECT_GT(rms(part(render({{0, pack(0x99, 35, 127)}}).left, 0, 0.3)), 0.01);
    EXPECT_NEAR(pitchOf(render({{0, pack(0x90, 35, 127)}}).left), 61.7, 2.0);

    const RenderedAudio released =
        render({{0, pack(0x90, 69, 127)}, {Rate * 3 / 10, pack(0x80, 69, 0)}}, 1.0);
    const RenderedAudio held = render({{0, pack(0x90, 69, 127)}}, 1.0);
    EXPECT_LT(rms(part(released.left, 0.8, 1.0)), rms(part(held.left, 0.8, 1.0)) * 0.1);
}

TEST(MidiOutSynth, AProgramChangeSelectsTheInstrumentOfItsOwnChannel) {
    // A4 on the piano and on the flute (program 73) on channel 2: the same
    // fundamental with another balance of overtones.
    const RenderedAudio pianoSound = render({{0, pack(0x92, 69, 127)}});
    const RenderedAudio fluteSound = render({{0, pack(0xC2, 73)}, {0, pack(0x92, 69, 127)}});
    const auto piano = part(pianoSound.left, 0.2, 0.6);
    const auto flute = part(fluteSound.left, 0.2, 0.6);
    EXPECT_NEAR(testsupport::fundamentalHz(flute, Rate), 440, 3);
    double difference = 0;
    for (int harmonic = 2; harmonic <= 5; ++harmonic) {
        auto share = [harmonic](std::span<const float> sound) {
            return testsupport::magnitudeAt(sound, Rate, 440.0 * harmonic) /
                   testsupport::magnitudeAt(sound, Rate, 440);
        };
        difference += std::abs(share(piano) - share(flute));
    }
    EXPECT_GT(difference, 0.2);
}

TEST(MidiOutSynth, AFullVelocityChordOfEveryTrackDoesNotClipAndBadMessagesAreDropped) {
    std::vector<TimedMessage> chord;
    for (int track = 0; track <= 12; ++track) {
        chord.push_back({0, pack(0x90 | track, 48 + 3 * track, 127)});
    }
    const RenderedAudio audio = render(chord, 1.0);
    float peak = 0;
    for (const auto* side : {&audio.left, &audio.right}) {
        for (float s : *side) peak = std::max(peak, std::abs(s));
    }
    EXPECT_GT(peak, 0.05f);
    EXPECT_LT(peak, 1.0f);
    EXPECT_LT(rms(render({{0, pack(0x90, 69, 0xFF)}}, 0.3).left), 1e-5);
}

// Closing the mapper turns its notes off this way: they fade over their
// release, never stop dead, and still end.
TEST(MidiOutSynth, NotesOffLetsNotesReleaseRatherThanCuttingThem) {
    std::string error;
    const auto synth = GeneralMidiSynth::create(error);
    ASSERT_NE(synth, nullptr) << error;
    synth->send(0xC0, 48, 0);  // string ensemble: steady, with a long release
    synth->send(0x90, 67, 127);
    const int tenMs = Rate / 100;
    auto levelOver = [&](int frames) {
        std::vector<float> both(static_cast<std::size_t>(frames) * 2);
        synth->render(both.data(), frames);
        std::vector<float> left(static_cast<std::size_t>(frames));
        for (std::size_t i = 0; i < left.size(); ++i) left[i] = both[2 * i];
        return rms(left);
    };
    levelOver(Rate / 2);
    const double held = levelOver(tenMs);
    ASSERT_GT(held, 0.01);
    synth->notesOff();
    levelOver(tenMs);
    // A cut has lost 24 dB by now; the strings' release has hardly begun.
    EXPECT_GT(levelOver(tenMs), held * 0.5) << "the sound was cut";
    levelOver(3 * Rate);
    EXPECT_LT(levelOver(tenMs), held * 0.01) << "the notes never ended";
}

}  // namespace
}  // namespace midiout
