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

#include "support/TempFolder.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

// The started programs keep their lock in a folder of their own, so other
// tests running meanwhile cannot disturb them; they still reach the test
// sound server. Made for the first start, removed when the test program ends.
struct ProgramEnvironment {
    ProgramEnvironment() {
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
            runtime && !getenv("PULSE_SERVER"))
            setenv("PULSE_SERVER", (std::string("unix:") + runtime + "/pulse/native").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", lockFolder.path().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    testsupport::TempFolder lockFolder;
};

pid_t startProgram() {
    static const ProgramEnvironment environment;
    const std::string program = std::string(SORVANE_BINARY_DIR) + "/bin/sorvane";
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
    return pid;
}

// The process's status once it ends within the time, else -1.
int statusWithin(pid_t pid, std::chrono::milliseconds time) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    do {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return -1;
}

// Stops the program on every way out of the test.
struct Running {
    pid_t pid = startProgram();
    ~Running() {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
};

TEST(SingleInstance, SecondStartEndsSilentlyAndAKilledFirstDoesNotBlock) {
    {
        Running first;
        // The first instance takes its lock before the splash's pause.
        std::this_thread::sleep_for(1500ms);
        ASSERT_EQ(statusWithin(first.pid, 0ms), -1) << "first instance ended";
        Running second;
        const int status = statusWithin(second.pid, 20s);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(statusWithin(first.pid, 0ms), -1) << "first instance ended";
    }
    Running third;
    EXPECT_EQ(statusWithin(third.pid, 2500ms), -1) << "a killed instance blocked the next start";
}

}  // namespace
