// The device menu and list, and the choice of the output device.

#include "support/app/MainWindowFixture.h"

namespace {

using testsupport::MainWindowTest;

class DevicesTest : public MainWindowTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        deviceCount = GetParam();
        MainWindowTest::SetUp();
    }
};

// The menu has room for the mapper and ten devices; the list takes them all.
// Whichever entry is chosen, it alone carries the tick.
TEST_P(DevicesTest, MenuHoldsTheMapperAndTenDevicesTheListHoldsAllAndOneEntryIsTicked) {
    auto& w = form();
    const int devices = GetParam();
    EXPECT_EQ(w.MidiDeviceCount, devices);
    ASSERT_EQ(w.Combo2.listCount(), devices + 1);
    EXPECT_EQ(w.Combo2.list(0), "MIDI Mapper");
    EXPECT_EQ(w.Device(0).caption(), "MIDI Mapper");
    EXPECT_TRUE(mapper().isOpen());
    for (int entry = 1; entry <= std::max(devices, 10); ++entry) {
        const std::string name = "Test port " + std::to_string(entry - 1);
        if (entry <= devices) {
            EXPECT_EQ(w.Combo2.list(entry), name);
        }
        if (entry > 10) continue;
        EXPECT_EQ(w.Device(entry).visible() && w.Device(entry).enabled(), entry <= devices);
        if (entry <= devices) {
            EXPECT_EQ(w.Device(entry).caption(), name);
        }
    }
    for (int chosen : {0, std::min(devices, 10), 1, 0}) {
        if (chosen > devices) continue;
        w.Device(chosen).Click();
        EXPECT_EQ(w.MidiDeviceId, chosen - 1);
        EXPECT_EQ(w.Combo2.listIndex(), chosen);
        for (int entry = 0; entry <= 10; ++entry) {
            EXPECT_EQ(w.Device(entry).checked(), entry == chosen) << chosen << " " << entry;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NoneThreeAndTwelve, DevicesTest, ::testing::Values(0, 3, 12));

// The menu's choice opens the device twice (once more through the list it
// moves), the list's choice once; a device that fails to open gives way to the
// next, and with none open sending stays harmless.
TEST_P(DevicesTest, AChoiceOpensItsDeviceOrTheNextAndSendingStaysHarmless) {
    auto& w = form();
    if (GetParam() < 3) return;  // needs three devices
    w.Device(2).Click();
    EXPECT_EQ(device(1).openCount(), 2);
    w.Combo2.userSelected(3);
    EXPECT_EQ(device(2).openCount(), 1);
    EXPECT_FALSE(device(1).isOpen());
    device(0).setFailOpen(true);
    w.Device(1).Click();
    EXPECT_TRUE(device(1).isOpen());
    EXPECT_EQ(w.MidiDeviceId, 0);
    EXPECT_TRUE(w.Device(1).checked());

    w.Combo2.userSelected(0);
    device(1).setFailOpen(true);
    w.Combo2.userSelected(1);
    EXPECT_NE(w.MidiResult, 0);
    w.StartNote(60);
    EXPECT_EQ(device(0).messagesWhileClosed() + device(1).messagesWhileClosed(), 0);
    EXPECT_TRUE(messageBoxes().empty());
}

}  // namespace
