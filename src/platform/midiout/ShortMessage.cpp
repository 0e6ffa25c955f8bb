#include "platform/midiout/ShortMessage.h"

namespace midiout {

int dataByteCount(std::uint8_t status) {
    if (status < 0x80) return -1;
    if (status < 0xF0) {
        const int kind = status & 0xF0;
        return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    }
    switch (status) {
        case 0xF1:  // time code quarter frame
        case 0xF3:  // song select
            return 1;
        case 0xF2:  // song position
            return 2;
        case 0xF6:  // tune request
        case 0xF8:
        case 0xFA:
        case 0xFB:
        case 0xFC:
        case 0xFE:
        case 0xFF:
            return 0;
        default:  // system exclusive start/end and the undefined codes
            return -1;
    }
}

std::optional<ShortMessage> decodeShortMessage(std::uint32_t msg) {
    ShortMessage message;
    message.status = static_cast<std::uint8_t>(msg & 0xFF);
    message.dataCount = dataByteCount(message.status);
    if (message.dataCount < 0) return std::nullopt;
    const auto first = static_cast<std::uint8_t>((msg >> 8) & 0xFF);
    const auto second = static_cast<std::uint8_t>((msg >> 16) & 0xFF);
    if (message.dataCount >= 1) {
        if (first > 0x7F) return std::nullopt;
        message.data1 = first;
    }
    if (message.dataCount >= 2) {
        if (second > 0x7F) return std::nullopt;
        message.data2 = second;
    }
    return message;
}

}  // namespace midiout
