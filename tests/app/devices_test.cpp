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

}  // namespace
