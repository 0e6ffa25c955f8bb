// The messages of live notes and instrument changes for track NoteChannel.

#include "app/Form1.h"
#include "midi/ShortMessage.h"
#include "platform/midiout/MidiOut.h"

namespace app {

namespace {
constexpr int NoteOn = 0x90;
constexpr int NoteOff = 0x80;
constexpr int ControlChange = 0xB0;
constexpr int ProgramChange = 0xC0;
constexpr int BankSelectCoarse = 0;
constexpr int BankSelectFine = 32;

void send(std::uint32_t handle, int status, int data1, int data2) {
    if (auto message = midi::packShortMessage(status, data1, data2)) {
        midiout::midiOutShortMsg(handle, *message);
    }
}

int validTrack(int track) {
    return track >= 0 && track < score::TrackCount ? track : 0;
}
}  // namespace

// A note's key and channel come from the track's percussion state at the moment
// of sending, for the note on and its note off alike.
void Form1::chooseNoteKey(std::int16_t row) {
    const int track = validTrack(NoteChannel);
    if (IsDrumTrack[track]) {
        NoteKey = DrumKey[track];
        MessageChannel = midi::PercussionChannel;
    } else {
        NoteKey = static_cast<std::int16_t>(127 - row);
        MessageChannel = static_cast<std::int16_t>(track);
    }
}

void Form1::StartNote(std::int16_t row) {
    chooseNoteKey(row);
    send(MidiOutHandle, NoteOn + MessageChannel, NoteKey, PreviewVelocity);
}

void Form1::StopNote(std::int16_t row) {
    chooseNoteKey(row);
    send(MidiOutHandle, NoteOff + MessageChannel, NoteKey, 0);
}

midi::LiveNote Form1::startLiveNote(std::int16_t row) {
    StartNote(row);
    return {NoteChannel, TrackInstrument[validTrack(NoteChannel)], MessageChannel, NoteKey};
}

// Event handlers that run while a note sounds may change the track's
// percussion state, NoteChannel or the view; the note off goes by what the note
// on sent.
void Form1::stopLiveNote(const midi::LiveNote& note) {
    MessageChannel = note.channel;
    NoteKey = note.key;
    send(MidiOutHandle, NoteOff + MessageChannel, NoteKey, 0);
}

void Form1::SetInstrument(std::int16_t number) {
    const int track = validTrack(NoteChannel);
    // Whatever playback made current on this track no longer is: its next
    // note start sends its own instrument again (playback's own change sets
    // the mark back once its note has started).
    CurInstrument[track] = -1;
    if (number >= score::FirstPercussionInstrument) {
        IsDrumTrack[track] = true;
        DrumKey[track] = static_cast<std::int16_t>(number - score::PercussionKeyOffset);
        return;
    }
    send(MidiOutHandle, ControlChange + track, BankSelectCoarse, 0);
    send(MidiOutHandle, ControlChange + track, BankSelectFine, 0);
    send(MidiOutHandle, ProgramChange + track, number, 0);
    IsDrumTrack[track] = false;
}

}  // namespace app
