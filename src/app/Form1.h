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
    // Says that the built-in synthesizer is silent while it has no sound
    // server to play to.
    void tellIfNoSoundServer();

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
    // The column audition while a note is drawn (midi/ColumnAudition.cpp).
    void StartColumnNotes();
    void StopColumnNotes();

    // Track selection and hiding (edit/Tracks.cpp).
    void TrackSel_Click(int Index);
    void TrackSel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void TrackSel_GotFocus(int Index);
    void TrackHide_Click(int Index);

    // Mouse editing in the score box and the edit modes (edit/Mouse*.cpp).
    void MusicBox_MouseDown(int Button, int Shift, float X, float Y);
    void MusicBox_MouseMove(int Button, int Shift, float X, float Y);
    void MusicBox_MouseUp(int Button, int Shift, float X, float Y);
    void FunctionBut_Click(int Index);
    void FunctionBut_GotFocus(int Index);
    void toolberasecheck_Click();
    void TopBarOverlay_MouseDown(int Button, int Shift, float X, float Y);

    // The clipboard, column insertion and the transforms (edit/Clipboard*.cpp,
    // edit/TransformCommands.cpp). CopySelection and InsertColumns leave the
    // redraw to their callers.
    void CopySelection();
    void InsertColumns(std::int16_t N);
    void CopyBut_Click();
    void CutBut_Click();
    void PasteBut_Click();
    void PasteIntoBut_Click();
    void InsertColumnBut_Click();
    void mnuCopy_Click();
    void mnuErase_Click();
    void mnuEdit_Click();
    void mnuInsert_Click();
    void InvertSelection();
    void ReverseSelection();
    void TransposeBut_Click(int Index);
    void Command12_Click();
    void Command13_Click();

    // The rhythm pattern tools (edit/Rythm*.cpp): "Create Rythm", the hidden
    // repeated paste, the Beats and Repeat boxes and their slider strips.
    void Command7_Click();
    void Command8_Click();
    void Text4_Change();
    void Text5_Change();
    void Label5_MouseDown(int Button, int Shift, float X, float Y);
    void Label5_MouseMove(int Button, int Shift, float X, float Y);
    void Label7_MouseDown(int Button, int Shift, float X, float Y);
    void Label7_MouseMove(int Button, int Shift, float X, float Y);

    // Score playback (midi/Playback*.cpp). The loop runs on this thread inside
    // the click that started it, handling window events between its steps.
    void PlayAndStop_Click(int Index);
    void PlayAndStop_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void PlayAndStop_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void PlayAndStop_GotFocus(int Index);
    void Command24_Click();
    void Command11_Click();
    void Command32_Click();
    void PlaySong();
    void PlayNotes();
    void AdvancePlayColumn();
    void LockPlaybackControls();
    void UnlockPlaybackControls();
    void Label8_MouseDown(int Button, int Shift, float X, float Y);
    void Label8_MouseMove(int Button, int Shift, float X, float Y);
    // The note off of every note playback left sounding, hidden track or not.
    void stopSoundingNotes();
    // The note offs of everything sounding (playback, previews, a press in the
    // score box), for a port device that would keep sounding them after the
    // output closes.
    void silenceOutputBeforeClose();

    // The WAV recorder and the media player (audio/).
    void cmdStart_Click();
    void StartTrackRecording();
    void WavePosition();
    void tmrRecord_Timer();
    void Command25_Click();
    void Command22_Click();
    void Command23_Click();
    void Command27_Click();
    void Command28_Click();
    void Command30_Click();
    void Timer2_Timer();
    // A fresh temporary recording name: a numbered .wav file in a writable
    // folder, made there as an empty file. Empty, with the reason in failure,
    // when no new file can be made.
    std::string drawTempWavName(std::string* failure = nullptr);

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

    // Toolbars, the menu bar's own items and help (app/Toolbars*.cpp,
    // app/Help.cpp). A toolbar's open state is its Open item's caption (the
    // Play toolbar's: its panel's visibility), its place the check mark of
    // its "Above Staff" item.
    void Cmdsetup_Click();
    void CmdEdit_Click();
    void CmdCompose_Click();
    void CmdRythm_Click();
    void CmdPlay_Click();
    void Command21_Click();
    void CmdMidi_Click();
    void mnuOpenSetuptoolb_Click();
    void mnuOpenEdingtoolbar_Click();
    void mnuOpenComposetoolbar_Click();
    void mnuOpenRythmtoolbar_Click();
    void mnuOpenPlaytoolbar_Click();
    void mnuOpenRectoolbar_Click();
    void mnuOpenMiditoolbar_Click();
    // The close boxes; where and how the box was pressed does not matter.
    void ChkPlay_MouseDown();
    void ChkEdit_MouseDown();
    void ChkCompose_MouseDown();
    void ChkRythm_MouseDown();
    void ChkSetup_MouseDown();
    void ChcRecord_MouseDown();
    void ChkMidi_MouseDown();
    void Cmdsetup_MouseUp();
    void CmdEdit_MouseUp();
    void CmdCompose_MouseUp();
    void CmdRythm_MouseUp();
    void CmdMidi_MouseUp();
    void Command21_MouseUp();
    void CmdPlay_MouseUp();
    void mnuAboveStaff1_Click();
    void mnuAboveStaff2_Click();
    void mnuAboveStaff3_Click();
    void mnuAboveStaff4_Click();
    void mnuAboveStaff5_Click();
    void mnuAboveStaff6_Click();
    void mnuAboveStaff7_Click();
    void mnuAboveStaff8_Click();
    void mnuBelowStaff1_Click();
    void mnuBelowStaff2_Click();
    void mnuBelowStaff3_Click();
    void mnuBelowStaff4_Click();
    void mnuBelowStaff5_Click();
    void mnuBelowStaff6_Click();
    void mnuBelowStaff7_Click();
    void mnuBelowStaff8_Click();
    void mnuInstrument_Click();
    void Cmdhelp_Click();
    void mnuHelpFile_Click();
    void ShowHelpFile(std::string& path);
    // Buttons that only run another command.
    void Command14_Click();
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();
    void Command18_Click();
    void Command19_Click();
    // The help file Help shows: "lindavor.chm" in the program folder.
    std::string HelpFile;

    forms::CommonDialog CommonDialog1;

    bool Loading = false;
    std::string AppFolder;

private:
    // The instrument list's and the instrument box's common work: the
    // selection's notes, the track's instrument, and the preview note.
    void applyInstrumentToCurrentTrack(std::int16_t number);
    // Sets NoteKey and MessageChannel for a note of track NoteChannel.
    void chooseNoteKey(std::int16_t row);
    // A live note that remembers how it went out, and its exact note off.
    midi::LiveNote startLiveNote(std::int16_t row);
    void stopLiveNote(const midi::LiveNote& note);
    // The instrument preview: its note on now, its note off when due (its id).
    std::uint64_t startPreview();
    // The preview with this id while it sounds, else nullptr.
    const midi::PreviewNote* findPreview(std::uint64_t id) const;
    void endPreview(std::uint64_t id);
    void endDuePreviews();
    // The earliest due note off of a preview, in microseconds; far away when
    // none sounds.
    std::int64_t nextPreviewEndMicros() const;
    // Turns off whatever a press in the score box left sounding.
    void silenceDrawingNotes();

    // Mouse editing's steps (edit/Mouse*.cpp).
    void wireEditEvents();
    void wireClipboardEvents();
    void drawModePress(int Button, std::int16_t column, std::int16_t row);
    void insertionModePress(int Button, std::int16_t column);
    void selectModePress(int Button, std::int16_t column);
    void drawModeRelease(int Button, float X);
    void selectModeRelease(int Button, float X);
    void drawRubberBand(std::int16_t toColumn);
    void drawSelectionBox(std::int16_t toColumn);
    void showRulerNumberTip(float X);
    // The popup menu from a press; it takes the rest of the gesture.
    void popupFromPress();
    bool isEraseToggleTicked() const;
    // One selected track button over both groups, and the marker on its hide box.
    void markSelectedTrack(int Index);

    // The rhythm tools' wiring and the rule Text4_Change and Text5_Change share.
    void wireRythmEvents();
    void keepBeatsWithinRepeat();

    // The recorder's and the player's own steps (audio/).
    void wireAudioEvents();
    // The end of a capture: stopped, written to TempWavFile, closed.
    void saveFinishedCapture();
    // Stops and closes the aliases "sound" and "midi".
    void stopMediaAliases();
    void wireAppEvents();
    void wireMidiEvents();
    void wirePlaybackEvents();
    // Playback's own steps: PlaySong's start (also a restart and a loop), its
    // timed wait, and its end.
    void startPlayback(bool loopingBack = false);
    void waitForStepDeadline();
    // Takes the step's start time and ends what a loop back left sounding.
    void beginStep();
    void finishPlayback();
    void stopSoundingNote(int track);
    void setStepMsFromTempo(double tempo);
    void drawPlayCursorBar();
    void wireViewEvents();
    void wireFileEvents();
    void wireToolbarEvents();
    // The toolbar work behind the toggles and the placement items.
    void toggleToolbar(forms::PictureBox& panel, forms::Menu& openItem, forms::Menu& aboveItem);
    void dockToolbar(forms::PictureBox& panel, const forms::Menu& aboveItem);
    void placeToolbar(forms::Menu& checkedItem, forms::Menu& uncheckedItem, forms::Menu& openItem,
                      void (Form1::*toggle)());
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
