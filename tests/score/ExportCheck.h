#pragma once
// Checking exported MIDI files: what a score should sound like, worked out
// from its grids without the exporter, and what independent tools (mido and
// midicsv) read from the file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "score/ScoreGrids.h"

namespace scoretest {

// One channel event: chunk 0 is the tempo track, score track t is chunk t + 1.
struct ChannelEvent {
    enum Kind { On, Off, Program };
    int chunk = 0;
    long tick = 0;
    Kind kind = On;
    int channel = 0;
    int data = 0;  // key or program
    auto operator<=>(const ChannelEvent&) const = default;
};

std::string describe(const std::vector<ChannelEvent>& events);

struct MidiReport {
    bool ok = false;
    std::string error;  // the tool's complaint when it could not read the file
    int format = -1;
    int trackCount = -1;
    int ticksPerQuarter = -1;
    long tempo = -1;                    // microseconds per quarter note
    std::vector<ChannelEvent> events;   // sorted
    std::vector<long> endOfTrackTicks;  // per chunk
};

struct Score {
    score::Grid notes{};
    score::Grid instruments{};
    std::int16_t tempo = 120;
    score::HiddenTracks hidden{};
};
std::unique_ptr<Score> emptyScore();

// The notes a score holds: each note start with the held cells after it,
// ended by the next cell that is not held; program changes where a note
// brings a new melodic instrument. Sorted.
std::vector<ChannelEvent> expectedEvents(const Score& song);
long expectedEndTick(const Score& song);

MidiReport readWithMido(const std::string& path);
MidiReport readWithMidicsv(const std::string& path);

// A folder of its own under the system's temporary folder, removed with it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::string readText(const std::string& path);

// Runs a shell command; returns its exit status and fills output with what it
// printed on standard output.
int runCommand(const std::string& command, std::string& output);

// Exports the score, writes the file into the folder and has mido and midicsv
// read it back; fails the test when either disagrees with the score.
std::vector<std::uint8_t> exportAndCheck(const Score& song, const TempFolder& folder,
                                         const std::string& name);

}  // namespace scoretest
