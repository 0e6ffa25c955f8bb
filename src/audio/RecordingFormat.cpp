#include "audio/RecordingFormat.h"

namespace audio {

RecordingFormat recordingFormatFor(const std::string& caption) {
    struct Row {
        std::int32_t bits;
        std::int32_t channels;
    };
    static constexpr std::array<Row, 4> rows = {{{8, 1}, {8, 2}, {16, 1}, {16, 2}}};
    RecordingFormat format;
    for (std::size_t i = 0; i < RecordingFormatCaptions.size(); ++i) {
        if (caption != RecordingFormatCaptions[i]) continue;
        format.samplesPerSecond = 44100;
        format.bitsPerSample = rows[i].bits;
        format.channels = rows[i].channels;
        format.alignment = static_cast<std::int16_t>(format.channels * format.bitsPerSample / 8);
        format.bytesPerSecond = format.samplesPerSecond * format.alignment;
    }
    return format;
}

std::string setCaptureCommand(const RecordingFormat& format) {
    return "set capture samplespersec " + std::to_string(format.samplesPerSecond) + " channels " +
           std::to_string(format.channels) + " bitspersample " +
           std::to_string(format.bitsPerSample) + " alignment " + std::to_string(format.alignment) +
           " bytespersec " + std::to_string(format.bytesPerSecond);
}

}  // namespace audio
