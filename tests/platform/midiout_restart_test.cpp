// The built-in synthesizer on a sound server that goes away and comes back:
// it is heard again by itself, and what it was told meanwhile holds.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"
#include "support/AudioAnalysis.h"
#include "support/AudioCapture.h"
#include "support/PrivateSoundServer.h"

namespace midiout {
namespace {

using namespace std::chrono_literals;
using testsupport::PrivateSoundServer;
using testsupport::waitFor;

using Heard = testsupport::PitchAndLevel;

// What the server's sink plays for about a second, measured on its last
// half second; 0 Hz and silence when nothing could be recorded.
Heard listen() {
    testsupport::MonitorRecording recording(PrivateSoundServer::Sink);
    if (!recording.started() || !testsupport::streamAndRecordingRun(recording) ||
        !waitFor([&] { return recording.holds(1000ms); }, 10s)) {
        return {};
    }
    recording.stop();
    int rate = 0;
    const std::vector<float> samples = recording.samples(rate);
    if (samples.size() < static_cast<std::size_t>(rate)) return {};
    return testsupport::pitchAndLevel(
        std::span<const float>(samples).last(static_cast<std::size_t>(rate / 2)), rate);
}

// Fails the child process with the reason on its error output.
void require(bool holds, const char* what) {
    if (holds) return;
    std::cerr << "failed: " << what << std::endl;
    std::_Exit(1);
}

// A fresh process, whose synthesizer has only ever known this server.
TEST(MidiOutServerRestart, TheSynthesizerIsHeardAgainByItselfWithWhatItWasToldMeanwhile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            PrivateSoundServer server;
            require(server.start(), "the private sound server starts");
            server.use();
            Handle handle = 0;
            require(midiOutOpen(handle, MapperId) == NoError, "the mapper opens");
            require(midiOutAudible(handle), "the mapper is heard");
            midiOutShortMsg(handle, 0x0030C0);  // strings: a steady sound
            midiOutShortMsg(handle, 0x644390);  // G4
            const Heard before = listen();
            std::cerr << "before: " << before.level << " at " << before.hz << " Hz\n";
            require(before.level > 0.01 && std::abs(before.hz - 392) < 4, "the note is heard");

            server.stop();
            require(waitFor([&] { return !midiOutAudible(handle); }, 10s),
                    "the mapper notices the server is gone");
            // Told while there is no server: the G ends, and the C above it
            // starts.
            midiOutShortMsg(handle, 0x004380);
            midiOutShortMsg(handle, 0x644890);
            require(server.start(), "the private sound server starts again");
            // No open, no close: the mapper finds the server by itself.
            require(waitFor([&] { return midiOutAudible(handle); }, 20s),
                    "the mapper connects again");
            const Heard after = listen();
            std::cerr << "after: " << after.level << " at " << after.hz << " Hz\n";
            require(after.level > 0.01, "the held note is heard again");
            require(std::abs(after.hz - 523.3) < 6, "the note told meanwhile is the one heard");
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace midiout
