// The record button's set-up failure and Save Recording, without the sound
// card: recordings are stood in for by WAV files written here.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "AudioWindowFixture.h"
#include "platform/forms/CommonDialog.h"
#include "platform/media/FileMove.h"
#include "platform/media/MediaControl.h"
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

TEST_F(RecorderWindow, TemporaryNamesAreNewNumberedWavFilesMadeInAWritableFolder) {
    const std::string name = form().drawTempWavName();
    removeLater(name);
    const fs::path path(name);
    EXPECT_EQ(path.parent_path().string() + "/", sys::writableDataFolder());
    const std::string stem = path.filename().string();
    ASSERT_TRUE(stem.ends_with("tmp.wav")) << stem;
    const std::string number = stem.substr(0, stem.size() - 7);
    ASSERT_FALSE(number.empty());
    EXPECT_NE(number.front(), '0');
    EXPECT_GE(std::stoi(number), 1);
    EXPECT_LE(std::stoi(number), 99999);
    // Made at once, so nothing else can take the name.
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(RecorderWindow, WhenEveryDrawnNameIsTakenTheRecordButtonSaysSoAndRecordsNothing) {
    form().tempNameRandom = [] { return 0.5f; };
    const std::string taken = sys::writableDataFolder() + "50000tmp.wav";
    ASSERT_FALSE(fs::exists(taken));
    removeLater(taken);
    std::ofstream(taken) << "someone's take";
    form().cmdStart.Click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].style, 16);
    EXPECT_NE(messages()[0].text.find("every name tried is taken"), std::string::npos);
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_FALSE(form().Recording);
    EXPECT_FALSE(form().Playing);
    EXPECT_EQ(form().TempWavFile, "");
    EXPECT_EQ(contentOf(taken), "someone's take");
}

TEST_F(RecorderWindow, ACaptureThatCannotBeWrittenIsReportedAndItsNameDropped) {
    const fs::path gone = folder / "gone";
    fs::create_directories(gone);
    ASSERT_EQ(media::mciSendString("open new type waveaudio alias capture"), media::Success);
    form().TempWavFile = (gone / "4711tmp.wav").string();
    form().Text6.setText(form().TempWavFile);
    form().tmrRecord.setEnabled(true);
    fs::remove_all(gone);
    form().tmrRecord_Timer();  // the playback has ended: the capture is saved
    EXPECT_EQ(
        messages(),
        (std::vector<Message>{{"The recording could not be written to " +
                                   (gone / "4711tmp.wav").string() + ": No such file or directory",
                               16}}));
    EXPECT_EQ(form().Label4.caption(), "Start Recording");
    EXPECT_EQ(form().Label4.backColor(), 0xE0E0E0u);
    EXPECT_EQ(form().TempWavFile, "");
    EXPECT_EQ(form().Text6.text(), "");
    EXPECT_FALSE(form().tmrRecord.enabled());
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

TEST_F(RecorderWindow, SaveRecordingAsksBeforeReplacingAnOldFileAndMovesTheRecording) {
    const std::string temp = leaveRecording("the recording");
    const std::string target = (folder / "my take").string();
    std::ofstream(target + ".wav") << "an older file";
    answerDialogWith(target);
    form().Command25.Click();  // answered No
    EXPECT_EQ(questions(), std::vector<std::string>{target + ".wav already exists.\nDo you want to "
                                                             "replace it?"});
    EXPECT_EQ(contentOf(target + ".wav"), "an older file");
    EXPECT_EQ(form().TempWavFile, temp);
    EXPECT_EQ(contentOf(temp), "the recording");

    answer = true;
    form().Command25.Click();
    EXPECT_EQ(questions().size(), 2u);
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

TEST_F(RecorderWindow, ACopyToAnotherFileSystemThatFailsHalfWayKeepsBothFiles) {
    const fs::path shared = fs::path("/dev/shm") / ("sorvane-rec-" + std::to_string(::getpid()));
    std::error_code error;
    fs::create_directories(shared, error);
    struct stat here {
    }, there{};
    if (error || ::stat(folder.c_str(), &here) != 0 || ::stat(shared.c_str(), &there) != 0 ||
        here.st_dev == there.st_dev) {
        GTEST_SKIP() << "no second file system at " << shared;
    }
    const std::string recording(3 << 20, 'r');  // more than one piece of the copy
    const std::string temp = leaveRecording(recording);
    const std::string target = (shared / "take.wav").string();
    std::ofstream(target) << "an older file";
    int writes = 0;
    media::setCopyWriteForTesting([&](int fd, const void* data, unsigned long size) -> long {
        if (++writes == 1) return ::write(fd, data, size);
        errno = ENOSPC;
        return -1;
    });
    answerDialogWith(target);
    form().Command25.Click();
    media::setCopyWriteForTesting(nullptr);
    EXPECT_GT(writes, 1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(
        messages()[0],
        (Message{"Could not save the recording as " + target + ": No space left on device", 16}));
    EXPECT_EQ(contentOf(target), "an older file");
    EXPECT_EQ(contentOf(temp), recording);
    EXPECT_EQ(form().TempWavFile, temp);
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), {}), 1);  // no piece left behind

    form().Command25.Click();
    EXPECT_EQ(contentOf(target), recording);
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_EQ(form().TempWavFile, "");
    fs::remove_all(shared, error);
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
