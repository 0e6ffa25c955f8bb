#pragma once
// Whether this process may give its threads a real-time priority itself:
// root, or a user with an rtprio limit reaching it. Elsewhere only
// RealtimeKit could, and tests that need the priority have nothing to check.

#include <sys/resource.h>
#include <unistd.h>

namespace testsupport {

inline bool mayRaiseThreadsTo(int priority) {
    rlimit limit{};
    getrlimit(RLIMIT_RTPRIO, &limit);
    return geteuid() == 0 || limit.rlim_cur >= static_cast<rlim_t>(priority);
}

}  // namespace testsupport
