// The device menu and list, and the choice of the output device.

#include "support/app/MainWindowFixture.h"

namespace {

using testsupport::MainWindowTest;

class DeviceListTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        deviceCount = GetParam();
        MainWindowTest::SetUp();
    }
};

TEST_P(DeviceListTest, MenuHoldsTheMapperAndTenDevicesTheListHoldsAll) {
    auto& window = form();
    const int devices = GetParam();
    EXPECT_EQ(window.MidiDeviceCount, devices);
    EXPECT_EQ(window.Device(0).caption(), "MIDI Mapper");
    EXPECT_TRUE(window.Device(0).visible());
    EXPECT_TRUE(window.Device(0).checked());
    for (int entry = 1; entry <= 10; ++entry) {
        const bool hasDevice = entry <= devices;
        EXPECT_EQ(window.Device(entry).visible(), hasDevice) << entry;
        EXPECT_EQ(window.Device(entry).enabled(), hasDevice) << entry;
        EXPECT_FALSE(window.Device(entry).checked()) << entry;
        if (hasDevice) {
            EXPECT_EQ(window.Device(entry).caption(), "Test port " + std::to_string(entry - 1));
        }
    }
    ASSERT_EQ(window.Combo2.listCount(), devices + 1);
    EXPECT_EQ(window.Combo2.list(0), "MIDI Mapper");
    for (int device = 0; device < devices; ++device) {
        EXPECT_EQ(window.Combo2.list(device + 1), "Test port " + std::to_string(device));
    }
    EXPECT_EQ(window.Combo2.listIndex(), 0);
    EXPECT_EQ(window.MidiDeviceId, -1);
    EXPECT_TRUE(mapper().isOpen());
}

INSTANTIATE_TEST_SUITE_P(NoneThreeAndTwelve, DeviceListTest, ::testing::Values(0, 3, 12));

class DeviceChoiceTest : public MainWindowTest {
protected:
    void SetUp() override {
        deviceCount = 3;
        MainWindowTest::SetUp();
    }
};

TEST_F(DeviceChoiceTest, MenuChoiceOpensTwiceListChoiceOnce) {
    auto& window = form();
    ASSERT_TRUE(window.Device(2).Click);
    window.Device(2).Click();  // "Test port 1" from the menu
    EXPECT_EQ(device(1).openCount(), 2);
    EXPECT_TRUE(device(1).isOpen());
    EXPECT_EQ(window.MidiDeviceId, 1);
    EXPECT_EQ(window.Combo2.listIndex(), 2);
    for (int entry = 0; entry <= 3; ++entry) {
        EXPECT_EQ(window.Device(entry).checked(), entry == 2) << entry;
    }

    window.Combo2.userSelected(3);  // "Test port 2" from the list
    EXPECT_EQ(device(2).openCount(), 1);
    EXPECT_FALSE(device(1).isOpen());
    EXPECT_TRUE(window.Device(3).checked());
    EXPECT_FALSE(window.Device(2).checked());

    window.Device(3).Click();  // the entry the list already shows
    EXPECT_EQ(device(2).openCount(), 2);
}

TEST_F(DeviceChoiceTest, FailedOpenTriesTheNextDevice) {
    auto& window = form();
    device(0).setFailOpen(true);
    window.Device(1).Click();
    EXPECT_EQ(device(0).openCount(), 0);
    EXPECT_TRUE(device(1).isOpen());
    EXPECT_EQ(window.MidiDeviceId, 0);
    EXPECT_TRUE(window.Device(1).checked());

    // Nothing is reported when the next one fails too; sending stays harmless.
    window.Combo2.userSelected(0);
    device(1).setFailOpen(true);
    window.Combo2.userSelected(1);
    EXPECT_NE(window.MidiResult, 0);
    window.StartNote(60);
    EXPECT_EQ(device(0).messagesWhileClosed(), 0);
    EXPECT_EQ(device(1).messagesWhileClosed(), 0);
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(DeviceChoiceTest, InstrumentMessagesAndPercussionState) {
    auto& window = form();
    mapper().clear();
    window.NoteChannel = 2;
    window.SetInstrument(24);
    window.StartNote(67);
    window.StopNote(67);
    using Bytes = std::array<std::uint8_t, 3>;
    EXPECT_EQ(mapper().bytes(), (std::vector<Bytes>{{0xB2, 0x00, 0x00},
                                                    {0xB2, 0x20, 0x00},
                                                    {0xC2, 0x18, 0x00},
                                                    {0x92, 0x3C, 0x7F},
                                                    {0x82, 0x3C, 0x00}}));
    mapper().clear();
    window.NoteChannel = 0;
    window.SetInstrument(128);
    window.StartNote(67);
    window.StopNote(67);
    EXPECT_EQ(mapper().bytes(), (std::vector<Bytes>{{0x99, 0x23, 0x7F}, {0x89, 0x23, 0x00}}));
    EXPECT_TRUE(window.IsDrumTrack[0]);
    window.SetInstrument(5);
    EXPECT_FALSE(window.IsDrumTrack[0]);
}

TEST_F(DeviceChoiceTest, PreviewNoteSoundsForAQuarterSecond) {
    auto& window = form();
    mapper().clear();
    window.Combo1.userSelected(40);
    const auto messages = mapper().messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[3].status, 0x90);
    EXPECT_EQ(messages[3].data1, 60);
    EXPECT_EQ(messages[4].status, 0x80);
    EXPECT_GE(messages[4].tick - messages[3].tick, 250);
    EXPECT_EQ(window.Instxt.text(), "40 ");
    EXPECT_EQ(window.TrackInstrument[0], 40);
}

TEST_F(DeviceChoiceTest, InstrumentBoxOutsideTheInstrumentsChangesNothing) {
    auto& window = form();
    mapper().clear();
    for (const char* text : {"175", "-3", "99999"}) {
        window.Instxt.setText(text);
        window.Command9_Click();
    }
    EXPECT_TRUE(mapper().bytes().empty());
    EXPECT_EQ(window.TrackInstrument[0], 24);
}

TEST_F(DeviceChoiceTest, SelectionTakesTheNewInstrumentOnItsUsedCellsOnly) {
    auto& window = form();
    for (int column = 10; column <= 20; column += 2) window.Notes[0][column] = 60;
    window.Notes[1][12] = 60;
    window.Instruments[1][12] = 3;
    window.SelStart = 10;
    window.SelEnd = 20;
    window.Instxt.setText("7");
    window.Command9_Click();
    for (int column = 9; column <= 21; ++column) {
        const bool used = column >= 10 && column <= 20 && column % 2 == 0;
        EXPECT_EQ(window.Instruments[0][column], used ? 7 : 0) << column;
    }
    EXPECT_EQ(window.Instruments[1][12], 3);
}

}  // namespace
