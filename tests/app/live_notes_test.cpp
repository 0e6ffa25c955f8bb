// Instruments and live notes on the real window: an instrument choice's
// messages and preview note, the percussion state, the instrument box's
// numbers, and the preview's note off when other handlers run while it sounds.

#include <QTimer>

#include "support/app/MainWindowFixture.h"

namespace {

using testsupport::MainWindowTest;
using Bytes = std::array<std::uint8_t, 3>;
using Messages = std::vector<Bytes>;

// Bank select, program change and the quarter-second preview of key 60.
Messages programWithPreview(std::uint8_t channel, std::uint8_t program) {
    return {{std::uint8_t(0xB0 | channel), 0x00, 0x00},
            {std::uint8_t(0xB0 | channel), 0x20, 0x00},
            {std::uint8_t(0xC0 | channel), program, 0x00},
            {std::uint8_t(0x90 | channel), 0x3C, 0x7F},
            {std::uint8_t(0x80 | channel), 0x3C, 0x00}};
}

class LiveNotesTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        mapper().clear();
    }
    Messages sent() { return mapper().bytes(); }
};

TEST_F(LiveNotesTest, ATracksInstrumentGoesOutOnItsChannelAndPercussionOnChannelNine) {
    auto& w = form();
    w.Instxt.setText("24");
    w.TrackSel(2).setValue(true);  // applies the instrument box to track 2
    EXPECT_EQ(sent(), programWithPreview(2, 24));
    const auto messages = mapper().messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_GE(messages[4].tick - messages[3].tick, 250);
    EXPECT_EQ(w.TrackInstrument[2], 24);

    // Percussion sends no program and plays its own key; a program afterwards
    // gives the track its channel back, and the key is kept for next time.
    mapper().clear();
    w.Combo1.userSelected(128);
    EXPECT_EQ(sent(), (Messages{{0x99, 0x23, 0x7F}, {0x89, 0x23, 0x00}}));
    EXPECT_TRUE(w.IsDrumTrack[2]);
    EXPECT_FALSE(w.IsDrumTrack[0]);
    w.NoteChannel = 2;
    mapper().clear();
    w.StartNote(67);
    EXPECT_EQ(sent(), (Messages{{0x99, 0x23, 0x7F}}));
    mapper().clear();
    w.Combo1.userSelected(5);
    EXPECT_EQ(sent(), programWithPreview(2, 5));
    EXPECT_FALSE(w.IsDrumTrack[2]);
    EXPECT_EQ(w.DrumKey[2], 35);
    EXPECT_EQ(w.Instxt.text(), "5 ");
    // While a score loads, the choice sounds no preview.
    mapper().clear();
    w.Loading = true;
    w.Combo1.userSelected(30);
    EXPECT_EQ(sent(), (Messages{{0xB2, 0, 0}, {0xB2, 0x20, 0}, {0xC2, 30, 0}}));
}

// The list and the instrument box give the instrument to the current track's
// used cells inside the selection, and to no other cell.
TEST_F(LiveNotesTest, AChoiceGivesTheSelectionsUsedCellsTheInstrument) {
    auto& w = form();
    const std::function<void()> choices[] = {[&] { w.Combo1.userSelected(70); },
                                             [&] {
                                                 w.Instxt.setText("70");
                                                 w.Command9_Click();
                                             }};
    for (const auto& choose : choices) {
        for (auto& track : w.Instruments) track.fill(0);
        for (int column : {9, 10, 15, 20, 21}) w.Notes[0][column] = 60;
        w.Notes[3][15] = 60;
        w.SelStart = 10;
        w.SelEnd = 20;
        choose();
        for (int column = 9; column <= 21; ++column) {
            const bool changed = column == 10 || column == 15 || column == 20;
            EXPECT_EQ(w.Instruments[0][column], changed ? 70 : 0) << column;
        }
        EXPECT_EQ(w.Instruments[3][15], 0);
    }
    // A selection whose end lies before its start changes no cell.
    w.SelStart = 20;
    w.SelEnd = 10;
    w.Combo1.userSelected(71);
    EXPECT_EQ(w.Instruments[0][15], 70);
}

// Numbers outside the instruments change nothing; text with no leading
// number reads as 0, blanks before a number are skipped.
TEST_F(LiveNotesTest, TheInstrumentBoxTakesItsLeadingNumberAndIgnoresNoInstrument) {
    auto& w = form();
    const std::pair<const char*, int> rows[] = {{"175", 24},   {"300", 24},    {"-5", 24},
                                                {"70000", 24}, {"-70000", 24}, {"174.6", 24},
                                                {"abc", 0},    {"  174", 174}};
    for (const auto& [text, instrument] : rows) {
        w.Instxt.setText(text);
        w.Command9_Click();
        EXPECT_EQ(w.TrackInstrument[0], instrument) << text;
        EXPECT_EQ(sent().empty(), instrument == 24) << text;
        mapper().clear();
    }
    EXPECT_EQ(w.DrumKey[0], 81);
    EXPECT_EQ(w.Instxt.text(), "  174") << "the box keeps its text";
    EXPECT_EQ(w.Combo1.listIndex(), 24) << "the list keeps its entry";
}

// The preview's wait handles window events, so a choice waiting in the event
// queue runs inside it; the first preview's note off still names its own key
// and channel.
TEST_F(LiveNotesTest, APreviewTurnsOffItsOwnNoteWhenAnotherChoiceRunsInsideItsWait) {
    auto& w = form();
    const std::pair<std::function<void()>, Messages> rows[] = {
        {[&] { w.Combo1.userSelected(130); }, {{0x99, 0x25, 0x7F}, {0x89, 0x25, 0x00}}},
        {[&] { w.TrackSel(3).setValue(true); }, programWithPreview(3, 40)}};
    for (const auto& [inside, insideSent] : rows) {
        int ran = 0;
        QTimer::singleShot(0, [&] {
            ++ran;
            inside();
        });
        mapper().clear();
        w.Combo1.userSelected(40);
        EXPECT_EQ(ran, 1);
        Messages expected = programWithPreview(0, 40);
        expected.insert(expected.end() - 1, insideSent.begin(), insideSent.end());
        EXPECT_EQ(sent(), expected);
    }
    EXPECT_EQ(w.NoteChannel, 3);
}

}  // namespace
