// The media-control devices against the test sound server: the recorder
// records the sink's monitor while an independent tool plays a tone into the
// sink; the players play into the sink while an independent tool records its
// monitor. Each recording is read back and its pitch measured.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "media_testing.h"
#include "platform/media/MediaControl.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"

namespace media {
namespace {

using namespace std::chrono_literals;
using media_test::TempFolder;
using testsupport::fundamentalHz;
using testsupport::loudestWindow;
using testsupport::MonitorRecording;
using testsupport::privateNullSink;
using testsupport::rms;
using testsupport::waitFor;

// The pitch and loudness of the loudest fifth of a second.
struct Heard {
    double hz = 0;
    double level = 0;
};

Heard loudestPart(const std::vector<float>& sound, int rate) {
    const auto length = static_cast<std::size_t>(rate) / 5;
    if (sound.size() < length) return {};
    const auto part = std::span<const float>(sound).subspan(loudestWindow(sound, length), length);
    return {fundamentalHz(part, rate), rms(part)};
}

class MediaAudible : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The recorder takes the default input: this process's sink's monitor.
        const std::string& sink = privateNullSink();
        if (!sink.empty()) setenv("PULSE_SOURCE", (sink + ".monitor").c_str(), 1);
    }
    void SetUp() override {
        ASSERT_TRUE(testsupport::soundServerAnswers())
            << "no PulseAudio server: run `source scripts/test-services; start_test_services`";
        ASSERT_FALSE(privateNullSink().empty());
    }
    void TearDown() override { closeAllMedia(); }

    // Waits until the alias has stopped playing.
    static bool playsToItsEnd(const std::string& alias) {
        return waitFor(
            [&] {
                std::string answer;
                mciSendString("status " + alias + " mode", answer);
                return answer != "playing";
            },
            30s, [] { std::this_thread::sleep_for(20ms); });
    }
};

TEST_F(MediaAudible, TheRecorderCapturesAToneAndSavesItUnderAnyName) {
    TempFolder folder;
    const std::string tone = folder.file("tone.wav");
    ASSERT_TRUE(media_test::writeToneWav(tone, 440.0, 3.0));
    ASSERT_EQ(mciSendString("open new type waveaudio alias capture"), Success);
    ASSERT_EQ(mciSendString("set capture samplespersec 44100 channels 1 bitspersample 16 "
                            "alignment 2 bytespersec 88200"),
              Success);
    ASSERT_EQ(mciSendString("record capture overwrite"), Success);
    ASSERT_EQ(mciSendString("set capture time format bytes"), Success);
    std::string answer;
    ASSERT_TRUE(waitFor(
        [&] {
            mciSendString("status capture length", answer);
            return std::atoll(answer.c_str()) > 88200 / 3;
        },
        10s));
    const std::string play = "paplay --device=" + privateNullSink() + " '" + tone + "'";
    ASSERT_EQ(std::system(play.c_str()), 0);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(mciSendString("stop capture"), Success);
    mciSendString("status capture length", answer);
    const long long bytes = std::atoll(answer.c_str());
    EXPECT_GT(bytes, 88200LL * 3);

    const std::string saved = folder.file("take \"one\" of two.wav");
    ASSERT_EQ(mciSendString("save capture " + quotePath(saved)), Success);
    EXPECT_EQ(mciSendString("close capture"), Success);

    SF_INFO info{};
    SNDFILE* file = sf_open(saved.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.frames, bytes / 2);
    std::vector<float> sound(static_cast<std::size_t>(info.frames));
    sf_readf_float(file, sound.data(), info.frames);
    sf_close(file);
    const Heard heard = loudestPart(sound, info.samplerate);
    EXPECT_GT(heard.level, 0.1);
    EXPECT_NEAR(heard.hz, 440.0, 3.0);
}

TEST_F(MediaAudible, AnEightBitStereoCaptureKeepsItsFormat) {
    TempFolder folder;
    ASSERT_EQ(mciSendString("open new type waveaudio alias capture"), Success);
    ASSERT_EQ(mciSendString("set capture samplespersec 44100 channels 2 bitspersample 8 "
                            "alignment 2 bytespersec 88200"),
              Success);
    ASSERT_EQ(mciSendString("record capture overwrite"), Success);
    std::string answer;
    ASSERT_TRUE(waitFor(
        [&] {
            mciSendString("status capture length", answer);  // milliseconds
            return std::atoll(answer.c_str()) > 300;
        },
        10s));
    const std::string saved = folder.file("eight bit.wav");
    ASSERT_EQ(mciSendString("stop capture"), Success);
    ASSERT_EQ(mciSendString("save capture " + quotePath(saved)), Success);
    SF_INFO info{};
    SNDFILE* file = sf_open(saved.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    EXPECT_EQ(info.channels, 2);
    EXPECT_GT(info.frames, 44100 * 3 / 10);
}

TEST_F(MediaAudible, AWavFilePlaysIntoTheSinkToItsEnd) {
    TempFolder folder;
    const std::string tone = folder.file("six hundred \"sixty\".wav");
    ASSERT_TRUE(media_test::writeToneWav(tone, 660.0, 3.0));
    MonitorRecording recording(privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(waitFor([&] { return recording.holds(300ms); }, 10s));
    ASSERT_EQ(mciSendString("open waveaudio!" + quotePath(tone) + " alias sound"), Success);
    ASSERT_EQ(mciSendString("play sound"), Success);
    ASSERT_TRUE(playsToItsEnd("sound"));
    std::string length;
    std::string position;
    mciSendString("status sound length", length);
    mciSendString("status sound position", position);
    EXPECT_EQ(position, length);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(recording.stop(), 0);
    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    const Heard heard = loudestPart(sound, rate);
    EXPECT_GT(heard.level, 0.1);
    EXPECT_NEAR(heard.hz, 660.0, 3.0);
}

TEST_F(MediaAudible, AMidiFilePlaysOnItsOwnSynthesizer) {
    TempFolder folder;
    const std::string tune = folder.file("a four.mid");
    ASSERT_TRUE(media_test::writeNoteMidi(tune, 69, 4));
    MonitorRecording recording(privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(waitFor([&] { return recording.holds(300ms); }, 10s));
    ASSERT_EQ(mciSendString("open sequencer!" + quotePath(tune) + " alias midi"), Success);
    ASSERT_EQ(mciSendString("play midi"), Success);
    std::string answer;
    mciSendString("status midi length", answer);
    EXPECT_EQ(answer, "384");
    ASSERT_TRUE(playsToItsEnd("midi"));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(mciSendString("close midi"), Success);
    EXPECT_EQ(recording.stop(), 0);
    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    const Heard heard = loudestPart(sound, rate);
    EXPECT_GT(heard.level, 0.01);
    EXPECT_NEAR(heard.hz, 440.0, 3.0);
}

}  // namespace
}  // namespace media
