#pragma once
// Packing of the short messages the program sends.

#include <cstdint>
#include <optional>

namespace midi {

constexpr int PercussionChannel = 9;

// status | data1 << 8 | data2 << 16; nullopt when a data value does not fit a
// data byte (an instrument or key out of range is never sent as a wrong one).
std::optional<std::uint32_t> packShortMessage(int status, int data1, int data2);

}  // namespace midi
