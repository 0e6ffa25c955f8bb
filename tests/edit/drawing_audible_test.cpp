// Through the built-in synthesizer: an instrument's preview and a note being
// drawn sound at their pitches, recorded from a null sink of the process's own
// (the test sound server, scripts/test-services) by an independent tool.

#include <gtest/gtest.h>

#include <chrono>
#include <span>

#include "edit/EditWindowFixture.h"
#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"
#include "platform/time/Clock.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"

namespace edittest {
namespace {

using namespace std::chrono_literals;
using testsupport::RecordRate;

// Lets the window handle its events for a while, as a user holding still.
void hold(std::chrono::milliseconds length) {
    const std::int64_t end = timing::GetTickCount() + length.count();
    while (timing::GetTickCount() < end) forms::waitForEvents(end);
}

class DrawingAudible : public EditWindowTest {
protected:
    static void SetUpTestSuite() { testsupport::privateNullSink(); }

    void SetUp() override {
        ASSERT_FALSE(testsupport::privateNullSink().empty())
            << "no sound server: run `source scripts/test-services; start_test_services`";
        EditWindowTest::SetUp();
        // The window's output goes to the real synthesizer from here on.
        midiout::resetDevices();
        form().Device_Click(0);
        ASSERT_EQ(form().MidiResult, 0) << midiout::mapperLastError();
    }
};

TEST_F(DrawingAudible, InstrumentPreviewAndADrawnNoteSoundAtTheirPitches) {
    auto& window = form();
    testsupport::MonitorRecording recording(testsupport::privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(testsupport::streamAndRecordingRun(recording, [] { hold(5ms); }));

    window.Combo1.userSelected(0);  // piano: the preview sounds middle C
    ASSERT_EQ(window.TrackInstrument[0], 0);
    hold(1500ms);

    pressCell(2, 3);  // pitch row 58: A4
    hold(300ms);
    dragToCell(6, 3);
    hold(400ms);
    releaseCell(6, 3);
    hold(800ms);
    ASSERT_EQ(recording.stop(), 0);
    EXPECT_EQ(window.Notes[0][2], 58);

    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    ASSERT_EQ(rate, RecordRate);
    const std::vector<std::size_t> onsets = testsupport::onsetsAfterSilence(sound, rate);
    ASSERT_EQ(onsets.size(), 2u) << "the preview and the drawn note, apart";
    const std::size_t length = static_cast<std::size_t>(rate) / 5;
    const std::size_t settle = static_cast<std::size_t>(rate) / 50;
    ASSERT_LE(onsets[1] + settle + length, sound.size());
    const auto preview = std::span<const float>(sound).subspan(onsets[0] + settle, length);
    const auto drawn = std::span<const float>(sound).subspan(onsets[1] + settle, length);
    // Within a third of a semitone: a loaded machine's recording may skip
    // samples, while the next key is a whole semitone off.
    EXPECT_NEAR(testsupport::fundamentalHz(preview, rate), 261.63, 5.0);
    EXPECT_NEAR(testsupport::fundamentalHz(drawn, rate), 440.0, 8.0);
    EXPECT_GT(testsupport::rms(drawn), 0.01);
}

}  // namespace
}  // namespace edittest
