#include "platform/time/PromptWakeups.h"

#include "platform/system/PriorityLender.h"
#include "platform/system/RealtimePriority.h"
#include "platform/time/Clock.h"

namespace timing {

namespace {

// Made at the first playback: its thread asks for its priority then, and
// lends it from then on (the first steps may go without while it is asked).
sys::PriorityLender& lender() {
    static sys::PriorityLender instance(sys::StepPriority);
    return instance;
}

// The scope alive on this thread, and whether it holds the priority now.
thread_local int openScopes = 0;
thread_local bool holding = false;

}  // namespace

void PromptWakeups::prepare() {
    lender();
}

bool PromptWakeups::available() {
    return lender().settled() && lender().lends();
}

PromptWakeups::PromptWakeups() {
    ++openScopes;
    resume();
}

PromptWakeups::~PromptWakeups() {
    if (--openScopes == 0) stepAsideForHandlers();
}

void PromptWakeups::resume() {
    // A test clock's waits never block for real; a real-time thread turning
    // the event loop without pause would only take a core from everyone else.
    if (openScopes == 0 || holding || clockReplaced()) return;
    lender().borrow();
    holding = true;
}

void PromptWakeups::stepAsideForHandlers() {
    if (!holding) return;
    holding = false;
    lender().giveBack();
}

}  // namespace timing
