// The score played end to end: the main window's playback through the built-in
// synthesizer into a null sink of this process's own, whose monitor an
// independent tool records. The notes are heard at their pitches, in order,
// each on a step of its own; the sound server moves audio in blocks of 20-25
// ms, so the step times themselves are checked on the virtual clock.

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

using testsupport::RecordRate;

class PlaybackAudible : public testsupport::MainWindowTest {
protected:
    static void SetUpTestSuite() { testsupport::privateNullSink(); }
};

TEST_F(PlaybackAudible, AFourNoteMelodyIsHeardAtItsPitchesInOrder) {
    auto& w = form();
    ASSERT_FALSE(testsupport::privateNullSink().empty()) << "no sound server or null sink";
    midiout::resetDevices();  // the real synthesizer in place of the recording device
    w.Device_Click(0);
    ASSERT_EQ(w.MidiResult, 0) << midiout::mapperLastError();
    const std::array<int, 4> keys = {60, 62, 65, 69};
    w.ClearScore();
    for (int column = 0; column < 4; ++column) {
        w.Notes[0][column] = static_cast<std::int16_t>(127 - keys[column]);
        w.Instruments[0][column] = 114;  // steel drums: a sharp attack, true to pitch
    }
    w.CursorColumn = 0;
    testsupport::MonitorRecording recording(testsupport::privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(testsupport::streamAndRecordingRun(recording));
    w.PlayAndStop_Click(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_EQ(recording.stop(), 0);

    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    ASSERT_EQ(rate, RecordRate);
    const std::span<const float> samples(sound);
    // Each note is an attack over the decay of the one before.
    const std::vector<std::size_t> onsets = testsupport::attackOnsets(samples, rate, 0.01, 60);
    ASSERT_GE(onsets.size(), keys.size()) << "attacks heard";
    for (std::size_t note = 0; note < keys.size(); ++note) {
        const double hz = 440.0 * std::pow(2.0, (keys[note] - 69) / 12.0);
        const double pitch = testsupport::attackPitchHz(
            samples.subspan(onsets[note] + rate / 50, rate / 12), rate, 150, 900);
        EXPECT_NEAR(pitch, hz, hz * 0.015) << "note " << note;
        // Within half a step of 125 ms: no two notes share a step.
        if (note > 0) {
            EXPECT_NEAR((onsets[note] - onsets[note - 1]) * 1000.0 / rate, 125.0, 62.5) << note;
        }
    }
}

}  // namespace
}  // namespace playbacktest
