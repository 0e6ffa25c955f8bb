// What the MIDI output costs the user-interface thread: a short message to the
// mapper, the close and reopen the program does after every playback and device
// choice, and the first open that loads the SoundFont. Also the CPU the mapper's
// audio stream takes while nothing plays, before and after it pauses.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"

namespace {

using namespace midiout;

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Registered first, so it sees the process's first open.
void BM_MapperFirstOpen(benchmark::State& state) {
    for (auto _ : state) {
        Handle handle = 0;
        if (midiOutOpen(handle, MapperId) != NoError) {
            state.SkipWithError("the mapper cannot open (no sound server?)");
            return;
        }
        state.PauseTiming();
        midiOutClose(handle);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MapperFirstOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MapperCloseAndReopen(benchmark::State& state) {
    Handle handle = 0;
    if (midiOutOpen(handle, MapperId) != NoError) {
        state.SkipWithError("the mapper cannot open");
        return;
    }
    for (auto _ : state) {
        midiOutClose(handle);
        if (midiOutOpen(handle, MapperId) != NoError) {
            state.SkipWithError("reopen failed");
            return;
        }
    }
    state.counters["stream_latency_ms"] = static_cast<double>(mapperLatencyMicroseconds()) / 1000.0;
    midiOutClose(handle);
}
BENCHMARK(BM_MapperCloseAndReopen)->Unit(benchmark::kMicrosecond);

void BM_ShortMessageToMapper(benchmark::State& state) {
    Handle handle = 0;
    if (midiOutOpen(handle, MapperId) != NoError) {
        state.SkipWithError("the mapper cannot open");
        return;
    }
    midiOutShortMsg(handle, 0x0000C0);
    int sent = 0;
    for (auto _ : state) {
        // A note on and its note off, as playback sends them.
        benchmark::DoNotOptimize(midiOutShortMsg(handle, 0x7F4590));
        benchmark::DoNotOptimize(midiOutShortMsg(handle, 0x004580));
        if (++sent % 8 == 0) {
            // Far faster than any score plays: let the released voices go, so
            // the synthesizer never runs out of voices and starts stealing.
            state.PauseTiming();
            midiOutShortMsg(handle, 0x0078B0);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * 2);
    midiOutClose(handle);
}
BENCHMARK(BM_ShortMessageToMapper)->Unit(benchmark::kMicrosecond);

// The handle table alone, with a device that does nothing.
class NullDevice : public Device {
public:
    std::string name() const override { return "null"; }
    bool open() override { return true; }
    void close() override {}
    void send(std::uint8_t, std::uint8_t, std::uint8_t) override {}
};

void BM_ShortMessageHandleTable(benchmark::State& state) {
    setDevicesForTesting(std::make_shared<NullDevice>(), {});
    Handle handle = 0;
    midiOutOpen(handle, MapperId);
    for (auto _ : state) benchmark::DoNotOptimize(midiOutShortMsg(handle, 0x7F4590));
    midiOutClose(handle);
    resetDevices();
}
BENCHMARK(BM_ShortMessageHandleTable);

// CPU use over a stretch of seconds, in percent of one core.
double cpuPercentOver(std::chrono::seconds length) {
    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(length);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    return 100.0 * (processCpuSeconds() - cpuBefore) / wall;
}

// The mapper open and silent, as the program sits between uses: first while
// the stream still runs after the last message, then once it has paused.
void BM_MapperIdleCpu(benchmark::State& state) {
    Handle handle = 0;
    if (midiOutOpen(handle, MapperId) != NoError) {
        state.SkipWithError("the mapper cannot open");
        return;
    }
    for (auto _ : state) {
        midiOutShortMsg(handle, 0x0018C0);
        state.counters["awake_cpu_percent"] = cpuPercentOver(std::chrono::seconds(5));
        while (!mapperAsleep()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        state.counters["asleep_cpu_percent"] = cpuPercentOver(std::chrono::seconds(5));
    }
    midiOutClose(handle);
}
BENCHMARK(BM_MapperIdleCpu)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
