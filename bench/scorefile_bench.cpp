// The score's files at their largest: every one of the 13 x 1001 cells used.
// MIDI export of the dense score, and writing and reading back its score file.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "score/FileAccess.h"
#include "score/MidiFile.h"
#include "score/ScoreText.h"

namespace {

struct DenseScore {
    score::Grid notes{};
    score::Grid instruments{};
    score::TrackInstruments trackInstrument{};
    score::HiddenTracks hidden{};
    std::int16_t tempo = 120;
};

// One-column notes back to back, each with its own instrument, now and then
// held for a second column: the most events a score can give.
const DenseScore& denseScore() {
    static const std::unique_ptr<DenseScore> dense = [] {
        auto song = std::make_unique<DenseScore>();
        std::mt19937 random(7);
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        for (int track = 0; track < score::TrackCount; ++track) {
            song->trackInstrument[track] = static_cast<std::int16_t>(pick(0, 174));
            int column = 0;
            while (column <= score::LastColumn) {
                const int row = pick(0, 127);
                const auto instrument = static_cast<std::int16_t>(pick(0, 174));
                const int length = pick(0, 7) == 0 ? 2 : 1;
                for (int i = 0; i < length && column <= score::LastColumn; ++i, ++column) {
                    song->notes[track][column] =
                        static_cast<std::int16_t>(i == 0 ? row : score::HeldOffset + row);
                    song->instruments[track][column] = instrument;
                }
            }
        }
        return song;
    }();
    return *dense;
}

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "sorvane-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void BM_ExportDenseScore(benchmark::State& state) {
    const auto& song = denseScore();
    std::size_t size = 0;
    for (auto _ : state) {
        auto bytes = score::buildMidiFile(song.notes, song.instruments, song.tempo, song.hidden);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_ExportDenseScore)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void BM_FormatDenseScoreText(benchmark::State& state) {
    const auto& song = denseScore();
    for (auto _ : state) {
        auto text =
            score::formatScoreText(song.notes, song.instruments, song.tempo, song.trackInstrument);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_FormatDenseScoreText)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// What Save does: the text, then the temporary file flushed to the disk and
// renamed over the old one.
void BM_WriteDenseScoreFile(benchmark::State& state) {
    const auto& song = denseScore();
    ScratchFolder folder;
    const std::string path = folder.file("dense.sng");
    std::size_t size = 0;
    for (auto _ : state) {
        const auto text =
            score::formatScoreText(song.notes, song.instruments, song.tempo, song.trackInstrument);
        size = text.size();
        const std::string error = score::replaceFileContent(path, text);
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    state.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_WriteDenseScoreFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// What Open does: the whole file read, then parsed into fresh grids.
void BM_ReadDenseScoreFile(benchmark::State& state) {
    const auto& song = denseScore();
    ScratchFolder folder;
    const std::string path = folder.file("dense.sng");
    score::replaceFileContent(path, score::formatScoreText(song.notes, song.instruments, song.tempo,
                                                           song.trackInstrument));
    for (auto _ : state) {
        const auto read = score::readScoreFile(path, song.trackInstrument);
        if (!read.content) state.SkipWithError(read.error.c_str());
        benchmark::DoNotOptimize(read.content->notes.data());
    }
}
BENCHMARK(BM_ReadDenseScoreFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
