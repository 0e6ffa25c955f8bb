#include "support/RecordingMidiDevice.h"

#include "platform/time/Clock.h"

namespace testsupport {

RecordingMidiDevice::RecordingMidiDevice(std::string name) : name_(std::move(name)) {}

std::string RecordingMidiDevice::name() const {
    std::lock_guard lock(mutex_);
    return name_;
}

bool RecordingMidiDevice::open() {
    std::lock_guard lock(mutex_);
    if (failOpen_) return false;
    open_ = true;
    ++opens_;
    return true;
}

void RecordingMidiDevice::close() {
    std::lock_guard lock(mutex_);
    open_ = false;
    ++closes_;
}

void RecordingMidiDevice::send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    const std::int64_t tick = timing::GetTickCount();
    std::lock_guard lock(mutex_);
    if (!open_) ++whileClosed_;
    messages_.push_back({status, data1, data2, tick});
}

void RecordingMidiDevice::setFailOpen(bool fail) {
    std::lock_guard lock(mutex_);
    failOpen_ = fail;
}

std::vector<RecordedMidiMessage> RecordingMidiDevice::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::array<std::uint8_t, 3>> RecordingMidiDevice::bytes() const {
    std::lock_guard lock(mutex_);
    std::vector<std::array<std::uint8_t, 3>> result;
    result.reserve(messages_.size());
    for (const auto& message : messages_) {
        result.push_back({message.status, message.data1, message.data2});
    }
    return result;
}

void RecordingMidiDevice::clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
    whileClosed_ = 0;
}

int RecordingMidiDevice::openCount() const {
    std::lock_guard lock(mutex_);
    return opens_;
}

int RecordingMidiDevice::closeCount() const {
    std::lock_guard lock(mutex_);
    return closes_;
}

int RecordingMidiDevice::messagesWhileClosed() const {
    std::lock_guard lock(mutex_);
    return whileClosed_;
}

bool RecordingMidiDevice::isOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

}  // namespace testsupport
