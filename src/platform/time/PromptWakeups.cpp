#include "platform/time/PromptWakeups.h"

#include <pthread.h>
#include <sched.h>

#include <atomic>

#include "platform/time/Clock.h"

namespace timing {

namespace {

// The lowest real-time priority: above every ordinary task, below the sound
// server's own real-time threads.
constexpr int PromptPriority = 1;

// Once refused, not asked again: the answer does not change while the
// program runs.
std::atomic<bool> refused{false};

}  // namespace

PromptWakeups::PromptWakeups() {
    // A test clock's waits never block for real; a real-time thread turning
    // the event loop without pause would only take a core from everyone else.
    if (refused.load(std::memory_order_relaxed) || clockReplaced()) return;
    sched_param old{};
    if (pthread_getschedparam(pthread_self(), &oldPolicy_, &old) != 0) return;
    oldPriority_ = old.sched_priority;
    if (oldPolicy_ == SCHED_FIFO || oldPolicy_ == SCHED_RR) return;
    const sched_param prompt{PromptPriority};
    // Processes started from this thread meanwhile do not inherit it.
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO | SCHED_RESET_ON_FORK, &prompt) != 0) {
        refused.store(true, std::memory_order_relaxed);
        return;
    }
    raised_ = true;
}

PromptWakeups::~PromptWakeups() {
    if (!raised_) return;
    const sched_param old{oldPriority_};
    pthread_setschedparam(pthread_self(), oldPolicy_, &old);
}

}  // namespace timing
