// The built-in synthesizer on a sound server that goes away and comes back:
// it is heard again by itself, and what it was told meanwhile holds.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <thread>
#include <utility>

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

// Starts the server, talks to it from now on, and opens the mapper on it,
// which is heard playing a steady G4 on the first channel.
Handle openAndHoldANote(PrivateSoundServer& server) {
    require(server.start(), "the private sound server starts");
    server.use();
    Handle handle = 0;
    require(midiOutOpen(handle, MapperId) == NoError, "the mapper opens");
    require(midiOutAudible(handle), "the mapper is heard");
    midiOutShortMsg(handle, 0x0030C0);  // strings: a steady sound
    midiOutShortMsg(handle, 0x644390);
    const Heard before = listen();
    std::cerr << "before: " << before.level << " at " << before.hz << " Hz\n";
    require(before.level > 0.01 && std::abs(before.hz - 392) < 4, "the note is heard");
    return handle;
}

// A fresh process, whose synthesizer has only ever known this server.
TEST(MidiOutServerRestart, TheSynthesizerIsHeardAgainByItselfWithWhatItWasToldMeanwhile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            PrivateSoundServer server;
            const Handle handle = openAndHoldANote(server);

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

// A server that hangs, answering nothing without going away, while a dense
// score plays: briefly, and for longer than the mapper queues messages. Once
// it answers again, the synthesizer holds what it was told: the note held
// across the hangs sounds, nothing released sounds on, and a note played then
// sounds.
TEST(MidiOutServerRestart, AfterAHungServerAnswersAgainOnlyWhatIsHeldSounds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            PrivateSoundServer server;
            const Handle handle = openAndHoldANote(server);  // G4, held across the hangs
            // Organs on seven more channels, drums on the tenth.
            for (std::uint32_t channel = 1; channel < 8; ++channel) {
                midiOutShortMsg(handle, 0x13C0 | channel);
            }

            for (const std::uint32_t pairs : {1000, 6000}) {
                server.pause();
                std::int64_t played = -1;
                const bool stopped = waitFor(
                    [&] {
                        const std::int64_t now = mapperFramesPlayed();
                        return std::exchange(played, now) == now;
                    },
                    20s, [] { std::this_thread::sleep_for(300ms); });
                // A stopped server would outlive the test.
                if (!stopped) server.resume();
                require(stopped, "the stream stops asking");
                midiOutShortMsg(handle, 0x644891);  // C5, released after the score
                for (std::uint32_t i = 0; i < pairs; ++i) {
                    const std::uint32_t status = i % 9 == 8 ? 9 : 2 + i % 6;
                    const std::uint32_t key = (i % 9 == 8 ? 35 + i % 12 : 48 + i % 24) << 8;
                    midiOutShortMsg(handle, 0x640090 | status | key);
                    midiOutShortMsg(handle, 0x000080 | status | key);
                }
                midiOutShortMsg(handle, 0x004881);
                // Long enough for the stream's timing to be asked and answered
                // across the hang.
                std::this_thread::sleep_for(5s);
                server.resume();
                // The notes released during the hang ring out their release.
                std::this_thread::sleep_for(1500ms);
                const Heard after = listen();
                std::cerr << "after " << 2 * pairs << " messages: " << after.level << " at "
                          << after.hz << " Hz\n";
                require(after.level > 0.01 && std::abs(after.hz - 392) < 4,
                        "the held note, and it alone, is heard after the hang");
            }
            // And what is played after them sounds in its turn.
            midiOutShortMsg(handle, 0x004380);
            midiOutShortMsg(handle, 0x644C90);  // E5
            const Heard later = listen();
            std::cerr << "a note after the hangs: " << later.level << " at " << later.hz << " Hz\n";
            require(later.level > 0.01 && std::abs(later.hz - 659.3) < 7,
                    "a note played after the hangs is heard");
            midiOutShortMsg(handle, 0x004C80);
            Heard last;
            require(waitFor([&] { return (last = listen()).level < 1e-4; }, 30s),
                    "nothing sounds on once every note is released");
            std::cerr << "released: " << last.level << "\n";
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace midiout
