// No note is left hanging: every note on that playback sends gets a note off
// with the same channel and key, whatever happens while it sounds.

#include <functional>

#include "PlaybackFixture.h"

namespace playbacktest {
namespace {

constexpr std::int64_t Step = 125;

std::vector<Bytes> bytesOf(const std::vector<TimedBytes>& messages) {
    std::vector<Bytes> bytes;
    for (const auto& m : messages) bytes.push_back(m.bytes);
    return bytes;
}

TimedBytes on(int channel, int key, std::int64_t at) {
    return {{static_cast<std::uint8_t>(0x90 + channel), static_cast<std::uint8_t>(key), 0x7F}, at};
}

TimedBytes off(int channel, int key, std::int64_t at) {
    return {{static_cast<std::uint8_t>(0x80 + channel), static_cast<std::uint8_t>(key), 0}, at};
}

class PlaybackStuckNotes : public PlaybackTest {
protected:
    void expectBalanced() {
        const NoteBalance balance = balanceOf(bytesOf(timedMessages()));
        EXPECT_TRUE(balance.unmatchedOns.empty()) << balance.unmatchedOns.size() << " hanging";
        EXPECT_TRUE(balance.strayOffs.empty()) << balance.strayOffs.size() << " stray";
    }
};

TEST_F(PlaybackStuckNotes, LoopingFromTheCursorLetsTheLastColumnSoundForItsWholeStep) {
    auto& w = form();
    placeNote(0, 67, 0, 3);  // key 60, held into the last column
    placeNote(1, 60, 3, 3);  // key 67, in the last column only
    w.chkgraphics.setValue(1);
    w.loopcheck.setValue(1);
    at(8 * Step + 60, [&] { w.PlayAndStop_Click(1); });
    play();
    // Column 3 plays at 4, 8 and 12 steps; what it leaves sounding ends a
    // step later, just before column 0 starts the next pass.
    EXPECT_EQ(noteMessages(), (std::vector<TimedBytes>{
                                  on(0, 60, 1 * Step), on(1, 67, 4 * Step), off(0, 60, 5 * Step),
                                  off(1, 67, 5 * Step), on(0, 60, 5 * Step), on(1, 67, 8 * Step),
                                  off(0, 60, 9 * Step), off(1, 67, 9 * Step), on(0, 60, 9 * Step),
                                  off(0, 60, 10 * Step)}));
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, LoopingFromColumnZeroKeepsTheTracksAndEndsTheHeldNoteThere) {
    auto& w = form();
    placeNote(0, 67, 0, 3);
    placeNote(1, 60, 2, 3);
    w.loopcheck.setValue(1);
    at(5 * Step + 60, [&] { w.PlayAndStop_Click(1); });
    play();
    // Column 0 follows column 3 with the tracks' state kept: the held note of
    // track 0 ends as its track starts anew, track 1's as its cell is empty.
    EXPECT_EQ(
        noteMessages(),
        (std::vector<TimedBytes>{on(0, 60, 1 * Step), on(1, 67, 3 * Step), off(0, 60, 5 * Step),
                                 on(0, 60, 5 * Step), off(1, 67, 5 * Step), off(0, 60, 7 * Step)}));
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, AMelodicNoteIsEndedAsMelodicWhenAPercussionSoundFollows) {
    placeNote(0, 67, 0, 1, 0);    // key 60 on channel 0
    placeNote(0, 67, 2, 3, 130);  // percussion key 37 on channel 9
    placeNote(0, 64, 4, 5, 0);    // back to the program: key 63
    play();
    const std::vector<TimedBytes> expected = {{{0xB0, 0x00, 0x00}, 1 * Step},
                                              {{0xB0, 0x20, 0x00}, 1 * Step},
                                              {{0xC0, 0x00, 0x00}, 1 * Step},
                                              on(0, 60, 1 * Step),
                                              off(0, 60, 3 * Step),
                                              on(9, 37, 3 * Step),
                                              {{0xB0, 0x00, 0x00}, 5 * Step},
                                              {{0xB0, 0x20, 0x00}, 5 * Step},
                                              {{0xC0, 0x00, 0x00}, 5 * Step},
                                              off(9, 37, 5 * Step),
                                              on(0, 63, 5 * Step),
                                              off(0, 63, 7 * Step)};
    EXPECT_EQ(timedMessages(), expected);
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, ATransposeDuringPlaybackEndsTheNotesAsTheySounded) {
    auto& w = form();
    placeNote(0, 67, 0, 3);  // key 60, sounding when the transpose comes
    placeNote(1, 60, 3, 5);  // starts after it
    at(2 * Step + 30, [&] {
        for (int track = 0; track < score::TrackCount; ++track) {
            for (auto& cell : w.Notes[track]) {
                if (cell >= 0) cell = static_cast<std::int16_t>(cell - 2);  // two keys up
            }
        }
        w.RedrawScore();
    });
    play();
    EXPECT_EQ(noteMessages(),
              (std::vector<TimedBytes>{on(0, 60, 1 * Step), on(1, 69, 4 * Step),
                                       off(0, 60, 5 * Step), off(1, 69, 7 * Step)}));
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, ARhythmTrackHiddenWhileItsNoteSoundsGetsThatNoteOffAndNothingElse) {
    auto& w = form();
    placeNote(9, 60, 0, 7, 130);
    placeNote(0, 67, 0, 7);
    at(2 * Step + 30, [&] { w.TrackHide(9).setValue(1); });
    // Shown again in the middle of its held note: it stays silent.
    at(5 * Step + 30, [&] { w.TrackHide(9).setValue(0); });
    play();
    EXPECT_EQ(noteMessages(),
              (std::vector<TimedBytes>{on(0, 60, 1 * Step), on(9, 37, 1 * Step),
                                       off(9, 37, 3 * Step), off(0, 60, 9 * Step)}));
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, TheEndTurnsOffANoteOfATrackHiddenDuringTheLastWait) {
    auto& w = form();
    placeNote(9, 60, 0, 7, 130);
    at(Step + 30, [&] { w.PlayAndStop_Click(1); });
    at(2 * Step + 30, [&] { w.TrackHide(9).setValue(1); });
    play();
    EXPECT_EQ(noteMessages(), (std::vector<TimedBytes>{on(9, 37, 1 * Step), off(9, 37, 3 * Step)}));
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, PlayDuringPlaybackEndsTheSoundingNotesAndRestartsInTheSameLoop) {
    auto& w = form();
    placeNote(0, 67, 0, 3);
    const int closes = mapper().closeCount();
    // A real press of Play while the score that its first press started plays.
    at(2 * Step + 30, [&] { clickWidget(w.PlayAndStop(0).nativeWidget()); });
    playBy([&] { clickWidget(w.PlayAndStop(0).nativeWidget()); });
    const std::int64_t restart = 2 * Step + 30;
    EXPECT_EQ(noteMessages(),
              (std::vector<TimedBytes>{on(0, 60, 1 * Step), off(0, 60, restart),
                                       on(0, 60, restart + Step), off(0, 60, restart + 5 * Step)}));
    // The end steps ran once: one reopening of the output.
    EXPECT_EQ(mapper().closeCount(), closes + 1);
    EXPECT_FALSE(w.PlayAndStop(0).value());
    EXPECT_FALSE(w.Playing);
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, PlayDuringTheLastWaitGoesOnPlaying) {
    auto& w = form();
    placeNote(0, 67, 0, 3);
    const int closes = mapper().closeCount();
    at(Step + 30, [&] { w.PlayAndStop_Click(1); });
    const std::int64_t restart = 2 * Step + 30;  // during the wait after the stop
    at(restart, [&] { w.PlayAndStop_Click(0); });
    play();
    EXPECT_EQ(noteMessages(),
              (std::vector<TimedBytes>{on(0, 60, 1 * Step), off(0, 60, restart),
                                       on(0, 60, restart + Step), off(0, 60, restart + 5 * Step)}));
    EXPECT_EQ(mapper().closeCount(), closes + 1);
    expectBalanced();
}

TEST_F(PlaybackStuckNotes, StopEndsEverySoundingNoteOnEveryChannel) {
    auto& w = form();
    placeNote(0, 67, 0, 9);
    placeNote(3, 50, 0, 9, 40);
    placeNote(9, 60, 1, 9, 128);
    placeNote(12, 60, 1, 9, 174);
    at(3 * Step + 60, [&] { w.PlayAndStop_Click(1); });
    play();
    const auto notes = noteMessages();
    ASSERT_EQ(notes.size(), 8u);
    for (std::size_t i = 4; i < 8; ++i) {
        EXPECT_EQ(notes[i].bytes[0] & 0xF0, 0x80);
        EXPECT_EQ(notes[i].at, 5 * Step);
    }
    expectBalanced();
}

// A port keeps sounding what was on when the output closed: every closing
// path first turns off playback's notes and a preview's.
TEST_F(PlaybackStuckNotes, EveryCloseOfTheOutputComesAfterTheNoteOffsOfWhatSounds) {
    auto& w = form();
    struct Case {
        const char* name;
        std::function<void()> close;
    };
    const std::vector<Case> cases = {
        {"Stop all sound", [&] { w.Command32_Click(); }},
        {"Play MID or WAV file", [&] { w.Command28_Click(); }},
        {"the Recording toolbar's Stop", [&] { w.Command23_Click(); }},
        {"the Play toolbar's Stop", [&] { w.Command30_Click(); }},
        {"a device choice", [&] { w.Device_Click(0); }},
    };
    w.Instxt.setText("24");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        placeNote(0, 67, 0, 9);
        w.TrackSel(0).setValue(true);  // so that selecting track 10 sounds a preview
        mapper().clear();
        at(Step + 10, [&] { w.TrackSel(10).setValue(true); });
        at(Step + 30, c.close);
        at(2 * Step + 30, [&] { w.PlayAndStop_Click(1); });
        play();
        EXPECT_EQ(noteMessages(),
                  (std::vector<TimedBytes>{on(0, 60, 1 * Step), on(10, 60, Step + 10),
                                           off(0, 60, Step + 30), off(10, 60, Step + 30)}));
        EXPECT_TRUE(mapper().isOpen());
    }
}

}  // namespace
}  // namespace playbacktest
