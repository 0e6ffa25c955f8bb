// The main window as start-up leaves it, and the ways the program ends.

#include <QWidget>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/app/MainWindowFixture.h"
#include "support/app/VirtualClock.h"

namespace {

using testsupport::MainWindowTest;
using Bytes = std::array<std::uint8_t, 3>;

TEST_F(MainWindowTest, StartUpFillsTheListsAndSendsTrackZerosInstrumentQuietly) {
    auto& w = form();
    ASSERT_EQ(w.Combo1.listCount(), 175);
    EXPECT_EQ(w.Combo1.list(0), "0 Acoustic Grand Piano");
    EXPECT_EQ(w.Combo1.list(127), "127 Gunshot");
    EXPECT_EQ(w.Combo1.list(128), "128 Acoustic Bass Drum");
    EXPECT_EQ(w.Combo1.list(174), "174 Open Triangle");
    EXPECT_EQ(w.Combo1.listIndex(), 24);
    EXPECT_EQ(w.Instxt.text(), "24 ");
    EXPECT_EQ(w.TrackInstrument[0], 24);
    // The list's click and the instrument box each apply 24 to track 0.
    const Bytes program[] = {{0xB0, 0x00, 0x00}, {0xB0, 0x20, 0x00}, {0xC0, 0x18, 0x00}};
    std::vector<Bytes> twice(std::begin(program), std::end(program));
    twice.insert(twice.end(), std::begin(program), std::end(program));
    EXPECT_EQ(mapper().bytes(), twice);
    EXPECT_FALSE(w.Loading);
    EXPECT_EQ(w.cbxFormat.text(), "44.100Hz, 16bit Stereo, 172k/sec");
    EXPECT_EQ(w.NoteNames[0], "10G");
    EXPECT_EQ(w.NoteNames[66], "5C#");
    EXPECT_EQ(w.NoteNames[127], "0C");
}

TEST_F(MainWindowTest, StartUpLeavesAnEmptyScoreItsDefaultsAndOnlyTheMainToolbar) {
    auto& w = form();
    for (const auto& track : w.Notes) {
        for (std::int16_t cell : track) ASSERT_EQ(cell, -1);
    }
    EXPECT_EQ(w.TempoLabel.caption(), "120");
    EXPECT_EQ(w.Tempo, 120);
    EXPECT_EQ(w.SelStart, -1);
    EXPECT_EQ(w.SelEnd, -1);
    EXPECT_EQ(w.EditMode + w.CurrentTrack + w.CursorColumn + w.FirstColumn + w.NoteChannel, 0);
    EXPECT_EQ(w.PreviewVelocity, 127);
    EXPECT_EQ(w.OverlayBlend, 0x00640000);
    const std::array<std::uint32_t, 13> others = {0xFFC0C0, 0xFFC0FF, 0xC0C0FF, 0xC0FFC0, 0xFFFFC0,
                                                  0xFFC0C0, 0xFFC0FF, 0xAACCEE, 0xC0C0FF, 0xC0FFFF,
                                                  0xD2FAB8, 0xFFFFC0, 0xFFFFC0};
    const std::array<std::uint32_t, 13> current = {0x0000FF, 0xC7743D, 0x00FF00, 0xFF00FF, 0xFFFF00,
                                                   0x0080FF, 0x00FFFF, 0xFF8080, 0xFF8080, 0xFF80FF,
                                                   0x0080FF, 0xFFFF80, 0x8080FF};
    for (int track = 0; track < 13; ++track) {
        EXPECT_EQ(w.TrackColours[track], others[track]) << track;
        EXPECT_EQ(w.SelectedTrackColours[track], current[track]) << track;
    }
    EXPECT_EQ(w.CurrentTrackColour, 0x0000FFu);
    EXPECT_EQ(w.ScoreBackColor, 0xFFFFFFu);
    EXPECT_TRUE(w.toolbMenu.visible());
    for (const forms::PictureBox* panel :
         {&w.toolbSetup, &w.toolbEdit, &w.ToolbCompose, &w.toolbRythm, &w.toolbPlay, &w.ToolbRecord,
          &w.toolbMIDI}) {
        EXPECT_FALSE(panel->visible()) << panel->name();
    }
    EXPECT_EQ(w.mnuOpenSetuptoolb.caption(), "Open");
    EXPECT_TRUE(w.mnuAboveStaff1.checked());
    EXPECT_FALSE(w.mnuBelowStaff8.checked());
    EXPECT_EQ(w.caption(), "Midi Sorvane");
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

}  // namespace

namespace {

// The real built-in synthesizer on a machine with no sound server.
class NoSoundServerTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override {
        if (const char* server = std::getenv("PULSE_SERVER")) previousServer_ = server;
        setenv("PULSE_SERVER", "unix:/nonexistent/sorvane-test/native", 1);
        realMapper = true;
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        if (previousServer_) {
            setenv("PULSE_SERVER", previousServer_->c_str(), 1);
        } else {
            unsetenv("PULSE_SERVER");
        }
    }

private:
    std::optional<std::string> previousServer_;
};

TEST_F(NoSoundServerTest, TheWindowStartsOnTheMapperAndSaysOnceThatNoServerIsThere) {
    auto& w = form();
    EXPECT_TRUE(w.nativeWindow()->isVisible());
    EXPECT_EQ(w.MidiDeviceId, -1);
    EXPECT_EQ(w.MidiResult, 0);
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_NE(messageBoxes()[0].find("cannot reach a sound server"), std::string::npos);
    // Reopening the output, as every end of playback does, says nothing more.
    w.Device_Click(0);
    EXPECT_EQ(messageBoxes().size(), 1u);
}

}  // namespace
