#include "platform/system/PriorityLender.h"

#include <sched.h>

#include <chrono>

#include "platform/system/RealtimePriority.h"

namespace sys {

namespace {
// The lender preempts any ordinary task at once, within microseconds; a busy
// machine may hold it back for a few milliseconds now and then. The bound is
// only for a kernel that does not lend after all.
constexpr auto LendingWait = std::chrono::milliseconds(500);
}  // namespace

PriorityLender::PriorityLender(int priority) {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT);
    pthread_mutex_init(&lock_, &attributes);
    pthread_mutexattr_destroy(&attributes);
    lender_ = std::thread([this, priority] { lend(priority); });
}

PriorityLender::~PriorityLender() {
    if (borrowed_) giveBack();
    stopping_.store(true, std::memory_order_release);
    requests_.fetch_add(1, std::memory_order_acq_rel);
    requests_.notify_one();
    lender_.join();
    pthread_mutex_destroy(&lock_);
}

void PriorityLender::lend(int priority) {
    lends_.store(makeThreadRealtime(currentThreadId(), priority), std::memory_order_release);
    settled_.store(true, std::memory_order_release);
    unsigned served = 0;
    for (;;) {
        requests_.wait(served, std::memory_order_acquire);
        if (stopping_.load(std::memory_order_acquire)) return;
        served = requests_.load(std::memory_order_acquire);
        // Blocks while the borrower holds the lock, and that wait is the loan.
        pthread_mutex_lock(&lock_);
        pthread_mutex_unlock(&lock_);
    }
}

void PriorityLender::borrow() {
    if (borrowed_ || !lends()) return;
    pthread_mutex_lock(&lock_);
    borrowed_ = true;
    requests_.fetch_add(1, std::memory_order_acq_rel);
    requests_.notify_one();
    // The loan starts once the lender waits on the lock.
    const pid_t self = currentThreadId();
    const auto until = std::chrono::steady_clock::now() + LendingWait;
    while (!threadRunsRealtime(self) && std::chrono::steady_clock::now() < until) sched_yield();
}

void PriorityLender::giveBack() {
    if (!borrowed_) return;
    borrowed_ = false;
    pthread_mutex_unlock(&lock_);
}

}  // namespace sys
