#pragma once
// While one lives, the calling thread runs with a real-time priority, so it
// wakes at its deadline even when every core is busy with other work. Where the
// system does not allow it (neither an rtprio limit nor RealtimeKit grants
// one), or while a test clock stands in for the real one, it changes nothing.
//
// The priority is for waiting and for the moment after the wake; whatever
// handlers the wait runs (a dialog, file work) run without it. The event loop
// calls stepAsideForHandlers before it runs one, and the waiter resumes before
// it waits again.

namespace timing {

class PromptWakeups {
public:
    // Asks for the priority ahead of the first wait (the answer may take a
    // call over the system bus). Optional: the first wait asks otherwise.
    static void prepare();
    // True once the priority has been granted and can be taken at will.
    static bool available();

    PromptWakeups();
    ~PromptWakeups();
    PromptWakeups(const PromptWakeups&) = delete;
    PromptWakeups& operator=(const PromptWakeups&) = delete;

    // Takes the priority again on this thread if a handler made it step aside.
    static void resume();
    // Drops the priority on this thread until the next resume().
    static void stepAsideForHandlers();
};

}  // namespace timing
