// The player's buttons and progress display without the sound card: files are
// opened under the aliases but not played.

#include <gtest/gtest.h>

#include "../platform/media_testing.h"
#include "AudioWindowFixture.h"
#include "platform/media/MediaControl.h"

namespace audiotest {
namespace {

class PlayerWindow : public AudioWindowTest {
protected:
    static bool isOpen(const std::string& alias) {
        std::string answer;
        return media::mciSendString("status " + alias + " mode", answer) == media::Success;
    }
    media_test::TempFolder folder;
};

TEST_F(PlayerWindow, ProgressWithNothingOpenReadsZeroUntilAStop) {
    form().TempWavFile.clear();
    form().Text6.setText("/somewhere/else.wav");
    form().Command22.Click();
    EXPECT_EQ(form().Text6.text(), "");
    EXPECT_TRUE(form().Timer2.enabled());
    EXPECT_FALSE(isOpen("sound"));
    form().Timer2_Timer();
    EXPECT_EQ(form().LablPlay.caption(), "0");
    EXPECT_TRUE(form().Timer2.enabled());

    form().Command23.Click();
    EXPECT_FALSE(form().Timer2.enabled());
    EXPECT_EQ(form().LablPlay.caption(), "");
}

TEST_F(PlayerWindow, ProgressAtTheStartShowsNoDigits) {
    const std::string path = folder.file("quiet start.wav");
    ASSERT_TRUE(media_test::writeToneWav(path, 440.0, 1.0));
    ASSERT_EQ(media::mciSendString("open waveaudio!" + media::quotePath(path) + " alias sound"),
              media::Success);
    form().Timer2.setEnabled(true);
    form().Timer2_Timer();
    EXPECT_EQ(form().LablPlay.caption(), " %");
    EXPECT_TRUE(form().Timer2.enabled());
}

TEST_F(PlayerWindow, TheStopButtonsCloseBothAliasesAndReopenTheMidiOutput) {
    const std::string wave = folder.file("w.wav");
    const std::string tune = folder.file("t.mid");
    ASSERT_TRUE(media_test::writeToneWav(wave, 440.0, 0.5));
    ASSERT_TRUE(media_test::writeNoteMidi(tune, 60, 1));
    for (auto stop : {&app::Form1::Command23_Click, &app::Form1::Command30_Click}) {
        ASSERT_EQ(media::mciSendString("open waveaudio!" + media::quotePath(wave) + " alias sound"),
                  media::Success);
        ASSERT_EQ(media::mciSendString("open sequencer!" + media::quotePath(tune) + " alias midi"),
                  media::Success);
        form().Timer2.setEnabled(true);
        form().LablPlay.setCaption("42 %");
        // A file press closes the MIDI output first, whatever the name.
        form().Text6.setText("  nothing.txt ");
        form().Command28.Click();
        EXPECT_FALSE(mapper().isOpen());
        (form().*stop)();
        EXPECT_FALSE(isOpen("sound"));
        EXPECT_FALSE(isOpen("midi"));
        EXPECT_FALSE(form().Timer2.enabled());
        EXPECT_EQ(form().LablPlay.caption(), "");
        EXPECT_TRUE(mapper().isOpen());
    }
}

TEST_F(PlayerWindow, StopAllSoundClosesTheAliasesButLeavesTheProgressTimer) {
    const std::string wave = folder.file("w.wav");
    ASSERT_TRUE(media_test::writeToneWav(wave, 440.0, 0.5));
    ASSERT_EQ(media::mciSendString("open waveaudio!" + media::quotePath(wave) + " alias sound"),
              media::Success);
    form().Timer2.setEnabled(true);
    form().LablPlay.setCaption("42 %");
    form().Playing = true;
    form().Command32_Click();
    EXPECT_FALSE(form().Playing);
    EXPECT_FALSE(isOpen("sound"));
    EXPECT_TRUE(form().Timer2.enabled());
    EXPECT_EQ(form().LablPlay.caption(), "42 %");
    form().Timer2_Timer();
    EXPECT_EQ(form().LablPlay.caption(), "0");
}

TEST_F(PlayerWindow, FileEndingsAreComparedWithoutRegardToCase) {
    const struct {
        const char* name;
        const char* alias;
    } cases[] = {{"LOUD.WAV", "sound"}, {"take.Wav", "sound"}, {"Song.MID", "midi"}};
    for (const auto& one : cases) {
        const std::string path = folder.file(one.name);
        ASSERT_TRUE(std::string(one.alias) == "midi" ? media_test::writeNoteMidi(path, 60, 1)
                                                     : media_test::writeToneWav(path, 440.0, 0.5));
        form().Text6.setText(path);
        form().Command28.Click();
        EXPECT_TRUE(isOpen(one.alias)) << one.name;
        EXPECT_EQ(form().Timer2.enabled(), std::string(one.alias) == "sound") << one.name;
        form().Command30.Click();
    }
}

}  // namespace
}  // namespace audiotest
