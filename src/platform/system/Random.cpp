// The program's random source.

#include <chrono>
#include <cstdint>
#include <mutex>
#include <random>

#include "platform/system/System.h"

namespace sys {

float rnd() {
    static std::mutex lock;
    static std::mt19937 generator{[] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count() ^
                         std::chrono::system_clock::now().time_since_epoch().count();
        std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32)};
        return std::mt19937(seed);
    }()};
    const std::lock_guard guard(lock);
    // 24 random bits scaled by 2^-24: every float step in [0, 1), never 1 itself
    // (a float distribution may round up to 1).
    return static_cast<float>(generator() >> 8) * (1.0f / 16777216.0f);
}

}  // namespace sys
