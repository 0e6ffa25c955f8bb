// The program runs once per user: a second start ends silently, and a first
// instance that was killed does not block the next start.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

extern char** environ;

namespace {

const std::string programPath = std::string(SORVANE_BINARY_DIR) + "/bin/sorvane";

// The instances started here keep their lock in a folder of their own, so
// other tests running meanwhile cannot disturb them; they still reach the
// test sound server.
void isolateLockFolder() {
    static bool done = false;
    if (done) return;
    done = true;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime && !std::getenv("PULSE_SERVER")) {
        setenv("PULSE_SERVER", (std::string("unix:") + runtime + "/pulse/native").c_str(), 1);
    }
    static char folder[] = "/tmp/sorvane-instance-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_RUNTIME_DIR", folder, 1);
}

pid_t startProgram() {
    isolateLockFolder();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(programPath.c_str()), nullptr};
    EXPECT_EQ(posix_spawn(&pid, programPath.c_str(), nullptr, nullptr, argv, environ), 0);
    return pid;
}

// Waits up to timeout for the process to end; returns its status or -1.
int waitForEnd(pid_t pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

void stop(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

TEST(SingleInstance, SecondStartEndsSilentlyAndAKilledFirstDoesNotBlock) {
    ASSERT_EQ(access(programPath.c_str(), X_OK), 0) << programPath;
    const pid_t first = startProgram();
    // The first instance takes its lock before the splash's pause.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_EQ(waitForEnd(first, std::chrono::milliseconds(0)), -1) << "first instance ended";

    const pid_t second = startProgram();
    const int status = waitForEnd(second, std::chrono::seconds(20));
    ASSERT_NE(status, -1) << "second instance kept running";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(waitForEnd(first, std::chrono::milliseconds(0)), -1) << "first instance ended";

    stop(first);
    const pid_t third = startProgram();
    EXPECT_EQ(waitForEnd(third, std::chrono::milliseconds(2500)), -1)
        << "a killed instance blocked the next start";
    stop(third);
}

}  // namespace
