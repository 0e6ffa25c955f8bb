// The record button's set-up failure and Save Recording, without the sound
// card: recordings are stood in for by WAV files written here.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "AudioWindowFixture.h"
#include "platform/forms/CommonDialog.h"
#include "platform/system/System.h"

namespace audiotest {
namespace {

namespace fs = std::filesystem;

class RecorderWindow : public AudioWindowTest {
protected:
    // A stand-in recording under a temporary name, as the record timer leaves it.
    std::string leaveRecording(const std::string& content) {
        const std::string path = form().drawTempWavName();
        std::ofstream(path, std::ios::binary) << content;
        form().TempWavFile = path;
        form().Label2.setCaption("1234 Bytes");
        removeLater(path);
        return path;
    }
    // Answers the next file dialog with name; records what it was shown.
    void answerDialogWith(const std::string& name) {
        forms::CommonDialog::setHook([this, name](const forms::CommonDialog& dialog, bool saving) {
            shownTitle = dialog.DialogTitle;
            shownFilter = dialog.Filter;
            shownFlags = dialog.Flags;
            shownFolder = dialog.InitDir;
            shownName = dialog.FileName;
            shownSaving = saving;
            return name;
        });
    }
    static std::string contentOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::string shownTitle, shownFilter, shownFolder, shownName;
    int shownFlags = 0;
    bool shownSaving = false;
    const fs::path folder =
        fs::temp_directory_path() / ("sorvane-rec-" + std::to_string(::getpid()));

    void SetUp() override {
        AudioWindowTest::SetUp();
        fs::create_directories(folder);
    }
    void TearDown() override {
        AudioWindowTest::TearDown();
        std::error_code error;
        fs::remove_all(folder, error);
    }
};

TEST_F(RecorderWindow, TemporaryNamesAreFreshNumberedWavFilesInAWritableFolder) {
    const std::string name = form().drawTempWavName();
    const fs::path path(name);
    EXPECT_EQ(path.parent_path().string() + "/", sys::writableDataFolder());
    const std::string stem = path.filename().string();
    ASSERT_TRUE(stem.ends_with("tmp.wav")) << stem;
    const std::string number = stem.substr(0, stem.size() - 7);
    ASSERT_FALSE(number.empty());
    EXPECT_NE(number.front(), '0');
    EXPECT_GE(std::stoi(number), 1);
    EXPECT_LE(std::stoi(number), 99999);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(RecorderWindow, AFormatThatMatchesNoRowStopsTheRecordingBeforeItStarts) {
    form().cbxFormat.clear();
    form().cbxFormat.addItem("22Hz, 3bit Surround");
    form().cbxFormat.setListIndex(0);
    form().cmdStart.Click();
    EXPECT_EQ(messages(),
              (std::vector<Message>{{"Error setting capture recording paramaters", 16}}));
    EXPECT_EQ(form().Label4.caption(), "Stop Recording");
    EXPECT_TRUE(form().Recording);
    EXPECT_FALSE(form().tmrRecord.enabled());
    EXPECT_FALSE(form().Playing);
    EXPECT_EQ(form().Text6.text(), form().TempWavFile);
    const std::string shownAtStart = form().TempWavFile;
    removeRecorderFilesLater();

    // The second press finds no capture: it returns to idle, and the new name
    // it shows holds no file, so there is nothing to save.
    form().cmdStart.Click();
    removeRecorderFilesLater();
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), 0x0000FFu);
    EXPECT_FALSE(form().Recording);
    EXPECT_NE(form().TempWavFile, shownAtStart);
    EXPECT_FALSE(fs::exists(form().TempWavFile));
    form().Command25.Click();
    EXPECT_EQ(messages().back(), (Message{"No Recording to be saved", 0}));
}

TEST_F(RecorderWindow, SaveRecordingWithoutARecordingSaysSo) {
    form().Command25.Click();
    EXPECT_EQ(messages(), (std::vector<Message>{{"No Recording to be saved", 0}}));
}

TEST_F(RecorderWindow, SaveRecordingMovesTheFileAndReplacesAnOldOne) {
    const std::string temp = leaveRecording("the recording");
    const std::string target = (folder / "my take").string();
    std::ofstream(target + ".wav") << "an older file";
    answerDialogWith(target);
    form().Command25.Click();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(shownTitle, "Save as Wav");
    EXPECT_EQ(shownFilter, "WAV file (*.wav*)|*.wav");
    EXPECT_EQ(shownFlags, 1026);
    EXPECT_EQ(shownFolder, form().AppFolder);
    EXPECT_EQ(shownName, "");
    EXPECT_TRUE(shownSaving);

    EXPECT_EQ(form().ChosenFile, target + ".wav");
    EXPECT_EQ(contentOf(target + ".wav"), "the recording");
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_EQ(form().Text6.text(), target + ".wav");
    EXPECT_EQ(form().TempWavFile, "");
    EXPECT_EQ(form().Label2.caption(), "");

    // A second save has nothing left to move.
    form().Command25.Click();
    EXPECT_EQ(messages(), (std::vector<Message>{{"No Recording to be saved", 0}}));
}

TEST_F(RecorderWindow, TheWavEndingIsCheckedCaseSensitively) {
    leaveRecording("upper");
    const std::string upper = (folder / "rec.WAV").string();
    answerDialogWith(upper);
    form().Command25.Click();
    EXPECT_EQ(form().ChosenFile, upper + ".wav");
    EXPECT_EQ(contentOf(upper + ".wav"), "upper");

    leaveRecording("lower");
    const std::string lower = (folder / "it's \"quoted\" here.wav").string();
    answerDialogWith(lower);
    form().Command25.Click();
    EXPECT_EQ(form().ChosenFile, lower);
    EXPECT_EQ(contentOf(lower), "lower");
}

TEST_F(RecorderWindow, ACancelledOrFailedSaveKeepsTheRecording) {
    const std::string temp = leaveRecording("keep me");
    form().Text6.setText(temp);
    answerDialogWith("");
    form().Command25.Click();
    EXPECT_EQ(form().TempWavFile, temp);
    EXPECT_EQ(form().Label2.caption(), "1234 Bytes");
    EXPECT_EQ(form().Text6.text(), temp);
    EXPECT_TRUE(fs::exists(temp));

    answerDialogWith((folder / "no such folder" / "take.wav").string());
    form().Command25.Click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].style, 16);
    EXPECT_EQ(form().TempWavFile, temp);
    EXPECT_EQ(contentOf(temp), "keep me");
    EXPECT_EQ(form().Text6.text(), temp);
}

TEST_F(RecorderWindow, SaveRecordingWaitsForARunningCaptureToBeWritten) {
    const std::string temp = leaveRecording("");
    form().tmrRecord.setEnabled(true);
    answerDialogWith((folder / "early.wav").string());
    form().Command25.Click();
    form().tmrRecord.setEnabled(false);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(form().TempWavFile, temp);
    EXPECT_FALSE(fs::exists(folder / "early.wav"));
}

}  // namespace
}  // namespace audiotest
