// The score played end to end: the main window's playback through the built-in
// synthesizer into a null sink, whose monitor an independent tool records; the
// recording shows the notes at their pitches, one step apart.
//
// Needs the test sound server (scripts/test-services). The test makes a null
// sink of its own and this process's default through PULSE_SINK, so other
// programs' sound never mixes in.

#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "PlaybackAudio.h"
#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"
#include "support/app/MainWindowFixture.h"

extern char** environ;

namespace playbacktest {
namespace {

using namespace std::chrono_literals;

constexpr int RecordRate = 44100;

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

template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// parecord taking a sink's monitor into a mono WAV file.
class MonitorRecording {
public:
    MonitorRecording(const std::string& sink, std::filesystem::path path) : path_(std::move(path)) {
        const std::string file = path_.string();
        const std::string device = "--device=" + sink + ".monitor";
        const char* arguments[] = {"parecord",          device.c_str(), "--file-format=wav",
                                   "--format=s16le",    "--channels=1", "--rate=44100",
                                   "--latency-msec=20", file.c_str(),   nullptr};
        if (posix_spawnp(&pid_, "parecord", nullptr, nullptr, const_cast<char**>(arguments),
                         environ) != 0) {
            pid_ = -1;
        }
    }
    ~MonitorRecording() { stop(); }
    MonitorRecording(const MonitorRecording&) = delete;
    MonitorRecording& operator=(const MonitorRecording&) = delete;

    bool started() const { return pid_ > 0; }
    bool holds(std::chrono::milliseconds length) const {
        struct stat info {};
        return stat(path_.c_str(), &info) == 0 &&
               info.st_size > 44 + RecordRate * 2 * length.count() / 1000;
    }
    int stop() {
        if (pid_ <= 0) return -1;
        kill(pid_, SIGINT);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

private:
    std::filesystem::path path_;
    pid_t pid_ = -1;
};

std::vector<float> readMono(const std::filesystem::path& path, int& rate) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> frames(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    frames.resize(static_cast<std::size_t>(read * info.channels));
    std::vector<float> mono;
    for (std::size_t i = 0; i < frames.size(); i += static_cast<std::size_t>(info.channels)) {
        mono.push_back(frames[i]);
    }
    rate = info.samplerate;
    return mono;
}

double keyHz(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

class PlaybackAudible : public testsupport::MainWindowTest {
protected:
    static void SetUpTestSuite() {
        if (!module_.empty() || std::system("pactl info >/dev/null 2>&1") != 0) return;
        sink_ = "sorvane_playback_" + std::to_string(getpid());
        module_ = commandOutput("pactl load-module module-null-sink rate=44100 sink_name=" + sink_ +
                                " 2>/dev/null");
        if (module_.empty()) return;
        setenv("PULSE_SINK", sink_.c_str(), 1);
        std::atexit([] { commandOutput("pactl unload-module " + module_ + " 2>/dev/null"); });
    }

    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_FALSE(module_.empty())
            << "no sound server or null sink: run `source scripts/test-services; "
               "start_test_services`";
        char pattern[] = "/tmp/sorvane-playback-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        // The real synthesizer in place of the recording device.
        midiout::resetDevices();
        form().Device_Click(0);
        ASSERT_EQ(form().MidiResult, 0) << midiout::mapperLastError();
    }

    void TearDown() override {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
        MainWindowTest::TearDown();
    }

    static inline std::string sink_;
    static inline std::string module_;
    std::filesystem::path folder_;
};

TEST_F(PlaybackAudible, AFourNoteMelodyIsHeardAtItsPitchesOneStepApart) {
    auto& w = form();
    const std::array<int, 4> keys = {60, 62, 65, 69};
    w.ClearScore();
    for (int column = 0; column < 4; ++column) {
        w.Notes[0][column] = static_cast<std::int16_t>(127 - keys[column]);
        // Steel drums: a sharp attack on every note, true to pitch.
        w.Instruments[0][column] = 114;
    }
    w.CursorColumn = 0;

    MonitorRecording recording(sink_, folder_ / "melody.wav");
    ASSERT_TRUE(recording.started());
    // An idle null sink takes a moment to take sound: play only once the
    // synthesizer's stream runs and the recording grows.
    const std::int64_t framesAtOpen = midiout::mapperFramesPlayed();
    ASSERT_TRUE(
        waitFor([&] { return midiout::mapperFramesPlayed() - framesAtOpen > RecordRate / 4; }, 10s))
        << "the server takes no sound from the synthesizer";
    ASSERT_TRUE(waitFor([&] { return recording.holds(300ms); }, 10s))
        << "the monitor recording does not grow";

    w.PlayAndStop_Click(0);
    std::this_thread::sleep_for(400ms);
    ASSERT_EQ(recording.stop(), 0);

    int rate = 0;
    const std::vector<float> sound = readMono(folder_ / "melody.wav", rate);
    ASSERT_EQ(rate, RecordRate);
    const std::span<const float> samples(sound);
    // Each note is an attack over the decay of the one before.
    const std::vector<long> onsets = soundOnsets(samples, rate, 0.01, 60);
    ASSERT_EQ(onsets.size(), keys.size()) << "attacks heard";
    for (std::size_t note = 0; note < keys.size(); ++note) {
        const auto from = static_cast<std::size_t>(onsets[note] + rate / 50);
        const double pitch = fundamentalHz(samples.subspan(from, rate / 12), rate, 150, 900);
        EXPECT_NEAR(pitch, keyHz(keys[note]), keyHz(keys[note]) * 0.015) << "note " << note;
    }
    for (std::size_t note = 1; note < keys.size(); ++note) {
        const double gapMs = (onsets[note] - onsets[note - 1]) * 1000.0 / rate;
        EXPECT_NEAR(gapMs, 125.0, 10.0) << "between notes " << note - 1 << " and " << note;
    }
}

}  // namespace
}  // namespace playbacktest
