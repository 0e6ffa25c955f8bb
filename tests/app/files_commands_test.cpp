// The file commands' dialog settings, name rules and what each hands the name
// to, with the dialog answered through its test hook.

#include <filesystem>

#include "files_fixture.h"
#include "platform/system/System.h"
#include "score/ScoreText.h"

namespace {

using namespace filestest;

constexpr const char* MusicFilter = "Midi, score, WAV(*.sng;*.mid;*.wav)|*.sng;*.mid;*.wav";

class FileCommandsTest : public FilesTest {
protected:
    // Every dialog from now on returns `name`.
    void choose(const std::string& name) {
        answerThroughHook([name](const HookedDialog&) { return name; });
    }
    void writeScoreWithNoteOnTrack(const std::string& path, int track) {
        auto notes = std::make_unique<score::Grid>();
        auto instruments = std::make_unique<score::Grid>();
        score::clearScore(*notes, *instruments);
        (*notes)[track][2] = 50;
        (*instruments)[track][2] = 3;
        writeFile(path, score::formatScoreText(*notes, *instruments, 120, {}));
    }
};

TEST_F(FileCommandsTest, EachCommandSetsUpItsDialog) {
    answerThroughHook([](const HookedDialog&) { return std::string(); });
    form().mnuOpen_Click();
    form().Command33_Click();
    form().Command10_Click();
    form().SaveScoreAs();
    form().Command2_Click();
    form().SaveAsMidi();
    form().OpenMusicFile();
    form().SaveScoreAs();

    ASSERT_EQ(hookedDialogs.size(), 8u);
    struct Expected {
        const char* title;
        const char* preset;
        const char* filter;
        bool saving;
    };
    const Expected expected[] = {
        {"Open Music File", "", MusicFilter, false},
        {"Open Midi Score File", "*.sng", "*.sng", false},
        {"Open Rythm File", "*.crd", "*.crd", false},
        {"Save Music File as", "*.sng", "*.sng", true},
        {"Save Music File as", "*.crd", "*.crd", true},
        {"Save as Midi", "*.mid", "*.mid", true},
        {"Open Music File", "", MusicFilter, false},
        {"Save Music File as", "*.sng", "*.sng", true},
    };
    for (std::size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(hookedDialogs[i].title, expected[i].title);
        EXPECT_EQ(hookedDialogs[i].fileName, expected[i].preset);
        EXPECT_EQ(hookedDialogs[i].filter, expected[i].filter);
        EXPECT_EQ(hookedDialogs[i].saving, expected[i].saving);
        EXPECT_EQ(hookedDialogs[i].initDir, sys::appPath());
    }
    // Only the music-file button sets the flags, and the dialog keeps them.
    EXPECT_EQ(hookedDialogs[5].flags, 0);
    EXPECT_EQ(hookedDialogs[6].flags, 1026);
    EXPECT_EQ(hookedDialogs[7].flags, 1026);
}

TEST_F(FileCommandsTest, SaveAsAppendsTheExtensionCaseSensitively) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain.sng"},
        {"notes.txt", "notes.txt.sng"},
        {"LOUD.SNG", "LOUD.SNG.sng"},
        {"ready.sng", "ready.sng"},
    };
    for (const auto& [typed, written] : cases) {
        choose(file(typed));
        form().SaveScoreAs();
        EXPECT_TRUE(exists(file(written))) << typed;
        EXPECT_EQ(form().ScoreFile, file(written));
        EXPECT_EQ(captionOf(), "Sorvane " + file(written));
    }
    choose(file("beat"));
    form().Command2_Click();
    EXPECT_TRUE(exists(file("beat.crd")));
    EXPECT_EQ(form().ScoreFile, file("beat.crd"));

    const std::string scoreFile = form().ScoreFile;
    const std::string caption = captionOf();
    choose(file("export.MID"));
    form().SaveAsMidi();
    EXPECT_TRUE(exists(file("export.MID.mid")));
    // A MIDI export changes neither the score's file nor the caption.
    EXPECT_EQ(form().ScoreFile, scoreFile);
    EXPECT_EQ(captionOf(), caption);
}

TEST_F(FileCommandsTest, MidiAndWavNamesGoToThePlayerOnly) {
    writeFile(file("TRACK.MID"), "MThd");
    writeFile(file("take.wav"), "RIFF");
    putSmallScore();
    const auto notes = form().Notes;
    const std::string caption = captionOf();

    // The music-file button compares the ending without regard to case and
    // keeps the path as chosen: the file exists under that very name.
    choose(file("TRACK.MID"));
    form().OpenMusicFile();
    EXPECT_EQ(form().Text6.text(), file("TRACK.MID"));

    form().Text6.setText("");
    form().mnuOpen_Click();
    EXPECT_EQ(form().Text6.text(), "");

    choose(file("take.wav"));
    form().mnuOpen_Click();
    EXPECT_EQ(form().Text6.text(), file("take.wav"));
    EXPECT_EQ(form().Notes, notes);
    EXPECT_EQ(form().ScoreFile, "");
    EXPECT_EQ(captionOf(), caption);
}

TEST_F(FileCommandsTest, CapitalScoreNameOpensThroughTheButtonAndSavesBackThere) {
    writeScoreWithNoteOnTrack(file("LOUD.SNG"), 4);
    choose(file("LOUD.SNG"));
    form().mnuOpen_Click();  // the menu compares the ending as written
    EXPECT_EQ(form().ScoreFile, "");
    EXPECT_EQ(form().Notes[4][2], -1);

    form().OpenMusicFile();
    EXPECT_EQ(form().ScoreFile, file("LOUD.SNG"));
    EXPECT_EQ(form().Notes[4][2], 50);

    answerThroughHook([](const HookedDialog&) -> std::string {
        ADD_FAILURE() << "Save after an open needs no dialog";
        return {};
    });
    form().Notes[4][3] = 1050;
    form().SaveScore();
    const auto read = score::readScoreFile(file("LOUD.SNG"), {});
    ASSERT_TRUE(read.content);
    EXPECT_EQ(read.content->notes[4][3], 1050);
    EXPECT_FALSE(exists(file("loud.sng")));
}

TEST_F(FileCommandsTest, ScoreButtonReadsAnyEndingAsScore) {
    writeScoreWithNoteOnTrack(file("tune.txt"), 1);
    choose(file("tune.txt"));
    form().Command33_Click();
    EXPECT_EQ(form().Notes[1][2], 50);
    EXPECT_EQ(form().ScoreFile, file("tune.txt"));
    EXPECT_EQ(captionOf(), "Sorvane Harmonics: " + file("tune.txt"));
}

TEST_F(FileCommandsTest, RhythmFileReplacesAllThirteenTracks) {
    putSmallScore();
    writeScoreWithNoteOnTrack(file("beat.crd"), 9);
    choose(file("beat.crd"));
    form().Command10_Click();
    for (int track = 0; track < 13; ++track) {
        EXPECT_EQ(form().Notes[track][2], track == 9 ? 50 : -1) << track;
    }
    EXPECT_EQ(form().Notes[0][0], -1);
    EXPECT_EQ(form().ScoreFile, file("beat.crd"));

    // Save then writes the whole score to the rhythm file.
    form().Notes[0][0] = 60;
    form().SaveScore();
    const auto read = score::readScoreFile(file("beat.crd"), {});
    ASSERT_TRUE(read.content);
    EXPECT_EQ(read.content->notes[0][0], 60);
    EXPECT_EQ(read.content->notes[9][2], 50);
}

TEST_F(FileCommandsTest, NamesOfNoFileOpenNothing) {
    putSmallScore();
    const auto notes = form().Notes;
    choose(file("absent.sng"));
    form().mnuOpen_Click();
    form().Command33_Click();
    choose(file("absent.crd"));
    form().Command10_Click();
    EXPECT_EQ(form().Notes, notes);
    EXPECT_EQ(form().ScoreFile, "");
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(FileCommandsTest, SettingsFileHoldsFiveBytes) {
    const std::string path = sys::writableDataFolder() + "Notewright.dat";
    std::filesystem::remove(path);
    form().Command14.Click();
    EXPECT_EQ(readFile(path), std::string(" 0 \r\n"));
    std::filesystem::remove(path);
}

TEST_F(FileCommandsTest, ButtonsAndMenuItemsRunTheirCommands) {
    std::vector<std::string> titles;
    answerThroughHook([&](const HookedDialog& dialog) {
        titles.push_back(dialog.title);
        return std::string();
    });
    auto& w = form();
    for (auto* button : {&w.Command16, &w.Command26, &w.Command33, &w.Command10, &w.Command34,
                         &w.Command17, &w.Command18, &w.Command2, &w.Command191, &w.Command19}) {
        button->Click();
    }
    for (auto* item : {&w.mnuOpen, &w.mnuSave, &w.mnuSaveAs, &w.mnuSaveAsMid}) item->Click();
    const std::vector<std::string> expected = {
        "Open Music File",    "Open Music File",    "Open Midi Score File", "Open Rythm File",
        "Save Music File as", "Save Music File as", "Save Music File as",   "Save Music File as",
        "Save as Midi",       "Save as Midi",       "Open Music File",      "Save Music File as",
        "Save Music File as", "Save as Midi"};
    EXPECT_EQ(titles, expected);
}

}  // namespace
