// The players on a sound server of the test's own that goes away and comes
// back: each file ends as at its end, and plays again on its next play.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "platform/media/MediaControl.h"
#include "support/AudioCapture.h"
#include "support/MediaFiles.h"
#include "support/PrivateSoundServer.h"
#include "support/TempFolder.h"

namespace media {
namespace {

using namespace std::chrono_literals;
using testsupport::waitFor;

std::string answerOf(const std::string& command) {
    std::string answer;
    mciSendString(command, answer);
    return answer;
}

long long positionOf(const std::string& alias) {
    return std::atoll(answerOf("status " + alias + " position").c_str());
}

bool soon(const std::function<bool()>& condition) {
    return waitFor(condition, 20s, [] { std::this_thread::sleep_for(20ms); });
}

class MediaServerRestart : public ::testing::Test {
protected:
    // No alias outlives the test, whose server is gone with it.
    void TearDown() override { closeAllMedia(); }
    testsupport::PrivateSoundServer server;
    testsupport::TempFolder folder;
};

TEST_F(MediaServerRestart, AFileWhoseServerGoesEndsAsAtItsEndAndPlaysAgainOnItsNextPlay) {
    ASSERT_TRUE(server.start());
    const testsupport::SoundServerInUse inUse(server);
    const std::string wave = folder.file("long.wav");
    const std::string tune = folder.file("long.mid");
    ASSERT_TRUE(testsupport::writeToneWav(wave, 440, 30));
    ASSERT_TRUE(testsupport::writeNoteMidi(tune, 69, 60));
    ASSERT_EQ(mciSendString("open waveaudio!" + quotePath(wave) + " alias sound"), Success);
    ASSERT_EQ(mciSendString("open sequencer!" + quotePath(tune) + " alias midi"), Success);
    for (const std::string alias : {"sound", "midi"}) {
        SCOPED_TRACE(alias);
        ASSERT_EQ(mciSendString("play " + alias), Success);
        ASSERT_TRUE(soon([&] { return positionOf(alias) > 0; }));
    }

    server.stop();
    for (const std::string alias : {"sound", "midi"}) {
        SCOPED_TRACE(alias);
        EXPECT_TRUE(soon([&] { return answerOf("status " + alias + " mode") == "stopped"; }));
    }
    EXPECT_EQ(answerOf("status sound position"), answerOf("status sound length"));

    ASSERT_TRUE(server.start());
    for (const std::string alias : {"sound", "midi"}) {
        SCOPED_TRACE(alias);
        ASSERT_EQ(mciSendString("play " + alias), Success);
        EXPECT_EQ(answerOf("status " + alias + " mode"), "playing");
        // Played again: the position moves.
        const long long atPlay = positionOf(alias);
        EXPECT_TRUE(soon([&] { return positionOf(alias) != atPlay; }));
    }
}

}  // namespace
}  // namespace media
