// New and Erase all Notes: both replace the score by an empty one at once.

#include "app/Form1.h"

namespace app {

void Form1::showAndEnableEveryTrack() {
    for (int track = 0; track < score::TrackCount; ++track) {
        TrackSel(track).setEnabled(true);
        TrackHide(track).setEnabled(true);
        TrackHide(track).setValue(0);
        TrackInstrument[track] = 0;
    }
}

void Form1::mNew_Click() {
    Loading = true;
    ScoreFile.clear();
    ClearScore();
    showAndEnableEveryTrack();
    // Selecting the button runs its click handler, which makes track 0 current.
    TrackSel(0).setValue(true);
    TrackHide(0).setEnabled(false);
    NoteChannel = 0;
    SetInstrument(0);
    Combo1.setListIndex(0);
    CurrentTrackColour = SelectedTrackColours[0];
    setCaption("Notewright");
    CursorColumn = 0;
    ScrollByCode = true;
    HScroll1.setValue(HScroll1.min());
    ScrollByCode = false;
    RedrawScore();
    MusicBox.setFocus();
    Loading = false;
}

void Form1::Command4_Click() {
    // The current track, its channel and colour stay as they are.
    Loading = true;
    ScoreFile.clear();
    ClearScore();
    showAndEnableEveryTrack();
    CursorColumn = 0;
    ScrollByCode = true;
    HScroll1.setValue(HScroll1.min());
    ScrollByCode = false;
    RedrawScore();
    MusicBox.setFocus();
    Loading = false;
}

}  // namespace app
