// The handle rules of the MIDI output functions, over recording test devices.

#include <gtest/gtest.h>

#include <climits>

#include "platform/midiout/MidiOut.h"
#include "support/RecordingMidiDevice.h"

namespace midiout {
namespace {

using testsupport::RecordingMidiDevice;
using Bytes = std::vector<std::array<std::uint8_t, 3>>;

class MidiOutHandles : public ::testing::Test {
protected:
    void SetUp() override { setDevicesForTesting(mapper, {first, second}); }
    void TearDown() override { resetDevices(); }

    std::shared_ptr<RecordingMidiDevice> mapper = std::make_shared<RecordingMidiDevice>("Mapper");
    std::shared_ptr<RecordingMidiDevice> first =
        std::make_shared<RecordingMidiDevice>("First port: a long name kept whole 20:0");
    std::shared_ptr<RecordingMidiDevice> second = std::make_shared<RecordingMidiDevice>("Second");
};

TEST_F(MidiOutHandles, OpenSendCloseReachesOnlyTheChosenDeviceAndTheOldHandleStaysDead) {
    EXPECT_EQ(midiOutGetNumDevs(), 2u);
    EXPECT_EQ(midiOutDeviceName(0), "First port: a long name kept whole 20:0");
    EXPECT_EQ(midiOutDeviceName(2), "");
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, 1), NoError);
    EXPECT_TRUE(second->isOpen());
    EXPECT_FALSE(first->isOpen() || mapper->isOpen());
    for (std::uint32_t message : {0x0000B2u, 0x0018C2u, 0x7F3C92u}) {
        EXPECT_EQ(midiOutShortMsg(handle, message), NoError);
    }
    EXPECT_EQ(second->bytes(), (Bytes{{0xB2, 0x00, 0x00}, {0xC2, 0x18, 0x00}, {0x92, 0x3C, 0x7F}}));
    EXPECT_EQ(midiOutClose(handle), NoError);
    EXPECT_FALSE(second->isOpen());

    Handle fresh = 0;
    ASSERT_EQ(midiOutOpen(fresh, 1), NoError);
    EXPECT_NE(fresh, handle);
    for (Handle dead : {handle, Handle{0}, fresh + 1000}) {
        EXPECT_EQ(midiOutShortMsg(dead, 0x7F3C90), InvalidHandle);
        EXPECT_EQ(midiOutClose(dead), InvalidHandle);
    }
    EXPECT_EQ(second->bytes().size(), 3u);
    EXPECT_EQ(second->messagesWhileClosed(), 0);
    EXPECT_EQ(midiOutClose(fresh), NoError);
}

TEST_F(MidiOutHandles, TheSameDeviceOpenTwiceStaysOpenUntilBothClose) {
    Handle one = 0, two = 0;
    ASSERT_EQ(midiOutOpen(one, MapperId), NoError);
    ASSERT_EQ(midiOutOpen(two, MapperId), NoError);
    EXPECT_EQ(mapper->openCount(), 1);
    EXPECT_EQ(midiOutClose(one), NoError);
    EXPECT_TRUE(mapper->isOpen());
    EXPECT_EQ(midiOutShortMsg(two, 0x7F4590), NoError);
    EXPECT_EQ(midiOutClose(two), NoError);
    EXPECT_FALSE(mapper->isOpen());
    EXPECT_EQ(mapper->bytes(), (Bytes{{0x90, 0x45, 0x7F}}));
}

TEST_F(MidiOutHandles, OnlyWholeShortMessagesGoOutAndUncarriedBytesAreIgnored) {
    struct Case {
        std::uint32_t message;
        int result;
        Bytes sent;
    };
    const Case cases[] = {
        {0x803C90, InvalidParameter, {}},  // velocity 128
        {0x7FBC90, InvalidParameter, {}},  // key 188
        {0x00FFC0, InvalidParameter, {}},  // program 255
        {0x7F3C10, InvalidParameter, {}},  // no status byte
        {0x0000F0, InvalidParameter, {}},  // system exclusive
        {0xFFEE18C2, NoError, {{0xC2, 0x18, 0x00}}},
        {0x00FF40D3, NoError, {{0xD3, 0x40, 0x00}}},  // channel pressure: one data byte
        {0xAB7F3C90, NoError, {{0x90, 0x3C, 0x7F}}},
        {0xFFFFF8, NoError, {{0xF8, 0x00, 0x00}}},  // clock: no data bytes
    };
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, 0), NoError);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        first->clear();
        EXPECT_EQ(midiOutShortMsg(handle, c.message), c.result);
        EXPECT_EQ(first->bytes(), c.sent);
    }
    EXPECT_EQ(midiOutClose(handle), NoError);
}

TEST_F(MidiOutHandles, UnknownIdsAndFailingDevicesGiveNoHandle) {
    for (int id : {2, 1000, INT_MAX, -2, INT_MIN}) {
        Handle handle = 4242;
        EXPECT_EQ(midiOutOpen(handle, id), BadDeviceId) << id;
        EXPECT_EQ(handle, 4242u);
    }
    first->setFailOpen(true);
    mapper->setFailOpen(true);
    Handle handle = 77;
    EXPECT_EQ(midiOutOpen(handle, 0), NotEnabled);
    // The mapper reports a missing driver, as the real one does without a synthesizer.
    EXPECT_EQ(midiOutOpen(handle, MapperId), NoDriver);
    EXPECT_EQ(handle, 77u);
    first->setFailOpen(false);
    ASSERT_EQ(midiOutOpen(handle, 0), NoError);  // the next open tries again
    EXPECT_EQ(midiOutClose(handle), NoError);
    EXPECT_EQ(first->openCount(), 1);
    EXPECT_EQ(first->closeCount(), 1);
}

}  // namespace
}  // namespace midiout
