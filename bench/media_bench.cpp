// Peak resident memory of the whole program (the main window loaded) while a
// long WAV file plays and while a long recording is written. Both run their
// real file paths faster than real time: the player's read-ahead is drained
// as fast as it reads, and the recorder's file takes 20 ms fragments as fast
// as they can be written; a few seconds of the real playback into the sound
// server are part of the first, when a server answers.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "platform/media/MediaControl.h"
#include "platform/media/WaveReadAhead.h"
#include "platform/media/WaveSpool.h"

namespace {

namespace fs = std::filesystem;
constexpr int Rate = 44100;
constexpr int StereoFrameBytes = 4;

fs::path scratchFolder() {
    const fs::path folder =
        fs::temp_directory_path() / ("sorvane-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    return folder;
}

void putLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 16-bit stereo WAV file of a quiet tone, written a second at a time.
void writeLongWav(const fs::path& path, int seconds) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(seconds) * Rate * StereoFrameBytes;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 2, 2);
    putLittleEndian(out, Rate, 4);
    putLittleEndian(out, Rate * StereoFrameBytes, 4);
    putLittleEndian(out, StereoFrameBytes, 2);
    putLittleEndian(out, 16, 2);
    out.write("data", 4);
    putLittleEndian(out, dataBytes, 4);
    std::vector<std::int16_t> second(static_cast<std::size_t>(Rate) * 2);
    for (std::size_t i = 0; i < second.size(); ++i) {
        second[i] = static_cast<std::int16_t>(3000 * std::sin(2 * M_PI * 440.0 * (i / 2) / Rate));
    }
    for (int s = 0; s < seconds; ++s) {
        out.write(reinterpret_cast<const char*>(second.data()),
                  static_cast<std::streamsize>(second.size() * sizeof(std::int16_t)));
    }
}

void BM_TwentyMinuteWavPlayback(benchmark::State& state) {
    benchsupport::ensureApplication();
    auto window = benchsupport::loadMainWindow(1024, 700);
    const fs::path folder = scratchFolder();
    const fs::path file = folder / "twenty minutes.wav";
    writeLongWav(file, 20 * 60);
    double peak = 0.0;
    double realPlaybackPeak = 0.0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        benchsupport::resetPeakResident();
        // The real player, as "Play MID or WAV file" starts it.
        const std::string open =
            "open waveaudio!" + media::quotePath(file.string()) + " alias sound";
        if (media::mciSendString(open) != media::Success) {
            state.SkipWithError("the player did not open the file");
            break;
        }
        if (media::mciSendString("play sound") == media::Success) {
            std::this_thread::sleep_for(std::chrono::seconds(3));
        }
        realPlaybackPeak = benchsupport::peakResidentMegabytes();
        media::mciSendString("close sound");
        // Its read-ahead, drained to the end of the file.
        std::string error;
        auto source = media::WaveReadAhead::open(file.string(), error);
        std::vector<float> block(1024 * 2);
        frames = 0;
        while (!source->finished()) {
            const int got = source->take(block.data(), 1024);
            if (got == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
            frames += got;
        }
        peak = benchsupport::peakResidentMegabytes();
    }
    state.counters["peak_resident_MB"] = peak;
    state.counters["peak_resident_real_playback_MB"] = realPlaybackPeak;
    state.counters["minutes_read"] = static_cast<double>(frames) / Rate / 60.0;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
BENCHMARK(BM_TwentyMinuteWavPlayback)->Iterations(1)->Unit(benchmark::kSecond);

void BM_ThirtyMinuteRecording(benchmark::State& state) {
    benchsupport::ensureApplication();
    auto window = benchsupport::loadMainWindow(1024, 700);
    const fs::path folder = scratchFolder();
    const media::WaveFormat format{Rate, 2, 16, StereoFrameBytes, Rate * StereoFrameBytes};
    // What the sound server hands over every 20 ms.
    const std::vector<std::uint8_t> fragment(static_cast<std::size_t>(format.bytesPerSecond / 50),
                                             0x11);
    const std::int64_t fragments = 30LL * 60 * 50;
    double peak = 0.0;
    double megabytes = 0.0;
    for (auto _ : state) {
        benchsupport::resetPeakResident();
        std::string error;
        auto spool = media::WaveSpool::create((folder / "1234tmp.wav").string(), format, error);
        if (!spool) {
            state.SkipWithError(error.c_str());
            break;
        }
        for (std::int64_t i = 0; i < fragments; ++i)
            spool->append(fragment.data(), fragment.size());
        if (!spool->saveAs((folder / "take.wav").string(), error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        megabytes = static_cast<double>(spool->lengthBytes()) / (1024.0 * 1024.0);
        peak = benchsupport::peakResidentMegabytes();
    }
    state.counters["peak_resident_MB"] = peak;
    state.counters["recorded_MB"] = megabytes;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
BENCHMARK(BM_ThirtyMinuteRecording)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
