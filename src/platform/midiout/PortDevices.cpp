#include "platform/midiout/PortDevices.h"

#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include <iostream>

#include "platform/midiout/ShortMessage.h"

namespace midiout {
namespace {

constexpr const char* ClientName = "Midi Sorvane";
constexpr const char* SequencerDevice = "/dev/snd/seq";

// RtMidi reports a failed start on stderr before a caller can hand it an error
// callback; the program has its own way of telling the user (no ports, or a
// failed open), so that text is kept off the terminal.
class QuietStderr {
public:
    QuietStderr() : saved_(std::cerr.rdbuf(nullptr)) {}
    ~QuietStderr() { std::cerr.rdbuf(saved_); }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    std::streambuf* saved_;
};

void noteError(RtMidiError::Type type, const std::string&, void* failed) {
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING) {
        *static_cast<bool*>(failed) = true;
    }
}

// A sequencer client, or nullptr when the system has no sequencer. failed is
// set by any later error the client reports.
std::unique_ptr<RtMidiOut> newClient(bool& failed) {
    // Without the device node ALSA itself prints its complaint, so the
    // sequencer is not even tried.
    if (access(SequencerDevice, R_OK | W_OK) != 0) return nullptr;
    try {
        QuietStderr quiet;
        auto client = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, ClientName);
        client->setErrorCallback(&noteError, &failed);
        return client;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

class PortDevice : public Device {
public:
    explicit PortDevice(std::string name) : name_(std::move(name)) {}

    std::string name() const override { return name_; }

    bool open() override {
        failed_ = false;
        client_ = newClient(failed_);
        if (!client_) return false;
        // Ports come and go and renumber; the one chosen is found by its name.
        const unsigned count = client_->getPortCount();
        for (unsigned port = 0; port < count && !failed_; ++port) {
            if (client_->getPortName(port) != name_) continue;
            client_->openPort(port, ClientName);
            if (!failed_ && client_->isPortOpen()) return true;
            break;
        }
        client_.reset();
        return false;
    }

    void close() override {
        if (client_) client_->closePort();
        client_.reset();
    }

    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        if (!client_) return;
        const int count = dataByteCount(status);
        if (count < 0) return;
        std::vector<unsigned char> bytes{status};
        if (count >= 1) bytes.push_back(data1);
        if (count >= 2) bytes.push_back(data2);
        client_->sendMessage(&bytes);
    }

private:
    std::string name_;
    std::unique_ptr<RtMidiOut> client_;
    bool failed_ = false;
};

}  // namespace

std::vector<std::shared_ptr<Device>> listSystemPorts() {
    std::vector<std::shared_ptr<Device>> ports;
    bool failed = false;
    const std::unique_ptr<RtMidiOut> client = newClient(failed);
    if (!client) return ports;
    const unsigned count = client->getPortCount();
    for (unsigned port = 0; port < count && !failed; ++port) {
        ports.push_back(std::make_shared<PortDevice>(client->getPortName(port)));
    }
    return ports;
}

}  // namespace midiout
