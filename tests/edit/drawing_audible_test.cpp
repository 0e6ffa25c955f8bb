// End to end through the built-in synthesizer: choosing an instrument sounds
// its preview and drawing a note sounds that note while the button is held.
// The default sink's monitor is recorded by an independent tool and the two
// sounds are found in the recording and their pitches measured.
//
// Needs the test sound server (scripts/test-services). The process gets a null
// sink of its own, made its default through PULSE_SINK before the synthesizer
// first opens.

#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "edit/EditWindowFixture.h"
#include "platform/forms/Application.h"
#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"
#include "platform/midiout_audio_analysis.h"
#include "platform/time/Clock.h"

extern char** environ;

namespace edittest {
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

std::int64_t fileSize(const std::filesystem::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// Handles window events until the condition holds; false after the limit (a
// guard against a stuck server, not a measurement).
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        forms::waitForEvents(timing::GetTickCount() + 5);
    }
    return true;
}

// Lets the window handle its events for a while, as a user holding still.
void hold(std::chrono::milliseconds length) {
    const std::int64_t end = timing::GetTickCount() + length.count();
    while (timing::GetTickCount() < end) forms::waitForEvents(end);
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
    bool started() const { return pid_ > 0; }
    bool holds(std::chrono::milliseconds length) const {
        return fileSize(path_) > 44 + RecordRate * 2 * length.count() / 1000;
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

// Where sounds begin: 10 ms frames rising above a fifth of the loudest frame
// after at least 300 ms below a fiftieth of it.
std::vector<std::size_t> soundOnsets(const std::vector<float>& sound, int rate) {
    const std::size_t frame = static_cast<std::size_t>(rate) / 100;
    std::vector<double> levels;
    for (std::size_t start = 0; start + frame <= sound.size(); start += frame) {
        levels.push_back(midiout_test::rms(std::span<const float>(sound).subspan(start, frame)));
    }
    const double loudest = levels.empty() ? 0 : *std::max_element(levels.begin(), levels.end());
    std::vector<std::size_t> onsets;
    int quietFrames = 30;
    for (std::size_t index = 0; index < levels.size(); ++index) {
        if (levels[index] < loudest / 50) {
            ++quietFrames;
        } else if (levels[index] > loudest / 5) {
            if (quietFrames >= 30) onsets.push_back(index * frame);
            quietFrames = 0;
        }
    }
    return onsets;
}

class DrawingAudible : public EditWindowTest {
protected:
    static void SetUpTestSuite() {
        if (!module_.empty() || std::system("pactl info >/dev/null 2>&1") != 0) return;
        sink_ = "sorvane_edit_" + std::to_string(getpid());
        module_ = commandOutput("pactl load-module module-null-sink rate=44100 sink_name=" + sink_ +
                                " 2>/dev/null");
        if (module_.empty()) return;
        setenv("PULSE_SINK", sink_.c_str(), 1);
        std::atexit([] { commandOutput("pactl unload-module " + module_ + " 2>/dev/null"); });
    }

    void SetUp() override {
        ASSERT_FALSE(module_.empty())
            << "no sound server: run `source scripts/test-services; start_test_services`";
        EditWindowTest::SetUp();
        char pattern[] = "/tmp/sorvane-drawing-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        // The window's output goes to the real synthesizer from here on.
        midiout::resetDevices();
        form().Device_Click(0);
        ASSERT_EQ(form().MidiResult, 0) << midiout::mapperLastError();
    }

    void TearDown() override {
        EditWindowTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    static inline std::string sink_;
    static inline std::string module_;
    std::filesystem::path folder_;
};

TEST_F(DrawingAudible, InstrumentPreviewAndADrawnNoteSoundAtTheirPitches) {
    auto& window = form();
    MonitorRecording recording(sink_, folder_ / "drawing.wav");
    ASSERT_TRUE(recording.started());
    // An idle null sink takes a moment before it takes sound; nothing is sent
    // until the synthesizer's stream and the recording both run.
    const std::int64_t framesAtOpen = midiout::mapperFramesPlayed();
    ASSERT_TRUE(
        waitFor([&] { return midiout::mapperFramesPlayed() - framesAtOpen > RecordRate / 4; }, 10s))
        << "the server takes no sound from the synthesizer";
    ASSERT_TRUE(waitFor([&] { return recording.holds(300ms); }, 10s));

    window.Combo1.userSelected(0);  // piano: the preview sounds middle C
    ASSERT_EQ(window.TrackInstrument[0], 0);
    hold(1500ms);

    pressCell(2, 3);  // pitch row 58: A4
    hold(300ms);
    dragToCell(6, 3);
    hold(400ms);
    releaseCell(6, 3);
    hold(800ms);
    ASSERT_EQ(recording.stop(), 0);
    EXPECT_EQ(window.Notes[0][2], 58);

    int rate = 0;
    const std::vector<float> sound = readMono(folder_ / "drawing.wav", rate);
    ASSERT_EQ(rate, RecordRate);
    const std::vector<std::size_t> onsets = soundOnsets(sound, rate);
    ASSERT_EQ(onsets.size(), 2u) << "the preview and the drawn note, apart";
    const std::size_t length = static_cast<std::size_t>(rate) / 5;
    const std::size_t settle = static_cast<std::size_t>(rate) / 50;
    ASSERT_LE(onsets[1] + settle + length, sound.size());
    const auto preview = std::span<const float>(sound).subspan(onsets[0] + settle, length);
    const auto drawn = std::span<const float>(sound).subspan(onsets[1] + settle, length);
    EXPECT_NEAR(midiout_test::fundamentalHz(preview, rate), 261.63, 3.0);
    EXPECT_NEAR(midiout_test::fundamentalHz(drawn, rate), 440.0, 3.0);
    EXPECT_GT(midiout_test::rms(drawn), 0.01);
}

}  // namespace
}  // namespace edittest
