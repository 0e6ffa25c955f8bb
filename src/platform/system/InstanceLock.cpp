// The single-instance check. An flock on a per-user file is released by the
// kernel when its last descriptor closes, which happens however the process
// ends, so a crashed instance never keeps the next one from starting.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "platform/system/System.h"
#include "platform/system/SystemPaths.h"

namespace sys {

namespace detail {

std::string instanceLockPath(const char* runtimeDir, unsigned userId) {
    const std::string folder =
        runtimeDir != nullptr && runtimeDir[0] == '/' ? std::string(runtimeDir) : "/tmp";
    return withTrailingSlash(folder) + "sorvane-" + std::to_string(userId) + ".lock";
}

}  // namespace detail

bool prevInstance() {
    static std::mutex lock;
    static int heldDescriptor = -1;
    const std::lock_guard guard(lock);
    if (heldDescriptor >= 0) return false;

    const std::string path = detail::instanceLockPath(std::getenv("XDG_RUNTIME_DIR"), getuid());
    // Read-only is enough for flock; O_NOFOLLOW keeps a planted link in /tmp
    // from pointing us at another file.
    const int descriptor =
        open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    // A folder we cannot use must not keep the program from starting.
    if (descriptor < 0) return false;
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || status.st_uid != getuid() || !S_ISREG(status.st_mode)) {
        // Someone else's file: their lock says nothing about our instances.
        close(descriptor);
        return false;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        heldDescriptor = descriptor;  // kept open until the process ends
        return false;
    }
    const bool heldElsewhere = errno == EWOULDBLOCK;
    close(descriptor);
    return heldElsewhere;
}

}  // namespace sys
