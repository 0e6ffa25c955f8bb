// How long after a sound server comes back the built-in synthesizer is heard
// again, with no button pressed: a held organ note on a PulseAudio daemon of
// our own, which is stopped and started again ROUNDS times. Printed per
// round, then the median and the worst, from the server answering again: to
// the synthesizer's new stream being adopted, and to its sound being taken.
// (A null sink takes no sound at all for its first two seconds, from any
// client: that bounds the second figure here, not on a sound card.)
//
//   server_restart [ROUNDS]     (default 20; needs pulseaudio and pactl)

#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Server {
public:
    explicit Server(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_ / "runtime");
        std::filesystem::permissions(folder_ / "runtime", std::filesystem::perms::owner_all);
    }
    ~Server() { stop(); }
    std::string address() const { return "unix:" + (folder_ / "native").string(); }

    bool start() {
        const std::string protocol = "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                                     (folder_ / "native").string();
        std::fflush(stdout);
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            setenv("HOME", folder_.c_str(), 1);
            setenv("XDG_RUNTIME_DIR", (folder_ / "runtime").c_str(), 1);
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                   "--disallow-exit", "--use-pid-file=no", protocol.c_str(),
                   "--load=module-null-sink sink_name=restart_out", nullptr);
            _exit(127);
        }
        const std::string ask = "PULSE_SERVER=" + address() + " pactl info >/dev/null 2>&1";
        for (int attempt = 0; attempt < 400; ++attempt) {
            if (std::system(ask.c_str()) == 0) return true;
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }

    void stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    char pattern[] = "/tmp/sorvane-restart-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::filesystem::path folder = pattern;
    std::vector<double> seconds;
    std::vector<double> connectedSeconds;
    {
        Server server(folder);
        if (!server.start()) {
            std::fprintf(stderr, "pulseaudio does not start\n");
            return 1;
        }
        setenv("PULSE_SERVER", server.address().c_str(), 1);
        unsetenv("PULSE_SINK");
        midiout::Handle handle = 0;
        if (midiout::midiOutOpen(handle, midiout::MapperId) != 0 ||
            !midiout::midiOutAudible(handle)) {
            std::fprintf(stderr, "the synthesizer is not heard: %s\n",
                         midiout::mapperLastError().c_str());
            return 1;
        }
        midiout::midiOutShortMsg(handle, 0x0013C0);  // church organ
        midiout::midiOutShortMsg(handle, 0x643C90);
        std::this_thread::sleep_for(1s);
        for (int round = 1; round <= rounds; ++round) {
            server.stop();
            std::this_thread::sleep_for(1s);
            if (!server.start()) {
                std::fprintf(stderr, "pulseaudio does not start again\n");
                return 1;
            }
            const auto back = Clock::now();
            const std::int64_t framesBefore = midiout::mapperFramesPlayed();
            // Connected once the mapper has adopted a new stream; heard once
            // the server takes that stream's sound.
            double connected = -1;
            while (!midiout::midiOutAudible(handle) ||
                   midiout::mapperFramesPlayed() - framesBefore < 441) {
                const double now = std::chrono::duration<double>(Clock::now() - back).count();
                if (connected < 0 && midiout::midiOutAudible(handle)) connected = now;
                if (now > 30) {
                    std::fprintf(stderr, "round %d: not heard again within 30 s\n", round);
                    return 1;
                }
                std::this_thread::sleep_for(1ms);
            }
            connectedSeconds.push_back(connected);
            seconds.push_back(std::chrono::duration<double>(Clock::now() - back).count());
            std::printf("round %2d: connected %.3f s, heard %.3f s after the server answered\n",
                        round, connected, seconds.back());
            std::this_thread::sleep_for(500ms);
        }
        midiout::midiOutClose(handle);
    }
    std::filesystem::remove_all(folder);
    for (auto* figures : {&connectedSeconds, &seconds}) std::sort(figures->begin(), figures->end());
    std::printf(
        "over %zu restarts: connected median %.3f s, worst %.3f s; heard median %.3f s, "
        "worst %.3f s\n",
        seconds.size(), connectedSeconds[connectedSeconds.size() / 2], connectedSeconds.back(),
        seconds[seconds.size() / 2], seconds.back());
    return 0;
}
