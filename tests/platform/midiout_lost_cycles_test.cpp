// Telling a cycle that PipeWire's server lost for a stream from its requests
// alone: the server's requests are simulated as it makes them, with its graph
// at 48 kHz waking every 256 frames unless another program or its settings
// make it wake at another cycle, the stream at 44.1 kHz and requests of at
// least 236 frames, so that they come in ones, twos and threes as on a
// desktop.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/midiout/LostCycleWatch.h"

namespace {

constexpr int Rate = 44100;
constexpr int GraphRate = 48000;
constexpr int RequestFrames = 236;
// The stream's first request fills its queue; the graph starts a moment later.
constexpr int FirstFill = 740;
constexpr double GraphStartMicros = 5000;
// How long the server takes to send a request after its cycle, round by round.
constexpr std::int64_t ReplyMicros[] = {150, 420, 230, 180, 390, 160, 310, 200};
// A graph moving to a shorter cycle reads less ahead from then on: the line
// falls by the old cycle at once, and by half of one more as it settles.
constexpr double SettleStepSeconds = 0.4;

struct Hold {
    double atSeconds;
    double millis;
    double lateMillis = 0;  // each request meanwhile; none: until the end
};

// From atSeconds on, the graph wakes every graphFrames.
struct CycleChange {
    double atSeconds;
    int graphFrames;
};

struct Scenario {
    std::string name;
    std::vector<Hold> heldUp;        // requests held back meanwhile
    std::vector<double> lostCycles;  // seconds at which the graph misses the stream
    std::vector<Hold> paused;        // the stream corked meanwhile: no cycles at all
    std::size_t expectedLosses;
    std::vector<CycleChange> cycleChanges = {};
    int firstGraphFrames = 256;
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
    std::size_t change = 0;
    int graphFrames = scenario.firstGraphFrames;
    double micros = GraphStartMicros;
    std::vector<Hold> settleSteps;  // millis: the frames read less then
    for (int round = 0;; ++round) {
        micros += graphFrames * 1e6 / GraphRate;
        if (micros >= seconds * 1e6) break;
        const auto within = [&](const Hold& hold) {
            return micros >= hold.atSeconds * 1e6 &&
                   micros < (hold.atSeconds * 1e6 + hold.millis * 1e3);
        };
        if (change < scenario.cycleChanges.size() &&
            micros >= scenario.cycleChanges[change].atSeconds * 1e6) {
            const double oldCycle = static_cast<double>(graphFrames) * Rate / GraphRate;
            const bool shorter = scenario.cycleChanges[change].graphFrames < graphFrames;
            consumed += shorter ? -oldCycle : oldCycle;
            if (shorter) settleSteps.push_back({micros / 1e6 + SettleStepSeconds, oldCycle / 2});
            graphFrames = scenario.cycleChanges[change++].graphFrames;
        }
        for (Hold& step : settleSteps) {
            if (step.millis > 0 && micros >= step.atSeconds * 1e6) {
                consumed -= step.millis;
                step.millis = 0;
            }
        }
        if (std::any_of(scenario.paused.begin(), scenario.paused.end(), within)) continue;
        if (lost < scenario.lostCycles.size() && micros >= scenario.lostCycles[lost] * 1e6) {
            ++lost;  // the sink plays silence; nothing is taken from the stream
            continue;
        }
        consumed += static_cast<double>(graphFrames) * Rate / GraphRate;
        const double missing = std::floor(consumed) - static_cast<double>(asked);
        if (missing < RequestFrames) continue;
        std::int64_t sentMicros = static_cast<std::int64_t>(micros) + ReplyMicros[round % 8];
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
    std::vector<Request> requests;
    requests.push_back({0, FirstFill});
    for (const Request& request : serverRequests(scenario, 5.0)) {
        // Requests that arrive together are taken in one go.
        if (request.micros == requests.back().micros) {
            requests.back().frames += request.frames;
        } else {
            requests.push_back(request);
        }
    }
    for (const Request& request : requests) {
        asked += request.frames;
        if (watch.judge(request.micros, asked, request.frames, RequestFrames) ==
            midiout::LostCycleWatch::Verdict::LostCycle) {
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
        {"a lost cycle while the render is held up", {{1.49, 20}}, {1.5}, {}, 1},
        {"lost cycles a second apart", {}, {1.5, 2.5, 3.5}, {}, 3},
        // Another program joins the graph at a shorter cycle, and leaves.
        {"joins at 128, leaves", {}, {}, {}, 0, {{1.0, 128}, {2.5, 256}}},
        {"joins at 64, leaves", {}, {}, {}, 0, {{1.0, 64}, {2.5, 256}}},
        {"joins again soon after", {}, {}, {}, 0, {{1.0, 128}, {2.0, 256}, {2.5, 128}, {3.5, 256}}},
        {"several come and go", {}, {}, {}, 0, {{1.0, 128}, {1.2, 256}, {1.4, 64}, {1.8, 32}}},
        {"from 512 to 128 and back", {}, {}, {}, 0, {{1.0, 128}, {2.5, 512}}, 512},
        {"the stream starts at 1024, then 256", {}, {}, {}, 0, {{0.3, 256}}, 1024},
        {"a lost cycle after one left", {}, {3.5}, {}, 1, {{1.0, 128}, {2.0, 256}}},
        {"a lost cycle at 1024, requests late", {{2.0, 80, 3}, {3.49, 15}}, {3.5}, {}, 1, {}, 1024},
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
