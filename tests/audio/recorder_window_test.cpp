// The recorder in the window: the format list, temporary names, the record
// button's start, stop and failure paths with a real capture of the test sound
// server's input, a recording whose server goes away, and Save Recording.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "AudioWindowFixture.h"
#include "audio/RecordingFormat.h"
#include "platform/system/System.h"

namespace audiotest {
namespace {

namespace fs = std::filesystem;
constexpr forms::OleColour Grey = 0xE0E0E0, Green = 0x00FF00, Red = 0x0000FF;

TEST(RecordingFormat, EachCaptionGivesItsSetCommandAndOthersZeros) {
    const struct {
        std::string caption, numbers;
    } cases[] = {
        {"44.100Hz, 8bit Mono, 43k/sec",
         "44100 channels 1 bitspersample 8 alignment 1 bytespersec 44100"},
        {"44.100Hz, 8bit Stereo, 86k/sec",
         "44100 channels 2 bitspersample 8 alignment 2 bytespersec 88200"},
        {"44.100Hz, 16bit Mono, 86k/sec",
         "44100 channels 1 bitspersample 16 alignment 2 bytespersec 88200"},
        {"44.100Hz, 16bit Stereo, 172k/sec",
         "44100 channels 2 bitspersample 16 alignment 4 bytespersec 176400"},
        {"44.100Hz, 16bit stereo, 172k/sec",
         "0 channels 0 bitspersample 0 alignment 0 bytespersec 0"},
        {" 44.100Hz, 8bit Mono, 43k/sec", "0 channels 0 bitspersample 0 alignment 0 bytespersec 0"},
    };
    for (const auto& one : cases) {
        EXPECT_EQ(audio::setCaptureCommand(audio::recordingFormatFor(one.caption)),
                  "set capture samplespersec " + one.numbers);
    }
}

// What libsndfile reads of a file's header; a format of 0 when it is no
// readable sound file.
SF_INFO wavInfo(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    sf_close(file);
    return info;
}

// The sound format of a WAV file, 0 when it is no readable WAV file.
int wavFormat(const std::string& path, int& channels) {
    const SF_INFO info = wavInfo(path);
    channels = info.channels;
    return info.format;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class RecorderWindow : public AudioWindowTest {
protected:
    // A stand-in recording under a temporary name, as the record timer leaves it.
    std::string leaveRecording(const std::string& content) {
        form().TempWavFile = form().drawTempWavName();
        removeRecorderFilesLater();
        std::ofstream(form().TempWavFile, std::ios::binary) << content;
        form().Label2.setCaption("1234 Bytes");
        return form().TempWavFile;
    }
    // Answers the next file dialogs with name, keeping the last one shown.
    void answerDialogWith(const std::string& name) {
        forms::CommonDialog::setHook([this, name](const forms::CommonDialog& dialog, bool saving) {
            shown = {dialog.DialogTitle, dialog.Filter, dialog.InitDir, dialog.FileName,
                     std::to_string(dialog.Flags) + (saving ? " save" : " open")};
            return name;
        });
    }
    std::vector<std::string> shown;
};

TEST_F(RecorderWindow, TemporaryNamesAreNewNumberedFilesAndWithNoneFreeNothingRecords) {
    const fs::path name = form().drawTempWavName();
    removeLater(name.string());
    EXPECT_EQ(name.parent_path().string() + "/", sys::writableDataFolder());
    const std::string file = name.filename().string();
    ASSERT_TRUE(file.ends_with("tmp.wav")) << file;
    const int number = std::stoi(file);
    EXPECT_TRUE(number >= 1 && number <= 99999 && file[0] != '0') << file;
    EXPECT_EQ(fs::file_size(name), 0u);  // made at once, so nothing else takes the name

    form().tempNameRandom = [] { return 0.5f; };
    const std::string taken = sys::writableDataFolder() + "50000tmp.wav";
    ASSERT_FALSE(fs::exists(taken));
    removeLater(taken);
    std::ofstream(taken) << "someone's take";
    form().cmdStart.Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].style, 16);
    EXPECT_NE(messages[0].text.find("every name tried is taken"), std::string::npos);
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_FALSE(form().Recording || form().Playing);
    EXPECT_EQ(form().TempWavFile, "");
    EXPECT_EQ(contentOf(taken), "someone's take");
}

TEST_F(RecorderWindow, AFormatThatMatchesNoRowStopsTheRecordingBeforeItStarts) {
    form().cbxFormat.clear();
    form().cbxFormat.addItem("22Hz, 3bit Surround");
    form().cbxFormat.setListIndex(0);
    form().cmdStart.Click();
    removeRecorderFilesLater();
    EXPECT_EQ(messages, (std::vector<Message>{{"Error setting capture recording paramaters", 16}}));
    EXPECT_EQ(form().Label4.caption(), "Stop Recording");
    EXPECT_TRUE(form().Recording);
    EXPECT_FALSE(form().tmrRecord.enabled() || form().Playing);
    EXPECT_EQ(form().Text6.text(), form().TempWavFile);
    const std::string shownAtStart = form().TempWavFile;

    // The second press finds no capture: back to idle, under a new name that
    // holds no file, so there is nothing to save.
    form().cmdStart.Click();
    removeRecorderFilesLater();
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), Red);
    EXPECT_FALSE(form().Recording);
    EXPECT_NE(form().TempWavFile, shownAtStart);
    EXPECT_FALSE(fs::exists(form().TempWavFile));
    form().Command25.Click();
    EXPECT_EQ(messages.back(), (Message{"No Recording to be saved", 0}));
}

TEST_F(RecorderWindow, ACaptureThatCannotBeWrittenIsReportedAndItsNameDropped) {
    const fs::path gone = folder.file("gone");
    fs::create_directories(gone);
    ASSERT_EQ(media::mciSendString("open new type waveaudio alias capture"), media::Success);
    form().TempWavFile = (gone / "4711tmp.wav").string();
    form().Text6.setText(form().TempWavFile);
    form().tmrRecord.setEnabled(true);
    fs::remove_all(gone);
    form().tmrRecord_Timer();  // the playback has ended: the capture is saved
    EXPECT_EQ(
        messages,
        (std::vector<Message>{{"The recording could not be written to " +
                                   (gone / "4711tmp.wav").string() + ": No such file or directory",
                               16}}));
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), Grey);
    EXPECT_EQ(form().TempWavFile + form().Text6.text(), "");
    EXPECT_FALSE(form().tmrRecord.enabled());
}

TEST_F(RecorderWindow, APlaybackThatEndsIsSavedAtTheNextTickOrTheNextPress) {
    form().cbxFormat.setListIndex(0);  // 8-bit mono
    form().cmdStart.Click();           // an empty score: the playback ends at once
    removeRecorderFilesLater();
    const std::string first = form().TempWavFile;
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), Green);
    EXPECT_FALSE(form().Recording);
    ASSERT_TRUE(form().tmrRecord.enabled());
    int channels = 0;

    // A press before the tick saves the first take and records a second one.
    form().cmdStart.Click();
    removeRecorderFilesLater();
    EXPECT_EQ(wavFormat(first, channels), SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    const std::string second = form().TempWavFile;
    EXPECT_NE(second, first);
    ASSERT_TRUE(runEventsUntil([&] { return !form().tmrRecord.enabled(); }));
    EXPECT_EQ(form().Label4.backColor(), Red);
    EXPECT_EQ(form().TempWavFile, second);
    EXPECT_EQ(form().Text6.text(), second);
    EXPECT_TRUE(form().Label2.caption().ends_with(" Bytes")) << form().Label2.caption();
    EXPECT_EQ(wavFormat(second, channels), SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    EXPECT_EQ(channels, 1);
}

TEST_F(RecorderWindow, ARecordPressDuringPlaybackRecordsUntilThatPlaybackEnds) {
    form().loopcheck.setValue(1);
    int ran = 0;
    QTimer::singleShot(200, [&] {
        form().cmdStart.Click();
        removeRecorderFilesLater();
        ran += form().Playing && form().Recording;  // returned at once, still playing
    });
    QTimer::singleShot(700, [&] {
        ++ran;
        form().PlayAndStop_Click(1);
    });
    form().PlayAndStop_Click(0);
    EXPECT_EQ(ran, 2);
    EXPECT_FALSE(form().Recording);
    ASSERT_TRUE(runEventsUntil([&] { return !form().tmrRecord.enabled(); }));
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), Red);
    int channels = 0;
    EXPECT_EQ(wavFormat(form().TempWavFile, channels), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(channels, 2);
}

TEST_F(RecorderWindow, SaveRecordingAsksBeforeReplacingAnOlderFileAndMovesTheTake) {
    form().Command25.Click();
    EXPECT_EQ(messages, (std::vector<Message>{{"No Recording to be saved", 0}}));
    const std::string temp = leaveRecording("the take");
    const std::string target = folder.file("my take");
    std::ofstream(target + ".wav") << "an older file";
    answerDialogWith(target);
    form().Command25.Click();  // answered No
    EXPECT_EQ(questions, std::vector<std::string>{target + ".wav already exists.\nDo you want to "
                                                           "replace it?"});
    EXPECT_EQ(contentOf(target + ".wav"), "an older file");
    EXPECT_EQ(form().TempWavFile, temp);

    answer = true;
    form().Command25.Click();
    EXPECT_EQ(shown, (std::vector<std::string>{"Save as Wav", "WAV file (*.wav*)|*.wav",
                                               form().AppFolder, "", "1026 save"}));
    EXPECT_EQ(form().ChosenFile, target + ".wav");
    EXPECT_EQ(contentOf(target + ".wav"), "the take");
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_EQ(form().Text6.text(), target + ".wav");
    EXPECT_EQ(form().TempWavFile + form().Label2.caption(), "");
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(RecorderWindow, SaveRecordingKeepsTheTakeWhenItCannotMoveIt) {
    const struct {
        std::string chosen;  // "" cancels the dialog
        std::string savedAs;
        bool running = false;
        int style = -1;  // of the message shown, -1 for none
    } cases[] = {
        {"rec.WAV", "rec.WAV.wav"},
        {"it's \"quoted\".wav", "it's \"quoted\".wav"},
        {"", ""},
        {"no such folder/take.wav", "", false, 16},
        {"early.wav", "", true, 0},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.chosen);
        messages.clear();
        const std::string temp = leaveRecording("take");
        form().Text6.setText(temp);
        form().tmrRecord.setEnabled(one.running);
        answerDialogWith(one.chosen.empty() ? "" : folder.file(one.chosen));
        form().Command25.Click();
        form().tmrRecord.setEnabled(false);
        EXPECT_EQ(messages.empty() ? -1 : messages[0].style, one.style);
        if (!one.savedAs.empty()) {
            EXPECT_EQ(form().ChosenFile, folder.file(one.savedAs));
            EXPECT_EQ(contentOf(folder.file(one.savedAs)), "take");
            EXPECT_EQ(form().TempWavFile, "");
            continue;
        }
        EXPECT_EQ(form().TempWavFile, temp);
        EXPECT_EQ(contentOf(temp), "take");
        EXPECT_EQ(form().Text6.text(), temp);
        EXPECT_EQ(form().Label2.caption(), "1234 Bytes");
        EXPECT_FALSE(fs::exists(folder.file("early.wav")));
    }
}

using RecorderWindowOnOwnServer = OnOwnSoundServer<RecorderWindow>;

TEST_F(RecorderWindowOnOwnServer, ARecordingWhoseServerGoesEndsAsAStopWhileTheScorePlaysOn) {
    form().cbxFormat.setListIndex(0);  // 8-bit mono: a byte a frame
    form().loopcheck.setValue(1);      // the score plays until it is stopped
    bool serverStopped = false, ended = false, scorePlayedOn = false;
    std::string captionAtEnd;
    forms::OleColour colourAtEnd = 0;
    QTimer poll;
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!serverStopped && std::atoll(form().Label2.caption().c_str()) >= 44100 / 2) {
            server.stop();
            serverStopped = true;
        }
        ended = serverStopped && !form().tmrRecord.enabled();
        if (!ended && ++polls < 600) return;
        poll.stop();
        captionAtEnd = form().Label4.caption();
        colourAtEnd = form().Label4.backColor();
        scorePlayedOn = form().Playing;
        form().PlayAndStop_Click(1);
    });
    poll.start(50);
    form().cmdStart.Click();  // returns when the score's playback ends
    removeRecorderFilesLater();

    ASSERT_TRUE(serverStopped) << "half a second was recorded first";
    ASSERT_TRUE(ended) << "the recording ended by itself";
    EXPECT_TRUE(scorePlayedOn);
    EXPECT_EQ(captionAtEnd, "Start Recording");
    EXPECT_EQ(colourAtEnd, Red);
    EXPECT_FALSE(form().Recording);
    const std::string take = form().TempWavFile;
    EXPECT_EQ(form().Text6.text(), take);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].style, 16);
    EXPECT_TRUE(messages[0].text.starts_with("The recording stopped early and is kept in " + take +
                                             ": the sound server went away ("))
        << messages[0].text;

    // Every byte counted is in the file, and its header says so.
    const long long bytesCounted = std::atoll(form().Label2.caption().c_str());
    EXPECT_GE(bytesCounted, 44100 / 2);
    const SF_INFO kept = wavInfo(take);
    EXPECT_EQ(kept.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    EXPECT_EQ(kept.frames, bytesCounted);

    answerDialogWith(folder.file("kept"));
    form().Command25.Click();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(wavInfo(folder.file("kept.wav")).frames, bytesCounted);
    EXPECT_FALSE(fs::exists(take));
}

}  // namespace
}  // namespace audiotest
