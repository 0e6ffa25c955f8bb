// What each playback step sends and when: the message table, the step period,
// the start and the end of playback, the play cursor's automatic scroll.

#include "PlaybackFixture.h"
#include "support/app/FortyColumnView.h"

namespace playbacktest {
namespace {

constexpr std::int64_t Step = 125;
constexpr std::uint8_t Velocity = 0x7F;

std::uint8_t keyOf(int row) {
    return static_cast<std::uint8_t>(127 - row);
}

std::vector<TimedBytes> instrumentChange(int channel, int program, std::int64_t at) {
    const auto status = static_cast<std::uint8_t>(0xB0 + channel);
    return {
        {{status, 0x00, 0x00}, at},
        {{status, 0x20, 0x00}, at},
        {{static_cast<std::uint8_t>(0xC0 + channel), static_cast<std::uint8_t>(program), 0}, at}};
}

TimedBytes noteOn(int channel, std::uint8_t key, std::int64_t at) {
    return {{static_cast<std::uint8_t>(0x90 + channel), key, Velocity}, at};
}

TimedBytes noteOff(int channel, std::uint8_t key, std::int64_t at) {
    return {{static_cast<std::uint8_t>(0x80 + channel), key, 0}, at};
}

std::vector<TimedBytes> join(std::initializer_list<std::vector<TimedBytes>> parts) {
    std::vector<TimedBytes> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

using PlaybackSteps = PlaybackTest;

TEST_F(PlaybackSteps, AnEmptyScorePlaysOneStepAndEndsAfterAnother) {
    auto& w = form();
    play();
    EXPECT_EQ(w.LastUsedColumn, 0);
    EXPECT_EQ(w.PlayColumn, 1);
    EXPECT_EQ(elapsed(), 2 * Step);
    EXPECT_TRUE(noteMessages().empty());
    EXPECT_FALSE(w.Playing);
}

TEST_F(PlaybackSteps, ACursorBeyondTheLastUsedColumnPlaysThatColumnOnce) {
    auto& w = form();
    placeNote(0, 60, 0, 3);
    w.CursorColumn = 10;
    play();
    EXPECT_EQ(w.LastUsedColumn, 3);
    EXPECT_EQ(w.PlayColumn, 11);
    EXPECT_EQ(elapsed(), 2 * Step);
    EXPECT_TRUE(noteMessages().empty());
}

TEST_F(PlaybackSteps, ACursorBeyondTheLastUsedColumnRepeatsItWhenLoopingWithThePosition) {
    auto& w = form();
    placeNote(0, 60, 0, 3);
    w.CursorColumn = 10;
    w.chkgraphics.setValue(1);
    w.loopcheck.setValue(1);
    std::vector<int> playColumns;
    for (int step = 1; step <= 5; ++step) {
        at(step * Step + 10, [&] { playColumns.push_back(w.PlayColumn); });
    }
    at(5 * Step + 60, [&] { w.PlayAndStop_Click(1); });
    play();
    // Every step plays column 10 and starts again from it; the stop that came
    // during the last wait lets that step play and ends playback after it.
    EXPECT_EQ(playColumns, std::vector<int>(5, 10));
    EXPECT_EQ(w.PlayColumn, 11);
    EXPECT_EQ(elapsed(), 7 * Step);
    EXPECT_TRUE(noteMessages().empty());
}

TEST_F(PlaybackSteps, ANoteFromColumnFourToSevenGivesOneNoteOnAndOneNoteOffAtEight) {
    auto& w = form();
    placeNote(0, 67, 4, 7, 24);
    placeNote(2, 40, 12, 12, 0);  // the song goes on past column 8
    play();
    const auto messages = timedMessages();
    std::vector<TimedBytes> track0;
    for (const auto& m : messages) {
        if ((m.bytes[0] & 0x0F) == 0) track0.push_back(m);
    }
    EXPECT_EQ(track0, join({instrumentChange(0, 24, 5 * Step),
                            {noteOn(0, 60, 5 * Step), noteOff(0, 60, 9 * Step)}}));
    EXPECT_EQ(w.LastUsedColumn, 12);
}

TEST_F(PlaybackSteps, AdjacentNotesGiveNoteOffThenNoteOnWithNoGap) {
    placeNote(0, 67, 0, 1);
    placeNote(0, 67, 2, 3);
    play();
    EXPECT_EQ(noteMessages(),
              (std::vector<TimedBytes>{noteOn(0, 60, 1 * Step), noteOff(0, 60, 3 * Step),
                                       noteOn(0, 60, 3 * Step), noteOff(0, 60, 5 * Step)}));
}

TEST_F(PlaybackSteps, StartingInsideAHeldNoteLeavesItSilent) {
    auto& w = form();
    placeNote(0, 67, 0, 4);
    placeNote(0, 65, 5, 7);
    w.CursorColumn = 2;
    play();
    // Columns 2..4 hold a note that never sounded; the next start is the
    // first thing heard, and no note off is sent for the silent one.
    EXPECT_EQ(noteMessages(), (std::vector<TimedBytes>{noteOn(0, keyOf(65), 4 * Step),
                                                       noteOff(0, keyOf(65), 7 * Step)}));
}

TEST_F(PlaybackSteps, AnInstrumentChangeGoesOutBeforeTheNoteOffAndOnlyWhenItChanges) {
    placeNote(0, 67, 0, 1, 5);
    placeNote(0, 64, 2, 3, 20);
    placeNote(0, 62, 4, 5, 20);
    play();
    EXPECT_EQ(timedMessages(),
              join({instrumentChange(0, 5, 1 * Step),
                    {noteOn(0, keyOf(67), 1 * Step)},
                    instrumentChange(0, 20, 3 * Step),
                    {noteOff(0, keyOf(67), 3 * Step), noteOn(0, keyOf(64), 3 * Step),
                     noteOff(0, keyOf(64), 5 * Step), noteOn(0, keyOf(62), 5 * Step),
                     noteOff(0, keyOf(62), 7 * Step)}}));
}

TEST_F(PlaybackSteps, EveryPlaybackSendsEachTracksInstrumentAtItsFirstNote) {
    auto& w = form();
    placeNote(0, 67, 0, 0, 24);
    placeNote(3, 60, 1, 1, 40);
    placeNote(9, 60, 1, 1, 130);  // percussion: key 37 on channel 9
    play();
    const auto first = timedMessages();
    EXPECT_EQ(first, join({instrumentChange(0, 24, 1 * Step),
                           {noteOn(0, 60, 1 * Step), noteOff(0, 60, 2 * Step)},
                           instrumentChange(3, 40, 2 * Step),
                           {noteOn(3, keyOf(60), 2 * Step), noteOn(9, 37, 2 * Step),
                            noteOff(3, keyOf(60), 3 * Step), noteOff(9, 37, 3 * Step)}}));
    EXPECT_TRUE(w.IsDrumTrack[9]);

    // The output was reopened in between; the instruments go out again.
    mapper().clear();
    w.IsDrumTrack[9] = false;
    play();
    EXPECT_EQ(timedMessages(), first);
}

TEST_F(PlaybackSteps, AHiddenTrackSoundsNothingAndGetsNoNoteOff) {
    auto& w = form();
    placeNote(0, 67, 0, 2);
    placeNote(1, 60, 0, 2, 7);
    w.TrackHide(1).setValue(1);
    play();
    for (const auto& m : timedMessages()) EXPECT_NE(m.bytes[0] & 0x0F, 1);
    EXPECT_EQ(noteMessages(),
              (std::vector<TimedBytes>{noteOn(0, 60, 1 * Step), noteOff(0, 60, 4 * Step)}));
}

TEST_F(PlaybackSteps, Tempo120Steps125MsAndTheSliderAt60Makes250) {
    auto& w = form();
    for (int column = 0; column < 12; ++column) placeNote(0, 60 + column % 2, column, column);
    // The slider is read in twips: pixel 20 is 300 twips, tempo 60.
    at(4 * Step + 30, [&] { clickWidget(w.Label8.nativeWidget(), 20, 5); });
    play();
    std::vector<std::int64_t> onsets;
    for (const auto& m : noteMessages()) {
        if ((m.bytes[0] & 0xF0) == 0x90) onsets.push_back(m.at);
    }
    ASSERT_EQ(onsets.size(), 12u);
    for (std::size_t i = 0; i < onsets.size(); ++i) {
        // Four steps at 125 ms; the wait under way when the slider moved ends
        // 250 ms after its start, and so on.
        const std::int64_t expected = i < 4 ? 125 * (i + 1) : 500 + 250 * (i - 3);
        EXPECT_EQ(onsets[i], expected) << "note " << i;
    }
    EXPECT_EQ(w.Tempo, 60);
    EXPECT_EQ(w.TempoLabel.caption(), "60");
    EXPECT_EQ(w.StepMs, 250);
}

// Selecting a rhythm track during playback sounds its instrument's preview;
// the preview ends on its own time and the steps keep theirs.
TEST_F(PlaybackSteps, PreviewsDuringPlaybackEndOnTimeAndMoveNoStep) {
    auto& w = form();
    for (int column = 0; column < 8; ++column) placeNote(0, 60, column, column);
    w.Instxt.setText("24");
    at(2 * Step + 30, [&] { w.TrackSel(10).setValue(true); });
    at(2 * Step + 100, [&] { w.TrackSel(11).setValue(true); });
    play();
    std::vector<TimedBytes> expected;
    for (std::int64_t step = 1; step <= 8; ++step) {
        if (step > 1) expected.push_back(noteOff(0, 67, step * Step));
        expected.push_back(noteOn(0, 67, step * Step));
        if (step == 2) expected.push_back(noteOn(10, 60, 2 * Step + 30));
        if (step == 2) expected.push_back(noteOn(11, 60, 2 * Step + 100));
        if (step == 4) expected.push_back(noteOff(10, 60, 2 * Step + 280));
        if (step == 4) expected.push_back(noteOff(11, 60, 2 * Step + 350));
    }
    expected.push_back(noteOff(0, 67, 9 * Step));
    EXPECT_EQ(noteMessages(), expected);
}

// The preview of a track selected during playback changes the output's
// instrument on that track; its next cell plays with its own again.
TEST_F(PlaybackSteps, SelectingATrackDuringPlaybackKeepsItsCellsInstruments) {
    auto& w = form();
    for (int column = 0; column < 4; ++column) placeNote(10, 60, column, column, 130);
    w.Instxt.setText("24");
    at(Step + 30, [&] { w.TrackSel(10).setValue(true); });
    play();
    std::vector<TimedBytes> drumOns;
    for (const TimedBytes& m : noteMessages()) {
        if ((m.bytes[0] & 0xF0) == 0x90 && m.at % Step == 0) drumOns.push_back(m);
    }
    EXPECT_EQ(drumOns, (std::vector<TimedBytes>{noteOn(9, 37, 1 * Step), noteOn(9, 37, 2 * Step),
                                                noteOn(9, 37, 3 * Step), noteOn(9, 37, 4 * Step)}));
}

TEST_F(PlaybackSteps, ThePositionScrollsAFortyColumnViewToThePlayingColumn) {
    auto& w = form();
    testsupport::showFortyColumns(w);
    placeNote(0, 60, 45, 45);
    w.chkgraphics.setValue(1);
    constexpr surface::OleColour Bar = 0xC0C0FF;
    bool checkedBefore = false;
    bool checkedAfter = false;
    // After the step of column 39, the last visible one.
    at(40 * Step + 5, [&] {
        checkedBefore = true;
        EXPECT_EQ(w.FirstColumn, 0);
        EXPECT_EQ(w.PlayCursorColumn, 39);
        EXPECT_EQ(w.MusicBox.surface().pixel(39 * 12, 3), Bar);
        EXPECT_EQ(w.MusicBox.surface().pixel(39 * 12 + 3, w.MusicBox.scaleHeight() - 1), Bar);
    });
    // After the step of column 40.
    at(41 * Step + 5, [&] {
        checkedAfter = true;
        EXPECT_EQ(w.FirstColumn, 40);
        EXPECT_EQ(w.LastVisibleColumn, 79);
        EXPECT_EQ(w.HScroll1.value(), 60);
        EXPECT_EQ(w.PlayCursorColumn, 0);
        EXPECT_EQ(w.TopBar(0).caption(), "41");
        for (int x = 0; x < 4; ++x) EXPECT_EQ(w.MusicBox.surface().pixel(x, 7), Bar) << x;
        EXPECT_NE(w.MusicBox.surface().pixel(4, 7), Bar);
        // The bar of column 39 went with the old picture.
        EXPECT_NE(w.MusicBox.surface().pixel(39 * 12 + 1, 7), Bar);
    });
    play();
    EXPECT_TRUE(checkedBefore);
    EXPECT_TRUE(checkedAfter);
}

TEST_F(PlaybackSteps, StopDuringAWaitPlaysOneMoreColumnWaitsAStepThenTurnsItOff) {
    auto& w = form();
    for (int column = 0; column < 10; ++column) placeNote(0, 60 + column % 2, column, column);
    at(2 * Step + 60, [&] { w.PlayAndStop_Click(1); });
    play();
    EXPECT_EQ(
        noteMessages(),
        (std::vector<TimedBytes>{noteOn(0, keyOf(60), 1 * Step), noteOff(0, keyOf(60), 2 * Step),
                                 noteOn(0, keyOf(61), 2 * Step), noteOff(0, keyOf(61), 3 * Step),
                                 noteOn(0, keyOf(60), 3 * Step), noteOff(0, keyOf(60), 4 * Step)}));
    EXPECT_EQ(w.PlayColumn, 3);
}

TEST_F(PlaybackSteps, TheStartColumnIsKeptInsideTheScore) {
    auto& w = form();
    placeNote(0, 60, 0, 0);
    w.CursorColumn = -7;
    play();
    EXPECT_EQ(noteMessages().size(), 2u);
    EXPECT_EQ(w.PlayColumn, 1);

    placeNote(1, 60, 1000, 1000);
    w.CursorColumn = 2500;
    mapper().clear();
    play();
    EXPECT_EQ(w.PlayColumn, 1001);
    EXPECT_EQ(noteMessages(), (std::vector<TimedBytes>{noteOn(1, keyOf(60), 1 * Step),
                                                       noteOff(1, keyOf(60), 2 * Step)}));
    EXPECT_EQ(w.FirstColumn, 999 - w.ColumnSpan);
}

TEST_F(PlaybackSteps, TheStepPeriodComesFromTheTempoShownAndNeverFallsBelowOneMs) {
    auto& w = form();
    EXPECT_EQ(w.StepMs, 125);  // before any playback
    w.TempoLabel.setCaption("5");
    play();
    EXPECT_EQ(w.StepMs, 125);  // a tempo below 8 keeps the period
    EXPECT_EQ(elapsed(), 2 * Step);
    w.TempoLabel.setCaption("60");
    play();
    EXPECT_EQ(w.StepMs, 250);
    w.TempoLabel.setCaption("-60");
    play();
    EXPECT_EQ(w.StepMs, 250);
    w.TempoLabel.setCaption("30000");
    play();
    EXPECT_EQ(w.StepMs, 1);
    EXPECT_EQ(elapsed(), 2);
    w.TempoLabel.setCaption("  157.4 bpm");  // 157 / 15 = 10.47 rounds to 10
    play();
    EXPECT_EQ(w.StepMs, 100);
}

TEST_F(PlaybackSteps, WhilePlayingExactlyElevenControlsAreLockedAndAfterwardsAllAreFree) {
    auto& w = form();
    placeNote(0, 60, 0, 2);
    w.Label4.setCaption("Stop Recording");
    w.Recording = true;
    const int opens = mapper().openCount();
    const int closes = mapper().closeCount();
    std::vector<forms::Control*> locked = {&w.FunctionsFrame, &w.EditTrackFrame, &w.MuteTrackFrame,
                                           &w.TransposeFrame, &w.Combo1,         &w.RewindBut};
    std::vector<forms::Menu*> lockedMenus = {&w.mnuNewScore, &w.mnuOpen, &w.mnuSave, &w.mnuSaveAs,
                                             &w.mnuSaveAsMid};
    std::vector<forms::Control*> free = {&w.PlayAndStop(0), &w.PlayAndStop(1),  &w.Instxt,
                                         &w.Label8,         &w.chkgraphics,     &w.loopcheck,
                                         &w.TrackSel(8),    &w.TrackHide(12),   &w.Command11,
                                         &w.Command32,      &w.TransposeBut(0), &w.Command33};
    bool checked = false;
    at(Step + 10, [&] {
        checked = true;
        EXPECT_TRUE(w.Playing);
        for (auto* control : locked) EXPECT_FALSE(control->enabled()) << control->name();
        for (auto* menu : lockedMenus) EXPECT_FALSE(menu->enabled()) << menu->name();
        // Enabled as the user meets them, frames around them included.
        for (auto* control : free) {
            EXPECT_TRUE(control->nativeWidget()->isEnabled()) << control->name();
        }
        EXPECT_TRUE(w.mnuExit.enabled());
    });
    play();
    EXPECT_TRUE(checked);
    for (auto* control : locked) EXPECT_TRUE(control->enabled()) << control->name();
    for (auto* menu : lockedMenus) EXPECT_TRUE(menu->enabled()) << menu->name();
    EXPECT_EQ(w.Label4.caption(), "Start Recording");
    EXPECT_FALSE(w.Recording);
    EXPECT_FALSE(w.Playing);
    // The output was closed and opened again on the device the list shows.
    EXPECT_EQ(mapper().closeCount(), closes + 1);
    EXPECT_EQ(mapper().openCount(), opens + 1);
    EXPECT_TRUE(mapper().isOpen());
    EXPECT_EQ(w.MidiDeviceId, -1);
}

}  // namespace
}  // namespace playbacktest
