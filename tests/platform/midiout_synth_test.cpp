// The mapper's synthesizer rendered without an audio output: the General MIDI
// SoundFont is found, notes sound at their pitch, and the messages the program
// sends have the effect they should.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/midiout/GeneralMidiSynth.h"
#include "platform/midiout/SynthRender.h"
#include "support/AudioAnalysis.h"

namespace midiout {
namespace {

using testsupport::fundamentalHz;
using testsupport::loudestWindow;
using testsupport::magnitudeAt;
using testsupport::rms;

constexpr int Rate = GeneralMidiSynth::SampleRate;

std::uint32_t pack(int status, int data1, int data2 = 0) {
    return static_cast<std::uint32_t>(status | (data1 << 8) | (data2 << 16));
}

RenderedAudio render(std::vector<TimedMessage> messages, double seconds) {
    RenderedAudio audio = renderSynth(std::move(messages), static_cast<int>(seconds * Rate));
    EXPECT_EQ(audio.error, "");
    EXPECT_EQ(audio.sampleRate, Rate);
    return audio;
}

std::span<const float> window(const std::vector<float>& samples, double from, double to) {
    const auto begin = std::min(samples.size(), static_cast<std::size_t>(from * Rate));
    const auto end = std::min(samples.size(), static_cast<std::size_t>(to * Rate));
    return std::span<const float>(samples).subspan(begin, end - begin);
}

// The pitch of the loudest fifth of a second.
double pitchOf(const std::vector<float>& samples) {
    const std::size_t length = Rate / 5;
    const std::size_t start = loudestWindow(samples, length);
    return fundamentalHz(std::span<const float>(samples).subspan(start, length), Rate);
}

TEST(MidiOutSynth, FindsTheGeneralMidiSoundFont) {
    const std::string path = generalMidiSoundFontPath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_EQ(std::filesystem::path(path).extension(), ".sf2");
}

TEST(MidiOutSynth, PianoNotesSoundAtTheirPitch) {
    struct Case {
        int key;
        double hz;
    };
    for (const Case& note : {Case{69, 440.0}, Case{81, 880.0}, Case{57, 220.0}}) {
        SCOPED_TRACE(note.key);
        const RenderedAudio audio = render({{0, pack(0xB0, 0, 0)},
                                            {0, pack(0xB0, 32, 0)},
                                            {0, pack(0xC0, 0)},
                                            {Rate / 10, pack(0x90, note.key, 127)}},
                                           1.0);
        EXPECT_LT(rms(window(audio.left, 0, 0.09)), 1e-5) << "sound before the note on";
        EXPECT_GT(rms(window(audio.left, 0.1, 0.6)), 0.01);
        EXPECT_GT(rms(window(audio.right, 0.1, 0.6)), 0.01);
        EXPECT_NEAR(pitchOf(audio.left), note.hz, note.hz * 0.006);
    }
}

TEST(MidiOutSynth, PercussionPlaysOnChannelNine) {
    // Key 35 is the acoustic bass drum of the percussion key map; on a melodic
    // channel it would be a low B of about 62 Hz.
    const RenderedAudio drum = render({{0, pack(0x99, 35, 127)}}, 0.5);
    EXPECT_GT(rms(window(drum.left, 0, 0.3)), 0.01);

    const RenderedAudio melodic = render({{0, pack(0x90, 35, 127)}}, 0.5);
    EXPECT_GT(rms(window(melodic.left, 0, 0.3)), 0.001);
    EXPECT_NEAR(pitchOf(melodic.left), 61.7, 2.0);
}

TEST(MidiOutSynth, NoteOffEndsTheNoteAndHeldNotesRing) {
    const RenderedAudio released =
        render({{0, pack(0x90, 69, 127)}, {Rate * 3 / 10, pack(0x80, 69, 0)}}, 1.0);
    const RenderedAudio held = render({{0, pack(0x90, 69, 127)}}, 1.0);
    const double start = rms(window(released.left, 0.05, 0.25));
    ASSERT_GT(start, 0.01);
    const double releasedLater = rms(window(released.left, 0.8, 1.0));
    const double heldLater = rms(window(held.left, 0.8, 1.0));
    EXPECT_LT(releasedLater, start * 0.01);
    EXPECT_GT(heldLater, start * 0.05);
    EXPECT_LT(releasedLater, heldLater * 0.1);
}

TEST(MidiOutSynth, ProgramChangeSelectsAnotherInstrument) {
    // A4 on the piano and on the flute (program 73): the same fundamental with
    // a different balance of overtones.
    auto overtoneProfile = [](const RenderedAudio& audio) {
        const auto part = window(audio.left, 0.2, 0.6);
        const double fundamental = magnitudeAt(part, Rate, 440);
        std::vector<double> profile;
        for (int harmonic = 2; harmonic <= 5; ++harmonic) {
            profile.push_back(magnitudeAt(part, Rate, 440.0 * harmonic) / fundamental);
        }
        return profile;
    };
    const RenderedAudio piano = render({{0, pack(0xC0, 0)}, {0, pack(0x90, 69, 127)}}, 0.7);
    const RenderedAudio flute = render({{0, pack(0xC0, 73)}, {0, pack(0x90, 69, 127)}}, 0.7);
    EXPECT_NEAR(pitchOf(flute.left), 440, 3);
    const auto pianoProfile = overtoneProfile(piano);
    const auto fluteProfile = overtoneProfile(flute);
    double difference = 0;
    for (std::size_t i = 0; i < pianoProfile.size(); ++i) {
        difference += std::abs(pianoProfile[i] - fluteProfile[i]);
    }
    EXPECT_GT(difference, 0.2);
}

TEST(MidiOutSynth, FullVelocityChordDoesNotClip) {
    // Every track at once, each on its own channel at velocity 127: the
    // loudest the program ever asks for.
    std::vector<TimedMessage> chord;
    for (int track = 0; track <= 12; ++track) {
        chord.push_back({0, pack(0x90 | track, 48 + 3 * track, 127)});
    }
    const RenderedAudio audio = render(chord, 1.0);
    float peak = 0;
    for (float s : audio.left) peak = std::max(peak, std::abs(s));
    for (float s : audio.right) peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 0.05f);
    EXPECT_LT(peak, 1.0f);
}

TEST(MidiOutSynth, InvalidMessagesAreDropped) {
    // A velocity above 127 must not reach the synthesizer as a note.
    const RenderedAudio audio = render({{0, pack(0x90, 69, 0xFF)}, {0, pack(0x12, 69, 100)}}, 0.3);
    EXPECT_LT(rms(audio.left), 1e-5);
}

}  // namespace
}  // namespace midiout
