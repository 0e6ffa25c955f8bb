#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include <iostream>

#include "platform/midiout/PortClient.h"

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

class RtMidiPortClient : public PortClient {
public:
    explicit RtMidiPortClient(std::unique_ptr<RtMidiOut> client) : client_(std::move(client)) {
        client_->setErrorCallback(&noteError, &failed_);
    }

    std::vector<std::string> portNames() override {
        std::vector<std::string> names;
        const unsigned count = client_->getPortCount();
        for (unsigned port = 0; port < count && !failed_; ++port) {
            std::string name = client_->getPortName(port);
            if (failed_) break;
            names.push_back(std::move(name));
        }
        return names;
    }

    bool openPort(unsigned index) override {
        failed_ = false;
        client_->openPort(index, ClientName);
        return !failed_ && client_->isPortOpen();
    }

    void closePort() override { client_->closePort(); }

    void sendMessage(const std::vector<unsigned char>& bytes) override {
        client_->sendMessage(&bytes);
    }

private:
    static void noteError(RtMidiError::Type type, const std::string&, void* failed) {
        if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING) {
            *static_cast<bool*>(failed) = true;
        }
    }

    std::unique_ptr<RtMidiOut> client_;
    bool failed_ = false;
};

}  // namespace

std::unique_ptr<PortClient> newRtMidiClient() {
    // Without the device node ALSA itself prints its complaint, so the
    // sequencer is not even tried.
    if (access(SequencerDevice, R_OK | W_OK) != 0) return nullptr;
    try {
        QuietStderr quiet;
        return std::make_unique<RtMidiPortClient>(
            std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, ClientName));
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

}  // namespace midiout
