// The media devices against the test sound server: WAV files play into this
// process's null sink while a capture records its monitor, and a MIDI file
// plays while an independent tool (parecord) records. Pitches and levels are
// measured on what was heard.

#include <gtest/gtest.h>

#include <sndfile.h>
#include <algorithm>

#include <chrono>
#include <cstdlib>
#include <span>
#include <thread>

#include "platform/media/MediaControl.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"
#include "support/MediaFiles.h"
#include "support/TempFolder.h"

namespace media {
namespace {

using namespace std::chrono_literals;
using testsupport::privateNullSink;
using testsupport::waitFor;

using Heard = testsupport::PitchAndLevel;

// The pitch and level of the loudest fifth of a second.
Heard loudestPart(std::span<const float> sound, int rate) {
    const auto length = static_cast<std::size_t>(rate) / 5;
    if (sound.size() < length) return {};
    return testsupport::pitchAndLevel(
        sound.subspan(testsupport::loudestWindow(sound, length), length), rate);
}

long long answerOf(const std::string& command) {
    std::string answer;
    mciSendString(command, answer);
    return std::atoll(answer.c_str());
}

bool playsToItsEnd(const std::string& alias) {
    return waitFor(
        [&] {
            std::string answer;
            mciSendString("status " + alias + " mode", answer);
            return answer != "playing";
        },
        20s, [] { std::this_thread::sleep_for(20ms); });
}

class MediaAudible : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A capture records the default input: this process's sink's monitor.
        const std::string& sink = privateNullSink();
        if (!sink.empty()) setenv("PULSE_SOURCE", (sink + ".monitor").c_str(), 1);
    }
    void SetUp() override {
        ASSERT_TRUE(testsupport::soundServerAnswers());
        ASSERT_FALSE(privateNullSink().empty());
    }
    void TearDown() override { closeAllMedia(); }
    testsupport::TempFolder folder;
};

TEST_F(MediaAudible, WavFilesPlayIntoTheSinkAndACaptureKeepsEachChannel) {
    const std::string mono = folder.file("mono.wav");
    const std::string stereo = folder.file("left \"and\" right.wav");
    ASSERT_TRUE(testsupport::writeToneWav(mono, 550, 0.8));
    ASSERT_TRUE(testsupport::writeToneWav(stereo, 440, 0.8, 660));
    ASSERT_EQ(mciSendString("open new type waveaudio alias capture"), Success);
    ASSERT_EQ(mciSendString("set capture samplespersec 44100 channels 2 bitspersample 16 "
                            "alignment 4 bytespersec 176400"),
              Success);
    ASSERT_EQ(mciSendString("record capture overwrite"), Success);
    // An idle sink's monitor takes a moment before it delivers.
    ASSERT_TRUE(waitFor([] { return answerOf("status capture length") > 300; }, 10s));
    ASSERT_EQ(mciSendString("open waveaudio!" + quotePath(mono) + " alias sound"), Success);
    ASSERT_EQ(mciSendString("play sound"), Success);
    ASSERT_TRUE(playsToItsEnd("sound"));
    EXPECT_EQ(answerOf("status sound position"), 800);
    std::this_thread::sleep_for(300ms);
    ASSERT_EQ(mciSendString("set capture time format bytes"), Success);
    const long long firstFileEnd = answerOf("status capture length") / 4;  // frames
    ASSERT_EQ(mciSendString("close sound"), Success);
    ASSERT_EQ(mciSendString("open waveaudio!" + quotePath(stereo) + " alias sound"), Success);
    ASSERT_EQ(mciSendString("play sound"), Success);
    ASSERT_TRUE(playsToItsEnd("sound"));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(mciSendString("stop capture"), Success);
    const long long bytes = answerOf("status capture length");
    ASSERT_EQ(mciSendString("set capture time format milliseconds"), Success);
    EXPECT_NEAR(answerOf("status capture length"), bytes / 176.4, 1.0);
    const std::string saved = folder.file("take \"one\".wav");
    ASSERT_EQ(mciSendString("save capture " + quotePath(saved)), Success);

    SF_INFO info{};
    SNDFILE* file = sf_open(saved.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(info.channels, 2);
    EXPECT_EQ(info.frames, bytes / 4);
    std::vector<float> frames(static_cast<std::size_t>(info.frames) * 2);
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    std::vector<float> channel[2];
    for (std::size_t i = 0; i < frames.size(); ++i) channel[i % 2].push_back(frames[i]);
    const auto split = static_cast<std::size_t>(std::min<long long>(firstFileEnd, info.frames));
    const struct {
        int channel;
        bool secondFile;
        double hz;
    } expected[] = {{0, false, 550}, {1, false, 550}, {0, true, 440}, {1, true, 660}};
    for (const auto& one : expected) {
        SCOPED_TRACE(testing::Message()
                     << "channel " << one.channel << " of file " << (one.secondFile ? "2" : "1"));
        const std::span<const float> all(channel[one.channel]);
        const Heard heard =
            loudestPart(one.secondFile ? all.subspan(split) : all.first(split), info.samplerate);
        EXPECT_GT(heard.level, 0.1);
        EXPECT_NEAR(heard.hz, one.hz, 3.0);
    }
}

TEST_F(MediaAudible, AMidiFilePlaysOnItsOwnSynthesizerAndFallsSilentWhenStopped) {
    const std::string tune = folder.file("a four.mid");
    ASSERT_TRUE(testsupport::writeNoteMidi(tune, 69, 8));
    testsupport::MonitorRecording recording(privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(waitFor([&] { return recording.holds(300ms); }, 10s));
    ASSERT_EQ(mciSendString("open sequencer!" + quotePath(tune) + " alias midi"), Success);
    ASSERT_EQ(mciSendString("play midi"), Success);
    ASSERT_TRUE(waitFor([] { return answerOf("status midi position") >= 96; }, 10s));
    std::this_thread::sleep_for(300ms);
    ASSERT_EQ(mciSendString("stop midi"), Success);
    EXPECT_EQ(answerOf("status midi length"), 768);
    EXPECT_LT(answerOf("status midi position"), 768);  // stopped before the note's end
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(recording.stop(), 0);
    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    const Heard heard = loudestPart(sound, rate);
    EXPECT_GT(heard.level, 0.01);
    EXPECT_NEAR(heard.hz, 440.0, 3.0);
    // The note was cut off at the stop, not left to ring.
    ASSERT_GT(sound.size(), static_cast<std::size_t>(rate) / 5);
    EXPECT_LT(testsupport::rms(std::span(sound).last(static_cast<std::size_t>(rate) / 5)),
              heard.level / 20);
}

// A stop is heard at once, though the stream keeps a file's buffer, and the
// next play goes on from the last frame heard: the file is heard whole, once.
TEST_F(MediaAudible, AStoppedWavFallsSilentAtOnceAndGoesOnFromWhatWasHeard) {
    const std::string tone = folder.file("two seconds.wav");
    ASSERT_TRUE(testsupport::writeToneWav(tone, 440, 2.0));
    testsupport::MonitorRecording recording(privateNullSink());
    ASSERT_TRUE(recording.started());
    ASSERT_TRUE(waitFor([&] { return recording.holds(300ms); }, 10s));
    ASSERT_EQ(mciSendString("open waveaudio!" + quotePath(tone) + " alias sound"), Success);
    ASSERT_EQ(mciSendString("play sound"), Success);
    ASSERT_TRUE(waitFor([] { return answerOf("status sound position") >= 600; }, 10s));
    ASSERT_EQ(mciSendString("stop sound"), Success);
    const long long heardMs = answerOf("status sound position");
    std::this_thread::sleep_for(600ms);
    ASSERT_EQ(mciSendString("play sound"), Success);
    ASSERT_TRUE(playsToItsEnd("sound"));
    std::this_thread::sleep_for(300ms);
    ASSERT_EQ(recording.stop(), 0);

    int rate = 0;
    const std::vector<float> sound = recording.samples(rate);
    const Heard heard = loudestPart(sound, rate);
    ASSERT_GT(heard.level, 0.01);
    // Ten-millisecond windows holding the tone, and the pause between the
    // two plays as the longest run without it.
    const std::size_t window = static_cast<std::size_t>(rate) / 100;
    std::vector<bool> toneIn;
    for (std::size_t at = 0; at + window <= sound.size(); at += window) {
        toneIn.push_back(testsupport::rms(std::span(sound).subspan(at, window)) > heard.level / 4);
    }
    const auto first = std::find(toneIn.begin(), toneIn.end(), true);
    const auto last = std::find(toneIn.rbegin(), toneIn.rend(), true).base();
    ASSERT_LT(first, last);
    auto pauseEnd = first;
    std::ptrdiff_t longest = 0;
    for (auto it = first; it != last;) {
        const auto run = std::find(it, last, true);
        if (run - it > longest) {
            longest = run - it;
            pauseEnd = run;
        }
        it = std::find(run, last, false);
    }
    EXPECT_GE(longest * 10, 400) << "no pause between the plays";
    const long long beforeMs = 10 * std::count(first, pauseEnd, true);
    const long long wholeMs = 10 * std::count(first, last, true);
    EXPECT_NEAR(beforeMs, heardMs, 50) << "what played after the stop, or was skipped";
    EXPECT_NEAR(wholeMs, 2000, 50);
}

}  // namespace
}  // namespace media
