#pragma once
// The main window. It owns every piece of the program's state for the
// program's lifetime: the score, the view, the selection, the devices and the
// recorder, and every control by its design name. Its handlers are spread
// over the subsystem folders; each does what its subsystem needs and calls
// the Qt-free core for the work on the grids.

#include <cstdint>
#include <string>

#include "app/design/ComposeToolbarDesign.h"
#include "app/design/EditToolbarDesign.h"
#include "app/design/InstrumentToolbarDesign.h"
#include "app/design/MainToolbarDesign.h"
#include "app/design/MenuBarDesign.h"
#include "app/design/PlayToolbarDesign.h"
#include "app/design/RecordToolbarDesign.h"
#include "app/design/RythmToolbarDesign.h"
#include "app/design/ScoreAreaDesign.h"
#include "app/design/SetupToolbarDesign.h"
#include "audio/RecorderState.h"
#include "edit/EditState.h"
#include "midi/DeviceState.h"
#include "midi/PlaybackState.h"
#include "platform/forms/CommonDialog.h"
#include "platform/forms/Form.h"
#include "score/ScoreDocument.h"
#include "view/ViewState.h"

namespace app {

class openerF;

// The panels are listed in their designed docking order, top to bottom, with
// the score area innermost.
class Form1 : public forms::Form,
              public MenuBarDesign,
              public MainToolbarDesign,
              public TrackControlArrays,
              public RythmToolbarDesign,
              public ComposeToolbarDesign,
              public InstrumentToolbarDesign,
              public SetupToolbarDesign,
              public EditToolbarDesign,
              public PlayToolbarDesign,
              public RecordToolbarDesign,
              public ScoreAreaDesign,
              public score::ScoreDocument,
              public view::ViewState,
              public edit::EditState,
              public midi::DeviceState,
              public midi::PlaybackState,
              public audio::RecorderState {
public:
    Form1();
    ~Form1() override;

    // Start-up and shutdown (app/StartUp.cpp, app/Shutdown.cpp).
    void Form_Load();
    void Form_Unload(int& Cancel);
    void mnuExit_Click();
    void Command3_Click();
    // The splash to unload at the end of loading, if any.
    void setSplash(openerF* splash) { splash_ = splash; }

    // The score grids (score/window).
    void ClearScore();
    void FindLastColumn();
    // True while track t's "Hide this channel" box is ticked.
    bool isTrackHidden(int track) const;
    score::HiddenTracks hiddenTracks() const;

    // MIDI output, instruments and live notes (midi/).
    void Device_Click(int Index);
    void Combo2_Click();
    void Combo2_LostFocus();
    void Combo1_Click();
    void Command9_Click();
    void SetInstrument(std::int16_t number);
    void StartNote(std::int16_t row);
    void StopNote(std::int16_t row);

    // The score view (view/).
    void FillSideBar();
    void FillTopBar();
    void RedrawScore();
    void Form_Resize();
    // Pixel strips of MusicBox kept in SwapScreen, view rows and columns.
    void GetRow(std::int16_t Y);
    void PutRow(std::int16_t Y);
    void GetColumn(std::int16_t X);
    void PutColumn(std::int16_t X);
    void GetBox();
    void PutBox();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void VScroll1_Change();
    void VScroll1_Scroll();
    void RewindBut_Click();
    void Command1_Click();

    // Score files, the file commands, New and Erase all (score/window). The
    // readers and writers return false when the file failed; the user has
    // been told why.
    bool WriteScoreFile();
    bool ReadScoreFile();
    bool WriteMidiFile();
    void mnuOpen_Click();
    void OpenMusicFile();
    void Command33_Click();
    void Command10_Click();
    void SaveScore();
    void SaveScoreAs();
    void Command2_Click();
    void SaveAsMidi();
    void SaveSettingsFile();
    void mNew_Click();
    void Command4_Click();
    // Never changed; written to the settings file.
    std::int16_t SettingsValue = 0;

    forms::CommonDialog CommonDialog1;

    bool Loading = false;
    std::string AppFolder;

private:
    // The instrument list's and the instrument box's common work: the
    // selection's notes, the track's instrument, and the preview note.
    void applyInstrumentToCurrentTrack(std::int16_t number);
    // Sets NoteKey and MessageChannel for a note of track NoteChannel.
    void chooseNoteKey(std::int16_t row);

    void wireAppEvents();
    void wireMidiEvents();
    void wireViewEvents();
    void wireFileEvents();
    // The file commands' dialogs: true when ChosenFile names a file to go on with.
    bool chooseFileToOpen(const std::string& title, const std::string& preset,
                          const std::string& filter, bool setFlags);
    bool chooseFileToSave(const std::string& title, const std::string& pattern);
    void openChosenMusicFile(bool ignoreCase);
    void showAndEnableEveryTrack();
    void shutDown();

    openerF* splash_ = nullptr;
};

}  // namespace app
