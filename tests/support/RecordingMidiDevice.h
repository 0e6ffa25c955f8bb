#pragma once
// A MIDI output device for tests: keeps every message it is sent with the time
// it arrived, and counts opens and closes. It can be told to refuse opening.

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/midiout/MidiOut.h"

namespace testsupport {

struct RecordedMidiMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::int64_t tick = 0;  // timing::GetTickCount() when it arrived
};

class RecordingMidiDevice : public midiout::Device {
public:
    explicit RecordingMidiDevice(std::string name = "Recording device");

    std::string name() const override;
    bool open() override;
    void close() override;
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;

    // While set, open() refuses and nothing is counted as opened.
    void setFailOpen(bool fail);

    std::vector<RecordedMidiMessage> messages() const;
    // The messages as (status, data 1, data 2), easy to compare with a list.
    std::vector<std::array<std::uint8_t, 3>> bytes() const;
    // Forgets the messages; the open and close counts stay.
    void clear();

    int openCount() const;
    int closeCount() const;
    // Messages that came while the device was not open; a correct caller sends
    // none, since the handle table refuses them.
    int messagesWhileClosed() const;
    bool isOpen() const;

private:
    mutable std::mutex mutex_;
    std::string name_;
    std::vector<RecordedMidiMessage> messages_;
    bool failOpen_ = false;
    bool open_ = false;
    int opens_ = 0;
    int closes_ = 0;
    int whileClosed_ = 0;
};

}  // namespace testsupport
