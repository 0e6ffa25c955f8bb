#include "support/PrivateSoundServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "support/AudioCapture.h"
#include "support/RunTool.h"

namespace testsupport {

namespace {

using namespace std::chrono_literals;

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void restoreEnvironment(const char* name, const std::optional<std::string>& value) {
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
}

}  // namespace

PrivateSoundServer::PrivateSoundServer() : address_("unix:" + folder_.file("native")) {
    std::filesystem::create_directories(folder_.file("runtime"));
    std::filesystem::permissions(folder_.file("runtime"), std::filesystem::perms::owner_all);
}

PrivateSoundServer::~PrivateSoundServer() {
    stop();
}

bool PrivateSoundServer::start() {
    if (running()) return true;
    const std::string home = "HOME=" + folder_.path();
    const std::string runtime = "XDG_RUNTIME_DIR=" + folder_.file("runtime");
    const std::string protocol =
        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + folder_.file("native");
    const std::string sink =
        "--load=module-null-sink rate=" + std::to_string(RecordRate) + " sink_name=" + Sink;
    std::vector<std::string> arguments = {"pulseaudio",
                                          "-n",
                                          "--daemonize=no",
                                          "--exit-idle-time=-1",
                                          "--disallow-exit",
                                          "--use-pid-file=no",
                                          "--log-target=stderr",
                                          protocol,
                                          sink};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Its own home and runtime folder: nothing of the shared server's is read.
    std::vector<std::string> environment = {home, runtime, "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    const std::string log = folder_.file("server.log");
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
        // It ends with the test, however the test ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int quiet = open("/dev/null", O_RDWR);
        const int logFile = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        dup2(quiet, 0);
        dup2(quiet, 1);
        dup2(logFile, 2);
        execvpe("pulseaudio", argv.data(), envp.data());
        _exit(127);
    }
    const std::string ask = "PULSE_SERVER=" + shellQuoted(address_) + " pactl info >/dev/null 2>&1";
    if (waitFor([&] { return std::system(ask.c_str()) == 0; }, 20s,
                [] { std::this_thread::sleep_for(50ms); })) {
        return true;
    }
    stop();
    return false;
}

void PrivateSoundServer::stop() {
    if (!running()) return;
    kill(pid_, SIGTERM);
    // A paused server takes the signal once it runs again.
    kill(pid_, SIGCONT);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

void PrivateSoundServer::pause() {
    if (running()) kill(pid_, SIGSTOP);
}

void PrivateSoundServer::resume() {
    if (running()) kill(pid_, SIGCONT);
}

void PrivateSoundServer::use() const {
    setenv("PULSE_SERVER", address_.c_str(), 1);
    // The sink of the suite's server means nothing here.
    unsetenv("PULSE_SINK");
    unsetenv("PULSE_SOURCE");
}

SoundServerInUse::SoundServerInUse(const PrivateSoundServer& server)
    : server_(environmentValue("PULSE_SERVER")),
      sink_(environmentValue("PULSE_SINK")),
      source_(environmentValue("PULSE_SOURCE")) {
    server.use();
}

SoundServerInUse::~SoundServerInUse() {
    restoreEnvironment("PULSE_SERVER", server_);
    restoreEnvironment("PULSE_SINK", sink_);
    restoreEnvironment("PULSE_SOURCE", source_);
}

}  // namespace testsupport
