// Selecting the current track and hiding tracks. A track's hidden state lives
// only in its "Hide this channel" box and is read there whenever it matters.

#include "app/Form1.h"

namespace app {

namespace {
constexpr forms::OleColour HiddenBoxColour = 0x000000;
constexpr forms::OleColour ShownBoxColour = 0xFFFFFF;
}  // namespace

void Form1::TrackSel_Click(int Index) {
    if (!TrackSel.has(Index)) return;
    MusicBox.setFocus();
    markSelectedTrack(Index);
    for (const auto& [track, box] : TrackHide) box->setEnabled(true);
    // The current track cannot be hidden.
    TrackHide(Index).setEnabled(false);
    CurrentTrack = static_cast<std::int16_t>(Index);
    NoteChannel = static_cast<std::int16_t>(Index);
    CurrentTrackColour = SelectedTrackColours[Index];
    RedrawScore();
    Command9_Click();
}

// Our option buttons are selected at the release, after this press; a press on
// a button that is not yet selected leaves the work to TrackSel_Click, so a
// press released outside the button changes nothing.
void Form1::TrackSel_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (TrackSel.has(Index) && TrackSel(Index).value()) markSelectedTrack(Index);
}

// The melody and rhythm buttons lie in two containers, each keeping one
// selected; this keeps one selected over all thirteen.
void Form1::markSelectedTrack(int Index) {
    for (const auto& [track, button] : TrackSel) {
        if (track != Index) button->setValue(false);
    }
    for (const auto& [track, box] : TrackHide) box->setPicture(forms::Picture());
    if (TrackSel(Index).value() && TrackHide.has(Index)) {
        TrackHide(Index).setPicture(Image29.picture());
    }
}

void Form1::TrackSel_GotFocus(int /*Index*/) {
    MusicBox.setFocus();
}

void Form1::TrackHide_Click(int Index) {
    if (!TrackHide.has(Index)) return;
    MusicBox.setFocus();
    forms::CheckBox& box = TrackHide(Index);
    if (box.value() == 1) {
        // A hidden track cannot be selected.
        TrackSel(Index).setEnabled(false);
        box.setBackColor(HiddenBoxColour);
        box.setPicture(forms::Picture());
    } else {
        TrackSel(Index).setEnabled(true);
        box.setBackColor(ShownBoxColour);
    }
    RedrawScore();
}

}  // namespace app
