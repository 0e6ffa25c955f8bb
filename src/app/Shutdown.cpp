#include "app/Form1.h"
#include "platform/forms/Application.h"
#include "platform/midiout/MidiOut.h"

namespace app {

// Closing the window, "Exit" and the Exit button end the program alike: the
// notes playback left sounding are turned off, the MIDI output is closed and
// the program ends at once, asking nothing.
void Form1::shutDown() {
    // A port device would keep sounding what was left on.
    silenceOutputBeforeClose();
    MidiResult = midiout::midiOutClose(MidiOutHandle);
    forms::endProgram(0);
}

void Form1::Form_Unload(int& /*Cancel*/) {
    shutDown();
}

void Form1::mnuExit_Click() {
    shutDown();
}

void Form1::Command3_Click() {
    shutDown();
}

}  // namespace app
