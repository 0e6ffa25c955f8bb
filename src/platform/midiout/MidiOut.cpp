#include "platform/midiout/MidiOut.h"

#include <map>
#include <mutex>

#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/PortDevices.h"
#include "platform/midiout/ShortMessage.h"

namespace midiout {
namespace {

// A device may sit behind several handles; it is opened by the first of them
// and closed with the last, so closing one handle never silences another.
struct OpenDevice {
    std::shared_ptr<Device> device;
    int handles = 0;
};

class DeviceTable {
public:
    unsigned count() {
        std::lock_guard lock(mutex_);
        if (!testing_) {
            systemPorts_ = listSystemPorts();
            systemPortsListed_ = true;
        }
        return static_cast<unsigned>(numbered().size());
    }

    std::string name(unsigned id) {
        std::lock_guard lock(mutex_);
        const auto& devices = numbered();
        return id < devices.size() ? devices[id]->name() : std::string();
    }

    int open(Handle& handle, int id) {
        std::lock_guard lock(mutex_);
        std::shared_ptr<Device> device;
        if (id == MapperId) {
            device = testMapper_ ? testMapper_ : realMapper();
        } else {
            const auto& devices = numbered();
            if (id < 0 || static_cast<std::size_t>(id) >= devices.size()) return BadDeviceId;
            device = devices[static_cast<std::size_t>(id)];
        }
        OpenDevice* shared = findOpen(device);
        if (!shared) {
            if (!device->open()) return id == MapperId ? NoDriver : NotEnabled;
            shared = &openDevices_.emplace_back(OpenDevice{device, 0});
        }
        ++shared->handles;
        const Handle newHandle = nextHandle();
        handles_[newHandle] = device;
        handle = newHandle;
        return NoError;
    }

    int close(Handle handle) {
        std::lock_guard lock(mutex_);
        const auto found = handles_.find(handle);
        if (found == handles_.end()) return InvalidHandle;
        const std::shared_ptr<Device> device = found->second;
        handles_.erase(found);
        for (auto it = openDevices_.begin(); it != openDevices_.end(); ++it) {
            if (it->device != device) continue;
            if (--it->handles == 0) {
                device->close();
                openDevices_.erase(it);
            }
            break;
        }
        return NoError;
    }

    int send(Handle handle, std::uint32_t msg) {
        std::lock_guard lock(mutex_);
        const auto found = handles_.find(handle);
        if (found == handles_.end()) return InvalidHandle;
        const auto message = decodeShortMessage(msg);
        if (!message) return InvalidParameter;
        found->second->send(message->status, message->data1, message->data2);
        return NoError;
    }

    bool audible(Handle handle) {
        std::lock_guard lock(mutex_);
        const auto found = handles_.find(handle);
        return found == handles_.end() || found->second->audible();
    }

    void setForTesting(std::shared_ptr<Device> mapper,
                       std::vector<std::shared_ptr<Device>> devices) {
        std::lock_guard lock(mutex_);
        testing_ = true;
        testMapper_ = std::move(mapper);
        testDevices_ = std::move(devices);
    }

    void reset() {
        std::lock_guard lock(mutex_);
        testing_ = false;
        testMapper_.reset();
        testDevices_.clear();
        systemPortsListed_ = false;
    }

private:
    const std::vector<std::shared_ptr<Device>>& numbered() {
        if (testing_) return testDevices_;
        // The ids stay those of the last count until the program counts again.
        if (!systemPortsListed_) {
            systemPorts_ = listSystemPorts();
            systemPortsListed_ = true;
        }
        return systemPorts_;
    }

    std::shared_ptr<Device> realMapper() {
        if (!realMapper_) realMapper_ = makeMapperDevice();
        return realMapper_;
    }

    OpenDevice* findOpen(const std::shared_ptr<Device>& device) {
        for (auto& entry : openDevices_) {
            if (entry.device == device) return &entry;
        }
        return nullptr;
    }

    Handle nextHandle() {
        // Handles are not reused soon, so a stale handle kept by a caller finds
        // nothing rather than somebody else's device.
        do {
            ++lastHandle_;
        } while (lastHandle_ == 0 || handles_.count(lastHandle_) != 0);
        return lastHandle_;
    }

    std::mutex mutex_;
    std::map<Handle, std::shared_ptr<Device>> handles_;
    std::vector<OpenDevice> openDevices_;
    Handle lastHandle_ = 0;
    std::shared_ptr<Device> realMapper_;
    std::vector<std::shared_ptr<Device>> systemPorts_;
    bool systemPortsListed_ = false;
    bool testing_ = false;
    std::shared_ptr<Device> testMapper_;
    std::vector<std::shared_ptr<Device>> testDevices_;
};

DeviceTable& table() {
    static DeviceTable instance;
    return instance;
}

}  // namespace

unsigned midiOutGetNumDevs() {
    return table().count();
}

std::string midiOutDeviceName(unsigned id) {
    return table().name(id);
}

int midiOutOpen(Handle& handle, int id) {
    return table().open(handle, id);
}

int midiOutClose(Handle handle) {
    return table().close(handle);
}

int midiOutShortMsg(Handle handle, std::uint32_t msg) {
    return table().send(handle, msg);
}

bool midiOutAudible(Handle handle) {
    return table().audible(handle);
}

void setDevicesForTesting(std::shared_ptr<Device> mapper,
                          std::vector<std::shared_ptr<Device>> devices) {
    table().setForTesting(std::move(mapper), std::move(devices));
}

void resetDevices() {
    table().reset();
}

}  // namespace midiout
