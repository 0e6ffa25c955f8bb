#pragma once
// The system's MIDI output ports: the ALSA sequencer's writable ports, through
// RtMidi. A system without a sequencer simply has none.

#include <memory>
#include <vector>

#include "platform/midiout/MidiOut.h"
#include "platform/midiout/PortClient.h"

namespace midiout {

// The ports as they are now, in the sequencer's order, each named in full.
std::vector<std::shared_ptr<Device>> listSystemPorts();
// The same over the sequencer connections that newClient makes.
std::vector<std::shared_ptr<Device>> listSystemPorts(const PortClientFactory& newClient);

}  // namespace midiout
