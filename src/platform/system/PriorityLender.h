#pragma once
// Lends a real-time priority to a thread, as often as it asks and at the cost
// of a lock. The lender is a thread of its own made real-time once; while a
// borrower holds a priority-inheriting lock, the lender waits for it, and the
// kernel runs the borrower at the lender's priority until it lets go.
//
// Asking RealtimeKit each time instead would cost a call over the system bus,
// and it refuses more than a few dozen requests a minute.

#include <sys/types.h>

#include <pthread.h>
#include <atomic>
#include <thread>

namespace sys {

class PriorityLender {
public:
    explicit PriorityLender(int priority);
    ~PriorityLender();
    PriorityLender(const PriorityLender&) = delete;
    PriorityLender& operator=(const PriorityLender&) = delete;

    // The calling thread runs at the lender's priority until it gives it back,
    // from before borrow returns. Nothing happens while the lender has no
    // real-time priority to lend. Not nested; one borrower at a time.
    void borrow();
    void giveBack();
    // True once the lender thread has its real-time priority.
    bool lends() const { return lends_.load(std::memory_order_acquire); }
    // True when its priority request has been answered, yes or no.
    bool settled() const { return settled_.load(std::memory_order_acquire); }

private:
    void lend(int priority);

    pthread_mutex_t lock_;
    std::atomic<unsigned> requests_{0};
    std::atomic<bool> lends_{false};
    std::atomic<bool> settled_{false};
    std::atomic<bool> stopping_{false};
    bool borrowed_ = false;  // the borrower's own
    std::thread lender_;
};

}  // namespace sys
