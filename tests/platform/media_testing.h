#pragma once
// Files for the media-control tests, written by libsndfile and by hand.

#include <sndfile.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace media_test {

// A mono 16-bit WAV file holding a sine tone after a stretch of silence.
inline bool writeToneWav(const std::string& path, double hz, double seconds,
                         double silenceSeconds = 0.0, int rate = 44100) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const auto silent = static_cast<std::size_t>(silenceSeconds * rate);
    std::vector<float> samples(silent + static_cast<std::size_t>(seconds * rate), 0.0f);
    for (std::size_t i = silent; i < samples.size(); ++i) {
        samples[i] =
            static_cast<float>(0.5 * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate));
    }
    const auto written =
        sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    return written == static_cast<sf_count_t>(samples.size());
}

// A one-track MIDI file at 96 ticks a beat: a piano note of the given key held
// for the given number of beats.
inline bool writeNoteMidi(const std::string& path, int key, int beats) {
    const int ticks = beats * 96;
    std::vector<std::uint8_t> track = {0x00, 0xC0, 0, 0x00, 0x90, static_cast<std::uint8_t>(key),
                                       100};
    // The delta time as a variable-length number.
    std::vector<std::uint8_t> delta;
    for (int value = ticks;; value >>= 7) {
        delta.insert(delta.begin(),
                     static_cast<std::uint8_t>((value & 0x7F) | (delta.empty() ? 0 : 0x80)));
        if (value < 0x80) break;
    }
    track.insert(track.end(), delta.begin(), delta.end());
    for (std::uint8_t byte : {0x80, key, 0x00, 0x00, 0xFF, 0x2F, 0x00}) track.push_back(byte);
    std::vector<std::uint8_t> bytes = {
        'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 0, 0,
        1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(track.size())};
    bytes.insert(bytes.end(), track.begin(), track.end());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// A folder of its own for a test, removed with the object.
class TempFolder {
public:
    TempFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("sorvane-media-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    std::filesystem::path path_;
};

}  // namespace media_test
