// The file commands on the real window: which control runs which dialog, what
// each does with the chosen name, what a read or write changes, failures that
// change nothing and say why, and New and Erase all Notes.

#include <filesystem>
#include <functional>

#include "platform/system/System.h"
#include "score/ScoreText.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include "support/app/FileDialogAnswers.h"
#include "support/app/ScoreWindowFixture.h"

namespace {

using namespace testsupport;
using Bytes = std::array<std::uint8_t, 3>;
using Handler = std::function<void()>*;

// A score file with the note 50 at column 2 of track 3, tempo 77 and
// instrument 9 on track 0.
std::string scoreText() {
    std::string text;
    for (int track = 0; track < 13; ++track)
        text += track == 3 ? "-1,-1,50\r\n0,0,3\r\n" : "-1\r\n0\r\n";
    return text + " 77 \r\n9,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
}

class FilesTest : public ScoreWindowTest {
protected:
    std::string path(const std::string& name) const { return folder.file(name); }
    // A fresh drawing changes nothing: the score box shows the score as it is.
    void expectScoreBoxUpToDate() {
        const auto shown = snapshot();
        form().RedrawScore();
        EXPECT_TRUE(shown == snapshot()) << "the score box was not redrawn";
    }
    TempFolder folder;
    FileDialogAnswers dialogs;
};

TEST_F(FilesTest, EachControlShowsItsDialogAndACancelChangesNothing) {
    auto& w = form();
    w.Notes[0][0] = 60;
    w.Text6.setText("player.wav");
    const auto notes = w.Notes;
    const std::string caption = w.caption();
    const std::string music = "Midi, score, WAV(*.sng;*.mid;*.wav)|*.sng;*.mid;*.wav";
    const struct {
        Handler control;
        std::string title, preset;
        bool saving, keepsFlags;
    } rows[] = {{&w.mnuOpen.Click, "Open Music File", "", false, false},
                {&w.Command26.Click, "Open Music File", "", false, true},
                {&w.Command16.Click, "Open Music File", "", false, true},
                {&w.Command33.Click, "Open Midi Score File", "*.sng", false, false},
                {&w.Command10.Click, "Open Rythm File", "*.crd", false, false},
                {&w.mnuSave.Click, "Save Music File as", "*.sng", true, false},
                {&w.Command34.Click, "Save Music File as", "*.sng", true, false},
                {&w.Command17.Click, "Save Music File as", "*.sng", true, false},
                {&w.mnuSaveAs.Click, "Save Music File as", "*.sng", true, false},
                {&w.Command18.Click, "Save Music File as", "*.sng", true, false},
                {&w.Command2.Click, "Save Music File as", "*.crd", true, false},
                {&w.mnuSaveAsMid.Click, "Save as Midi", "*.mid", true, false},
                {&w.Command191.Click, "Save as Midi", "*.mid", true, false},
                {&w.Command19.Click, "Save as Midi", "*.mid", true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        w.CommonDialog1.Flags = 0;
        dialogs.shown.clear();
        (*row.control)();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const ShownDialog& shown = dialogs.shown[0];
        EXPECT_EQ(shown.title, row.title);
        EXPECT_EQ(shown.preset, row.preset);
        EXPECT_EQ(shown.filter, row.preset.empty() ? music : row.preset);
        EXPECT_EQ(shown.saving, row.saving);
        EXPECT_EQ(shown.initDir, sys::appPath());
        EXPECT_EQ(w.CommonDialog1.Flags, row.keepsFlags ? 1026 : 0);
    }
    EXPECT_EQ(w.Notes, notes);
    EXPECT_EQ(w.ScoreFile, "");
    EXPECT_EQ(w.Text6.text(), "player.wav");
    EXPECT_EQ(w.caption(), caption);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// A file that cannot be read changes nothing and says why: the score keeps its
// file, so the next Save writes there and not over the unreadable one. A read
// keeps the selection and hidden tracks, shows column 0 and sends track 0's
// instrument without a preview note.
TEST_F(FilesTest, EveryOpenReadsAScoreAndKeepsTheOldFileWhenTheChosenOneCannotBeRead) {
    auto& w = form();
    folder.write("tune.sng", scoreText());
    std::filesystem::create_directory(path("folder.sng"));
    for (Handler open : {&w.mnuOpen.Click, &w.Command26.Click, &w.Command16.Click,
                         &w.Command33.Click, &w.Command10.Click}) {
        SCOPED_TRACE(open->target_type().name());
        clearNotes();
        w.Notes[0][0] = 60;
        w.ScoreFile = path("kept.sng");
        w.setCaption("before");
        w.TrackHide(3).setValue(1);
        w.SelEnd = 50;
        w.CursorColumn = 30;
        w.HScroll1.setValue(w.HScroll1.min() + 100);
        dialogs.name = path("folder.sng");
        (*open)();
        EXPECT_NE(messageBoxes().back().find(path("folder.sng")), std::string::npos);
        EXPECT_EQ(w.Notes[0][0], 60);
        EXPECT_EQ(w.ScoreFile, path("kept.sng"));
        EXPECT_EQ(w.caption(), "before");

        w.Combo1.setListIndex(0);
        mapper().clear();
        dialogs.name = path("tune.sng");
        (*open)();
        EXPECT_EQ(w.Notes[3][2], 50);
        EXPECT_EQ(w.Notes[0][0], -1);
        EXPECT_EQ(w.TempoLabel.caption(), "77");
        EXPECT_EQ(w.ScoreFile, path("tune.sng"));
        EXPECT_EQ(w.caption(), "Sorvane Harmonics: " + path("tune.sng"));
        EXPECT_EQ(w.TrackHide(3).value(), 1);
        EXPECT_EQ(w.SelEnd, 50);
        EXPECT_EQ(w.CursorColumn + w.FirstColumn, 0);
        EXPECT_EQ(w.HScroll1.value(), w.HScroll1.min());
        EXPECT_EQ(w.LastVisibleColumn, w.ColumnSpan);
        EXPECT_EQ(w.Combo1.listIndex(), 9);
        EXPECT_EQ(mapper().bytes(),
                  (std::vector<Bytes>{{0xB0, 0, 0}, {0xB0, 32, 0}, {0xC0, 9, 0}}));
        expectScoreBoxUpToDate();
    }
    EXPECT_EQ(messageBoxes().size(), 5u);
    // A file without a tempo of 1 or more keeps the tempo.
    folder.write("slow.sng", scoreText().replace(scoreText().find(" 77 "), 4, " 0 "));
    dialogs.name = path("slow.sng");
    w.Command33_Click();
    EXPECT_EQ(w.Tempo, 77);
    EXPECT_EQ(w.ScoreFile, path("slow.sng"));
}

// The Open item compares the ending as written, the music-file button without
// regard to case; the name is kept as chosen, the file exists under it.
TEST_F(FilesTest, TheEndingDecidesWhatAnOpenDoes) {
    auto& w = form();
    for (const char* name : {"LOUD.SNG", "tune.txt", "take.wav", "TRACK.MID"})
        folder.write(name, scoreText());
    const struct {
        Handler control;
        const char* name;
        bool readsScore, toPlayer;
    } rows[] = {{&w.mnuOpen.Click, "LOUD.SNG", false, false},
                {&w.Command26.Click, "LOUD.SNG", true, false},
                {&w.mnuOpen.Click, "take.wav", false, true},
                {&w.mnuOpen.Click, "TRACK.MID", false, false},
                {&w.Command26.Click, "TRACK.MID", false, true},
                {&w.mnuOpen.Click, "tune.txt", false, false},
                {&w.Command33.Click, "tune.txt", true, false},
                {&w.Command33.Click, "absent.sng", false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        clearNotes();
        w.ScoreFile.clear();
        w.Text6.setText("");
        dialogs.name = path(row.name);
        (*row.control)();
        EXPECT_EQ(w.Notes[3][2], row.readsScore ? 50 : -1);
        EXPECT_EQ(w.ScoreFile, row.readsScore ? path(row.name) : "");
        EXPECT_EQ(w.Text6.text(), row.toPlayer ? path(row.name) : "");
    }
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(FilesTest, SaveAsAppendsTheExtensionCaseSensitivelyAndOnlyScoresBecomeTheFile) {
    auto& w = form();
    w.Notes[3][2] = 50;
    const struct {
        void (app::Form1::*run)();
        const char *typed, *written;
    } rows[] = {{&app::Form1::SaveScoreAs, "plain", "plain.sng"},
                {&app::Form1::SaveScoreAs, "notes.txt", "notes.txt.sng"},
                {&app::Form1::SaveScoreAs, "LOUD.SNG", "LOUD.SNG.sng"},
                {&app::Form1::SaveScoreAs, "ready.sng", "ready.sng"},
                {&app::Form1::Command2_Click, "beat", "beat.crd"},
                {&app::Form1::SaveAsMidi, "export.MID", "export.MID.mid"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        dialogs.name = path(row.typed);
        (w.*row.run)();
        const bool midi = row.run == &app::Form1::SaveAsMidi;
        EXPECT_EQ(folder.read(row.written).substr(0, 4), midi ? "MThd" : "-1\r\n");
        EXPECT_EQ(w.ScoreFile, path(midi ? "beat.crd" : row.written));
        EXPECT_EQ(w.caption(), "Sorvane " + w.ScoreFile);
    }
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(score::readScoreFile(path("beat.crd"), {}).content->notes[3][2], 50);
}

// With a current file every Save control writes there, asking nothing.
TEST_F(FilesTest, SaveWritesTheCurrentFileWithoutADialog) {
    auto& w = form();
    for (Handler save : {&w.mnuSave.Click, &w.Command34.Click, &w.Command17.Click}) {
        folder.write("current.crd", "old");
        w.ScoreFile = path("current.crd");
        (*save)();
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_NE(folder.read("current.crd"), "old") << save - &w.mnuSave.Click;
    }
}

// The dialog asked about the name it returned; the name with the extension
// appended is another file, which the program asks about itself. A file that
// cannot be written is reported and becomes no score file.
TEST_F(FilesTest, ReplacingIsAskedAboutAndAFailedWriteSaysWhereAndChangesNothing) {
    folder.write("song.sng", "keep me");
    dialogs.name = path("song");
    for (bool yes : {false, true}) {
        dialogs.yes = yes;
        form().SaveScoreAs();
        EXPECT_EQ(folder.read("song.sng") == "keep me", !yes);
        EXPECT_EQ(form().ScoreFile, yes ? path("song.sng") : "");
    }
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_NE(dialogs.questions[0].find(path("song.sng")), std::string::npos);

    const std::string caption = form().caption();
    dialogs.name = path("gone/song.sng");
    form().SaveScoreAs();
    dialogs.name = path("gone/song.mid");
    form().SaveAsMidi();
    ASSERT_EQ(messageBoxes().size(), 2u);
    EXPECT_NE(messageBoxes()[0].find(path("gone/song.sng")), std::string::npos);
    EXPECT_NE(messageBoxes()[1].find(path("gone/song.mid")), std::string::npos);
    EXPECT_EQ(form().ScoreFile, path("song.sng"));
    EXPECT_EQ(form().caption(), caption);
}

TEST_F(FilesTest, ASavedScoreOpensAsItWasAndTheExportLeavesHiddenTracksOut) {
    auto& w = form();
    placeNote(7, 40, 998, 1000, 174);
    w.TrackInstrument[5] = 150;
    w.Tempo = 96;
    const auto notes = w.Notes;
    const auto instruments = w.Instruments;
    const auto trackInstrument = w.TrackInstrument;
    dialogs.name = path("round.sng");
    w.SaveScoreAs();
    w.mNew_Click();
    w.Command33_Click();
    EXPECT_TRUE(w.Notes == notes && w.Instruments == instruments);
    EXPECT_EQ(w.TrackInstrument, trackInstrument);
    EXPECT_EQ(w.Tempo, 96);

    clearNotes();
    placeNote(0, 60, 0, 1);
    placeNote(12, 70, 4, 4);
    w.TrackHide(12).setValue(1);
    dialogs.name = path("out.mid");
    w.SaveAsMidi();
    std::string notesOn;
    EXPECT_EQ(runTool("/usr/bin/python3 -c 'import mido,sys; print(sum(m.type == \"note_on\" and "
                      "m.velocity > 0 for t in mido.MidiFile(sys.argv[1]).tracks for m in t))' " +
                          shellQuoted(path("out.mid")),
                      notesOn, 30),
              0);
    EXPECT_EQ(notesOn, "1\n");
}

TEST_F(FilesTest, TheHiddenSettingsButtonWritesFiveBytes) {
    const std::string settings = sys::writableDataFolder() + "Notewright.dat";
    std::filesystem::remove(settings);
    form().Command14.Click();
    std::string bytes;
    EXPECT_EQ(runTool("cat " + shellQuoted(settings), bytes, 10), 0);
    EXPECT_EQ(bytes, " 0 \r\n");
    std::filesystem::remove(settings);
}

// Both empty the score at once and forget its file; New also starts again on
// track 0 with instrument 0, Erase all Notes keeps the current track.
TEST_F(FilesTest, NewAndEraseAllEmptyTheScoreAndForgetItsFile) {
    auto& w = form();
    const std::pair<Handler, bool> rows[] = {{&w.mnuNewScore.Click, true},
                                             {&w.Command15.Click, true},
                                             {&w.Command4.Click, false},
                                             {&w.Command5.Click, false},
                                             {&w.Command6.Click, false}};
    for (const auto& [control, isNew] : rows) {
        SCOPED_TRACE(isNew ? "New" : "Erase all Notes");
        placeNote(4, 60, 10, 12, 40);
        w.RedrawScore();
        w.ScoreFile = path("old.sng");
        w.setCaption("before");
        for (int track : {0, 4, 12}) w.TrackHide(track).setValue(1);
        w.TrackSel(7).setEnabled(false);
        w.TrackSel(5).setValue(true);
        w.TrackInstrument.fill(40);
        w.HScroll1.setValue(w.HScroll1.min() + 200);
        w.CursorColumn = 33;
        w.Tempo = 90;
        mapper().clear();
        (*control)();
        EXPECT_EQ(w.Notes[4][10] + w.Instruments[4][10], -1);
        for (int track = 0; track < 13; ++track) {
            EXPECT_EQ(w.TrackHide(track).value(), 0) << track;
            EXPECT_EQ(w.TrackHide(track).enabled(), !isNew || track != 0) << track;
            EXPECT_TRUE(w.TrackSel(track).enabled()) << track;
            EXPECT_EQ(w.TrackInstrument[track], 0) << track;
        }
        EXPECT_EQ(w.ScoreFile, "");
        EXPECT_EQ(w.caption(), isNew ? "Notewright" : "before");
        EXPECT_EQ(w.CurrentTrack, isNew ? 0 : 5);
        EXPECT_EQ(w.CursorColumn + w.FirstColumn, 0);
        EXPECT_EQ(w.Tempo, 90);
        EXPECT_FALSE(w.Loading);
        EXPECT_TRUE(w.MusicBox.hasFocus());
        expectScoreBoxUpToDate();
        // New gives channel 0 program 0, without a preview note.
        const auto sent = mapper().bytes();
        const Bytes last = sent.empty() ? Bytes{} : sent.back();
        EXPECT_EQ(last, (isNew ? Bytes{0xC0, 0, 0} : Bytes{}));
        for (const Bytes& message : sent) EXPECT_NE(message[0] & 0xF0, 0x90);
    }
}

}  // namespace
