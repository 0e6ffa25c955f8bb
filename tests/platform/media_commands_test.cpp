// The media-control interpreter without sound: command words, quoted paths,
// the error codes of each command on each kind of alias, and the files a
// capture saves.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/media/CommandWords.h"
#include "platform/media/FileMove.h"
#include "platform/media/MediaControl.h"
#include "support/MediaFiles.h"
#include "support/TempFolder.h"

namespace media {
namespace {

TEST(MediaCommandWords, AQuotedPathComesBackUnchanged) {
    for (const std::string path : {"/tmp/plain.wav", "/tmp/with blank/and  two.wav",
                                   "/tmp/say \"hi\".wav", "/tmp/back\\slash\\\".wav", ""}) {
        const auto words = splitCommandWords("save\tcapture  " + quotePath(path) + " ");
        ASSERT_TRUE(words) << path;
        EXPECT_EQ(*words, (std::vector<std::string>{"save", "capture", path}));
    }
}

// Runs in order; {tone}, {tune} and {dir} stand for the quoted paths of a
// 1.5 s stereo WAV file, a four-beat MIDI file and a folder (a quoted part
// joins the word it stands in); an answer of "?" only has to be there.
struct Step {
    std::string command;
    int result;
    const char* answer = nullptr;
};

const Step Steps[] = {
    {"rewind capture", UnknownCommand},
    {"", BadParameter},
    {"stop", BadParameter},
    {"stop\tsound", UnknownAlias},
    {"status capture length", UnknownAlias, ""},
    {"save capture \"open quote", BadParameter},
    // The recorder takes only consistent PCM formats.
    {"open new type waveaudio alias capture", Success},
    {"open new type waveaudio alias Capture", AliasInUse},
    {"set CAPTURE samplespersec 44100 channels 2 bitspersample 16 alignment 4 bytespersec 176400",
     Success},
    {"set capture samplespersec 0 channels 0 bitspersample 0 alignment 0 bytespersec 0",
     BadParameter},
    {"set capture samplespersec 44100 channels 2 bitspersample 16 alignment 2 bytespersec 88200",
     BadParameter},
    {"set capture samplespersec 44100 channels 2 bitspersample 16 alignment 4 bytespersec 88200",
     BadParameter},
    {"set capture samplespersec 44100 channels 1 bitspersample 12 alignment 2 bytespersec 88200",
     BadParameter},
    {"set capture samplespersec x channels 1", BadParameter},
    {"set capture loudness 11", BadParameter},
    {"set capture time format frames", BadParameter},
    {"set capture time format bytes", Success},
    {"status capture length", Success, "0"},
    {"status capture mode", Success, "stopped"},
    {"record capture sideways", BadParameter},
    {"play capture", NotSupported},
    {"save capture", BadParameter},
    {"set capture samplespersec 44100 channels 2 bitspersample 8 alignment 2 bytespersec 88200",
     Success},
    {"save capture {dir}/empty.wav", Success},
    {"save capture {dir}/no/such/folder.wav", CannotWriteFile, "?"},
    {"close capture", Success},
    {"close capture", UnknownAlias},
    // Files to play are opened once under their alias, with their lengths.
    {"open waveaudio!{tone} alias sound", Success},
    {"open waveaudio!{tone} alias Sound", AliasInUse},
    {"status sound length", Success, "1500"},
    {"status sound position", Success, "0"},
    {"set sound time format bytes", Success},
    {"status sound length", Success, "264600"},
    {"status sound mode", Success, "stopped"},
    {"record sound", NotSupported},
    {"set sound samplespersec 44100", NotSupported},
    {"open waveaudio!{dir}/missing.wav alias other", CannotOpenFile},
    {"open waveaudio!\"\" alias other", CannotOpenFile},
    {"open sequencer!{tone} alias other", CannotOpenFile},
    {"open cdaudio!{tone} alias other", NotSupported},
    {"open waveaudio!/tmp/a b.wav alias other", BadParameter},  // unquoted, it ends at the blank
    {"open sequencer!{tune} alias midi", Success},
    {"status midi mode", Success, "stopped"},
    {"stop midi", Success},
    {"close midi", Success},
    {"stop midi", UnknownAlias},
};

TEST(MediaCommands, EachCommandGivesItsResult) {
    testsupport::TempFolder folder;
    const std::string tone = folder.file("a \"quoted\" name.wav");
    const std::string tune = folder.file("tune with blank.mid");
    ASSERT_TRUE(testsupport::writeToneWav(tone, 440, 1.5, 660));
    ASSERT_TRUE(testsupport::writeNoteMidi(tune, 69, 4));
    for (const Step& step : Steps) {
        std::string command = step.command;
        for (const auto& [name, path] : {std::pair{"{tone}", quotePath(tone)},
                                         {"{tune}", quotePath(tune)},
                                         {"{dir}", quotePath(folder.path())}}) {
            if (const auto at = command.find(name); at != std::string::npos) {
                command.replace(at, std::string(name).size(), path);
            }
        }
        SCOPED_TRACE(command);
        std::string answer = "stale";
        EXPECT_EQ(mciSendString(command, answer), step.result);
        if (step.answer && std::string(step.answer) == "?") {
            EXPECT_NE(answer, "");
        }
        if (step.answer && std::string(step.answer) != "?") {
            EXPECT_EQ(answer, step.answer);
        }
    }
    closeAllMedia();

    // A capture that recorded nothing saves an empty file of its last format.
    SF_INFO info{};
    SNDFILE* file = sf_open(folder.file("empty.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.frames, 0);
}

TEST(MediaFileMove, ACopyThatFailsHalfWayLeavesTheTargetAsItWas) {
    testsupport::TempFolder folder;
    const std::string take(3 << 20, 'r');  // more than one piece of the copy
    std::ofstream(folder.file("take.wav")) << take;
    std::ofstream(folder.file("target.wav")) << "an older file";
    const int from = ::open(folder.file("take.wav").c_str(), O_RDONLY);
    ASSERT_GE(from, 0);
    int writes = 0;
    setCopyWriteForTesting([&](int fd, const void* data, unsigned long size) -> long {
        if (++writes == 1) return ::write(fd, data, size);
        errno = ENOSPC;
        return -1;
    });
    const std::string failure = copyFileContentTo(from, folder.file("target.wav"));
    setCopyWriteForTesting(nullptr);
    EXPECT_EQ(failure, "No space left on device");
    EXPECT_GT(writes, 1);
    const auto contentOf = [&](const std::string& name) {
        std::ifstream in(folder.file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(contentOf("target.wav"), "an older file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
    EXPECT_EQ(copyFileContentTo(from, folder.file("target.wav")), "");
    EXPECT_EQ(contentOf("target.wav"), take);
    ::close(from);
}

}  // namespace
}  // namespace media
