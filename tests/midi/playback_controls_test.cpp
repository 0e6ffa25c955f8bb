// Play and Stop as push buttons under the real mouse, the other ways to start
// and stop, the tempo slider, and closing the window while the score plays.

#include <QApplication>
#include <QMouseEvent>
#include <cstdlib>

#include "PlaybackFixture.h"
#include "platform/forms/Application.h"

namespace playbacktest {
namespace {

constexpr std::int64_t Step = 125;

using PlaybackControls = PlaybackTest;

void moveOver(QWidget* widget, int x, Qt::MouseButtons held) {
    QMouseEvent event(QEvent::MouseMove, QPointF(x, 5), widget->mapToGlobal(QPointF(x, 5)),
                      Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST_F(PlaybackControls, PlayAndStopArePushButtonsAndStopUnlocksOnItsPress) {
    auto& w = form();
    placeNote(0, 67, 0, 20);
    bool pressedStop = false;
    at(2 * Step + 30, [&] {
        pressedStop = true;
        EXPECT_FALSE(w.PlayAndStop(0).value());  // its release came before the Click
        EXPECT_FALSE(w.RewindBut.enabled());
        pressWidget(w.PlayAndStop(1).nativeWidget());
        // The press alone frees the editing controls; playback goes on.
        EXPECT_TRUE(w.RewindBut.enabled());
        EXPECT_TRUE(w.FunctionsFrame.enabled());
        EXPECT_TRUE(w.Playing);
        releaseWidget(w.PlayAndStop(1).nativeWidget());
        EXPECT_FALSE(w.Playing);
        EXPECT_EQ(w.Label4.caption(), "Start Recording");
        EXPECT_FALSE(w.PlayAndStop(1).value());
    });
    playBy([&] { clickWidget(w.PlayAndStop(0).nativeWidget()); });
    EXPECT_TRUE(pressedStop);
    EXPECT_FALSE(w.PlayAndStop(0).value());
    EXPECT_FALSE(w.PlayAndStop(1).value());
    EXPECT_EQ(elapsed(), 4 * Step);  // the step after the stop, then the last wait
    EXPECT_EQ(noteMessages().size(), 2u);
}

TEST_F(PlaybackControls, SelectingPlayByCodePlaysAndTheHiddenCommand24StopsAndUnlocks) {
    auto& w = form();
    placeNote(0, 67, 0, 20);
    at(Step + 30, [&] {
        w.Command24_Click();
        EXPECT_FALSE(w.PlayAndStop(0).value());
        EXPECT_FALSE(w.Playing);
        EXPECT_TRUE(w.Combo1.enabled());
        EXPECT_TRUE(w.mnuSaveAsMid.enabled());
    });
    playBy([&] { w.PlayAndStop(0).setValue(true); });
    EXPECT_EQ(elapsed(), 3 * Step);
    EXPECT_FALSE(w.PlayAndStop(0).value());
}

TEST_F(PlaybackControls, TheRythmToolbarsTestButtonPlaysTheScore) {
    auto& w = form();
    placeNote(9, 60, 0, 1, 128);
    playBy([&] { clickWidget(w.Command11.nativeWidget()); });
    EXPECT_EQ(noteMessages().size(), 2u);
    EXPECT_EQ(elapsed(), 3 * Step);
}

TEST_F(PlaybackControls, PressingPlayGivesTheFocusToTheScoreBox) {
    auto& w = form();
    w.PlayAndStop(0).raiseFocus(true);
    forms::doEvents();
    EXPECT_TRUE(w.MusicBox.hasFocus());
}

TEST_F(PlaybackControls, TheTempoSliderReadsTwipsAndKeepsToItsOwnRange) {
    auto& w = form();
    QWidget* slider = w.Label8.nativeWidget();
    // Pixel 40 is 600 twips: tempo 120, 125 ms.
    clickWidget(slider, 40);
    EXPECT_EQ(w.Tempo, 120);
    EXPECT_EQ(w.StepMs, 125);
    EXPECT_EQ(w.TempoLabel.caption(), "120");

    clickWidget(slider, 97);  // 1455 twips: tempo 291, 1000 \ 19
    EXPECT_EQ(w.Tempo, 291);
    EXPECT_EQ(w.StepMs, 52);

    // Dragged past either end, the tempo stops at the slider's ends; a tempo
    // too slow for a period keeps the last one.
    pressWidget(slider, 40);
    moveOver(slider, 300, Qt::LeftButton);
    EXPECT_EQ(w.Tempo, 294);
    EXPECT_EQ(w.StepMs, 50);
    EXPECT_EQ(w.Label8.toolTipText(), "Tempo = 294");
    moveOver(slider, -80, Qt::LeftButton);
    releaseWidget(slider, -80);
    EXPECT_EQ(w.Tempo, 1);
    EXPECT_EQ(w.TempoLabel.caption(), "1");
    EXPECT_EQ(w.StepMs, 50);

    // Without the left button only the tool tip follows the pointer.
    moveOver(slider, 20, Qt::NoButton);
    EXPECT_EQ(w.Label8.toolTipText(), "Tempo = 60");
    EXPECT_EQ(w.Tempo, 1);
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(20, 5), slider->mapToGlobal(QPointF(20, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(slider, &right);
    EXPECT_EQ(w.Tempo, 1);

    // Halves go to the even neighbour.
    w.Label8_MouseDown(1, 0, 612.5f, 0);
    EXPECT_EQ(w.Tempo, 122);
    w.Label8_MouseDown(1, 0, 617.5f, 0);
    EXPECT_EQ(w.Tempo, 124);
}

TEST_F(PlaybackControls, StopAndPlayWithNothingPlayingChangeOnlyTheState) {
    auto& w = form();
    w.PlayAndStop_Click(1);
    EXPECT_FALSE(w.Playing);
    EXPECT_TRUE(w.RewindBut.enabled());
    EXPECT_EQ(w.Label4.caption(), "Start Recording");
    EXPECT_TRUE(mapper().messages().empty());
}

using PlaybackControlsDeathTest = PlaybackTest;

TEST_F(PlaybackControlsDeathTest, ClosingTheWindowDuringPlaybackTurnsTheNotesOffAndEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto& w = form();
            placeNote(0, 67, 0, 20);
            placeNote(9, 60, 0, 20, 130);
            // The program's end reports what the device had received by then.
            forms::setEndProgramHook([this](int code) {
                std::vector<Bytes> bytes;
                int noteOns = 0;
                for (const auto& m : mapper().messages()) {
                    bytes.push_back({m.status, m.data1, m.data2});
                    if ((m.status & 0xF0) == 0x90) ++noteOns;
                }
                const NoteBalance balance = balanceOf(bytes);
                const bool clean = noteOns == 2 && balance.unmatchedOns.empty() &&
                                   balance.strayOffs.empty() && !mapper().isOpen();
                std::_Exit(clean ? code : 3);
            });
            at(2 * Step + 30, [&] { w.nativeWindow()->close(); });
            play();
            std::_Exit(4);  // playback returned: the program did not end
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace playbacktest
