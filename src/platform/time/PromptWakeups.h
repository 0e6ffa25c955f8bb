#pragma once
// While one lives, the calling thread runs with a real-time priority, so it
// wakes at its deadline even when every core is busy with other work. Where the
// system does not allow it (no real-time limit for the user), or while a test
// clock stands in for the real one, it changes nothing.

namespace timing {

class PromptWakeups {
public:
    PromptWakeups();
    ~PromptWakeups();
    PromptWakeups(const PromptWakeups&) = delete;
    PromptWakeups& operator=(const PromptWakeups&) = delete;

private:
    bool raised_ = false;
    int oldPolicy_ = 0;
    int oldPriority_ = 0;
};

}  // namespace timing
