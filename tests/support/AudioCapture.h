#pragma once
// Hearing what the program plays: the built-in synthesizer's stream goes to a
// null sink of this process's own, whose monitor an independent tool
// (parecord) records into a WAV file that is read back here.
//
// Needs the test sound server (scripts/test-services).

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// The rate the monitor is recorded at, and the null sink runs at.
constexpr int RecordRate = 44100;

bool soundServerAnswers();

// A null sink for this process, loaded on the first call and made the default
// of every stream the process opens afterwards (PULSE_SINK), so sound from
// tests running in parallel never mixes in; unloaded when the process ends.
// Call it before the synthesizer first opens: its stream stays on the sink it
// joined for as long as the process lives. Empty without a sound server.
const std::string& privateNullSink();

// What a shell command prints, without its trailing line break and blanks.
std::string commandOutput(const std::string& command);

// Runs `pause` (by default a 5 ms sleep) until the condition holds; false after
// the limit, a guard against a stuck server rather than a measurement.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit,
             const std::function<void()>& pause = {});

// The sink's monitor recorded into a WAV file (mono unless more channels are
// asked for) in a temporary folder of its own, removed with the recording.
class MonitorRecording {
public:
    explicit MonitorRecording(const std::string& sink);
    MonitorRecording(const std::string& sink, int channels);
    ~MonitorRecording();
    MonitorRecording(const MonitorRecording&) = delete;
    MonitorRecording& operator=(const MonitorRecording&) = delete;

    bool started() const { return pid_ > 0; }
    // True once the file holds more than the given length of sound.
    bool holds(std::chrono::milliseconds length) const;
    // Ends the recording the way a user would, so the WAV header is completed;
    // parecord's exit status.
    int stop();
    // What was recorded (the first channel), read back after stop(); empty when
    // the file cannot be read.
    std::vector<float> samples(int& rate) const;
    // One channel of it (0 left, 1 right), the same way.
    std::vector<float> channelSamples(int channel, int& rate) const;

private:
    std::filesystem::path folder_;
    std::filesystem::path file_;
    pid_t pid_ = -1;
    int channels_ = 1;
};

// Waits until the synthesizer's stream has played a quarter of a second and
// the recording holds 300 ms: an idle null sink takes a moment before it takes
// sound, so nothing should be played before. `pause` as for waitFor.
::testing::AssertionResult streamAndRecordingRun(const MonitorRecording& recording,
                                                 const std::function<void()>& pause = {});

}  // namespace testsupport
