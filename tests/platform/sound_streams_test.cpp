// The streams to the sound server: each kind asks for the buffer it needs,
// the live one's thread runs at a real-time priority where the system allows
// it, and where its sound still breaks up its buffer grows, within a bound.
// Needs the test sound server (scripts/test-services).

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/media/MidiFilePlayer.h"
#include "platform/media/WavePlayer.h"
#include "platform/midiout/GeneralMidiSynth.h"
#include "platform/midiout/PulseOutput.h"
#include "platform/system/RealtimePriority.h"
#include "support/AudioCapture.h"
#include "support/MediaFiles.h"
#include "support/RaisePermission.h"
#include "support/TempFolder.h"

namespace {

using namespace std::chrono_literals;
using midiout::PulseOutput;
using testsupport::waitFor;

constexpr int Rate = midiout::GeneralMidiSynth::SampleRate;

// A live stream, of a faint sound or of silence, whose render can be made to
// stall once, as a starved audio thread does.
class LiveStream {
public:
    explicit LiveStream(float level = 0.001f) {
        output = PulseOutput::connect(
            [this, level](float* interleaved, int frames, const midiout::RenderClock&) {
                std::fill(interleaved, interleaved + 2 * frames, level);
                if (stall.exchange(false)) std::this_thread::sleep_for(120ms);
                renderedRealtime = sys::threadRunsRealtime(sys::currentThreadId());
                return true;
            },
            Rate, midiout::liveBuffer(Rate), error);
    }
    std::string error;
    std::atomic<bool> stall{false};
    std::atomic<bool> renderedRealtime{false};
    std::unique_ptr<PulseOutput> output;
};

class SoundStreams : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testsupport::soundServerAnswers()); }
    testsupport::TempFolder folder;
};

TEST_F(SoundStreams, EachKindAsksForItsBuffer) {
    LiveStream live;
    ASSERT_NE(live.output, nullptr) << live.error;
    // A few milliseconds for live notes, all but one request's worth of them
    // queued in the stream, where a late render can still catch up.
    const midiout::StreamBuffer asked = midiout::liveBuffer(Rate);
    EXPECT_GE(live.output->serverBufferFrames(), asked.latencyFrames - asked.periodFrames);
    EXPECT_LE(live.output->serverBufferFrames(), Rate / 100);
    live.output->awaitPriorityAnswer();
    if (testsupport::mayRaiseThreadsTo(sys::SynthPriority)) {
        EXPECT_TRUE(live.output->renderThreadRealtime());
        EXPECT_TRUE(waitFor([&] { return live.renderedRealtime.load(); }, 5s));
    }

    // A quarter second for files, of which the server keeps more than a tenth
    // in the stream's buffer.
    const std::string wave = folder.file("tone.wav");
    const std::string tune = folder.file("tune.mid");
    ASSERT_TRUE(testsupport::writeToneWav(wave, 440, 1.0));
    ASSERT_TRUE(testsupport::writeNoteMidi(tune, 69, 4));
    std::string error;
    const auto wavePlayer = media::WavePlayer::open(wave, error);
    const auto midiPlayer = media::MidiFilePlayer::open(tune, error);
    ASSERT_TRUE(wavePlayer && midiPlayer) << error;
    ASSERT_TRUE(wavePlayer->play(error)) << error;
    ASSERT_TRUE(midiPlayer->play(error)) << error;
    EXPECT_GE(wavePlayer->bufferFrames(), wavePlayer->sampleRate() / 10);
    EXPECT_GE(midiPlayer->bufferFrames(), Rate / 10);
}

TEST_F(SoundStreams, UnderrunsGrowTheLiveBufferUpToItsBound) {
    LiveStream live;
    ASSERT_NE(live.output, nullptr) << live.error;
    const midiout::StreamBuffer asked = midiout::liveBuffer(Rate);
    const int serverBufferBefore = live.output->serverBufferFrames();
    const int keptBefore = live.output->keptLatency().latencyFrames;
    // Each underrun doubles it, whatever caused it: a stall of ours or the
    // machine's own load.
    auto afterUnderruns = [&](int count) {
        int frames = asked.latencyFrames;
        for (int i = 0; i < count; ++i) frames = std::min(frames * 2, asked.maxLatencyFrames);
        return frames;
    };
    for (int stall = 0; stall < 4; ++stall) {
        const int underruns = live.output->underruns();
        live.stall = true;
        ASSERT_TRUE(waitFor([&] { return live.output->underruns() > underruns; }, 10s));
        ASSERT_TRUE(waitFor(
            [&] { return live.output->bufferFrames() == afterUnderruns(live.output->underruns()); },
            10s))
            << live.output->bufferFrames() << " after " << live.output->underruns();
    }
    EXPECT_EQ(live.output->bufferFrames(), asked.maxLatencyFrames);

    // Silence that runs dry is no dropout: the buffer stays as it is.
    LiveStream silent(0.0f);
    ASSERT_NE(silent.output, nullptr) << silent.error;
    silent.stall = true;
    ASSERT_TRUE(waitFor([&] { return silent.output->underruns() > 0; }, 10s));
    EXPECT_EQ(silent.output->bufferFrames(), asked.latencyFrames);
    EXPECT_EQ(asked.maxLatencyFrames, Rate / 20);  // 50 ms
    // The server keeps the larger buffer it was asked for, and what the
    // stream tells its render function follows the grant.
    EXPECT_TRUE(
        waitFor([&] { return live.output->serverBufferFrames() > 2 * serverBufferBefore; }, 10s))
        << serverBufferBefore << " then " << live.output->serverBufferFrames();
    EXPECT_GE(keptBefore, serverBufferBefore);
    EXPECT_TRUE(waitFor(
        [&] {
            return live.output->keptLatency().latencyFrames > live.output->serverBufferFrames();
        },
        10s))
        << live.output->keptLatency().latencyFrames << " kept of "
        << live.output->serverBufferFrames();
}

// PipeWire's server splits an adjusted latency as PulseAudio's does: its
// graph's cycle gets what the latency holds beyond two requests, halved, and
// at least a request; the stream's queue keeps the rest.
constexpr int PipeWireRequest = 236;
midiout::GrantedBuffer pipewireGrant(int askedLatency) {
    const int cycle = std::max((askedLatency - 2 * PipeWireRequest) / 2, PipeWireRequest);
    return {cycle + 2 * PipeWireRequest, PipeWireRequest};
}

TEST(SoundStreamGrowth, OnPipeWireADropoutDoublesTheGraphsCycleWithinTheBound) {
    midiout::StreamBuffer live = midiout::liveBuffer(Rate);
    live.sinkKeepsOnePeriod = false;  // as the live stream asks it of that server
    midiout::GrantedBuffer granted = pipewireGrant(live.latencyFrames);
    int asked = live.latencyFrames;
    std::vector<int> cycles;
    for (int dropout = 0; dropout < 3; ++dropout) {
        // What the stream keeps is its queue and the graph's cycle.
        const midiout::KeptLatency kept = midiout::keptLatency(live, granted);
        EXPECT_EQ(kept.latencyFrames, 2 * granted.queuedFrames - 2 * PipeWireRequest);
        asked = midiout::grownLatencyFrames(live, asked, kept);
        granted = pipewireGrant(asked);
        cycles.push_back(granted.queuedFrames - 2 * PipeWireRequest);
    }
    // 236 frames to start with, the server's shortest.
    EXPECT_EQ(cycles, (std::vector<int>{472, 866, 866}));
    EXPECT_EQ(asked, live.maxLatencyFrames);
}

}  // namespace
