// The record button against the test sound server: a tone played into this
// process's null sink is recorded while the score loops, and the second press
// saves it under a newly drawn name.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "AudioWindowFixture.h"
#include "support/AudioAnalysis.h"
#include "support/MediaFiles.h"
#include "support/RunTool.h"

namespace audiotest {
namespace {

class AudioWindowAudible : public AudioWindowTest {
protected:
    static void SetUpTestSuite() {
        const std::string& sink = testsupport::privateNullSink();
        if (!sink.empty()) setenv("PULSE_SOURCE", (sink + ".monitor").c_str(), 1);
    }
    void SetUp() override {
        ASSERT_TRUE(testsupport::soundServerAnswers());
        ASSERT_FALSE(testsupport::privateNullSink().empty());
        AudioWindowTest::SetUp();
    }
};

TEST_F(AudioWindowAudible, TheSecondRecordPressSavesTheLoopingRecordingUnderANewName) {
    const std::string tone = folder.file("tone.wav");
    ASSERT_TRUE(testsupport::writeToneWav(tone, 440, 4));
    ASSERT_EQ(media::mciSendString("open waveaudio!" + media::quotePath(tone) + " alias tone"),
              media::Success);
    ASSERT_EQ(media::mciSendString("play tone"), media::Success);
    form().loopcheck.setValue(1);
    std::string nameAtStart, bytesShown, framesOnDisk;
    bool runningSeen = false;
    // The second press comes once the byte count shows most of a second: an
    // idle sink's monitor delivers only once the tone has woken it.
    QTimer poll;
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        bytesShown = form().Label2.caption();
        if (std::atoll(bytesShown.c_str()) < 176400 * 3 / 4 && ++polls < 100) return;
        poll.stop();
        nameAtStart = form().TempWavFile;
        removeLater(nameAtStart);
        // The take is on disk as it is recorded, a valid WAV file at any moment.
        testsupport::runTool("soxi -s " + testsupport::shellQuoted(nameAtStart), framesOnDisk, 10);
        runningSeen = form().Label4.caption() == "Stop Recording" &&
                      form().Label4.backColor() == 0x00FF00 && form().Recording && form().Playing &&
                      form().tmrRecord.enabled() && form().Text6.text() == nameAtStart;
        form().cmdStart.Click();
    });
    poll.start(50);
    form().cmdStart.Click();
    removeRecorderFilesLater();

    EXPECT_TRUE(runningSeen);
    EXPECT_GE(std::atoll(framesOnDisk.c_str()), 44100 / 2);
    EXPECT_TRUE(bytesShown.ends_with(" Bytes")) << bytesShown;
    EXPECT_GE(std::atoll(bytesShown.c_str()), 176400 * 3 / 4);
    EXPECT_FALSE(form().Playing || form().Recording || form().tmrRecord.enabled());
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), 0x0000FFu);
    EXPECT_TRUE(mapper().isOpen());
    EXPECT_NE(form().TempWavFile, nameAtStart);
    EXPECT_EQ(form().Text6.text(), form().TempWavFile);
    EXPECT_FALSE(std::filesystem::exists(nameAtStart));

    SF_INFO info{};
    SNDFILE* file = sf_open(form().TempWavFile.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(info.channels, 2);
    std::vector<float> frames(static_cast<std::size_t>(info.frames) * 2);
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    const std::size_t length = 44100 / 5;
    ASSERT_GT(frames.size(), 2 * length);
    for (int side = 0; side < 2; ++side) {
        std::vector<float> channel;
        for (std::size_t i = side; i < frames.size(); i += 2) channel.push_back(frames[i]);
        const auto loudest = std::span<const float>(channel).subspan(
            testsupport::loudestWindow(channel, length), length);
        EXPECT_GT(testsupport::rms(loudest), 0.1) << "channel " << side;
        EXPECT_NEAR(testsupport::fundamentalHz(loudest, 44100), 440.0, 3.0) << "channel " << side;
    }
}

}  // namespace
}  // namespace audiotest
