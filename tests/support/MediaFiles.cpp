#include "support/MediaFiles.h"

#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace testsupport {

bool writeToneWav(const std::string& path, double hz, double seconds, double rightHz) {
    constexpr int rate = 44100;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = rightHz > 0 ? 2 : 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> samples;
    for (std::size_t i = 0; i < frames; ++i) {
        for (double pitch : {hz, rightHz}) {
            if (pitch <= 0) continue;
            samples.push_back(static_cast<float>(0.5 * std::sin(2.0 * M_PI * pitch * i / rate)));
        }
    }
    const auto written = sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    return written == static_cast<sf_count_t>(frames);
}

bool writeNoteMidi(const std::string& path, int key, int beats) {
    const auto k = static_cast<std::uint8_t>(key);
    std::vector<std::uint8_t> track = {0x00, 0xC0, 0, 0x00, 0x90, k, 100};
    std::vector<std::uint8_t> delta;  // the note's length as a variable-length number
    for (int value = beats * 96;; value >>= 7) {
        delta.insert(delta.begin(),
                     static_cast<std::uint8_t>((value & 0x7F) | (delta.empty() ? 0 : 0x80)));
        if (value < 0x80) break;
    }
    track.insert(track.end(), delta.begin(), delta.end());
    track.insert(track.end(), {0x80, k, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> bytes = {
        'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 0, 0,
        1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(track.size())};
    bytes.insert(bytes.end(), track.begin(), track.end());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace testsupport
