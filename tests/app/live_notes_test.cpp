// Instruments and live notes on the real window: the messages of an
// instrument choice with its preview note, the percussion state, the
// instrument box's numbers, and the preview's note off when other handlers run
// while it sounds.

#include <gtest/gtest.h>

#include <QTimer>

#include "support/app/MainWindowFixture.h"

namespace {

using testsupport::MainWindowTest;
using Bytes = std::array<std::uint8_t, 3>;

class LiveNotesTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        mapper().clear();
    }
    std::vector<Bytes> sent() { return mapper().bytes(); }
};

TEST_F(LiveNotesTest, MessagesFollowTheTracksChannelAndPercussionState) {
    auto& window = form();
    window.NoteChannel = 2;
    window.SetInstrument(24);
    window.StartNote(67);
    window.StopNote(67);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0xB2, 0x00, 0x00},
                                          {0xB2, 0x20, 0x00},
                                          {0xC2, 0x18, 0x00},
                                          {0x92, 0x3C, 0x7F},
                                          {0x82, 0x3C, 0x00}}));
    mapper().clear();
    window.NoteChannel = 0;
    window.SetInstrument(128);
    window.StartNote(67);
    window.StopNote(67);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x99, 0x23, 0x7F}, {0x89, 0x23, 0x00}}));
    EXPECT_TRUE(window.IsDrumTrack[0]);
    EXPECT_FALSE(window.IsDrumTrack[2]);
}

TEST_F(LiveNotesTest, InstrumentOnTrackTwoSendsBankProgramAndAQuarterSecondPreview) {
    auto& window = form();
    window.Instxt.setText("24");
    window.TrackSel(2).setValue(true);  // applies the instrument box to track 2
    const auto messages = mapper().messages();
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0xB2, 0x00, 0x00},
                                          {0xB2, 0x20, 0x00},
                                          {0xC2, 0x18, 0x00},
                                          {0x92, 0x3C, 0x7F},
                                          {0x82, 0x3C, 0x00}}));
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_GE(messages[4].tick - messages[3].tick, 250);
    EXPECT_EQ(window.TrackInstrument[2], 24);

    // The same from the instrument list.
    mapper().clear();
    window.Combo1.userSelected(25);
    window.Combo1.userSelected(24);
    const auto listed = sent();
    ASSERT_EQ(listed.size(), 10u);
    EXPECT_EQ(std::vector<Bytes>(listed.begin() + 5, listed.end()),
              (std::vector<Bytes>{{0xB2, 0x00, 0x00},
                                  {0xB2, 0x20, 0x00},
                                  {0xC2, 0x18, 0x00},
                                  {0x92, 0x3C, 0x7F},
                                  {0x82, 0x3C, 0x00}}));
    EXPECT_EQ(window.Instxt.text(), "24 ");
}

TEST_F(LiveNotesTest, PercussionSendsNothingAndPlaysItsKeyOnChannelNine) {
    auto& window = form();
    window.Combo1.userSelected(128);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x99, 0x23, 0x7F}, {0x89, 0x23, 0x00}}));
    EXPECT_TRUE(window.IsDrumTrack[0]);
    EXPECT_EQ(window.DrumKey[0], 35);
    EXPECT_EQ(window.TrackInstrument[0], 128);

    // A program afterwards gives the track its own channel and keys back.
    mapper().clear();
    window.Combo1.userSelected(5);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0xB0, 0x00, 0x00},
                                          {0xB0, 0x20, 0x00},
                                          {0xC0, 0x05, 0x00},
                                          {0x90, 0x3C, 0x7F},
                                          {0x80, 0x3C, 0x00}}));
    EXPECT_FALSE(window.IsDrumTrack[0]);
    EXPECT_EQ(window.DrumKey[0], 35);  // kept for the next percussion sound
}

TEST_F(LiveNotesTest, LoadingSilencesThePreview) {
    auto& window = form();
    window.Loading = true;
    window.Combo1.userSelected(30);
    window.Loading = false;
    EXPECT_EQ(sent(),
              (std::vector<Bytes>{{0xB0, 0x00, 0x00}, {0xB0, 0x20, 0x00}, {0xC0, 0x1E, 0x00}}));
    EXPECT_EQ(window.TrackInstrument[0], 30);
}

TEST_F(LiveNotesTest, ListChoiceGivesTheSelectionsUsedCellsTheInstrument) {
    auto& window = form();
    for (int column = 10; column <= 20; column += 5) window.Notes[0][column] = 60;
    window.Notes[0][9] = 60;
    window.Notes[0][21] = 60;
    window.Notes[3][15] = 60;
    window.SelStart = 10;
    window.SelEnd = 20;
    window.Combo1.userSelected(70);
    for (int column = 9; column <= 21; ++column) {
        const bool changed = column == 10 || column == 15 || column == 20;
        EXPECT_EQ(window.Instruments[0][column], changed ? 70 : 0) << column;
    }
    EXPECT_EQ(window.Instruments[3][15], 0);
    EXPECT_EQ(window.Instxt.text(), "70 ");

    // A selection whose end lies before its start changes no cell.
    window.SelStart = 20;
    window.SelEnd = 10;
    window.Combo1.userSelected(71);
    EXPECT_EQ(window.Instruments[0][15], 70);
}

TEST_F(LiveNotesTest, InstrumentBoxGivesTheSelectionsUsedCellsTheInstrument) {
    auto& window = form();
    for (int column = 10; column <= 20; column += 2) window.Notes[0][column] = 60;
    window.Notes[1][12] = 60;
    window.Instruments[1][12] = 3;
    window.SelStart = 10;
    window.SelEnd = 20;
    window.Instxt.setText("7");
    window.Command9_Click();
    for (int column = 9; column <= 21; ++column) {
        const bool used = column >= 10 && column <= 20 && column % 2 == 0;
        EXPECT_EQ(window.Instruments[0][column], used ? 7 : 0) << column;
    }
    EXPECT_EQ(window.Instruments[1][12], 3);
    EXPECT_EQ(window.Combo1.listIndex(), 24) << "the list keeps its entry";
}

TEST_F(LiveNotesTest, InstrumentBoxNumbersOutsideTheInstrumentsChangeNothing) {
    auto& window = form();
    for (const char* text : {"175", "300", "-5", "70000", "-70000", "174.6"}) {
        window.Instxt.setText(text);
        window.Command9_Click();
        EXPECT_TRUE(sent().empty()) << text;
        EXPECT_EQ(window.TrackInstrument[0], 24) << text;
        EXPECT_FALSE(window.IsDrumTrack[0]) << text;
    }
    // Text with no leading number reads as 0; blanks before a number are skipped.
    window.Instxt.setText("abc");
    window.Command9_Click();
    EXPECT_EQ(window.TrackInstrument[0], 0);
    ASSERT_GE(sent().size(), 3u);
    EXPECT_EQ(sent()[2], (Bytes{0xC0, 0x00, 0x00}));
    window.Instxt.setText("  174");
    window.Command9_Click();
    EXPECT_EQ(window.TrackInstrument[0], 174);
    EXPECT_EQ(window.DrumKey[0], 81);
    EXPECT_EQ(window.Instxt.text(), "  174") << "the box keeps its text";
}

// The preview's wait handles window events, so an instrument choice or a
// track selection can run inside it; the first preview's note off still
// names the key and channel its note on used.
TEST_F(LiveNotesTest, PreviewTurnsOffItsOwnNoteWhenAChoiceRunsInsideItsWait) {
    auto& window = form();
    QTimer::singleShot(60, [&] { window.Combo1.userSelected(130); });
    window.Combo1.userSelected(40);
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0xB0, 0x00, 0x00},
                                          {0xB0, 0x20, 0x00},
                                          {0xC0, 0x28, 0x00},
                                          {0x90, 0x3C, 0x7F},
                                          {0x99, 0x25, 0x7F},
                                          {0x89, 0x25, 0x00},
                                          {0x80, 0x3C, 0x00}}));
    EXPECT_TRUE(window.IsDrumTrack[0]);
}

TEST_F(LiveNotesTest, PreviewTurnsOffItsOwnNoteWhenTheTrackChangesInsideItsWait) {
    auto& window = form();
    QTimer::singleShot(60, [&] { window.TrackSel(3).setValue(true); });
    window.Combo1.userSelected(40);
    const auto messages = sent();
    ASSERT_EQ(messages.size(), 10u);
    EXPECT_EQ(messages[3], (Bytes{0x90, 0x3C, 0x7F}));
    EXPECT_EQ(messages[4], (Bytes{0xB3, 0x00, 0x00}));
    EXPECT_EQ(messages[6], (Bytes{0xC3, 0x28, 0x00})) << "track 3 takes the box's new text";
    EXPECT_EQ(messages[7], (Bytes{0x93, 0x3C, 0x7F}));
    EXPECT_EQ(messages[8], (Bytes{0x83, 0x3C, 0x00}));
    EXPECT_EQ(messages[9], (Bytes{0x80, 0x3C, 0x00}));
    EXPECT_EQ(window.NoteChannel, 3);
}

}  // namespace
