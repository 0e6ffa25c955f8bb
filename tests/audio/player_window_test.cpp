// The player's buttons and progress display: which alias each button opens,
// stops and closes, what the progress label reads, when the program's MIDI
// output is given up and taken back, and a file whose sound server goes away.

#include <gtest/gtest.h>

#include <cstdlib>

#include "AudioWindowFixture.h"
#include "support/MediaFiles.h"

namespace audiotest {
namespace {

class PlayerWindow : public AudioWindowTest {
protected:
    static bool isOpen(const std::string& alias) {
        std::string answer;
        return media::mciSendString("status " + alias + " mode", answer) == media::Success;
    }
    static long long positionOf(const std::string& alias) {
        std::string answer;
        media::mciSendString("status " + alias + " position", answer);
        return std::atoll(answer.c_str());
    }
    void openWave(const std::string& path) {
        ASSERT_EQ(media::mciSendString("open waveaudio!" + media::quotePath(path) + " alias sound"),
                  media::Success);
    }
};

TEST_F(PlayerWindow, PlayRecordedWavWithNoRecordingShowsZeroUntilAStop) {
    form().Text6.setText("/somewhere/else.wav");
    form().Command22.Click();
    EXPECT_EQ(form().Text6.text(), "");
    EXPECT_FALSE(isOpen("sound"));
    ASSERT_TRUE(form().Timer2.enabled());
    form().Timer2_Timer();
    EXPECT_EQ(form().LablPlay.caption(), "0");
    EXPECT_TRUE(form().Timer2.enabled());
    form().Command23.Click();
    EXPECT_FALSE(form().Timer2.enabled());
    EXPECT_EQ(form().LablPlay.caption(), "");
}

TEST_F(PlayerWindow, ProgressShowsNoDigitsAtTheStartAndStopsAtTheEnd) {
    form().TempWavFile = folder.file("short take.wav");
    ASSERT_TRUE(testsupport::writeToneWav(form().TempWavFile, 440, 0.3));
    openWave(form().TempWavFile);  // opened, not yet playing
    form().Timer2.setEnabled(true);
    form().Timer2_Timer();
    EXPECT_EQ(form().LablPlay.caption(), " %");

    form().Command22.Click();
    EXPECT_EQ(form().Text6.text(), form().TempWavFile);
    EXPECT_TRUE(isOpen("sound"));
    form().Command28.Click();  // the MIDI output is given up for the file
    ASSERT_FALSE(mapper().isOpen());
    ASSERT_TRUE(runEventsUntil([&] { return !form().Timer2.enabled(); }));
    EXPECT_EQ(form().LablPlay.caption(), "");
    EXPECT_FALSE(isOpen("sound"));
    EXPECT_TRUE(mapper().isOpen());
}

TEST_F(PlayerWindow, PlayMidOrWavOpensByTheEndingAndTheStopButtonsCloseBoth) {
    const std::string wave = folder.file("LOUD.WAV");
    const std::string tune = folder.file("Song with blank.MID");
    ASSERT_TRUE(testsupport::writeToneWav(wave, 440, 0.5));
    ASSERT_TRUE(testsupport::writeNoteMidi(tune, 60, 8));
    const struct {
        std::string text;
        bool sound, midi;
        void (app::Form1::*stop)();
    } cases[] = {
        {"  " + tune + "  ", false, true, &app::Form1::Command30_Click},
        {wave, true, false, &app::Form1::Command23_Click},
        {"  nothing.txt ", false, false, &app::Form1::Command30_Click},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.text);
        form().Text6.setText(one.text);
        form().Command28.Click();
        EXPECT_FALSE(mapper().isOpen());
        EXPECT_EQ(isOpen("sound"), one.sound);
        EXPECT_EQ(isOpen("midi"), one.midi);
        EXPECT_EQ(form().Timer2.enabled(), one.sound);
        form().LablPlay.setCaption("42 %");
        (form().*one.stop)();
        EXPECT_FALSE(isOpen("sound") || isOpen("midi") || form().Timer2.enabled());
        EXPECT_EQ(form().LablPlay.caption(), "");
        EXPECT_TRUE(mapper().isOpen());
    }
}

TEST_F(PlayerWindow, StopAllSoundClosesTheAliasesButLeavesTheProgressTimer) {
    const std::string wave = folder.file("w.wav");
    const std::string tune = folder.file("t.mid");
    ASSERT_TRUE(testsupport::writeToneWav(wave, 440, 0.5));
    ASSERT_TRUE(testsupport::writeNoteMidi(tune, 60, 1));
    openWave(wave);
    ASSERT_EQ(media::mciSendString("open sequencer!" + media::quotePath(tune) + " alias midi"),
              media::Success);
    form().Timer2.setEnabled(true);
    form().LablPlay.setCaption("42 %");
    form().Playing = true;
    form().Command32_Click();
    EXPECT_FALSE(form().Playing);
    EXPECT_FALSE(isOpen("sound") || isOpen("midi"));
    EXPECT_TRUE(form().Timer2.enabled());
    EXPECT_EQ(form().LablPlay.caption(), "42 %");
}

using PlayerWindowOnOwnServer = OnOwnSoundServer<PlayerWindow>;

TEST_F(PlayerWindowOnOwnServer, AWavWithoutItsServerEndsAsAtItsEndAndPlaysOnceTheServerIsBack) {
    const std::string wave = folder.file("long.wav");
    ASSERT_TRUE(testsupport::writeToneWav(wave, 440, 30));
    form().Text6.setText(wave);
    form().Command28.Click();
    ASSERT_FALSE(mapper().isOpen());
    ASSERT_TRUE(runEventsUntil([&] { return positionOf("sound") > 0; }));

    // Gone while it plays, and not there for the next Play: the file ends
    // each time as at its end.
    server.stop();
    for (int play = 0; play < 2; ++play) {
        SCOPED_TRACE(play == 0 ? "gone while playing" : "played while gone");
        if (play > 0) {
            form().Command28.Click();
            ASSERT_FALSE(mapper().isOpen());
        }
        ASSERT_TRUE(runEventsUntil([&] { return !form().Timer2.enabled(); }));
        EXPECT_EQ(form().LablPlay.caption(), "");
        EXPECT_FALSE(isOpen("sound"));
        EXPECT_TRUE(mapper().isOpen());
    }

    ASSERT_TRUE(server.start());
    form().Command28.Click();
    EXPECT_TRUE(form().Timer2.enabled());
    EXPECT_TRUE(runEventsUntil([&] { return positionOf("sound") > 0; }));
    form().Command23.Click();
}

}  // namespace
}  // namespace audiotest
