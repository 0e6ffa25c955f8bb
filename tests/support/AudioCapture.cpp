#include "support/AudioCapture.h"

#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/midiout/MapperDevice.h"

extern char** environ;

namespace testsupport {

namespace {

using namespace std::chrono_literals;

std::string sinkModule;

std::string loadNullSink() {
    if (!soundServerAnswers()) return {};
    const std::string sink = "sorvane_test_" + std::to_string(getpid());
    sinkModule =
        commandOutput("pactl load-module module-null-sink rate=" + std::to_string(RecordRate) +
                      " sink_name=" + sink + " 2>/dev/null");
    if (sinkModule.empty()) return {};
    setenv("PULSE_SINK", sink.c_str(), 1);
    std::atexit([] { commandOutput("pactl unload-module " + sinkModule + " 2>/dev/null"); });
    return sink;
}

}  // namespace

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.pop_back();
    return output;
}

bool soundServerAnswers() {
    return std::system("pactl info >/dev/null 2>&1") == 0;
}

const std::string& privateNullSink() {
    static const std::string sink = loadNullSink();
    return sink;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit,
             const std::function<void()>& pause) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        if (pause) {
            pause();
        } else {
            std::this_thread::sleep_for(5ms);
        }
    }
    return true;
}

MonitorRecording::MonitorRecording(const std::string& sink) : MonitorRecording(sink, 1) {}

MonitorRecording::MonitorRecording(const std::string& sink, int channels) : channels_(channels) {
    char pattern[] = "/tmp/sorvane-recording-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return;
    folder_ = pattern;
    file_ = folder_ / "monitor.wav";
    const std::string file = file_.string();
    const std::string device = "--device=" + sink + ".monitor";
    const std::string rate = "--rate=" + std::to_string(RecordRate);
    const std::string channelCount = "--channels=" + std::to_string(channels_);
    const char* arguments[] = {"parecord",          device.c_str(),       "--file-format=wav",
                               "--format=s16le",    channelCount.c_str(), rate.c_str(),
                               "--latency-msec=20", file.c_str(),         nullptr};
    if (posix_spawnp(&pid_, "parecord", nullptr, nullptr, const_cast<char**>(arguments), environ) !=
        0) {
        pid_ = -1;
    }
}

MonitorRecording::~MonitorRecording() {
    stop();
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

bool MonitorRecording::holds(std::chrono::milliseconds length) const {
    std::error_code error;
    const auto size = std::filesystem::file_size(file_, error);
    // 44 bytes of WAV header, then two bytes a sample.
    return !error && static_cast<std::int64_t>(size) >
                         44 + RecordRate * 2 * channels_ * length.count() / 1000;
}

int MonitorRecording::stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGINT);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
}

std::vector<float> MonitorRecording::samples(int& rate) const {
    return channelSamples(0, rate);
}

std::vector<float> MonitorRecording::channelSamples(int channel, int& rate) const {
    SF_INFO info{};
    SNDFILE* file = sf_open(file_.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    frames.resize(static_cast<std::size_t>(read * info.channels));
    std::vector<float> mono;
    if (channel < 0 || channel >= info.channels) return mono;
    for (std::size_t i = static_cast<std::size_t>(channel); i < frames.size();
         i += static_cast<std::size_t>(info.channels)) {
        mono.push_back(frames[i]);
    }
    rate = info.samplerate;
    return mono;
}

::testing::AssertionResult streamAndRecordingRun(const MonitorRecording& recording,
                                                 const std::function<void()>& pause) {
    const std::int64_t framesBefore = midiout::mapperFramesPlayed();
    if (!waitFor([&] { return midiout::mapperFramesPlayed() - framesBefore > RecordRate / 4; }, 10s,
                 pause)) {
        return ::testing::AssertionFailure() << "the server takes no sound from the synthesizer";
    }
    if (!waitFor([&] { return recording.holds(300ms); }, 10s, pause)) {
        return ::testing::AssertionFailure() << "the monitor recording does not grow";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace testsupport
