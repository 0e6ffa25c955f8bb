// The main window as start-up leaves it, and the ways the program ends.

#include <QWidget>
#include <array>
#include <cstdlib>
#include <string>

#include "support/app/MainWindowFixture.h"
#include "support/app/VirtualClock.h"

namespace {

using testsupport::MainWindowTest;
using Bytes = std::array<std::uint8_t, 3>;
using Colours = std::array<view::OleColour, 13>;

TEST_F(MainWindowTest, StartUpLeavesItsListsDefaultsAndAnEmptyScore) {
    auto& w = form();
    ASSERT_EQ(w.Combo1.listCount(), 175);
    EXPECT_EQ(w.Combo1.list(0), "0 Acoustic Grand Piano");
    EXPECT_EQ(w.Combo1.list(128), "128 Acoustic Bass Drum");
    EXPECT_EQ(w.Combo1.list(174), "174 Open Triangle");
    EXPECT_EQ(w.Instxt.text(), "24 ");
    EXPECT_EQ(w.cbxFormat.text(), "44.100Hz, 16bit Stereo, 172k/sec");
    EXPECT_EQ((std::vector<std::string>{w.NoteNames[0], w.NoteNames[66], w.NoteNames[127]}),
              (std::vector<std::string>{"10G", "5C#", "0C"}));
    // The list's click and the instrument box each apply 24 to track 0, quietly.
    EXPECT_EQ(mapper().bytes(), (std::vector<Bytes>{{0xB0, 0, 0},
                                                    {0xB0, 32, 0},
                                                    {0xC0, 24, 0},
                                                    {0xB0, 0, 0},
                                                    {0xB0, 32, 0},
                                                    {0xC0, 24, 0}}));
    EXPECT_EQ((std::vector<int>{w.Combo1.listIndex(), w.TrackInstrument[0], w.Tempo, w.SelStart,
                                w.SelEnd, w.PreviewVelocity, w.OverlayBlend}),
              (std::vector<int>{24, 24, 120, -1, -1, 127, 0x00640000}));
    EXPECT_EQ(w.EditMode + w.CurrentTrack + w.CursorColumn + w.FirstColumn + w.NoteChannel, 0);
    EXPECT_EQ(w.TempoLabel.caption(), "120");
    EXPECT_EQ(w.TrackColours,
              (Colours{0xFFC0C0, 0xFFC0FF, 0xC0C0FF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF,
                       0xAACCEE, 0xC0C0FF, 0xC0FFFF, 0xD2FAB8, 0xFFFFC0, 0xFFFFC0}));
    EXPECT_EQ(w.SelectedTrackColours,
              (Colours{0x0000FF, 0xC7743D, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x0080FF, 0x00FFFF,
                       0xFF8080, 0xFF8080, 0xFF80FF, 0x0080FF, 0xFFFF80, 0x8080FF}));
    EXPECT_EQ(w.CurrentTrackColour, 0x0000FFu);
    EXPECT_EQ(w.ScoreBackColor, 0xFFFFFFu);
    EXPECT_EQ(w.caption(), "Midi Sorvane");
    EXPECT_FALSE(w.Loading);
    // Only the main toolbar shows.
    for (const forms::PictureBox* panel :
         {&w.toolbSetup, &w.toolbEdit, &w.ToolbCompose, &w.toolbRythm, &w.toolbPlay, &w.ToolbRecord,
          &w.toolbMIDI})
        EXPECT_FALSE(panel->nativeWidget()->isVisible()) << panel->name();
    for (const auto& track : w.Notes) {
        for (std::int16_t cell : track) ASSERT_EQ(cell, -1);
    }
}

TEST_F(MainWindowTest, TheLastUsedColumnLeavesHiddenTracksOut) {
    auto& w = form();
    w.Notes[12][300] = 1040;  // a held cell counts as used
    w.Notes[5][40] = 12;
    w.FindLastColumn();
    EXPECT_EQ(w.LastUsedColumn, 300);
    w.TrackHide(12).setValue(1);
    w.FindLastColumn();
    EXPECT_EQ(w.LastUsedColumn, 40);
}

// Exit, the Exit button and closing the window end the program alike, with
// the output closed once.
TEST_F(MainWindowTest, EveryWayOutClosesTheOutputOnceAndEnds) {
    auto& w = form();
    int cancel = 0;
    const std::function<void()> ways[] = {[&] { w.mnuExit.Click(); }, [&] { w.Command3.Click(); },
                                          [&] { w.Unload(cancel); }};
    for (const auto& end : ways) {
        w.Device_Click(0);
        const int closes = mapper().closeCount();
        EXPECT_THROW(end(), testsupport::ProgramEnded);
        EXPECT_EQ(mapper().closeCount(), closes + 1);
        EXPECT_FALSE(mapper().isOpen());
    }
    EXPECT_EQ(cancel, 0);
}

TEST_F(MainWindowTest, EndingWhileANoteSoundsTurnsItOffBeforeTheOutputCloses) {
    auto& w = form();
    for (int column = 0; column <= 3; ++column) w.Notes[2][column] = column ? 1067 : 67;
    testsupport::VirtualClock clock;
    std::vector<Bytes> sentBeforeEnd;
    clock.at(300, [&] {
        mapper().clear();
        EXPECT_THROW(w.Command3_Click(), testsupport::ProgramEnded);
        sentBeforeEnd = mapper().bytes();
    });
    w.PlayAndStop_Click(0);
    EXPECT_EQ(sentBeforeEnd, (std::vector<Bytes>{{0x82, 0x3C, 0}}));
}

// The real built-in synthesizer on a machine with no sound server, started as
// the program starts.
class NoSoundServerTest : public MainWindowTest {
protected:
    void SetUp() override {
        setenv("PULSE_SERVER", "unix:/nonexistent/sorvane-test/native", 1);
        realMapper = true;
        throughSplash = true;
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        previous_.empty() ? unsetenv("PULSE_SERVER") : setenv("PULSE_SERVER", previous_.c_str(), 1);
    }
    const char* server_ = std::getenv("PULSE_SERVER");
    const std::string previous_ = server_ ? server_ : "";
};

TEST_F(NoSoundServerTest, TheWindowStartsOnTheMapperAndOnceShownSaysThatNoServerIsThere) {
    auto& w = form();
    EXPECT_TRUE(w.nativeWindow()->isVisible());
    EXPECT_EQ(w.MidiDeviceId, -1);
    EXPECT_EQ(w.MidiResult, 0);
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_NE(messageBoxes()[0].find("cannot reach a sound server"), std::string::npos);
    // Over the main window, the splash gone.
    EXPECT_EQ(windowsAtMessageBoxes()[0], "Form1");
    // Reopening the output, as every end of playback does, says nothing more.
    w.Device_Click(0);
    EXPECT_EQ(messageBoxes().size(), 1u);
}

}  // namespace
