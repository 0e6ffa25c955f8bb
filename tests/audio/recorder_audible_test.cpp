// The recorder and the player in the window against the test sound server:
// recordings run inside the score playback the record button starts, and are
// read back from the files the recorder leaves.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "../platform/media_testing.h"
#include "AudioWindowFixture.h"
#include "platform/media/MediaControl.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"

namespace audiotest {
namespace {

namespace fs = std::filesystem;
constexpr forms::OleColour Green = 0x00FF00;
constexpr forms::OleColour Red = 0x0000FF;

struct WavFile {
    SF_INFO info{};
    std::vector<float> firstChannel;
};

WavFile readWav(const std::string& path) {
    WavFile wav;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &wav.info);
    if (!file) return wav;
    std::vector<float> frames(static_cast<std::size_t>(wav.info.frames * wav.info.channels));
    sf_readf_float(file, frames.data(), wav.info.frames);
    sf_close(file);
    for (std::size_t i = 0; i < frames.size(); i += static_cast<std::size_t>(wav.info.channels)) {
        wav.firstChannel.push_back(frames[i]);
    }
    return wav;
}

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
    // Plays a tone into the sink under an alias of the test's own.
    void playTone(double hz, double seconds) {
        const std::string path = tones.file(std::to_string(static_cast<int>(hz)) + ".wav");
        ASSERT_TRUE(media_test::writeToneWav(path, hz, seconds));
        ASSERT_EQ(media::mciSendString("open waveaudio!" + media::quotePath(path) + " alias tone"),
                  media::Success);
        ASSERT_EQ(media::mciSendString("play tone"), media::Success);
    }
    media_test::TempFolder tones;
};

TEST_F(AudioWindowAudible, TheSecondRecordPressSavesTheLoopingRecordingUnderANewName) {
    form().loopcheck.setValue(1);
    playTone(440.0, 15.0);
    std::string nameAtStart;
    bool runningSeen = false;
    std::string bytesShown;
    long long framesOnDisk = 0;
    // The second press comes once the byte count shows most of a second: an
    // idle sink's monitor starts to deliver only when the tone has woken it.
    QTimer poll;
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        ++polls;
        bytesShown = form().Label2.caption();
        if (std::atoll(bytesShown.c_str()) < 176400 * 3 / 4 && polls < 200) return;
        poll.stop();
        nameAtStart = form().TempWavFile;
        removeLater(nameAtStart);
        // The take is on disk as it is recorded, a valid WAV file at any moment.
        framesOnDisk = std::atoll(
            testsupport::commandOutput("timeout 10 soxi -s '" + nameAtStart + "' 2>/dev/null")
                .c_str());
        runningSeen = form().Label4.caption() == "Stop Recording" &&
                      form().Label4.backColor() == Green && form().Recording && form().Playing &&
                      form().tmrRecord.enabled() && form().Text6.text() == nameAtStart;
        form().cmdStart.Click();
    });
    poll.start(50);
    form().cmdStart.Click();
    removeRecorderFilesLater();

    EXPECT_TRUE(runningSeen);
    EXPECT_GE(framesOnDisk, 44100 / 2);
    EXPECT_TRUE(bytesShown.ends_with(" Bytes")) << bytesShown;
    EXPECT_GE(std::atoll(bytesShown.c_str()), 176400 * 3 / 4);
    EXPECT_FALSE(form().Playing);
    EXPECT_FALSE(form().Recording);
    EXPECT_FALSE(form().tmrRecord.enabled());
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), Red);
    EXPECT_TRUE(mapper().isOpen());
    EXPECT_NE(form().TempWavFile, nameAtStart);
    EXPECT_EQ(form().Text6.text(), form().TempWavFile);
    EXPECT_FALSE(fs::exists(nameAtStart));

    const WavFile wav = readWav(form().TempWavFile);
    EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(wav.info.channels, 2);
    EXPECT_EQ(wav.info.samplerate, 44100);
    EXPECT_GT(wav.info.frames, 44100 / 2);
    const auto length = static_cast<std::size_t>(44100 / 5);
    ASSERT_GT(wav.firstChannel.size(), length);
    const auto loudest = std::span<const float>(wav.firstChannel)
                             .subspan(testsupport::loudestWindow(wav.firstChannel, length), length);
    EXPECT_GT(testsupport::rms(loudest), 0.1);
    EXPECT_NEAR(testsupport::fundamentalHz(loudest, 44100), 440.0, 3.0);
}

TEST_F(AudioWindowAudible, APlaybackThatEndsByItselfIsSavedAtTheNextTick) {
    form().cbxFormat.setListIndex(0);  // 8-bit mono
    form().cmdStart.Click();
    removeRecorderFilesLater();
    const std::string name = form().TempWavFile;
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), Green);
    EXPECT_FALSE(form().Recording);
    ASSERT_TRUE(runEventsUntil([&] { return !form().tmrRecord.enabled(); }, 5000));
    EXPECT_EQ(form().Label4.backColor(), Red);
    EXPECT_EQ(form().TempWavFile, name);
    EXPECT_EQ(form().Text6.text(), name);
    EXPECT_TRUE(form().Label2.caption().ends_with(" Bytes"));
    const WavFile wav = readWav(name);
    EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    EXPECT_EQ(wav.info.channels, 1);
}

TEST_F(AudioWindowAudible, ARecordPressDuringPlaybackRecordsUntilThatPlaybackEnds) {
    form().loopcheck.setValue(1);
    bool returnedAtOnce = false;
    QTimer::singleShot(300, [&] {
        form().cmdStart.Click();
        returnedAtOnce = form().Playing && form().Recording;
        removeRecorderFilesLater();
    });
    QTimer::singleShot(1500, [&] { form().PlayAndStop_Click(1); });
    form().PlayAndStop_Click(0);
    EXPECT_TRUE(returnedAtOnce);
    EXPECT_FALSE(form().Recording);
    ASSERT_TRUE(runEventsUntil([&] { return !form().tmrRecord.enabled(); }, 5000));
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), Red);
    const WavFile wav = readWav(form().TempWavFile);
    // Written in the chosen format (a short take of an idle input may hold no
    // frames).
    EXPECT_EQ(wav.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(wav.info.channels, 2);
}

TEST_F(AudioWindowAudible, RecordPressedBeforeTheTickKeepsTheUnsavedCapture) {
    form().cmdStart.Click();  // an empty score: playback ends at once
    const std::string first = form().TempWavFile;
    removeLater(first);
    ASSERT_TRUE(form().tmrRecord.enabled());
    QTimer::singleShot(500, [&] { form().cmdStart.Click(); });
    form().loopcheck.setValue(1);
    form().cmdStart.Click();
    removeRecorderFilesLater();
    EXPECT_TRUE(fs::exists(first));
    // Written as a WAV file (a short take of an idle input may hold no frames).
    EXPECT_EQ(readWav(first).info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_NE(form().TempWavFile, first);
}

TEST_F(AudioWindowAudible, PlayRecordedWavShowsProgressAndStopsAtTheEnd) {
    form().TempWavFile = form().drawTempWavName();
    removeRecorderFilesLater();
    ASSERT_TRUE(media_test::writeToneWav(form().TempWavFile, 550.0, 1.5));
    std::set<std::string> shown;
    form().Command22.Click();
    EXPECT_EQ(form().Text6.text(), form().TempWavFile);
    ASSERT_TRUE(runEventsUntil(
        [&] {
            shown.insert(form().LablPlay.caption());
            return !form().Timer2.enabled();
        },
        10000));
    EXPECT_EQ(form().LablPlay.caption(), "");
    bool between = false;
    for (const std::string& caption : shown) {
        const int percent = std::atoi(caption.c_str());
        if (percent > 0 && percent < 100 && caption.ends_with(" %")) between = true;
    }
    EXPECT_TRUE(between);
    std::string answer;
    EXPECT_EQ(media::mciSendString("status sound mode", answer), media::UnknownAlias);
    EXPECT_TRUE(mapper().isOpen());
}

TEST_F(AudioWindowAudible, AMidiFileTakesTheOutputUntilAStop) {
    const std::string tune = tones.file("with blank.mid");
    ASSERT_TRUE(media_test::writeNoteMidi(tune, 64, 8));
    form().Text6.setText("  " + tune + "  ");
    form().Command28.Click();
    EXPECT_FALSE(mapper().isOpen());
    std::string answer;
    EXPECT_EQ(media::mciSendString("status midi mode", answer), media::Success);
    EXPECT_EQ(answer, "playing");
    EXPECT_FALSE(form().Timer2.enabled());
    form().Command30.Click();
    EXPECT_EQ(media::mciSendString("status midi mode", answer), media::UnknownAlias);
    EXPECT_TRUE(mapper().isOpen());
}

}  // namespace
}  // namespace audiotest
