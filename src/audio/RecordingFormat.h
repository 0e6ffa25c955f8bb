#pragma once
// The recording formats offered in the format list, keyed by their captions.

#include <array>
#include <cstdint>
#include <string>

namespace audio {

struct RecordingFormat {
    std::int32_t samplesPerSecond = 0;
    std::int32_t bitsPerSample = 0;
    std::int32_t channels = 0;
    std::int16_t alignment = 0;
    std::int32_t bytesPerSecond = 0;
};

inline constexpr std::array<const char*, 4> RecordingFormatCaptions = {
    "44.100Hz, 8bit Mono, 43k/sec", "44.100Hz, 8bit Stereo, 86k/sec",
    "44.100Hz, 16bit Mono, 86k/sec", "44.100Hz, 16bit Stereo, 172k/sec"};

// The numbers of the format with exactly this caption; all zero for any other
// text.
RecordingFormat recordingFormatFor(const std::string& caption);

// The command that sets a capture device to the format.
std::string setCaptureCommand(const RecordingFormat& format);

}  // namespace audio
