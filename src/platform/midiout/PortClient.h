#pragma once
// One connection to the system's MIDI sequencer, as the port devices need it:
// the writable ports by name, one of them opened, bytes sent to it. The
// program's connection goes through RtMidi to the ALSA sequencer; tests put a
// fake of their own behind the same interface.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace midiout {

class PortClient {
public:
    virtual ~PortClient() = default;
    // The writable ports' names in the sequencer's order, up to the first
    // that cannot be read.
    virtual std::vector<std::string> portNames() = 0;
    // Opens the port at this index of portNames(); false when that fails.
    virtual bool openPort(unsigned index) = 0;
    virtual void closePort() = 0;
    // One whole message: the status byte and the data bytes it carries.
    virtual void sendMessage(const std::vector<unsigned char>& bytes) = 0;
};

// A new connection, or nullptr when the system has no sequencer.
using PortClientFactory = std::function<std::unique_ptr<PortClient>()>;

// Connections to the ALSA sequencer through RtMidi.
std::unique_ptr<PortClient> newRtMidiClient();

}  // namespace midiout
