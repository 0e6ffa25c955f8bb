// The program's millisecond clock.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/time/Clock.h"

using timing::GetTickCount;
using timing::setClockForTesting;

TEST(Clock, NeverRunsBackwardsAndKeepsUpWithRealTime) {
    std::int64_t previous = GetTickCount();
    for (int i = 0; i < 100000; ++i) {
        const std::int64_t now = GetTickCount();
        ASSERT_GE(now, previous);
        previous = now;
    }
    const std::int64_t start = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // A sleep lasts at least as long as asked, so the count must have moved
    // at least that far; a clock in seconds or one that stalls would not.
    EXPECT_GE(GetTickCount() - start, 30);
    // 64 bits: no wrap after 49.7 days of uptime.
    static_assert(sizeof(GetTickCount()) == 8);
}

TEST(Clock, TestClockStandsInUntilRemoved) {
    const std::int64_t real = GetTickCount();
    std::int64_t fake = 5000;
    setClockForTesting([&fake] { return fake; });
    EXPECT_EQ(GetTickCount(), 5000);
    fake = 7999;
    EXPECT_EQ(GetTickCount(), 7999);
    setClockForTesting({});
    EXPECT_GE(GetTickCount(), real);
    EXPECT_NE(GetTickCount(), 7999);
}

TEST(Clock, CanBeReadWhileTheTestClockIsSwapped) {
    std::atomic<bool> done{false};
    std::atomic<int> wrongReadings{0};
    const std::int64_t realStart = GetTickCount();
    std::thread reader([&] {
        while (!done) {
            const std::int64_t t = GetTickCount();
            if (t != 42 && t < realStart) ++wrongReadings;
        }
    });
    for (int i = 0; i < 2000; ++i) {
        setClockForTesting([] { return std::int64_t{42}; });
        setClockForTesting({});
    }
    done = true;
    reader.join();
    EXPECT_EQ(wrongReadings, 0);
}
