// The handle rules of the MIDI output functions, over recording test devices.

#include <gtest/gtest.h>

#include <climits>

#include "platform/midiout/MidiOut.h"
#include "platform/time/Clock.h"
#include "support/RecordingMidiDevice.h"

namespace midiout {
namespace {

using testsupport::RecordingMidiDevice;
using Bytes = std::vector<std::array<std::uint8_t, 3>>;

class MidiOutHandles : public ::testing::Test {
protected:
    void SetUp() override { setDevicesForTesting(mapper, {first, second}); }
    void TearDown() override {
        resetDevices();
        timing::setClockForTesting({});
    }

    std::shared_ptr<RecordingMidiDevice> mapper =
        std::make_shared<RecordingMidiDevice>("Test mapper");
    std::shared_ptr<RecordingMidiDevice> first =
        std::make_shared<RecordingMidiDevice>("First port: a long name kept whole 20:0");
    std::shared_ptr<RecordingMidiDevice> second = std::make_shared<RecordingMidiDevice>("Second");
};

TEST_F(MidiOutHandles, ListsTheNumberedDevicesByName) {
    EXPECT_EQ(midiOutGetNumDevs(), 2u);
    EXPECT_EQ(midiOutDeviceName(0), "First port: a long name kept whole 20:0");
    EXPECT_EQ(midiOutDeviceName(1), "Second");
    EXPECT_EQ(midiOutDeviceName(2), "");
    EXPECT_EQ(midiOutDeviceName(UINT_MAX), "");
}

TEST_F(MidiOutHandles, OpenSendCloseReachesOnlyTheChosenDevice) {
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, 1), NoError);
    EXPECT_NE(handle, 0u);
    EXPECT_TRUE(second->isOpen());
    EXPECT_FALSE(first->isOpen());
    EXPECT_FALSE(mapper->isOpen());

    // Instrument 24 on channel 2, then a note: the bytes arrive whole, in order.
    for (std::uint32_t message : {0x0000B2u, 0x0020B2u, 0x0018C2u, 0x7F3C92u, 0x003C82u}) {
        EXPECT_EQ(midiOutShortMsg(handle, message), NoError);
    }
    EXPECT_EQ(second->bytes(), (Bytes{{0xB2, 0x00, 0x00},
                                      {0xB2, 0x20, 0x00},
                                      {0xC2, 0x18, 0x00},
                                      {0x92, 0x3C, 0x7F},
                                      {0x82, 0x3C, 0x00}}));
    EXPECT_TRUE(first->bytes().empty());
    EXPECT_TRUE(mapper->bytes().empty());

    EXPECT_EQ(midiOutClose(handle), NoError);
    EXPECT_FALSE(second->isOpen());
    EXPECT_EQ(second->openCount(), 1);
    EXPECT_EQ(second->closeCount(), 1);
}

TEST_F(MidiOutHandles, ClosedAndUnknownHandlesAreRefusedHarmlessly) {
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, MapperId), NoError);
    ASSERT_EQ(midiOutClose(handle), NoError);

    EXPECT_EQ(midiOutClose(handle), InvalidHandle);
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F3C90), InvalidHandle);
    EXPECT_EQ(midiOutClose(0), InvalidHandle);
    EXPECT_EQ(midiOutShortMsg(0, 0x7F3C90), InvalidHandle);
    EXPECT_EQ(midiOutClose(handle + 1000), InvalidHandle);
    EXPECT_EQ(midiOutShortMsg(handle + 1000, 0x7F3C90), InvalidHandle);

    EXPECT_EQ(mapper->openCount(), 1);
    EXPECT_EQ(mapper->closeCount(), 1);
    EXPECT_TRUE(mapper->bytes().empty());
    EXPECT_EQ(mapper->messagesWhileClosed(), 0);
}

TEST_F(MidiOutHandles, ReopeningGivesANewHandleAndTheOldOneStaysDead) {
    Handle old = 0;
    ASSERT_EQ(midiOutOpen(old, 0), NoError);
    ASSERT_EQ(midiOutClose(old), NoError);
    Handle fresh = 0;
    ASSERT_EQ(midiOutOpen(fresh, 0), NoError);
    EXPECT_NE(fresh, old);
    EXPECT_EQ(midiOutShortMsg(old, 0x7F3C90), InvalidHandle);
    EXPECT_EQ(midiOutShortMsg(fresh, 0x7F3C90), NoError);
    EXPECT_EQ(first->bytes(), (Bytes{{0x90, 0x3C, 0x7F}}));
    EXPECT_EQ(midiOutClose(fresh), NoError);
}

TEST_F(MidiOutHandles, TheSameDeviceOpenTwiceStaysOpenUntilBothClose) {
    Handle one = 0, two = 0;
    ASSERT_EQ(midiOutOpen(one, MapperId), NoError);
    ASSERT_EQ(midiOutOpen(two, MapperId), NoError);
    EXPECT_NE(one, two);
    EXPECT_EQ(mapper->openCount(), 1);

    EXPECT_EQ(midiOutClose(one), NoError);
    EXPECT_TRUE(mapper->isOpen());
    EXPECT_EQ(midiOutShortMsg(two, 0x7F4590), NoError);
    EXPECT_EQ(midiOutShortMsg(one, 0x7F4590), InvalidHandle);
    EXPECT_EQ(mapper->bytes(), (Bytes{{0x90, 0x45, 0x7F}}));

    EXPECT_EQ(midiOutClose(two), NoError);
    EXPECT_FALSE(mapper->isOpen());
    EXPECT_EQ(mapper->closeCount(), 1);
}

TEST_F(MidiOutHandles, MessagesThatAreNotValidShortMessagesAreDropped) {
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, 0), NoError);
    EXPECT_EQ(midiOutShortMsg(handle, 0x803C90), InvalidParameter);  // velocity 128
    EXPECT_EQ(midiOutShortMsg(handle, 0x7FBC90), InvalidParameter);  // key 188
    EXPECT_EQ(midiOutShortMsg(handle, 0x00FFC0), InvalidParameter);  // program 255
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F3C10), InvalidParameter);  // no status byte
    EXPECT_EQ(midiOutShortMsg(handle, 0x000000), InvalidParameter);
    EXPECT_EQ(midiOutShortMsg(handle, 0x0000F0), InvalidParameter);  // system exclusive
    EXPECT_TRUE(first->bytes().empty());

    // Bytes a message does not carry are not looked at and not passed on.
    EXPECT_EQ(midiOutShortMsg(handle, 0xFFEE18C2), NoError);  // program change
    EXPECT_EQ(midiOutShortMsg(handle, 0x00FF40D3), NoError);  // channel pressure
    EXPECT_EQ(midiOutShortMsg(handle, 0xAB7F3C90), NoError);  // top byte ignored
    EXPECT_EQ(midiOutShortMsg(handle, 0x4000E0), NoError);    // pitch bend, centre
    EXPECT_EQ(midiOutShortMsg(handle, 0xFFFFF8), NoError);    // clock: no data bytes
    EXPECT_EQ(first->bytes(), (Bytes{{0xC2, 0x18, 0x00},
                                     {0xD3, 0x40, 0x00},
                                     {0x90, 0x3C, 0x7F},
                                     {0xE0, 0x00, 0x40},
                                     {0xF8, 0x00, 0x00}}));
    EXPECT_EQ(midiOutClose(handle), NoError);
}

TEST_F(MidiOutHandles, UnknownDeviceIdsFailAndLeaveTheHandleAlone) {
    for (int id : {2, 3, 1000, INT_MAX, -2, -3, INT_MIN}) {
        SCOPED_TRACE(id);
        Handle handle = 4242;
        EXPECT_EQ(midiOutOpen(handle, id), BadDeviceId);
        EXPECT_EQ(handle, 4242u);
    }
    EXPECT_EQ(first->openCount() + second->openCount() + mapper->openCount(), 0);
}

TEST_F(MidiOutHandles, ADeviceThatFailsToOpenGivesNoHandle) {
    first->setFailOpen(true);
    mapper->setFailOpen(true);
    Handle handle = 77;
    EXPECT_EQ(midiOutOpen(handle, 0), NotEnabled);
    EXPECT_EQ(handle, 77u);
    // The mapper reports a missing driver, as the real one does without a synthesizer.
    EXPECT_EQ(midiOutOpen(handle, MapperId), NoDriver);
    EXPECT_EQ(handle, 77u);
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F3C90), InvalidHandle);
    EXPECT_EQ(midiOutClose(handle), InvalidHandle);
    EXPECT_EQ(first->openCount(), 0);
    EXPECT_EQ(first->closeCount(), 0);

    // The next open tries again.
    first->setFailOpen(false);
    ASSERT_EQ(midiOutOpen(handle, 0), NoError);
    EXPECT_NE(handle, 77u);
    EXPECT_EQ(midiOutClose(handle), NoError);
}

TEST_F(MidiOutHandles, TheRecordingDeviceTimesEachMessage) {
    std::int64_t now = 1000;
    timing::setClockForTesting([&now] { return now; });
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, MapperId), NoError);
    midiOutShortMsg(handle, 0x7F3C92);
    now = 1250;
    midiOutShortMsg(handle, 0x003C82);
    const auto messages = mapper->messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].tick, 1000);
    EXPECT_EQ(messages[1].tick, 1250);
    EXPECT_EQ(messages[1].status, 0x82);

    mapper->clear();
    EXPECT_TRUE(mapper->bytes().empty());
    EXPECT_EQ(mapper->openCount(), 1);
    EXPECT_EQ(midiOutClose(handle), NoError);
}

TEST_F(MidiOutHandles, ReplacingTheDevicesKeepsOpenHandlesWorking) {
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, 1), NoError);
    auto other = std::make_shared<RecordingMidiDevice>("Other");
    setDevicesForTesting(nullptr, {other});
    EXPECT_EQ(midiOutGetNumDevs(), 1u);
    EXPECT_EQ(midiOutDeviceName(0), "Other");
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F3C90), NoError);
    EXPECT_EQ(second->bytes().size(), 1u);
    EXPECT_EQ(midiOutClose(handle), NoError);
    EXPECT_EQ(second->closeCount(), 1);
}

}  // namespace
}  // namespace midiout
