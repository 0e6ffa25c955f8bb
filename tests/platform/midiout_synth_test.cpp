// The mapper's synthesizer rendered without an audio output: notes sound at
// their pitch on the side they are panned to, and the messages the program
// sends have the effect they should.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/midiout/GeneralMidiSynth.h"
#include "platform/midiout/PulseOutput.h"
#include "platform/midiout/SynthRender.h"
#include "platform/midiout/SynthTimeline.h"
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

// A sound server as the live synthesizer's stream meets it: the buffer it
// granted, the sizes its requests come in, each request on time or a little
// late (never early: the server asks for what it has played), and how far
// the position it reports as heard wanders from the truth.
struct Server {
    const char* name;
    GrantedBuffer granted;
    std::vector<int> requestSizes;  // in turn
    int reportWanderFrames;         // the amplitude of a slow wander
    bool reportSteady;              // as the stream takes it
    int latencyBeyondKept;          // from stamp to sound, beyond what the server keeps
};

// PulseAudio asks for what it granted and tells what is heard: a message is
// heard what the server keeps after its stamp, a request and a block more.
// PipeWire's server grants 5.3 ms requests but asks every 10.7 ms or 5.3 ms on
// its own schedule, and its heard position wanders by several milliseconds: a
// message is heard what the server keeps and a block after its stamp.
const Server PulseAudioServer{"PulseAudio", {384, 64}, {64}, 0, true, 64 + 64};
const Server PipeWireServer{"PipeWire", {708, 236}, {470, 470, 236}, 300, false, 64};

// The stream rendered request by request: a first fill of the server's whole
// latency, then each request when its size has been heard since the last.
class ServerRequests {
public:
    explicit ServerRequests(const Server& server)
        : server_(server),
          kept_(keptLatency(liveBuffer(Rate), server.granted)),
          synth_(GeneralMidiSynth::create(error_)) {
        if (synth_) timeline_.emplace(*synth_, Rate);
    }
    bool ready() const { return timeline_.has_value(); }
    // What the server keeps: its queue and the sink's request.
    int serverLatencyFrames() const {
        return server_.granted.queuedFrames + server_.granted.requestFrames;
    }
    int size(int request) const {
        return server_
            .requestSizes[static_cast<std::size_t>(request) % server_.requestSizes.size()];
    }

    // From request `from` on, the server asks `frames` later for good; the
    // stream tells so at request `told`.
    void moveLine(int from, int frames, LostCycleWatch::Verdict move, int told) {
        moveFrom_ = from;
        moveFrames_ = frames;
        move_ = move;
        moveTold_ = told;
    }

    // Request k's time on the monotonic clock.
    std::int64_t requestMicros(int request) const {
        static constexpr double LateShare[] = {0, 0.31, 0, 0.48, 0.1, 0, 0.21, 0.07};
        std::int64_t heard = request >= moveFrom_ ? moveFrames_ : 0;
        for (int k = 1; k <= request; ++k) heard += size(k);
        return static_cast<std::int64_t>(
            (static_cast<double>(heard) + LateShare[request % 8] * size(request)) * 1e6 / Rate);
    }

    // Renders request by request, each message posted before the first
    // request at or after its stamp, as a sender between two requests does.
    std::vector<float> play(std::vector<std::pair<std::int64_t, std::uint32_t>> messages,
                            double seconds) {
        std::vector<float> both(static_cast<std::size_t>(seconds * Rate) * 2);
        std::size_t next = 0;
        std::int64_t written = 0;
        for (int request = 0;; ++request) {
            RenderClock clock;
            clock.nowMicros = requestMicros(request);
            while (next < messages.size() && messages[next].first <= clock.nowMicros) {
                const std::uint32_t message = messages[next].second;
                timeline_->post(messages[next].first, message & 0xFF, (message >> 8) & 0xFF,
                                (message >> 16) & 0xFF);
                ++next;
            }
            const double seconds = static_cast<double>(clock.nowMicros) / 1e6;
            clock.writtenFrames = written;
            clock.playedFrames = static_cast<std::int64_t>(
                seconds * Rate + server_.reportWanderFrames * std::sin(seconds * 1.6));
            clock.playedSteady = server_.reportSteady;
            clock.bufferFrames = kept_.latencyFrames;
            clock.periodFrames = kept_.periodFrames;
            if (request == moveTold_) clock.requestLine = move_;
            const int frames = request == 0 ? serverLatencyFrames() : size(request);
            if (written + frames > static_cast<std::int64_t>(both.size() / 2)) break;
            timeline_->render(both.data() + written * 2, frames, clock);
            written += frames;
        }
        std::vector<float> mono(static_cast<std::size_t>(written));
        for (std::size_t i = 0; i < mono.size(); ++i) mono[i] = both[2 * i] + both[2 * i + 1];
        return mono;
    }

private:
    Server server_;
    KeptLatency kept_;
    std::string error_;
    std::unique_ptr<GeneralMidiSynth> synth_;
    std::optional<SynthTimeline> timeline_;
    int moveFrom_ = -1;
    int moveFrames_ = 0;
    LostCycleWatch::Verdict move_ = LostCycleWatch::Verdict::None;
    int moveTold_ = -1;
};

std::int64_t firstSound(const std::vector<float>& samples) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 1e-6f) return static_cast<std::int64_t>(i);
    }
    return -1;
}

// A message is heard at its stamp plus one constant latency, wherever it
// falls between two requests and whatever the server reports meanwhile. Only
// the synthesizer's own 64-frame block moves it.
TEST(MidiOutSynthTimeline, AMessageSoundsAtItsStampPlusOneLatency) {
    constexpr int Block = 64;
    for (const Server& server : {PulseAudioServer, PipeWireServer}) {
        SCOPED_TRACE(server.name);
        const ServerRequests requests(server);
        std::vector<std::int64_t> latencies;
        // Around two moments of the stream, after and before each kind of
        // request.
        for (const int first : {150, 1000}) {
            for (int request = first; request < first + 3; ++request) {
                for (const std::int64_t stamp : {requests.requestMicros(request) + 100,
                                                 requests.requestMicros(request + 1) - 100}) {
                    ServerRequests stream(server);
                    ASSERT_TRUE(stream.ready());
                    const double seconds = static_cast<double>(stamp) / 1e6 + 0.2;
                    const std::int64_t heard =
                        firstSound(stream.play({{stamp, pack(0x99, 75, 127)}}, seconds));
                    ASSERT_GE(heard, 0) << "stamp " << stamp;
                    latencies.push_back(heard - stamp * Rate / 1'000'000);
                }
            }
        }
        const int latency = requests.serverLatencyFrames() + server.latencyBeyondKept;
        for (const std::int64_t heard : latencies) {
            EXPECT_GE(heard, latency);
            // A few frames more for rounding and the hit's first audible sample.
            EXPECT_LT(heard, latency + Block + 12) << testing::PrintToString(latencies);
        }
    }
}

// On PipeWire's server the requests may move to another line for good. Where
// the server lost a cycle, its sound moved with them and the messages follow
// at once; where its graph changed its cycle, the sound stayed and so do the
// messages, then and a second later.
TEST(MidiOutSynthTimeline, AMessageKeepsItsLatencyWhereTheSoundKeepsItsPlace) {
    constexpr int Block = 64;
    constexpr int Cycle = 235;
    const ServerRequests steady(PipeWireServer);
    const int latency = steady.serverLatencyFrames() + PipeWireServer.latencyBeyondKept;
    // Where nothing was placed before the graph changed (a stream whose graph
    // settles as it starts), there is no place to keep: the messages follow
    // the requests, and sound as much earlier.
    const struct {
        LostCycleWatch::Verdict move;
        bool placedBefore;
        double seconds;
        int soundMovedFrames;
    } cases[] = {{LostCycleWatch::Verdict::GraphChanged, true, 1.3, 0},
                 {LostCycleWatch::Verdict::GraphChanged, true, 2.6, 0},
                 {LostCycleWatch::Verdict::GraphChanged, false, 1.3, Cycle},
                 {LostCycleWatch::Verdict::LostCycle, true, 1.3, Cycle},
                 {LostCycleWatch::Verdict::LostCycle, true, 2.6, Cycle}};
    for (const auto& kind : cases) {
        const double seconds = kind.seconds;
        ServerRequests stream(PipeWireServer);
        ASSERT_TRUE(stream.ready());
        stream.moveLine(100, Cycle, kind.move, 104);
        const auto stamp = static_cast<std::int64_t>(seconds * 1e6);
        std::vector<std::pair<std::int64_t, std::uint32_t>> messages;
        if (kind.placedBefore) messages.push_back({200'000, pack(0xB9, 7, 100)});  // silent
        messages.push_back({stamp, pack(0x99, 75, 127)});
        const std::int64_t heard = firstSound(stream.play(messages, seconds + 0.2));
        ASSERT_GE(heard, 0);
        const std::int64_t heardLatency = heard + kind.soundMovedFrames - stamp * Rate / 1'000'000;
        EXPECT_GE(heardLatency, latency) << seconds << " s, sound moved " << kind.soundMovedFrames;
        EXPECT_LT(heardLatency, latency + Block + 12)
            << seconds << " s, sound moved " << kind.soundMovedFrames;
    }
}

// Every note off takes its place among the messages: a note sent before it
// still sounds and is released, and one sent after it is not cut.
TEST(MidiOutSynthTimeline, NotesOffComesInTheOrderSent) {
    std::string error;
    const auto synth = GeneralMidiSynth::create(error);
    ASSERT_NE(synth, nullptr) << error;
    SynthTimeline timeline(*synth, Rate);
    RenderClock clock;
    clock.bufferFrames = 448;
    clock.periodFrames = 64;
    clock.playedFrames = 0;
    timeline.post(0, 0xC0, 48, 0);  // strings: a steady sound
    timeline.post(0, 0x90, 60, 127);
    timeline.postNotesOff(0);
    timeline.post(0, 0x90, 67, 127);
    std::vector<float> both(static_cast<std::size_t>(Rate) * 2);
    timeline.render(both.data(), Rate, clock);
    // The second note holds after the notes off, on its own pitch.
    std::vector<float> left(static_cast<std::size_t>(Rate) / 2);
    for (std::size_t i = 0; i < left.size(); ++i) left[i] = both[Rate + 2 * i];
    EXPECT_GT(rms(left), 0.01);
    EXPECT_NEAR(testsupport::fundamentalHz(left, Rate), 392.0, 4.0);
}

// A stream that lapses (a hung server) while a dense score plays, or a burst
// faster than the stream plays: none of the messages meanwhile overtakes one
// sent before it, and the synthesizer takes them all in, however many: a note
// released across them falls silent, one held across them or turned on after
// them sounds.
TEST(MidiOutSynthTimeline, MessagesPiledUpPlayInTheOrderSentAndAreAllTakenIn) {
    enum Note { ReleasedAcross, HeldAcross, OnAfter };
    struct Case {
        const char* name;
        Note note;
        std::size_t messages;
        bool denseScore;  // note pairs on eight channels; else a controller sweep
        int perRequest;   // messages between two requests; 0: none until the end
    };
    constexpr std::size_t Full = 3 * SynthTimeline::Capacity;
    for (const Case& test : {
             Case{"a full queue, a note released across", ReleasedAcross, Full, true, 0},
             Case{"a full queue, a note held across", HeldAcross, Full, true, 0},
             Case{"a full queue, a note turned on after", OnAfter, Full, true, 0},
             Case{"a part-full queue, a note held across", HeldAcross, Full / 6, true, 0},
             // Placed faster than they fall due: more than room for them.
             Case{"a burst faster than the stream plays", ReleasedAcross, Full, false, 3000},
         }) {
        SCOPED_TRACE(test.name);
        std::string error;
        const auto synth = GeneralMidiSynth::create(error);
        ASSERT_NE(synth, nullptr) << error;
        SynthTimeline timeline(*synth, Rate);
        std::vector<float> both(static_cast<std::size_t>(2 * Rate) * 2);
        std::int64_t written = 0;
        RenderClock clock;
        clock.bufferFrames = 448;
        clock.periodFrames = 64;
        // While the stream lapses the clock runs on; the score plays a column
        // of eight note ends and starts every 125 ms.
        std::int64_t lapsedMicros = 0;
        auto request = [&](std::int64_t frames) {
            clock.nowMicros = written * 1'000'000 / Rate + lapsedMicros;
            clock.writtenFrames = clock.playedFrames = written;
            timeline.render(both.data() + 2 * written, static_cast<int>(frames), clock);
            written += frames;
        };
        auto post = [&](std::uint32_t message, std::int64_t laterMicros = 0) {
            timeline.post(written * 1'000'000 / Rate + lapsedMicros + laterMicros, message & 0xFF,
                          (message >> 8) & 0xFF, message >> 16);
        };

        post(pack(0xC0, 19));  // organ: a steady sound
        if (test.note == HeldAcross) post(pack(0x90, 60, 100));
        request(Rate / 10);
        if (test.note == ReleasedAcross) post(pack(0x90, 60, 100));
        const auto keyOf = [](std::size_t column, int channel) {
            return 48 + static_cast<int>(column * 5 + static_cast<std::size_t>(channel) * 7) % 24;
        };
        for (std::size_t i = 0; i < test.messages; ++i) {
            const std::size_t column = i / 16;
            const int channel = 1 + static_cast<int>(i % 16 / 2);
            const std::int64_t columnMicros =
                test.perRequest == 0 ? static_cast<std::int64_t>(column) * 125'000 : 0;
            if (!test.denseScore) {
                post(pack(0xB1, 1, static_cast<int>(i % 128)), columnMicros);
            } else if (i % 2 == 0) {
                post(pack(0x80 | channel, keyOf(column - 1, channel)), columnMicros);
            } else {
                post(pack(0x90 | channel, keyOf(column, channel), 100), columnMicros);
            }
            if (test.perRequest > 0 && (i + 1) % test.perRequest == 0) request(64);
        }
        // The score's last notes end too.
        const std::size_t columns = test.messages / 16;
        for (int channel = 1; test.denseScore && channel <= 8; ++channel) {
            post(pack(0x80 | channel, keyOf(columns - 1, channel)),
                 test.perRequest == 0 ? static_cast<std::int64_t>(columns) * 125'000 : 0);
        }
        if (test.perRequest == 0) lapsedMicros = static_cast<std::int64_t>(columns + 1) * 125'000;
        if (test.note == ReleasedAcross) post(pack(0x80, 60));
        if (test.note == OnAfter) post(pack(0x90, 60, 100));
        const std::int64_t lapseEnd = written;
        request(static_cast<std::int64_t>(both.size() / 2) - written);

        const auto leftFrom = [&](std::int64_t frame) {
            std::vector<float> left(static_cast<std::size_t>(Rate) / 4);
            for (std::size_t i = 0; i < left.size(); ++i) left[i] = both[2 * (frame + i)];
            return rms(left);
        };
        const double late = leftFrom(3 * Rate / 2);
        // Soon after the lapse only what is held sounds: no burst of the
        // notes missed meanwhile, and nothing of them in their release.
        const double soon = leftFrom(lapseEnd + Rate / 10);
        if (test.note == ReleasedAcross) {
            EXPECT_LT(late, 1e-4) << "a note sounds past its note off";
        } else {
            EXPECT_GT(late, 0.01) << "the note on is not heard";
        }
        if (test.note == HeldAcross) {
            EXPECT_NEAR(soon, late, 0.02 + 0.25 * late) << "soon after the lapse";
        }
    }
}

}  // namespace
}  // namespace midiout
