// Choosing and opening the MIDI output device.

#include "app/Form1.h"
#include "platform/midiout/MidiOut.h"

namespace app {

namespace {
constexpr int DeviceMenuEntries = 11;
}

void Form1::Device_Click(int Index) {
    for (int entry = 0; entry < DeviceMenuEntries; ++entry) {
        if (forms::Menu* item = Device.find(entry)) item->setChecked(false);
    }
    if (forms::Menu* chosen = Device.find(Index)) chosen->setChecked(true);
    MidiDeviceId = Index - 1;
    silenceOutputBeforeClose();
    MidiResult = midiout::midiOutClose(MidiOutHandle);
    MidiResult = midiout::midiOutOpen(MidiOutHandle, MidiDeviceId);
    if (MidiResult != 0) {
        MidiResult = midiout::midiOutClose(MidiOutHandle);
        MidiResult = midiout::midiOutOpen(MidiOutHandle, MidiDeviceId + 1);
    }
    // Raises Combo2_Click, and so a second open, only when the list showed
    // another entry: a choice from the menu opens twice, from the list once.
    Combo2.setListIndex(MidiDeviceId + 1);
}

void Form1::Combo2_Click() {
    Device_Click(Combo2.listIndex());
}

void Form1::Combo2_LostFocus() {}

}  // namespace app
