// Starting and stopping playback from its controls, the controls it locks, the
// tempo slider, and the output closed only after the notes are off.

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>

#include "PlaybackFixture.h"
#include "platform/forms/Application.h"

namespace playbacktest {
namespace {

using PlaybackControls = PlaybackTest;

void moveOver(QWidget* widget, int x, Qt::MouseButtons held) {
    QMouseEvent event(QEvent::MouseMove, QPointF(x, 5), widget->mapToGlobal(QPointF(x, 5)),
                      Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST_F(PlaybackControls, PlayAndStopArePushButtonsAndStopUnlocksOnItsPress) {
    auto& w = form();
    placeNote(0, 67, 0, 20);
    at(280, [&] {
        EXPECT_FALSE(w.PlayAndStop(0).value());
        EXPECT_FALSE(w.RewindBut.enabled());
        testsupport::pressOn(w.PlayAndStop(1).nativeWidget(), {5, 5});
        EXPECT_TRUE(w.RewindBut.enabled());  // on the press, while it still plays
        EXPECT_TRUE(w.Playing);
        testsupport::releaseOn(w.PlayAndStop(1).nativeWidget(), {5, 5});
        EXPECT_FALSE(w.Playing);
        EXPECT_FALSE(w.PlayAndStop(1).value());
    });
    play([&] { click(w.PlayAndStop(0)); });
    EXPECT_EQ(elapsed(), 500);  // the step after the stop, then the last wait
}

TEST_F(PlaybackControls, TheOtherWaysToStartAndTheHiddenStopPlayTheScore) {
    auto& w = form();
    placeNote(9, 60, 0, 20, 128);
    const std::vector<std::pair<const char*, std::function<void()>>> starts = {
        {"Play selected by code", [&] { w.PlayAndStop(0).setValue(true); }},
        {"the Rythm toolbar's Test", [&] { click(w.Command11); }},
    };
    for (const auto& [name, start] : starts) {
        SCOPED_TRACE(name);
        mapper().clear();
        at(155, [&] {
            w.Command24_Click();
            EXPECT_FALSE(w.Playing);
            EXPECT_TRUE(w.Combo1.enabled());
        });
        play(start);
        EXPECT_EQ(elapsed(), 375);
        EXPECT_EQ(sent(), "125:99237F 375:892300");
        EXPECT_FALSE(w.PlayAndStop(0).value());
    }
    w.PlayAndStop(0).raiseFocus(true);
    forms::doEvents();
    EXPECT_TRUE(w.MusicBox.hasFocus());
}

TEST_F(PlaybackControls, WhilePlayingExactlyElevenControlsAreLockedAndTheEndFreesThem) {
    auto& w = form();
    placeNote(0, 60, 0, 2);
    w.Label4.setCaption("Stop Recording");
    w.Recording = true;
    const int closes = mapper().closeCount();
    std::vector<forms::Control*> locked = {&w.FunctionsFrame, &w.EditTrackFrame, &w.MuteTrackFrame,
                                           &w.TransposeFrame, &w.Combo1,         &w.RewindBut};
    std::vector<forms::Menu*> lockedMenus = {&w.mnuNewScore, &w.mnuOpen, &w.mnuSave, &w.mnuSaveAs,
                                             &w.mnuSaveAsMid};
    std::vector<forms::Control*> free = {&w.PlayAndStop(1), &w.Instxt,          &w.Label8,
                                         &w.chkgraphics,    &w.loopcheck,       &w.TrackSel(8),
                                         &w.TrackHide(12),  &w.TransposeBut(0), &w.Command33};
    at(135, [&] {
        for (auto* control : locked) EXPECT_FALSE(control->enabled()) << control->name();
        for (auto* menu : lockedMenus) EXPECT_FALSE(menu->enabled()) << menu->name();
        for (auto* control : free) {
            EXPECT_TRUE(control->nativeWidget()->isEnabled()) << control->name();
        }
    });
    play();
    for (auto* control : locked) EXPECT_TRUE(control->enabled()) << control->name();
    for (auto* menu : lockedMenus) EXPECT_TRUE(menu->enabled()) << menu->name();
    EXPECT_EQ(w.Label4.caption(), "Start Recording");
    EXPECT_FALSE(w.Recording);
    // The output was closed and opened again, on the device the list shows.
    EXPECT_EQ(mapper().closeCount(), closes + 1);
    EXPECT_TRUE(mapper().isOpen());
}

TEST_F(PlaybackControls, PlayPressedDuringPlaybackRestartsItAndTheEndRunsOnce) {
    auto& w = form();
    placeNote(0, 67, 0, 3);
    const int closes = mapper().closeCount();
    at(280, [&] { click(w.PlayAndStop(0)); });
    play([&] { click(w.PlayAndStop(0)); });
    EXPECT_EQ(sent(), "125:903C7F 280:803C00 405:903C7F 905:803C00");
    EXPECT_EQ(mapper().closeCount(), closes + 1);
}

// A port keeps sounding what was on when the output closed: every closing
// path first turns off playback's notes and a preview's.
TEST_F(PlaybackControls, EveryCloseOfTheOutputComesAfterTheNoteOffsOfWhatSounds) {
    auto& w = form();
    const std::vector<std::pair<const char*, std::function<void()>>> closes = {
        {"Stop all sound", [&] { w.Command32_Click(); }},
        {"Play MID or WAV file", [&] { w.Command28_Click(); }},
        {"the Recording toolbar's Stop", [&] { w.Command23_Click(); }},
        {"the Play toolbar's Stop", [&] { w.Command30_Click(); }},
        {"a device choice", [&] { w.Device_Click(0); }},
    };
    w.Instxt.setText("24");
    placeNote(0, 67, 0, 9);
    for (const auto& [name, close] : closes) {
        SCOPED_TRACE(name);
        w.TrackSel(0).setValue(true);  // so that selecting track 10 sounds a preview
        mapper().clear();
        at(135, [&] { w.TrackSel(10).setValue(true); });
        at(155, close);
        at(280, [&] { w.PlayAndStop_Click(1); });
        play();
        EXPECT_EQ(sent(), "125:903C7F 135:9A3C7F 155:803C00 155:8A3C00");
        EXPECT_TRUE(mapper().isOpen());
    }
}

TEST_F(PlaybackControls, TheTempoSliderReadsTwipsAndKeepsToItsOwnRange) {
    auto& w = form();
    QWidget* slider = w.Label8.nativeWidget();
    click(w.Label8, 97);  // 1455 twips: tempo 291, 1000 \ 19
    EXPECT_EQ(w.Tempo, 291);
    EXPECT_EQ(w.StepMs, 52);
    EXPECT_EQ(w.TempoLabel.caption(), "291");
    // Dragged past either end the tempo stops at the slider's ends; a tempo
    // too slow for a period keeps the last one.
    testsupport::pressOn(slider, {40, 5});
    moveOver(slider, 300, Qt::LeftButton);
    EXPECT_EQ(w.Tempo, 294);
    EXPECT_EQ(w.StepMs, 50);
    moveOver(slider, -80, Qt::LeftButton);
    testsupport::releaseOn(slider, {-80, 5});
    EXPECT_EQ(w.Tempo, 1);
    EXPECT_EQ(w.StepMs, 50);
    // Without the left button only the tool tip follows the pointer.
    moveOver(slider, 20, Qt::NoButton);
    EXPECT_EQ(w.Label8.toolTipText(), "Tempo = 60");
    testsupport::clickOn(slider, {20, 5}, Qt::RightButton);
    EXPECT_EQ(w.Tempo, 1);
    w.Label8_MouseDown(1, 0, 612.5f, 0);  // halves go to the even neighbour
    EXPECT_EQ(w.Tempo, 122);
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
                const bool clean =
                    sent() == "125:903C7F 125:99257F 280:803C00 280:892500" && !mapper().isOpen();
                std::_Exit(clean ? code : 3);
            });
            at(280, [&] { w.nativeWindow()->close(); });
            play();
            std::_Exit(4);  // playback returned: the program did not end
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace playbacktest
