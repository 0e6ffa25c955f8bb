// The system's MIDI ports over a fake sequencer behind the port client
// interface, and the real sequencer's absence on these machines.

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/midiout/MidiOut.h"
#include "platform/midiout/PortDevices.h"

namespace midiout {
namespace {

// What a fake sequencer holds and what its clients did to it.
struct FakeSequencer {
    bool present = true;
    std::vector<std::string> ports;
    std::string failingPort;
    std::vector<std::string> openPorts;
    std::vector<std::vector<unsigned char>> sent;
    int clients = 0;
};

class FakeClient : public PortClient {
public:
    explicit FakeClient(FakeSequencer& sequencer) : sequencer_(sequencer) { ++sequencer_.clients; }
    ~FakeClient() override { --sequencer_.clients; }
    std::vector<std::string> portNames() override { return sequencer_.ports; }
    bool openPort(unsigned index) override {
        if (index >= sequencer_.ports.size() || sequencer_.ports[index] == sequencer_.failingPort) {
            return false;
        }
        sequencer_.openPorts.push_back(port_ = sequencer_.ports[index]);
        return true;
    }
    void closePort() override { std::erase(sequencer_.openPorts, port_); }
    void sendMessage(const std::vector<unsigned char>& bytes) override {
        sequencer_.sent.push_back(bytes);
    }

private:
    FakeSequencer& sequencer_;
    std::string port_;
};

class MidiOutPorts : public ::testing::Test {
protected:
    MidiOutPorts() { sequencer.ports = {"Synth A 128:0", "Thru 14:0", "Synth B 129:0"}; }
    void list() {
        setDevicesForTesting(nullptr, listSystemPorts([this]() -> std::unique_ptr<PortClient> {
                                 if (!sequencer.present) return nullptr;
                                 return std::make_unique<FakeClient>(sequencer);
                             }));
    }
    void TearDown() override { resetDevices(); }

    FakeSequencer sequencer;
};

TEST_F(MidiOutPorts, PortsAreListedOpenedByIdAndSentWholeMessages) {
    list();
    ASSERT_EQ(midiOutGetNumDevs(), 3u);
    EXPECT_EQ(midiOutDeviceName(2), "Synth B 129:0");
    EXPECT_EQ(sequencer.clients, 0);  // the listing's client is gone
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, 2), NoError);
    EXPECT_EQ(sequencer.openPorts, std::vector<std::string>{"Synth B 129:0"});
    EXPECT_EQ(midiOutShortMsg(handle, 0x7F3C92), NoError);
    EXPECT_EQ(midiOutShortMsg(handle, 0x0018C2), NoError);
    EXPECT_EQ(midiOutShortMsg(handle, 0x0000F8), NoError);
    using Sent = std::vector<std::vector<unsigned char>>;
    EXPECT_EQ(sequencer.sent, (Sent{{0x92, 0x3C, 0x7F}, {0xC2, 0x18}, {0xF8}}));
    EXPECT_EQ(midiOutClose(handle), NoError);
    EXPECT_TRUE(sequencer.openPorts.empty());
    EXPECT_EQ(sequencer.clients, 0);
}

TEST_F(MidiOutPorts, APortIsFoundByItsNameWhenThePortsRenumber) {
    list();
    sequencer.ports = {"New 130:0", "Synth B 129:0"};
    Handle handle = 0;
    ASSERT_EQ(midiOutOpen(handle, 2), NoError);
    EXPECT_EQ(sequencer.openPorts, std::vector<std::string>{"Synth B 129:0"});
    EXPECT_EQ(midiOutClose(handle), NoError);
}

TEST_F(MidiOutPorts, APortThatIsGoneOrFailsOrHasNoSequencerDoesNotOpen) {
    list();
    sequencer.ports.erase(sequencer.ports.begin());
    sequencer.failingPort = "Thru 14:0";
    Handle handle = 55;
    EXPECT_EQ(midiOutOpen(handle, 0), NotEnabled);  // gone
    EXPECT_EQ(midiOutOpen(handle, 1), NotEnabled);  // refuses
    sequencer.present = false;
    EXPECT_EQ(midiOutOpen(handle, 2), NotEnabled);
    EXPECT_EQ(handle, 55u);
    EXPECT_EQ(sequencer.clients, 0);
    list();
    EXPECT_EQ(midiOutGetNumDevs(), 0u);
}

TEST_F(MidiOutPorts, WithoutAnAlsaSequencerTheSystemListsNoPortsQuietly) {
    if (access("/dev/snd/seq", F_OK) == 0) GTEST_SKIP() << "this machine has a sequencer";
    resetDevices();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(midiOutGetNumDevs(), 0u);
    Handle handle = 99;
    EXPECT_EQ(midiOutOpen(handle, 0), BadDeviceId);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace midiout
