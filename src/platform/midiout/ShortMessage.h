#pragma once
// Splitting a packed short message into its bytes, and the rules on which
// messages a device may be given.

#include <cstdint>
#include <optional>

namespace midiout {

struct ShortMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;  // 0 when the message has no first data byte
    std::uint8_t data2 = 0;  // 0 when the message has no second data byte
    int dataCount = 0;       // how many data bytes the message carries
};

// The number of data bytes a message with this status carries, or -1 when the
// status cannot start a short message (a data byte, a system exclusive, an
// undefined system code).
int dataByteCount(std::uint8_t status);

// Unpacks msg (status in bits 0-7, then the data bytes). Returns nothing when
// the status cannot start a short message or one of the data bytes the message
// carries does not fit 7 bits. Bytes the message does not carry are ignored and
// come out as 0.
std::optional<ShortMessage> decodeShortMessage(std::uint32_t msg);

}  // namespace midiout
