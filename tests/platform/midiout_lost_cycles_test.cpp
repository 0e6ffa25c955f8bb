// Telling a cycle that PipeWire's server lost for a stream from its requests
// alone: the server's requests are simulated as it makes them, with its graph
// at 48 kHz waking every 256 frames, the stream at 44.1 kHz and requests of
// at least 236 frames, so that they come in twos and ones as on a desktop.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/midiout/LostCycleWatch.h"

namespace {

constexpr int Rate = 44100;
constexpr double CycleMicros = 256 * 1e6 / 48000;
constexpr double FramesPerCycle = 256.0 * Rate / 48000;
constexpr int RequestFrames = 236;
// The stream's first request fills its queue; the graph starts a moment later.
constexpr int FirstFill = 740;
constexpr double GraphStartMicros = 5000;
// How long the server takes to send a request after its cycle, round by round.
constexpr std::int64_t ReplyMicros[] = {150, 420, 230, 180, 390, 160, 310, 200};

struct Hold {
    double atSeconds;
    double millis;
    double lateMillis = 0;  // each request meanwhile; none: until the end
};

struct Scenario {
    std::string name;
    std::vector<Hold> heldUp;        // requests held back meanwhile
    std::vector<double> lostCycles;  // seconds at which the graph misses the stream
    std::vector<Hold> paused;        // the stream corked meanwhile: no cycles at all
    std::size_t expectedLosses;
};

struct Request {
    std::int64_t micros;
    int frames;
};

std::vector<Request> serverRequests(const Scenario& scenario, double seconds) {
    std::vector<Request> requests;
    double consumed = 0;
    std::int64_t asked = 0;
    std::size_t lost = 0;
    for (int cycle = 1; cycle * CycleMicros < seconds * 1e6; ++cycle) {
        const double micros = GraphStartMicros + cycle * CycleMicros;
        const auto within = [&](const Hold& hold) {
            return micros >= hold.atSeconds * 1e6 &&
                   micros < (hold.atSeconds * 1e6 + hold.millis * 1e3);
        };
        if (std::any_of(scenario.paused.begin(), scenario.paused.end(), within)) continue;
        if (lost < scenario.lostCycles.size() && micros >= scenario.lostCycles[lost] * 1e6) {
            ++lost;  // the sink plays silence; nothing is taken from the stream
            continue;
        }
        consumed += FramesPerCycle;
        const double missing = std::floor(consumed) - static_cast<double>(asked);
        if (missing < RequestFrames) continue;
        std::int64_t sentMicros = static_cast<std::int64_t>(micros) + ReplyMicros[cycle % 8];
        for (const Hold& hold : scenario.heldUp) {
            if (!within(hold)) continue;
            sentMicros =
                hold.lateMillis > 0
                    ? sentMicros + static_cast<std::int64_t>(hold.lateMillis * 1e3)
                    : static_cast<std::int64_t>((hold.atSeconds * 1e3 + hold.millis) * 1e3);
        }
        requests.push_back({sentMicros, static_cast<int>(missing)});
        asked += static_cast<std::int64_t>(missing);
    }
    return requests;
}

// The seconds at which the watch told a lost cycle.
std::vector<double> lossesTold(const Scenario& scenario) {
    midiout::LostCycleWatch watch(Rate);
    std::vector<double> told;
    std::int64_t asked = 0;
    std::vector<Request> requests = serverRequests(scenario, 5.0);
    requests.insert(requests.begin(), {0, FirstFill});
    for (const Request& request : requests) {
        asked += request.frames;
        if (watch.lostCycle(request.micros, asked, RequestFrames)) {
            told.push_back(static_cast<double>(request.micros) / 1e6);
        }
    }
    return told;
}

TEST(LostCycleWatch, TellsEachCycleTheServerLostAndNothingElse) {
    const std::vector<Scenario> scenarios = {
        {"requests on time", {}, {}, {}, 0},
        {"the server's thread held up 7 ms", {{1.2, 7}, {2.5, 7}}, {}, {}, 0},
        {"the render held up 20 ms", {{2.0, 20}}, {}, {}, 0},
        {"every request 3 ms late for 80 ms", {{2.0, 80, 3}}, {}, {}, 0},
        {"the stream paused for 300 ms", {}, {}, {{1.5, 300}}, 0},
        {"one lost cycle", {}, {1.5}, {}, 1},
        {"a lost cycle while requests come late", {{1.49, 7}}, {1.5}, {}, 1},
        {"lost cycles a second apart", {}, {1.5, 2.5, 3.5}, {}, 3},
    };
    for (const Scenario& scenario : scenarios) {
        const std::vector<double> told = lossesTold(scenario);
        ASSERT_EQ(told.size(), scenario.expectedLosses) << scenario.name;
        for (std::size_t k = 0; k < told.size(); ++k) {
            // Told within a few rounds of requests.
            EXPECT_GE(told[k], scenario.lostCycles[k]) << scenario.name;
            EXPECT_LE(told[k], scenario.lostCycles[k] + 0.1) << scenario.name;
        }
    }
}

}  // namespace
