// How long the machine itself holds a thread up, below anything a program can
// ask for: one thread per core, pinned to it at the highest real-time
// priority, wakes every millisecond and notes how late it is. Nothing in the
// system can keep such a thread from its core; what still delays it is the
// hardware or, in a virtual machine, the host taking the core away. A sound
// buffer shorter than these stalls breaks up whatever its thread's priority.
//
//   cpu_stalls SECONDS    prints one line: the stalls over 4 ms and over
//                         10 ms on all cores together, and the longest
//
// Run as root (or with an rtprio limit of 99) alongside whatever load is
// being judged.

#include <pthread.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr std::int64_t PeriodNanos = 1'000'000;

struct CoreStalls {
    int over4ms = 0;
    int over10ms = 0;
    std::int64_t longestNanos = 0;
};

std::int64_t nanosOf(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

timespec timespecOf(std::int64_t nanos) {
    return {static_cast<time_t>(nanos / 1'000'000'000), static_cast<long>(nanos % 1'000'000'000)};
}

std::int64_t now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return nanosOf(time);
}

bool pinAndRaise(int core) {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    CPU_SET(core, &cores);
    sched_param priority{};
    priority.sched_priority = sched_get_priority_max(SCHED_FIFO);
    return pthread_setaffinity_np(pthread_self(), sizeof cores, &cores) == 0 &&
           pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) == 0;
}

void watch(int core, std::int64_t until, CoreStalls& stalls, std::atomic<bool>& refused) {
    if (!pinAndRaise(core)) {
        refused = true;
        return;
    }
    std::int64_t due = now();
    while (due < until) {
        due += PeriodNanos;
        const timespec wake = timespecOf(due);
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr);
        const std::int64_t woke = now();
        const std::int64_t late = woke - due;
        if (late > 4'000'000) ++stalls.over4ms;
        if (late > 10'000'000) ++stalls.over10ms;
        stalls.longestNanos = std::max(stalls.longestNanos, late);
        // One stall counts once, however many periods it swallowed.
        due = std::max(due, woke);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: cpu_stalls SECONDS\n");
        return 2;
    }
    const int cores = static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
    const std::int64_t until = now() + static_cast<std::int64_t>(std::atoi(argv[1])) * 1'000'000'000;
    std::vector<CoreStalls> stalls(static_cast<std::size_t>(cores));
    std::atomic<bool> refused{false};
    std::vector<std::thread> watchers;
    for (int core = 0; core < cores; ++core) {
        watchers.emplace_back(watch, core, until, std::ref(stalls[static_cast<std::size_t>(core)]),
                              std::ref(refused));
    }
    for (auto& watcher : watchers) watcher.join();
    if (refused) {
        std::fprintf(stderr, "cpu_stalls: cannot pin a thread at the highest real-time priority\n");
        return 1;
    }
    CoreStalls all;
    for (const auto& core : stalls) {
        all.over4ms += core.over4ms;
        all.over10ms += core.over10ms;
        all.longestNanos = std::max(all.longestNanos, core.longestNanos);
    }
    std::printf("stalls over 4 ms %d, over 10 ms %d, longest %.1f ms\n", all.over4ms,
                all.over10ms, static_cast<double>(all.longestNanos) / 1e6);
    return 0;
}
