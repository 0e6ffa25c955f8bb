// The mapper end to end: the built-in synthesizer plays through the PulseAudio
// server into a null sink of this process's own, whose monitor an independent
// tool records in stereo. Needs the test sound server (scripts/test-services).

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"

namespace midiout {
namespace {

using namespace std::chrono_literals;
using testsupport::RecordRate;
using testsupport::rms;
using testsupport::waitFor;

class MidiOutPlayback : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testsupport::privateNullSink(); }

    void SetUp() override {
        resetDevices();
        ASSERT_FALSE(testsupport::privateNullSink().empty()) << "no sound server or null sink";
        recording_ =
            std::make_unique<testsupport::MonitorRecording>(testsupport::privateNullSink(), 2);
        ASSERT_TRUE(recording_->started());
        ASSERT_EQ(midiOutOpen(handle, MapperId), NoError) << mapperLastError();
        ASSERT_TRUE(testsupport::streamAndRecordingRun(*recording_));
    }

    // A4 hard left on the piano, held for 400 ms.
    void playLeftA() {
        EXPECT_EQ(midiOutShortMsg(handle, 0x0000B0 | (10 << 8)), NoError);  // pan 0
        EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);
        std::this_thread::sleep_for(400ms);
    }

    // Both channels after stop(); the loudest 200 ms of the left one in `left`.
    void stopAndRead(std::vector<float>& left, std::vector<float>& right) {
        ASSERT_EQ(recording_->stop(), 0);
        int rate = 0;
        left = recording_->channelSamples(0, rate);
        right = recording_->channelSamples(1, rate);
        ASSERT_EQ(rate, RecordRate);
        ASSERT_GT(left.size(), static_cast<std::size_t>(rate));
    }

    static std::span<const float> loudest(const std::vector<float>& sound) {
        const std::size_t length = RecordRate / 5;
        return std::span<const float>(sound).subspan(testsupport::loudestWindow(sound, length),
                                                     length);
    }

    Handle handle = 0;
    std::unique_ptr<testsupport::MonitorRecording> recording_;
};

TEST_F(MidiOutPlayback, ANotePannedLeftIsHeardAtItsPitchOnTheLeftAndClosingEndsIt) {
    playLeftA();
    EXPECT_EQ(midiOutClose(handle), NoError);  // a held note that would ring for seconds
    std::this_thread::sleep_for(800ms);
    std::vector<float> left, right;
    stopAndRead(left, right);
    // Nothing leaks from the idle synthesizer before the note.
    EXPECT_LT(rms(std::span<const float>(left).first(RecordRate / 10)), 1e-3);
    const auto note = loudest(left);
    EXPECT_GT(rms(note), 0.01);
    EXPECT_NEAR(testsupport::fundamentalHz(note, RecordRate), 440.0, 3.0);
    EXPECT_GT(rms(note), 4 * rms(loudest(right)));
    EXPECT_LT(rms(std::span<const float>(left).last(RecordRate / 5)), rms(note) * 0.01);
}

TEST_F(MidiOutPlayback, AfterItsQuietPeriodTheStreamPausesAndANoteWakesIt) {
    setMapperQuietPeriod(300ms);
    ASSERT_TRUE(waitFor([] { return mapperAsleep(); }, 5s));
    const std::int64_t framesAsleep = mapperFramesPlayed();
    std::this_thread::sleep_for(200ms);
    EXPECT_LT(mapperFramesPlayed() - framesAsleep, RecordRate / 20);

    EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);
    EXPECT_FALSE(mapperAsleep());
    const std::int64_t framesAtNote = mapperFramesPlayed();
    EXPECT_TRUE(waitFor([&] { return mapperFramesPlayed() - framesAtNote > RecordRate / 2; }, 5s));
    setMapperQuietPeriod(8s);
    EXPECT_EQ(midiOutClose(handle), NoError);
    std::vector<float> left, right;
    stopAndRead(left, right);
    EXPECT_NEAR(testsupport::fundamentalHz(loudest(left), RecordRate), 440.0, 3.0);
}

TEST(MidiOutPlaybackServer, AMapperWithoutSoundServerOpensSilentAndIsHeardOnceOneIsThere) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(runtime, nullptr);
    const std::filesystem::path server = std::filesystem::path(runtime) / "pulse" / "native";
    ASSERT_TRUE(std::filesystem::exists(server));
    // A fresh process, where the synthesizer has never been opened; the server
    // appears later at the address the program was given.
    EXPECT_EXIT(
        {
            namespace fs = std::filesystem;
            const fs::path folder =
                fs::temp_directory_path() / ("sorvane-server-" + std::to_string(getpid()));
            fs::create_directories(folder);
            setenv("PULSE_SERVER", ("unix:" + (folder / "native").string()).c_str(), 1);
            Handle handle = 0;
            const bool silent = midiOutOpen(handle, MapperId) == NoError &&
                                !midiOutAudible(handle) && !mapperLastError().empty() &&
                                midiOutShortMsg(handle, 0x7F4590) == NoError;
            fs::create_symlink(server, folder / "native");
            const bool heard = waitFor([&] { return midiOutAudible(handle); }, 10s);
            fs::remove_all(folder);
            std::_Exit(silent && heard && mapperLastError().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace midiout
