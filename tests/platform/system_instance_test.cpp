// The single-instance check, across real processes: a second copy of this test
// program plays the running instance.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/system/System.h"
#include "platform/system/SystemPaths.h"
#include "support/TempFolder.h"

extern char** environ;

namespace {

constexpr const char* holderVariable = "SORVANE_TEST_INSTANCE_HOLDER";

// Started with holderVariable set, this program runs no tests: it makes the
// instance check, reports what it found on stdout and waits to be killed.
const bool runningAsHolder = [] {
    if (std::getenv(holderVariable) == nullptr) return false;
    // Ends with the test process, however that ends.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1) _exit(3);
    const char* answer = sys::prevInstance() ? "busy\n" : "held\n";
    if (write(STDOUT_FILENO, answer, std::strlen(answer)) < 0) _exit(2);
    for (;;) pause();
}();

class Holder {
public:
    // The copy runs in this process's environment, XDG_RUNTIME_DIR included.
    Holder() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        char program[] = "/proc/self/exe";
        char* argv[] = {program, nullptr};
        setenv(holderVariable, "1", 1);
        if (posix_spawn(&pid_, program, &actions, nullptr, argv, environ) != 0) pid_ = -1;
        unsetenv(holderVariable);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        output_ = fds[0];
    }
    ~Holder() {
        kill();
        if (output_ >= 0) close(output_);
    }

    // The child's line, or "" when it said nothing within half a minute.
    std::string answer() {
        std::string line;
        pollfd waiting{output_, POLLIN, 0};
        char c = 0;
        while (line.find('\n') == std::string::npos && poll(&waiting, 1, 30000) > 0 &&
               read(output_, &c, 1) == 1)
            line += c;
        return line;
    }
    // Ends the child the hard way: no exit handlers, no clean-up.
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }
    bool started() const { return pid_ > 0; }
    // Whether the child has an open descriptor on the given file.
    bool holdsOpen(const std::filesystem::path& file) const {
        std::error_code error;
        for (const auto& entry :
             std::filesystem::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", error)) {
            std::error_code ignored;
            if (std::filesystem::equivalent(entry.path(), file, ignored)) return true;
        }
        return false;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// Puts XDG_RUNTIME_DIR back however the test ends: later tests in this
// process reach the sound server through it.
class RuntimeDirRestorer {
public:
    RuntimeDirRestorer() {
        if (const char* value = std::getenv("XDG_RUNTIME_DIR")) saved_ = value;
    }
    ~RuntimeDirRestorer() {
        if (saved_) {
            setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }

private:
    std::optional<std::string> saved_;
};

}  // namespace

TEST(InstanceLock, LockFileIsPerUserInTheRuntimeFolder) {
    EXPECT_EQ(sys::detail::instanceLockPath("/run/user/1000", 1000),
              "/run/user/1000/sorvane-1000.lock");
    EXPECT_EQ(sys::detail::instanceLockPath("/run/user/7/", 7), "/run/user/7/sorvane-7.lock");
    EXPECT_EQ(sys::detail::instanceLockPath(nullptr, 0), "/tmp/sorvane-0.lock");
    EXPECT_EQ(sys::detail::instanceLockPath("relative", 5), "/tmp/sorvane-5.lock");
}

TEST(InstanceLock, SecondInstanceSeesTheFirstUntilItIsKilled) {
    ASSERT_FALSE(runningAsHolder);
    testsupport::TempFolder folder;
    const std::string& runtimeDir = folder.path();
    const RuntimeDirRestorer restorer;
    // An unusable runtime folder must not stop the program, nor take the lock.
    setenv("XDG_RUNTIME_DIR", (runtimeDir + "/missing").c_str(), 1);
    EXPECT_FALSE(sys::prevInstance());

    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    {
        Holder first;
        ASSERT_TRUE(first.started());
        ASSERT_EQ(first.answer(), "held\n");
        EXPECT_TRUE(sys::prevInstance());
        EXPECT_TRUE(sys::prevInstance());
        first.kill();
        // The killed instance's lock went with it: this process now runs first.
        EXPECT_FALSE(sys::prevInstance());
    }
    {
        // A copy started now finds this process running. Children this
        // process starts never inherit its lock, or one left running would
        // keep the lock after this process ended.
        Holder second;
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.answer(), "busy\n");
        const std::string lockFile = sys::detail::instanceLockPath(runtimeDir.c_str(), getuid());
        ASSERT_TRUE(std::filesystem::exists(lockFile));
        EXPECT_FALSE(second.holdsOpen(lockFile));
    }
    EXPECT_FALSE(sys::prevInstance());
}
