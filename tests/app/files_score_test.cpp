// The window's score file reader and writers: what a read changes and keeps,
// and failures that change nothing and say why.

#include <sys/stat.h>

#include <filesystem>

#include "files_fixture.h"
#include "score/MidiFile.h"
#include "score/ScoreText.h"

namespace {

using namespace filestest;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string emptyTrackLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += "-1\r\n0\r\n";
    return lines;
}

class ScoreFileWindowTest : public FilesTest {
protected:
    void openWithScoreButton(const std::string& path) {
        answerThroughHook([path](const HookedDialog&) { return path; });
        form().Command33_Click();
    }
    void saveAs(const std::string& path) {
        answerThroughHook([path](const HookedDialog&) { return path; });
        form().SaveScoreAs();
    }
};

TEST_F(ScoreFileWindowTest, ReadingSetsTempoInstrumentAndViewAndKeepsTracksHidden) {
    auto& w = form();
    w.TrackHide(3).setValue(1);
    w.SelStart = 0;
    w.SelEnd = 50;
    w.CursorColumn = 30;
    w.HScroll1.setValue(w.HScroll1.min() + 100);
    ASSERT_NE(w.FirstColumn, 0);
    mapper().clear();

    // Track 0 holds notes of instrument 5 inside the selection while the file
    // names 9 as its instrument: the notes keep their 5.
    std::string text = "60,1060,-1,62\r\n5,5,0,5\r\n-1\r\n0\r\n-1\r\n0\r\n70\r\n33\r\n" +
                       emptyTrackLines(9) + " 84 \r\n9,1,2,3,4,5,6,7,8,9,10,11,12\r\n";
    writeFile(file("read.sng"), text);
    openWithScoreButton(file("read.sng"));

    EXPECT_EQ(w.Notes[0][3], 62);
    EXPECT_EQ(w.Instruments[0][0], 5);
    EXPECT_EQ(w.Instruments[0][3], 5);
    EXPECT_EQ(w.Notes[3][0], 70);  // loaded although hidden
    EXPECT_EQ(w.TrackHide(3).value(), 1);
    EXPECT_EQ(w.Tempo, 84);
    EXPECT_EQ(w.TempoLabel.caption(), "84");
    EXPECT_EQ(w.TrackInstrument[0], 9);
    EXPECT_EQ(w.Combo1.listIndex(), 9);
    EXPECT_EQ(w.SelStart, 0);
    EXPECT_EQ(w.SelEnd, 50);
    EXPECT_EQ(w.FirstColumn, 0);
    EXPECT_EQ(w.CursorColumn, 0);
    EXPECT_EQ(w.HScroll1.value(), w.HScroll1.min());
    EXPECT_EQ(w.LastVisibleColumn, w.ColumnSpan);
    EXPECT_FALSE(w.Loading);
    // The new instrument went to the output, with no preview note.
    const std::vector<std::array<std::uint8_t, 3>> program = {
        {0xB0, 0x00, 0x00}, {0xB0, 0x20, 0x00}, {0xC0, 0x09, 0x00}};
    EXPECT_EQ(mapper().bytes(), program);
}

TEST_F(ScoreFileWindowTest, SavedScoreOpensAsItWas) {
    auto& w = form();
    putSmallScore();
    for (int c = 0; c <= 1000; c += 7) {
        w.Notes[c % 13][c] = static_cast<std::int16_t>(c % 128);
        w.Instruments[c % 13][c] = static_cast<std::int16_t>(c % 175);
    }
    w.TrackInstrument[5] = 150;
    const auto notes = w.Notes;
    const auto instruments = w.Instruments;
    const auto trackInstrument = w.TrackInstrument;
    saveAs(file("round.sng"));
    w.mNew_Click();
    w.Tempo = 120;
    openWithScoreButton(file("round.sng"));
    EXPECT_EQ(w.Notes, notes);
    EXPECT_EQ(w.Instruments, instruments);
    EXPECT_EQ(w.TrackInstrument, trackInstrument);
    EXPECT_EQ(w.Tempo, 96);
    EXPECT_EQ(w.ScoreFile, file("round.sng"));
}

TEST_F(ScoreFileWindowTest, TempoBelowOneKeepsTheTempo) {
    form().Tempo = 101;
    form().TempoLabel.setCaption("101");
    writeFile(file("slow.sng"), emptyTrackLines(13) + " 0 \r\n0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
    openWithScoreButton(file("slow.sng"));
    EXPECT_EQ(form().Tempo, 101);
    EXPECT_EQ(form().TempoLabel.caption(), "101");
    EXPECT_EQ(form().ScoreFile, file("slow.sng"));
}

TEST_F(ScoreFileWindowTest, UnreadableFileChangesNothingAndSaysWhy) {
    putSmallScore();
    form().HScroll1.setValue(form().HScroll1.min() + 50);
    const auto notes = form().Notes;
    const auto firstColumn = form().FirstColumn;
    const std::string caption = captionOf();
    std::filesystem::create_directory(file("folder.sng"));
    ::mkfifo(file("pipe.sng").c_str(), 0600);

    for (const std::string name : {"folder.sng", "pipe.sng"}) {
        openWithScoreButton(file(name));
        ASSERT_FALSE(messageBoxes().empty()) << name;
        EXPECT_TRUE(contains(messageBoxes().back(), file(name))) << messageBoxes().back();
        EXPECT_EQ(form().Notes, notes);
        EXPECT_EQ(form().Tempo, 96);
        EXPECT_EQ(form().ScoreFile, "");
        EXPECT_EQ(form().FirstColumn, firstColumn);
        EXPECT_EQ(captionOf(), caption);
    }
    EXPECT_EQ(messageBoxes().size(), 2u);
}

TEST_F(ScoreFileWindowTest, ReadOnlyTargetKeepsTheOldFileAndSaysWhy) {
    putSmallScore();
    writeFile(file("locked.sng"), "old");
    ::chmod(file("locked.sng").c_str(), 0444);
    saveAs(file("locked.sng"));
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_TRUE(contains(messageBoxes()[0], file("locked.sng")));
    EXPECT_TRUE(contains(messageBoxes()[0], "read-only"));
    EXPECT_EQ(readFile(file("locked.sng")), "old");
    EXPECT_EQ(form().ScoreFile, "");

    // Save to the current file fails the same way and keeps the file current.
    saveAs(file("ok.sng"));
    ASSERT_EQ(form().ScoreFile, file("ok.sng"));
    const std::string caption = captionOf();
    ::chmod(file("ok.sng").c_str(), 0444);
    const std::string before = readFile(file("ok.sng"));
    form().Notes[2][2] = 5;
    form().SaveScore();
    EXPECT_EQ(messageBoxes().size(), 2u);
    EXPECT_EQ(readFile(file("ok.sng")), before);
    EXPECT_EQ(form().ScoreFile, file("ok.sng"));
    EXPECT_EQ(captionOf(), caption);
}

TEST_F(ScoreFileWindowTest, MissingFolderIsReportedForScoresAndMidiFiles) {
    putSmallScore();
    const std::string caption = captionOf();
    saveAs(file("gone/song.sng"));
    answerThroughHook([this](const HookedDialog&) { return file("gone/song.mid"); });
    form().SaveAsMidi();
    ASSERT_EQ(messageBoxes().size(), 2u);
    EXPECT_TRUE(contains(messageBoxes()[0], file("gone/song.sng")));
    EXPECT_TRUE(contains(messageBoxes()[1], file("gone/song.mid")));
    EXPECT_TRUE(contains(messageBoxes()[1], "folder does not exist"));
    EXPECT_EQ(form().ScoreFile, "");
    EXPECT_EQ(captionOf(), caption);
}

TEST_F(ScoreFileWindowTest, MidiExportLeavesOutHiddenTracksAndOpensInMido) {
    putSmallScore();
    form().TrackHide(12).setValue(1);
    answerThroughHook([this](const HookedDialog&) { return file("out"); });
    form().SaveAsMidi();
    const std::string bytes = readFile(file("out.mid"));
    score::HiddenTracks hidden{};
    hidden[12] = true;
    const auto expected = score::buildMidiFile(form().Notes, form().Instruments, 96, hidden);
    EXPECT_EQ(bytes, std::string(expected.begin(), expected.end()));
    EXPECT_EQ(std::system(("/usr/bin/python3 -c 'import mido,sys; mido.MidiFile(sys.argv[1])' '" +
                           file("out.mid") + "'")
                              .c_str()),
              0);
}

// A file written by hand with values no cell may hold loads harmlessly: the
// output gets nothing but proper data bytes, now and after erasing, and the
// export is a proper MIDI file.
TEST_F(ScoreFileWindowTest, HostileFileLoadsWithoutHarm) {
    std::string text;
    for (int t = 0; t < 13; ++t) {
        text += "5000,999,128,-5,2060,60,1060\r\n300,-1,175,300,0,500,-4\r\n";
    }
    text += "-120 \r\n300,-1,175,300,300,300,300,300,300,300,300,300,300\r\n";
    writeFile(file("hostile.sng"), text);
    form().Tempo = 120;
    mapper().clear();
    openWithScoreButton(file("hostile.sng"));

    EXPECT_EQ(form().Tempo, 120);
    for (int t = 0; t < 13; ++t) {
        for (int c = 0; c < 5; ++c) EXPECT_EQ(form().Notes[t][c], -1);
        for (int c = 0; c <= 6; ++c) {
            EXPECT_GE(form().Instruments[t][c], 0);
            EXPECT_LE(form().Instruments[t][c], 174);
        }
        EXPECT_EQ(form().Notes[t][5], 60);
        EXPECT_LE(form().TrackInstrument[t], 174);
    }
    answerThroughHook([this](const HookedDialog&) { return file("hostile.mid"); });
    form().SaveAsMidi();
    EXPECT_EQ(std::system(("/usr/bin/python3 -c 'import mido,sys; mido.MidiFile(sys.argv[1])' '" +
                           file("hostile.mid") + "'")
                              .c_str()),
              0);
    form().Command4_Click();
    for (const auto& message : mapper().bytes()) {
        EXPECT_GE(message[0], 0x80);
        EXPECT_LE(message[1], 0x7F);
        EXPECT_LE(message[2], 0x7F);
    }
}

}  // namespace
