// The mapper end to end: messages go to the built-in synthesizer, which plays
// through the PulseAudio server to its default sink; that sink's monitor is
// recorded by an independent tool and the recording is read back and measured.
//
// Needs the test sound server (scripts/test-services); without it these tests
// fail, since a mapper that cannot play is a fault here. The tests run in
// parallel with others that play sound, so they get a null sink of their own
// and make it this process's default through PULSE_SINK.

#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "midiout_audio_analysis.h"
#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"

extern char** environ;

namespace midiout {
namespace {

using namespace std::chrono_literals;
using midiout_test::fundamentalHz;
using midiout_test::loudestWindow;
using midiout_test::rms;

constexpr int RecordRate = 44100;

bool soundServerAnswers() {
    return std::system("pactl info >/dev/null 2>&1") == 0;
}

std::int64_t fileSize(const std::filesystem::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// Waits for condition, giving up after limit; a guard against a stuck server,
// not a measurement.
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

    bool started() const { return pid_ > 0; }
    // True once the file holds more than the given length of sound.
    bool holds(std::chrono::milliseconds length) const {
        return fileSize(path_) > 44 + RecordRate * 2 * length.count() / 1000;
    }
    // Ends the recording the way a user would, so the WAV header is completed.
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

class MidiOutPlayback : public ::testing::Test {
protected:
    // One sink for the process: the synthesizer's stream stays on the sink it
    // first joined for as long as the process lives.
    static void SetUpTestSuite() {
        if (!module_.empty() || !soundServerAnswers()) return;
        sink_ = "sorvane_midiout_" + std::to_string(getpid());
        module_ = commandOutput("pactl load-module module-null-sink rate=44100 sink_name=" + sink_ +
                                " 2>/dev/null");
        if (module_.empty()) return;
        setenv("PULSE_SINK", sink_.c_str(), 1);
        std::atexit([] { commandOutput("pactl unload-module " + module_ + " 2>/dev/null"); });
    }

    void SetUp() override {
        resetDevices();
        char pattern[] = "/tmp/sorvane-midiout-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_TRUE(soundServerAnswers())
            << "no PulseAudio server: run `source scripts/test-services; start_test_services`";
        ASSERT_FALSE(module_.empty()) << "cannot add a null sink for the test";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Opens the mapper and starts recording; returns once both the synthesizer
    // stream and the recording are running.
    void startPlayingAndRecording(Handle& handle, MonitorRecording& recording) {
        ASSERT_TRUE(recording.started());
        ASSERT_EQ(midiOutOpen(handle, MapperId), NoError) << mapperLastError();
        const std::int64_t framesAtOpen = mapperFramesPlayed();
        ASSERT_TRUE(
            waitFor([&] { return mapperFramesPlayed() - framesAtOpen > RecordRate / 4; }, 10s))
            << "the server takes no sound from the synthesizer";
        ASSERT_TRUE(waitFor([&] { return recording.holds(300ms); }, 10s))
            << "the monitor recording does not grow";
    }

    static inline std::string sink_;
    static inline std::string module_;
    std::filesystem::path folder_;
};

TEST_F(MidiOutPlayback, ANoteOnTheMapperIsHeardAtItsPitch) {
    MonitorRecording recording(sink_, folder_ / "note.wav");
    Handle handle = 0;
    startPlayingAndRecording(handle, recording);
    ASSERT_FALSE(HasFatalFailure());

    EXPECT_EQ(midiOutShortMsg(handle, 0x0000C0), NoError);  // piano on channel 0
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);  // A4
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(midiOutShortMsg(handle, 0x004580), NoError);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(recording.stop(), 0);
    EXPECT_EQ(midiOutClose(handle), NoError);

    int rate = 0;
    const std::vector<float> sound = readMono(folder_ / "note.wav", rate);
    ASSERT_EQ(rate, RecordRate);
    ASSERT_GT(sound.size(), static_cast<std::size_t>(rate));
    // Before the note the sink carried silence: nothing from the synthesizer
    // leaks out while it is idle.
    EXPECT_LT(rms(std::span<const float>(sound).first(static_cast<std::size_t>(rate) / 10)), 1e-3);

    const std::size_t length = static_cast<std::size_t>(rate) / 5;
    const std::size_t start = loudestWindow(sound, length);
    const auto loudest = std::span<const float>(sound).subspan(start, length);
    EXPECT_GT(rms(loudest), 0.01);
    EXPECT_NEAR(fundamentalHz(loudest, rate), 440.0, 3.0);
}

TEST_F(MidiOutPlayback, ClosingTheMapperSilencesAHeldNote) {
    MonitorRecording recording(sink_, folder_ / "close.wav");
    Handle handle = 0;
    startPlayingAndRecording(handle, recording);
    ASSERT_FALSE(HasFatalFailure());

    // A held piano note would ring for seconds; closing cuts it.
    EXPECT_EQ(midiOutShortMsg(handle, 0x0000C0), NoError);
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(midiOutClose(handle), NoError);
    std::this_thread::sleep_for(800ms);
    EXPECT_EQ(recording.stop(), 0);

    int rate = 0;
    const std::vector<float> sound = readMono(folder_ / "close.wav", rate);
    ASSERT_GT(sound.size(), static_cast<std::size_t>(rate));
    const std::size_t length = static_cast<std::size_t>(rate) / 5;
    const double note =
        rms(std::span<const float>(sound).subspan(loudestWindow(sound, length), length));
    ASSERT_GT(note, 0.01);
    const double end = rms(std::span<const float>(sound).last(static_cast<std::size_t>(rate) / 5));
    EXPECT_LT(end, note * 0.01);

    // Reopening is quick and sounds again, with the synthesizer as it was.
    ASSERT_EQ(midiOutOpen(handle, MapperId), NoError);
    EXPECT_EQ(midiOutClose(handle), NoError);
}

TEST_F(MidiOutPlayback, TheMapperWakesForANoteAfterALongSilence) {
    MonitorRecording recording(sink_, folder_ / "wake.wav");
    Handle handle = 0;
    startPlayingAndRecording(handle, recording);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(midiOutShortMsg(handle, 0x0000C0), NoError);
    // Silence pauses the stream after some seconds.
    ASSERT_TRUE(waitFor([] { return mapperAsleep(); }, 30s));
    const std::int64_t framesAsleep = mapperFramesPlayed();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(mapperFramesPlayed() - framesAsleep, RecordRate / 10);

    EXPECT_EQ(midiOutShortMsg(handle, 0x7F4590), NoError);
    EXPECT_FALSE(mapperAsleep());
    // The note is held until half a second of it has gone out: a null sink
    // left idle may take a moment to take a resumed stream again.
    const std::int64_t framesAtNote = mapperFramesPlayed();
    EXPECT_TRUE(waitFor([&] { return mapperFramesPlayed() - framesAtNote > RecordRate / 2; }, 10s));
    EXPECT_EQ(midiOutShortMsg(handle, 0x004580), NoError);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(recording.stop(), 0);
    EXPECT_EQ(midiOutClose(handle), NoError);

    int rate = 0;
    const std::vector<float> sound = readMono(folder_ / "wake.wav", rate);
    ASSERT_GT(sound.size(), static_cast<std::size_t>(rate));
    const std::size_t length = static_cast<std::size_t>(rate) / 5;
    const auto loudest =
        std::span<const float>(sound).subspan(loudestWindow(sound, length), length);
    EXPECT_GT(rms(loudest), 0.01);
    EXPECT_NEAR(fundamentalHz(loudest, rate), 440.0, 3.0);
}

TEST(MidiOutPlaybackServer, AMapperWithoutSoundServerReportsNoDriverAndRetries) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Runs in a fresh process, so the synthesizer has never been opened there.
    EXPECT_EXIT(
        {
            setenv("PULSE_SERVER", "unix:/nonexistent/sorvane-test/native", 1);
            Handle handle = 5;
            const int withoutServer = midiOutOpen(handle, MapperId);
            const bool handleKept = handle == 5;
            const bool explained = !mapperLastError().empty();
            const int send = midiOutShortMsg(handle, 0x7F4590);
            unsetenv("PULSE_SERVER");
            const int withServer = midiOutOpen(handle, MapperId);
            std::_Exit(withoutServer == NoDriver && handleKept && explained &&
                               send == InvalidHandle && withServer == NoError &&
                               mapperLastError().empty()
                           ? 0
                           : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace midiout
