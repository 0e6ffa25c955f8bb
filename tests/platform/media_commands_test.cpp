// The media-control interpreter without sound: command words, paths with any
// characters, the error codes, the recorder's format checks and status, and
// opening files to play.

#include <gtest/gtest.h>
#include <sndfile.h>

#include "media_testing.h"
#include "platform/media/CommandWords.h"
#include "platform/media/MediaControl.h"

namespace media {
namespace {

using media_test::TempFolder;

class MediaCommands : public ::testing::Test {
protected:
    void TearDown() override { closeAllMedia(); }
    std::string answer;
};

TEST(MediaCommandWords, BlanksSeparateAndQuotesHoldWordsTogether) {
    const auto words = splitCommandWords("  open  waveaudio!\"/a b/c.wav\" alias   sound ");
    ASSERT_TRUE(words);
    EXPECT_EQ(*words, (std::vector<std::string>{"open", "waveaudio!/a b/c.wav", "alias", "sound"}));
    EXPECT_EQ(splitCommandWords("save capture \"unclosed"), std::nullopt);
    const auto empty = splitCommandWords("save capture \"\"");
    ASSERT_TRUE(empty);
    EXPECT_EQ(*empty, (std::vector<std::string>{"save", "capture", ""}));
}

TEST(MediaCommandWords, AQuotedPathComesBackUnchanged) {
    for (const std::string path : {"/tmp/plain.wav", "/tmp/with blank/and  two.wav",
                                   "/tmp/say \"hi\".wav", "/tmp/back\\slash\\\".wav", ""}) {
        const auto words = splitCommandWords("save capture " + quotePath(path));
        ASSERT_TRUE(words) << path;
        ASSERT_EQ(words->size(), 3u) << path;
        EXPECT_EQ((*words)[2], path);
    }
}

TEST_F(MediaCommands, UnknownCommandsAndAliasesAreErrors) {
    EXPECT_EQ(mciSendString("rewind capture", answer), UnknownCommand);
    EXPECT_EQ(mciSendString("", answer), BadParameter);
    EXPECT_EQ(mciSendString("stop sound", answer), UnknownAlias);
    EXPECT_EQ(mciSendString("close sound", answer), UnknownAlias);
    EXPECT_EQ(mciSendString("status capture length", answer), UnknownAlias);
    EXPECT_EQ(answer, "");
    EXPECT_EQ(mciSendString("save capture \"open quote", answer), BadParameter);
}

TEST_F(MediaCommands, AnAliasIsOpenOnceUntilClosed) {
    EXPECT_EQ(mciSendString("open new type waveaudio alias capture", answer), Success);
    EXPECT_EQ(mciSendString("open new type waveaudio alias capture", answer), AliasInUse);
    EXPECT_EQ(mciSendString("close capture", answer), Success);
    EXPECT_EQ(mciSendString("close capture", answer), UnknownAlias);
    EXPECT_EQ(mciSendString("open new type waveaudio alias capture", answer), Success);
}

TEST_F(MediaCommands, TheRecorderTakesOnlyConsistentPcmFormats) {
    ASSERT_EQ(mciSendString("open new type waveaudio alias capture"), Success);
    EXPECT_EQ(mciSendString("set capture samplespersec 44100 channels 2 bitspersample 16 "
                            "alignment 4 bytespersec 176400"),
              Success);
    EXPECT_EQ(mciSendString("set capture samplespersec 44100 channels 1 bitspersample 8 "
                            "alignment 1 bytespersec 44100"),
              Success);
    // An unknown caption gives all zeros.
    EXPECT_EQ(mciSendString("set capture samplespersec 0 channels 0 bitspersample 0 "
                            "alignment 0 bytespersec 0"),
              BadParameter);
    EXPECT_EQ(mciSendString("set capture samplespersec 44100 channels 2 bitspersample 16 "
                            "alignment 2 bytespersec 88200"),
              BadParameter);
    EXPECT_EQ(mciSendString("set capture samplespersec 44100 channels 1 bitspersample 12 "
                            "alignment 2 bytespersec 88200"),
              BadParameter);
    EXPECT_EQ(mciSendString("set capture samplespersec x channels 1"), BadParameter);
    EXPECT_EQ(mciSendString("set capture loudness 11"), BadParameter);
    EXPECT_EQ(mciSendString("set capture time format bytes"), Success);
    EXPECT_EQ(mciSendString("set capture time format frames"), BadParameter);
    EXPECT_EQ(mciSendString("record capture sideways"), BadParameter);
}

TEST_F(MediaCommands, AnUnrecordedCaptureSavesAnEmptyWavFileOfItsFormat) {
    TempFolder folder;
    const std::string path = folder.file("empty \"take\" one.wav");
    ASSERT_EQ(mciSendString("open new type waveaudio alias capture"), Success);
    ASSERT_EQ(mciSendString("set capture samplespersec 44100 channels 2 bitspersample 16 "
                            "alignment 4 bytespersec 176400"),
              Success);
    EXPECT_EQ(mciSendString("set capture time format bytes"), Success);
    EXPECT_EQ(mciSendString("status capture length", answer), Success);
    EXPECT_EQ(answer, "0");
    EXPECT_EQ(mciSendString("status capture mode", answer), Success);
    EXPECT_EQ(answer, "stopped");
    EXPECT_EQ(mciSendString("save capture " + quotePath(path)), Success);
    EXPECT_EQ(mciSendString("save capture " + quotePath(folder.file("no/such/folder.wav"))),
              CannotWriteFile);

    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.frames, 0);
}

TEST_F(MediaCommands, AWavFileOpensWithItsLengthAndAnyNameWorks) {
    TempFolder folder;
    const std::string path = folder.file("a \"quoted\" name with blanks.wav");
    ASSERT_TRUE(media_test::writeToneWav(path, 440.0, 1.5));
    ASSERT_EQ(mciSendString("open waveaudio!" + quotePath(path) + " alias sound"), Success);
    EXPECT_EQ(mciSendString("status sound length", answer), Success);
    EXPECT_EQ(answer, "1500");
    EXPECT_EQ(mciSendString("status sound position", answer), Success);
    EXPECT_EQ(answer, "0");
    EXPECT_EQ(mciSendString("set sound time format bytes"), Success);
    EXPECT_EQ(mciSendString("status sound length", answer), Success);
    EXPECT_EQ(answer, std::to_string(44100 * 3 / 2 * 2));
    EXPECT_EQ(mciSendString("status sound mode", answer), Success);
    EXPECT_EQ(answer, "stopped");
    // A recording's own commands mean nothing to a player.
    EXPECT_EQ(mciSendString("record sound"), NotSupported);
    EXPECT_EQ(mciSendString("set sound samplespersec 44100"), NotSupported);
}

TEST_F(MediaCommands, FilesThatCannotPlayAreRefusedAtOpen) {
    TempFolder folder;
    const std::string wave = folder.file("tone.wav");
    ASSERT_TRUE(media_test::writeToneWav(wave, 440.0, 0.5));
    EXPECT_EQ(
        mciSendString("open waveaudio!" + quotePath(folder.file("missing.wav")) + " alias sound"),
        CannotOpenFile);
    EXPECT_EQ(mciSendString("open waveaudio!\"\" alias sound"), CannotOpenFile);
    EXPECT_EQ(mciSendString("open sequencer!" + quotePath(wave) + " alias midi"), CannotOpenFile);
    EXPECT_EQ(mciSendString("open cdaudio!" + quotePath(wave) + " alias cd"), NotSupported);
    // An unquoted path ends at its first blank.
    EXPECT_EQ(mciSendString("open waveaudio!" + folder.file("tone.wav") + " alias sound"), Success);
    EXPECT_EQ(mciSendString("open waveaudio!/tmp/a b.wav alias other"), BadParameter);
    EXPECT_EQ(mciSendString("stop midi"), UnknownAlias);
}

TEST_F(MediaCommands, AMidiFileOpensUnderItsAlias) {
    TempFolder folder;
    const std::string path = folder.file("tune with blank.mid");
    ASSERT_TRUE(media_test::writeNoteMidi(path, 69, 4));
    ASSERT_EQ(mciSendString("open sequencer!" + quotePath(path) + " alias midi"), Success);
    EXPECT_EQ(mciSendString("status midi mode", answer), Success);
    EXPECT_NE(answer, "playing");
    EXPECT_EQ(mciSendString("stop midi"), Success);
    EXPECT_EQ(mciSendString("close midi"), Success);
}

}  // namespace
}  // namespace media
