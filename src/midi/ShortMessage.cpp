#include "midi/ShortMessage.h"

namespace midi {

std::optional<std::uint32_t> packShortMessage(int status, int data1, int data2) {
    if (status < 0x80 || status > 0xFF) return std::nullopt;
    if (data1 < 0 || data1 > 0x7F || data2 < 0 || data2 > 0x7F) return std::nullopt;
    return static_cast<std::uint32_t>(status) | static_cast<std::uint32_t>(data1) << 8 |
           static_cast<std::uint32_t>(data2) << 16;
}

}  // namespace midi
