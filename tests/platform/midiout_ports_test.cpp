// The system's MIDI ports as the real device list reports them. These machines
// have no ALSA sequencer: the list must be empty, quietly.

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/midiout/MidiOut.h"
#include "support/RecordingMidiDevice.h"

namespace midiout {
namespace {

TEST(MidiOutPorts, ListsTheSequencerPortsOrNoneWithoutComplaint) {
    resetDevices();
    ::testing::internal::CaptureStderr();
    const unsigned count = midiOutGetNumDevs();
    std::vector<std::string> names;
    for (unsigned id = 0; id <= count; ++id) names.push_back(midiOutDeviceName(id));
    Handle handle = 99;
    const int beyond = midiOutOpen(handle, static_cast<int>(count));
    const std::string printed = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(printed, "");
    EXPECT_EQ(beyond, BadDeviceId);
    EXPECT_EQ(handle, 99u);
    EXPECT_EQ(names.back(), "");
    names.pop_back();
    for (const std::string& name : names) EXPECT_FALSE(name.empty());
    if (access("/dev/snd/seq", F_OK) != 0) {
        EXPECT_EQ(count, 0u);
    }
}

TEST(MidiOutPorts, TestDevicesGiveWayToTheSystemsOnReset) {
    auto fake = std::make_shared<testsupport::RecordingMidiDevice>("Fake port");
    setDevicesForTesting(nullptr, {fake, fake});
    EXPECT_EQ(midiOutGetNumDevs(), 2u);
    resetDevices();
    const unsigned count = midiOutGetNumDevs();
    for (unsigned id = 0; id < count; ++id) EXPECT_NE(midiOutDeviceName(id), "Fake port");
    if (access("/dev/snd/seq", F_OK) != 0) {
        EXPECT_EQ(count, 0u);
    }
    Handle handle = 0;
    if (count == 0) {
        EXPECT_EQ(midiOutOpen(handle, 0), BadDeviceId);
    }
    EXPECT_EQ(fake->openCount(), 0);
}

}  // namespace
}  // namespace midiout
