#include "platform/midiout/PortDevices.h"

#include "platform/midiout/ShortMessage.h"

namespace midiout {
namespace {

class PortDevice : public Device {
public:
    PortDevice(std::string name, PortClientFactory newClient)
        : name_(std::move(name)), newClient_(std::move(newClient)) {}

    std::string name() const override { return name_; }

    bool open() override {
        client_ = newClient_();
        if (!client_) return false;
        // Ports come and go and renumber; the one chosen is found by its name.
        const std::vector<std::string> names = client_->portNames();
        for (unsigned port = 0; port < names.size(); ++port) {
            if (names[port] != name_) continue;
            if (client_->openPort(port)) return true;
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
        client_->sendMessage(bytes);
    }

private:
    std::string name_;
    PortClientFactory newClient_;
    std::unique_ptr<PortClient> client_;
};

}  // namespace

std::vector<std::shared_ptr<Device>> listSystemPorts(const PortClientFactory& newClient) {
    std::vector<std::shared_ptr<Device>> ports;
    const std::unique_ptr<PortClient> client = newClient();
    if (!client) return ports;
    for (std::string& name : client->portNames()) {
        ports.push_back(std::make_shared<PortDevice>(std::move(name), newClient));
    }
    return ports;
}

std::vector<std::shared_ptr<Device>> listSystemPorts() {
    return listSystemPorts(&newRtMidiClient);
}

}  // namespace midiout
