// The mapper end to end: messages go to the built-in synthesizer, which plays
// through the PulseAudio server to its default sink; that sink's monitor is
// recorded by an independent tool and the recording is read back and measured.
//
// Needs the test sound server (scripts/test-services); without it these tests
// fail, since a mapper that cannot play is a fault here. The tests run in
// parallel with others that play sound, so they get a null sink of their own
// and make it this process's default through PULSE_SINK.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include <unistd.h>

#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"

namespace midiout {
namespace {

using namespace std::chrono_literals;
using testsupport::fundamentalHz;
using testsupport::loudestWindow;
using testsupport::MonitorRecording;
using testsupport::privateNullSink;
using testsupport::RecordRate;
using testsupport::rms;
using testsupport::waitFor;

class MidiOutPlayback : public ::testing::Test {
protected:
    static void SetUpTestSuite() { privateNullSink(); }

    // Opens the mapper and starts recording; the test begins once both the
    // synthesizer stream and the recording are running.
    void SetUp() override {
        resetDevices();
        ASSERT_TRUE(testsupport::soundServerAnswers())
            << "no PulseAudio server: run `source scripts/test-services; start_test_services`";
        ASSERT_FALSE(privateNullSink().empty()) << "cannot add a null sink for the test";
        recording_ = std::make_unique<MonitorRecording>(privateNullSink());
        ASSERT_TRUE(recording_->started());
        ASSERT_EQ(midiOutOpen(handle, MapperId), NoError) << mapperLastError();
        ASSERT_TRUE(testsupport::streamAndRecordingRun(*recording_));
    }

    MonitorRecording& recording() { return *recording_; }

    // The loudest fifth of a second of what was recorded.
    static std::span<const float> loudestPart(const std::vector<float>& sound, int rate) {
        const std::size_t length = static_cast<std::size_t>(rate) / 5;
        return std::span<const float>(sound).subspan(loudestWindow(sound, length), length);
    }

    // The mapper, opened.
    Handle handle = 0;

private:
    std::unique_ptr<MonitorRecording> recording_;
};

TEST_F(MidiOutPlayback, ANoteOnTheMapperIsHeardAtItsPitch) {
    EXPECT_EQ(midiOutShortMsg(handle, 0x0000C0), NoError);  // piano on channel 0
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);  // A4
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(midiOutShortMsg(handle, 0x004580), NoError);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(recording().stop(), 0);
    EXPECT_EQ(midiOutClose(handle), NoError);

    int rate = 0;
    const std::vector<float> sound = recording().samples(rate);
    ASSERT_EQ(rate, RecordRate);
    ASSERT_GT(sound.size(), static_cast<std::size_t>(rate));
    // Before the note the sink carried silence: nothing from the synthesizer
    // leaks out while it is idle.
    EXPECT_LT(rms(std::span<const float>(sound).first(static_cast<std::size_t>(rate) / 10)), 1e-3);

    const auto loudest = loudestPart(sound, rate);
    EXPECT_GT(rms(loudest), 0.01);
    EXPECT_NEAR(fundamentalHz(loudest, rate), 440.0, 3.0);
}

TEST_F(MidiOutPlayback, ClosingTheMapperSilencesAHeldNote) {
    // A held piano note would ring for seconds; closing cuts it.
    EXPECT_EQ(midiOutShortMsg(handle, 0x0000C0), NoError);
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(midiOutClose(handle), NoError);
    std::this_thread::sleep_for(800ms);
    EXPECT_EQ(recording().stop(), 0);

    int rate = 0;
    const std::vector<float> sound = recording().samples(rate);
    ASSERT_GT(sound.size(), static_cast<std::size_t>(rate));
    const double note = rms(loudestPart(sound, rate));
    ASSERT_GT(note, 0.01);
    const double end = rms(std::span<const float>(sound).last(static_cast<std::size_t>(rate) / 5));
    EXPECT_LT(end, note * 0.01);

    // Reopening is quick and sounds again, with the synthesizer as it was.
    ASSERT_EQ(midiOutOpen(handle, MapperId), NoError);
    EXPECT_EQ(midiOutClose(handle), NoError);
}

TEST_F(MidiOutPlayback, TheMapperWakesForANoteAfterALongSilence) {
    EXPECT_EQ(midiOutShortMsg(handle, 0x0000C0), NoError);
    // Silence pauses the stream after some seconds.
    ASSERT_TRUE(waitFor([] { return mapperAsleep(); }, 30s));
    const std::int64_t framesAsleep = mapperFramesPlayed();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(mapperFramesPlayed() - framesAsleep, RecordRate / 10);

    EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);
    EXPECT_FALSE(mapperAsleep());
    // The note is held until half a second of it has gone out: a null sink
    // left idle may take a moment to take a resumed stream again.
    const std::int64_t framesAtNote = mapperFramesPlayed();
    EXPECT_TRUE(waitFor([&] { return mapperFramesPlayed() - framesAtNote > RecordRate / 2; }, 10s));
    EXPECT_EQ(midiOutShortMsg(handle, 0x004580), NoError);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(recording().stop(), 0);
    EXPECT_EQ(midiOutClose(handle), NoError);

    int rate = 0;
    const std::vector<float> sound = recording().samples(rate);
    ASSERT_GT(sound.size(), static_cast<std::size_t>(rate));
    const auto loudest = loudestPart(sound, rate);
    EXPECT_GT(rms(loudest), 0.01);
    EXPECT_NEAR(fundamentalHz(loudest, rate), 440.0, 3.0);
}

TEST(MidiOutPlaybackServer, AMapperWithoutSoundServerOpensSilentAndIsHeardOnceOneIsThere) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(runtime, nullptr);
    const std::filesystem::path server = std::filesystem::path(runtime) / "pulse" / "native";
    ASSERT_TRUE(std::filesystem::exists(server));
    // Runs in a fresh process, so the synthesizer has never been opened there.
    // The server appears at the address the program was given, later.
    EXPECT_EXIT(
        {
            namespace fs = std::filesystem;
            const fs::path folder =
                fs::temp_directory_path() / ("sorvane-server-" + std::to_string(getpid()));
            fs::remove_all(folder);
            fs::create_directories(folder);
            const fs::path address = folder / "native";
            setenv("PULSE_SERVER", ("unix:" + address.string()).c_str(), 1);
            Handle handle = 0;
            const bool opened = midiOutOpen(handle, MapperId) == NoError;
            const bool silent = !midiOutAudible(handle);
            const bool explained = !mapperLastError().empty();
            const bool takesMessages = midiOutShortMsg(handle, 0x7F4590) == NoError;
            fs::create_symlink(server, address);
            const bool heard = waitFor([&] { return midiOutAudible(handle); }, 30s);
            fs::remove_all(folder);
            std::_Exit(opened && silent && explained && takesMessages && heard &&
                               mapperLastError().empty()
                           ? 0
                           : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace midiout
