// The main window as start-up leaves it.

#include <QWidget>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/app/MainWindowFixture.h"

namespace {

using testsupport::MainWindowTest;
using Bytes = std::array<std::uint8_t, 3>;

TEST_F(MainWindowTest, InstrumentListAndBoxAfterStartUp) {
    auto& window = form();
    ASSERT_EQ(window.Combo1.listCount(), 175);
    EXPECT_EQ(window.Combo1.list(0), "0 Acoustic Grand Piano");
    EXPECT_EQ(window.Combo1.list(24), "24 Nylon Guitar");
    EXPECT_EQ(window.Combo1.list(127), "127 Gunshot");
    EXPECT_EQ(window.Combo1.list(128), "128 Acoustic Bass Drum");
    EXPECT_EQ(window.Combo1.list(174), "174 Open Triangle");
    EXPECT_EQ(window.Combo1.listIndex(), 24);
    EXPECT_EQ(window.Instxt.text(), "24 ");
    EXPECT_EQ(window.TrackInstrument[0], 24);
}

TEST_F(MainWindowTest, TrackZerosInstrumentIsSentWithoutPreviewNote) {
    // The list's click and the instrument box each apply 24 to track 0.
    const std::vector<Bytes> instrument = {
        {0xB0, 0x00, 0x00}, {0xB0, 0x20, 0x00}, {0xC0, 0x18, 0x00}};
    std::vector<Bytes> expected = instrument;
    expected.insert(expected.end(), instrument.begin(), instrument.end());
    EXPECT_EQ(mapper().bytes(), expected);
    EXPECT_FALSE(form().Loading);
}

TEST_F(MainWindowTest, ViewEditAndColourDefaults) {
    auto& window = form();
    EXPECT_EQ(window.cbxFormat.listIndex(), 3);
    EXPECT_EQ(window.cbxFormat.text(), "44.100Hz, 16bit Stereo, 172k/sec");
    EXPECT_EQ(window.TempoLabel.caption(), "120");
    EXPECT_EQ(window.Tempo, 120);
    EXPECT_EQ(window.SelStart, -1);
    EXPECT_EQ(window.SelEnd, -1);
    EXPECT_EQ(window.CursorColumn, 0);
    EXPECT_EQ(window.EditMode, 0);
    EXPECT_EQ(window.CurrentTrack, 0);
    EXPECT_EQ(window.FirstColumn, 0);
    EXPECT_EQ(window.NoteChannel, 0);
    EXPECT_EQ(window.PreviewVelocity, 127);
    EXPECT_EQ(window.OverlayBlend, 0x00640000);

    EXPECT_EQ(window.NoteNames[0], "10G");
    EXPECT_EQ(window.NoteNames[55], "6C");
    EXPECT_EQ(window.NoteNames[66], "5C#");
    EXPECT_EQ(window.NoteNames[67], "5C");
    EXPECT_EQ(window.NoteNames[127], "0C");

    const std::array<std::uint32_t, 13> trackColours = {
        0xFFC0C0, 0xFFC0FF, 0xC0C0FF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF,
        0xAACCEE, 0xC0C0FF, 0xC0FFFF, 0xD2FAB8, 0xFFFFC0, 0xFFFFC0};
    const std::array<std::uint32_t, 13> selectedColours = {
        0x0000FF, 0xC7743D, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x0080FF, 0x00FFFF,
        0xFF8080, 0xFF8080, 0xFF80FF, 0x0080FF, 0xFFFF80, 0x8080FF};
    for (int track = 0; track < 13; ++track) {
        EXPECT_EQ(window.TrackColours[track], trackColours[track]) << "track " << track;
        EXPECT_EQ(window.SelectedTrackColours[track], selectedColours[track]) << "track " << track;
    }
    EXPECT_EQ(window.CurrentTrackColour, 0x0000FFu);
    EXPECT_EQ(window.ScoreBackColor, 0xFFFFFFu);
}

TEST_F(MainWindowTest, ScoreIsEmptyAndOnlyTheMainToolbarShows) {
    auto& window = form();
    for (int track = 0; track < 13; ++track) {
        for (int column = 0; column <= 1000; ++column) {
            ASSERT_EQ(window.Notes[track][column], -1);
            ASSERT_EQ(window.Instruments[track][column], 0);
        }
    }
    EXPECT_TRUE(window.toolbMenu.visible());
    for (const forms::PictureBox* panel :
         {&window.toolbSetup, &window.toolbEdit, &window.ToolbCompose, &window.toolbRythm,
          &window.toolbPlay, &window.ToolbRecord, &window.toolbMIDI}) {
        EXPECT_FALSE(panel->visible()) << panel->name();
        EXPECT_EQ(panel->align(), 1) << panel->name();
    }
    for (const forms::Menu* open :
         {&window.mnuOpenSetuptoolb, &window.mnuOpenEdingtoolbar, &window.mnuOpenComposetoolbar,
          &window.mnuOpenRythmtoolbar, &window.mnuOpenPlaytoolbar, &window.mnuOpenRectoolbar,
          &window.mnuOpenMiditoolbar}) {
        EXPECT_EQ(open->caption(), "Open") << open->name();
    }
    EXPECT_TRUE(window.mnuAboveStaff1.checked());
    EXPECT_FALSE(window.mnuBelowStaff8.checked());
    EXPECT_FALSE(window.mnupopup.visible());
    EXPECT_EQ(window.caption(), "Midi Sorvane");
}

TEST_F(MainWindowTest, FindLastColumnSkipsHiddenTracks) {
    auto& window = form();
    window.FindLastColumn();
    EXPECT_EQ(window.LastUsedColumn, 0);
    window.Notes[3][300] = 1040;  // a held cell counts as used
    window.Notes[5][40] = 12;
    window.FindLastColumn();
    EXPECT_EQ(window.LastUsedColumn, 300);
    window.TrackHide(3).setValue(1);
    window.FindLastColumn();
    EXPECT_EQ(window.LastUsedColumn, 40);
    window.Notes[0][1000] = 7;
    window.FindLastColumn();
    EXPECT_EQ(window.LastUsedColumn, 1000);
}

TEST_F(MainWindowTest, ExitClosesTheOutputOnceAndEnds) {
    const int closesBefore = mapper().closeCount();
    EXPECT_THROW(form().Command3_Click(), testsupport::ProgramEnded);
    EXPECT_EQ(mapper().closeCount(), closesBefore + 1);
    EXPECT_FALSE(mapper().isOpen());
}

TEST_F(MainWindowTest, MenuExitAndClosingTheWindowEndAlike) {
    ASSERT_TRUE(form().mnuExit.Click);
    EXPECT_THROW(form().mnuExit.Click(), testsupport::ProgramEnded);
    int cancel = 0;
    EXPECT_THROW(form().Form_Unload(cancel), testsupport::ProgramEnded);
    EXPECT_EQ(cancel, 0);
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
