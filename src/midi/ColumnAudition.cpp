// The column audition: while a note is drawn, the other shown tracks' notes in
// the pressed column sound with it.

#include "app/Form1.h"

namespace app {

void Form1::StartColumnNotes() {
    // Notes left from a gesture that never ended are turned off first, so the
    // list only ever holds what is sounding.
    if (AuditionNoteCount > 0) StopColumnNotes();
    const int column = FirstColumn + AuditionColumn;
    if (column < 0 || column > score::LastColumn) return;
    for (int track = 0; track < score::TrackCount; ++track) {
        if (isTrackHidden(track) || track == CurrentTrack) continue;
        // A start cell v and a held cell 1000 + v both sound row v.
        const int row = Notes[track][column] % score::HeldOffset;
        if (row < 0) continue;
        const std::int16_t instrument = Instruments[track][column];
        NoteChannel = static_cast<std::int16_t>(track);
        SetInstrument(instrument);
        midi::LiveNote note = startLiveNote(static_cast<std::int16_t>(row));
        note.instrument = instrument;
        AuditionNotes[AuditionNoteCount++] = note;
    }
}

// Turns off the notes StartColumnNotes turned on, each with its instrument set
// again first; a scroll or an edit since the press changes none of them.
void Form1::StopColumnNotes() {
    for (int index = 0; index < AuditionNoteCount; ++index) {
        const midi::LiveNote& note = AuditionNotes[index];
        NoteChannel = note.track;
        SetInstrument(note.instrument);
        stopLiveNote(note);
    }
    AuditionNoteCount = 0;
}

}  // namespace app
