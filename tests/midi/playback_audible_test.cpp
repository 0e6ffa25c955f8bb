// The score played end to end: the main window's playback through the built-in
// synthesizer into a null sink, whose monitor an independent tool records; the
// recording shows the notes at their pitches, in order, each on a step of its
// own. The exact step times are checked on the virtual clock; the sound server
// moves audio in blocks of 20-25 ms, so here a note may land a block early or
// late.
//
// Needs the test sound server (scripts/test-services). The test makes a null
// sink of its own and this process's default through PULSE_SINK, so other
// programs' sound never mixes in.

#include <array>
#include <chrono>
#include <cmath>
#include <thread>

#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"
#include "support/app/MainWindowFixture.h"

namespace playbacktest {
namespace {

using namespace std::chrono_literals;
using testsupport::RecordRate;

double keyHz(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

class PlaybackAudible : public testsupport::MainWindowTest {
protected:
    static void SetUpTestSuite() { testsupport::privateNullSink(); }

    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_FALSE(testsupport::privateNullSink().empty())
            << "no sound server or null sink: run `source scripts/test-services; "
               "start_test_services`";
        // The real synthesizer in place of the recording device.
        midiout::resetDevices();
        form().Device_Click(0);
        ASSERT_EQ(form().MidiResult, 0) << midiout::mapperLastError();
    }
};

TEST_F(PlaybackAudible, AFourNoteMelodyIsHeardAtItsPitchesInOrder) {
    auto& w = form();
    const std::array<int, 4> keys = {60, 62, 65, 69};
    w.ClearScore();
    for (int column = 0; column < 4; ++column) {
        w.Notes[0][column] = static_cast<std::int16_t>(127 - keys[column]);
        // Steel drums: a sharp attack on every note, true to pitch.
        w.Instruments[0][column] = 114;
    }
    w.CursorColumn = 0;

    testsupport::MonitorRecording recording(testsupport::privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(testsupport::streamAndRecordingRun(recording));

    w.PlayAndStop_Click(0);
    std::this_thread::sleep_for(400ms);
    ASSERT_EQ(recording.stop(), 0);

    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    ASSERT_EQ(rate, RecordRate);
    const std::span<const float> samples(sound);
    // Each note is an attack over the decay of the one before.
    const std::vector<std::size_t> onsets = testsupport::attackOnsets(samples, rate, 0.01, 60);
    ASSERT_EQ(onsets.size(), keys.size()) << "attacks heard";
    for (std::size_t note = 0; note < keys.size(); ++note) {
        const std::size_t from = onsets[note] + static_cast<std::size_t>(rate) / 50;
        const double pitch = testsupport::attackPitchHz(
            samples.subspan(from, static_cast<std::size_t>(rate) / 12), rate, 150, 900);
        EXPECT_NEAR(pitch, keyHz(keys[note]), keyHz(keys[note]) * 0.015) << "note " << note;
    }
    // Within half a step: no two notes share a step and none waits for a later
    // one, whatever blocks the server cut the sound into.
    constexpr double StepMs = 125.0;
    for (std::size_t note = 1; note < keys.size(); ++note) {
        const double gapMs = static_cast<double>(onsets[note] - onsets[note - 1]) * 1000.0 / rate;
        EXPECT_NEAR(gapMs, StepMs, StepMs / 2) << "between notes " << note - 1 << " and " << note;
    }
}

}  // namespace
}  // namespace playbacktest
