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

#include <QTimer>
#include <algorithm>
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

constexpr std::size_t LevelsPerSecond = 200;

// The level of each 5 ms of the recording.
std::vector<double> levelsOf(std::span<const float> samples, int rate) {
    const std::size_t frame = static_cast<std::size_t>(rate) / LevelsPerSecond;
    std::vector<double> levels;
    for (std::size_t at = 0; at + frame <= samples.size(); at += frame) {
        levels.push_back(testsupport::rms(samples.subspan(at, frame)));
    }
    return levels;
}

// The level below which the given share of the levels lies.
double levelAtShare(std::vector<double> levels, double share) {
    const auto at = levels.begin() + static_cast<std::ptrdiff_t>(share * (levels.size() - 1));
    std::nth_element(levels.begin(), at, levels.end());
    return *at;
}

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
    // The last note now rings out after the end; only the melody's attacks
    // are looked at.
    ASSERT_GE(onsets.size(), keys.size()) << "attacks heard";
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

// Looping from the cursor, the last column sounds for its whole step like
// every other: a two-column loop of an organ note never falls silent.
TEST_F(PlaybackAudible, ALoopsLastColumnSoundsForItsWholeStep) {
    auto& w = form();
    w.ClearScore();
    for (int column = 0; column < 2; ++column) {
        w.Notes[0][column] = 67;
        w.Instruments[0][column] = 16;  // drawbar organ: steady, quick to start and stop
    }
    w.CursorColumn = 0;
    w.chkgraphics.setValue(1);
    w.loopcheck.setValue(1);

    testsupport::MonitorRecording recording(testsupport::privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(testsupport::streamAndRecordingRun(recording));
    QTimer::singleShot(1600, [&] { w.PlayAndStop_Click(1); });
    w.PlayAndStop_Click(0);
    ASSERT_EQ(recording.stop(), 0);

    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    ASSERT_EQ(rate, RecordRate);
    const std::vector<std::size_t> onsets = testsupport::onsetsAfterSilence(sound, rate);
    ASSERT_FALSE(onsets.empty()) << "nothing heard";
    const std::vector<double> levels = levelsOf(sound, rate);
    const std::size_t onset = onsets.front() * LevelsPerSecond / static_cast<std::size_t>(rate);
    // One second of looping, well inside the playback.
    ASSERT_GT(levels.size(), onset + 260);
    const std::vector<double> looping(levels.begin() + static_cast<std::ptrdiff_t>(onset + 60),
                                      levels.begin() + static_cast<std::ptrdiff_t>(onset + 260));
    // A last column cut short leaves every other step near silent.
    EXPECT_GT(levelAtShare(looping, 0.3) / levelAtShare(looping, 0.9), 0.55);
}

// Stop sends the note offs and closes the output: the strings then fade over
// their release and the reverb, rather than stopping dead.
TEST_F(PlaybackAudible, AfterStopTheNotesFadeOverTheirRelease) {
    auto& w = form();
    w.ClearScore();
    for (int column = 0; column < 40; ++column) {
        w.Notes[0][column] = static_cast<std::int16_t>(column == 0 ? 67 : score::HeldOffset + 67);
        w.Instruments[0][column] = 48;  // string ensemble: steady, with a long release
    }
    w.CursorColumn = 0;

    testsupport::MonitorRecording recording(testsupport::privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(testsupport::streamAndRecordingRun(recording));
    QTimer::singleShot(900, [&] { w.PlayAndStop_Click(1); });
    w.PlayAndStop_Click(0);
    std::this_thread::sleep_for(800ms);
    ASSERT_EQ(recording.stop(), 0);

    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    ASSERT_EQ(rate, RecordRate);
    const std::vector<std::size_t> onsets = testsupport::onsetsAfterSilence(sound, rate);
    ASSERT_FALSE(onsets.empty()) << "nothing heard";
    const std::vector<double> levels = levelsOf(sound, rate);
    const std::size_t onset = onsets.front() * LevelsPerSecond / static_cast<std::size_t>(rate);
    ASSERT_GT(levels.size(), onset + 140);
    // The held note's level, well before the stop.
    const double sustained =
        levelAtShare({levels.begin() + static_cast<std::ptrdiff_t>(onset + 80),
                      levels.begin() + static_cast<std::ptrdiff_t>(onset + 140)},
                     0.5);
    ASSERT_GT(sustained, 0.005);
    // A cut loses most of the level within 10 ms (what follows is the reverb
    // alone); a release never loses half of it that fast while it is loud.
    double steepest = 1.0;
    for (std::size_t i = onset + 80; i + 2 < levels.size(); ++i) {
        if (levels[i] >= sustained / 2) steepest = std::min(steepest, levels[i + 2] / levels[i]);
    }
    EXPECT_GT(steepest, 0.45) << "the level left 10 ms later, at the steepest fall";
}

}  // namespace
}  // namespace playbacktest
