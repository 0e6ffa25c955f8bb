// New and Erase all Notes: an empty score at once, with what each leaves as
// it was.

#include "files_fixture.h"

namespace {

using namespace filestest;
using Message = std::array<std::uint8_t, 3>;

class NewScoreTest : public FilesTest {
protected:
    // A score with a file, hidden tracks, instruments and a moved view.
    void prepareUsedScore() {
        auto& w = form();
        putSmallScore();
        w.ScoreFile = file("old.sng");
        w.setCaption("Sorvane " + file("old.sng"));
        for (int track : {0, 4, 11}) w.TrackHide(track).setValue(1);
        w.TrackSel(7).setEnabled(false);
        for (int track = 0; track < 13; ++track) w.TrackInstrument[track] = 40;
        w.Combo1.setListIndex(40);
        w.CursorColumn = 33;
        w.HScroll1.setValue(w.HScroll1.min() + 200);
        w.Tempo = 90;
        w.SelStart = 3;
        w.SelEnd = 8;
        mapper().clear();
    }

    void expectEmptyScoreWithEveryTrackShown() {
        auto& w = form();
        for (int track = 0; track < 13; ++track) {
            for (int column = 0; column <= 1000; ++column) {
                ASSERT_EQ(w.Notes[track][column], -1);
                ASSERT_EQ(w.Instruments[track][column], 0);
            }
            EXPECT_EQ(w.TrackHide(track).value(), 0) << track;
            EXPECT_TRUE(w.TrackSel(track).enabled()) << track;
            EXPECT_EQ(w.TrackInstrument[track], 0) << track;
        }
        EXPECT_EQ(w.ScoreFile, "");
        EXPECT_EQ(w.CursorColumn, 0);
        EXPECT_EQ(w.HScroll1.value(), w.HScroll1.min());
        EXPECT_EQ(w.FirstColumn, 0);
        EXPECT_FALSE(w.Loading);
        // Neither touches the tempo nor the selection.
        EXPECT_EQ(w.Tempo, 90);
        EXPECT_EQ(w.SelStart, 3);
        EXPECT_EQ(w.SelEnd, 8);
    }
};

TEST_F(NewScoreTest, NewEmptiesTheScoreAndStartsOnTrackZero) {
    prepareUsedScore();
    auto& w = form();
    w.mNew_Click();
    expectEmptyScoreWithEveryTrackShown();
    for (int track = 0; track < 13; ++track) {
        EXPECT_EQ(w.TrackHide(track).enabled(), track != 0) << track;
    }
    EXPECT_TRUE(w.TrackSel(0).value());
    EXPECT_EQ(w.Combo1.listIndex(), 0);
    EXPECT_EQ(w.CurrentTrackColour, w.SelectedTrackColours[0]);
    EXPECT_EQ(w.caption(), "Notewright");
    EXPECT_EQ(w.NoteChannel, 0);
    EXPECT_TRUE(w.MusicBox.hasFocus());
    // Program 0 ends up on channel 0 (New sends it, and so does the list's
    // handler); Loading keeps the preview note silent.
    const std::vector<Message> program = {
        {0xB0, 0x00, 0x00}, {0xB0, 0x20, 0x00}, {0xC0, 0x00, 0x00}};
    const auto sent = mapper().bytes();
    ASSERT_GE(sent.size(), 6u);
    EXPECT_EQ(std::vector<Message>(sent.end() - 3, sent.end()), program);
    EXPECT_EQ(std::vector<Message>(sent.end() - 6, sent.end() - 3), program);
    for (const auto& message : sent) EXPECT_NE(message[0] & 0xF0, 0x90);
}

TEST_F(NewScoreTest, EraseAllKeepsTheCurrentTrackAndTheCaption) {
    prepareUsedScore();
    auto& w = form();
    w.TrackSel(5).setValue(true);
    w.CurrentTrack = 5;
    w.NoteChannel = 5;
    w.CurrentTrackColour = w.SelectedTrackColours[5];
    const std::string caption = w.caption();
    mapper().clear();

    w.Command4_Click();
    expectEmptyScoreWithEveryTrackShown();
    for (int track = 0; track < 13; ++track) EXPECT_TRUE(w.TrackHide(track).enabled()) << track;
    EXPECT_EQ(w.CurrentTrack, 5);
    EXPECT_TRUE(w.TrackSel(5).value());
    EXPECT_EQ(w.NoteChannel, 5);
    EXPECT_EQ(w.CurrentTrackColour, w.SelectedTrackColours[5]);
    EXPECT_EQ(w.Combo1.listIndex(), 40);
    EXPECT_EQ(w.caption(), caption);
    EXPECT_TRUE(mapper().bytes().empty());
}

TEST_F(NewScoreTest, ButtonsAndMenuItemRunNewAndEraseAll) {
    auto& w = form();
    w.Tempo = 90;
    w.SelStart = 3;
    w.SelEnd = 8;
    for (auto* run : {&w.mnuNewScore.Click, &w.Command15.Click}) {
        putSmallScore();
        w.Tempo = 90;
        w.setCaption("before");
        (*run)();
        expectEmptyScoreWithEveryTrackShown();
        EXPECT_EQ(w.caption(), "Notewright");
    }
    for (auto* button : {&w.Command4, &w.Command5, &w.Command6}) {
        putSmallScore();
        w.Tempo = 90;
        w.setCaption("before");
        button->Click();
        expectEmptyScoreWithEveryTrackShown();
        EXPECT_EQ(w.caption(), "before");
    }
}

}  // namespace
