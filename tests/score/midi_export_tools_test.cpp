// Exported scores of every kind, read back by independent tools: mido and
// midicsv report the notes, programs and tempo of the score; FluidSynth plays
// a file to sound.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

#include "ExportCheck.h"
#include "MidiWalk.h"
#include "RandomScore.h"
#include "score/MidiFile.h"

namespace {

using namespace scoretest;

TEST(MidiExportTools, RandomScoresReadBackAsTheyWereWritten) {
    TempFolder folder;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomScoreOptions options;
        options.shiftedHeldCells = seed % 2 == 0;
        options.hideSomeTracks = seed % 3 == 0;
        const auto song = randomScore(seed, options);
        const auto bytes = exportAndCheck(*song, folder, "random" + std::to_string(seed) + ".mid");
        const auto walked = walkMidiFile(bytes);
        EXPECT_EQ(walked.error, "");
        EXPECT_EQ(checkNotePairs(walked), "");
    }
}

TEST(MidiExportTools, DenseScoreExportsWholeBeyondTheOldBuffer) {
    TempFolder folder;
    const auto song = denseScore();
    const auto bytes = exportAndCheck(*song, folder, "dense.mid");
    EXPECT_GT(bytes.size(), 100000u);
    const auto walked = walkMidiFile(bytes);
    ASSERT_EQ(walked.error, "");
    EXPECT_EQ(checkNotePairs(walked), "");
    ASSERT_EQ(walked.tracks.size(), 14u);
    for (int chunk = 1; chunk < 14; ++chunk) {
        EXPECT_EQ(walked.tracks[chunk].back().tick, 1001 * 12) << chunk;
    }
}

TEST(MidiExportTools, FluidSynthRendersTheExportToSound) {
    TempFolder folder;
    auto song = randomScore(11);
    // Half a minute of music is plenty; the rest would only slow the render.
    for (auto& track : song->notes) std::fill(track.begin() + 120, track.end(), score::EmptyCell);
    song->tempo = 200;
    const auto bytes = exportAndCheck(*song, folder, "render.mid");
    const std::string wav = folder.file("render.wav");
    std::string output;
    const int status =
        runCommand("fluidsynth -ni -q -F '" + wav + "' /usr/share/sounds/sf2/default-GM.sf2 '" +
                       folder.file("render.mid") + "' 2>&1",
                   output);
    ASSERT_EQ(status, 0) << output;

    SF_INFO info{};
    SNDFILE* file = sf_open(wav.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    ASSERT_GT(read, info.samplerate);  // over a second of audio
    double peak = 0;
    double energy = 0;
    for (float s : samples) {
        peak = std::max(peak, std::fabs(static_cast<double>(s)));
        energy += static_cast<double>(s) * s;
    }
    const double rms = std::sqrt(energy / static_cast<double>(samples.size()));
    EXPECT_GT(peak, 0.05);
    EXPECT_GT(rms, 0.001);
}

}  // namespace
