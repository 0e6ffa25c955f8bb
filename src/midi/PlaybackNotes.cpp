// One playback step's messages, track by track: the instrument when a note
// starts with another one, then the note off of what the track has sounding,
// then the note on of the new note.

#include "app/Form1.h"
#include "midi/ShortMessage.h"
#include "platform/midiout/MidiOut.h"

namespace app {

namespace {

constexpr int NoteOff = 0x80;
constexpr std::int16_t EmptyKind = 0;
constexpr std::int16_t NoteStartKind = 1;
constexpr std::int16_t HeldKind = 2;

std::int16_t cellKind(std::int16_t cell) {
    if (cell < 0) return EmptyKind;
    return cell < score::HeldOffset ? NoteStartKind : HeldKind;
}

}  // namespace

void Form1::PlayNotes() {
    if (PlayColumn < 0 || PlayColumn > score::LastColumn) return;
    for (int track = 0; track < score::TrackCount; ++track) {
        TrackCounter = static_cast<std::int16_t>(track);
        if (isTrackHidden(track)) {
            // A track hidden while its note sounds gets that note off, and
            // nothing else.
            stopSoundingNote(track);
            continue;
        }
        NoteChannel = static_cast<std::int16_t>(track);
        const std::int16_t cell = Notes[track][PlayColumn];
        const std::int16_t instrument = Instruments[track][PlayColumn];
        PrevCellKind = cellKind(LastCell[track]);
        CellKind = cellKind(cell);

        if (CellKind == NoteStartKind && instrument != CurInstrument[track]) {
            SetInstrument(instrument);
        }
        // A note start or an empty cell ends the sounding note; a held cell
        // keeps it. A held cell whose note began before playback did sounds
        // nothing, so nothing of it is turned off.
        if (CellKind != HeldKind) stopSoundingNote(track);
        if (CellKind == NoteStartKind) {
            StartNote(static_cast<std::int16_t>(cell % score::HeldOffset));
            soundingNotes[track] = {true, MessageChannel, NoteKey};
            CurInstrument[track] = instrument;
        }
        LastCell[track] = cell;
    }
}

// The note off goes out with the channel and key its note on had, whatever
// the track's percussion state or cells are now.
void Form1::stopSoundingNote(int track) {
    midi::SoundingNote& note = soundingNotes[track];
    if (!note.sounding) return;
    note.sounding = false;
    NoteChannel = static_cast<std::int16_t>(track);
    MessageChannel = note.channel;
    NoteKey = note.key;
    if (auto message = midi::packShortMessage(NoteOff + note.channel, note.key, 0)) {
        midiout::midiOutShortMsg(MidiOutHandle, *message);
    }
}

void Form1::stopSoundingNotes() {
    for (int track = 0; track < score::TrackCount; ++track) stopSoundingNote(track);
}

}  // namespace app
