#pragma once
// MIDI output in the shape the program uses: count the devices, name them,
// open one by id, send short messages, close it.
//
// Id -1, the "MIDI Mapper", is the built-in General MIDI synthesizer playing to
// the default audio output. Ids 0.. are the system's MIDI output ports. Sending
// to or closing a handle that is closed or failed is harmless.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace midiout {

using Handle = std::uint32_t;  // 0 is never an open device
constexpr int MapperId = -1;

// Result codes: 0 success, otherwise an error.
enum Result : int {
    NoError = 0,
    BadDeviceId = 2,
    NotEnabled = 3,
    Allocated = 4,
    InvalidHandle = 5,
    NoDriver = 6,
    InvalidParameter = 11,
};

unsigned midiOutGetNumDevs();
// The product name of device id (0..count-1), "" for an id with no device.
std::string midiOutDeviceName(unsigned id);
// Opens device id (-1 the mapper). On success stores the new handle and
// returns 0; on failure leaves handle as it was and returns an error.
int midiOutOpen(Handle& handle, int id);
int midiOutClose(Handle handle);
// msg: bits 0-7 status, 8-15 first data byte, 16-23 second data byte. A message
// whose data bytes do not fit 7 bits is dropped (InvalidParameter).
int midiOutShortMsg(Handle handle, std::uint32_t msg);
// False while the device behind an open handle takes messages but cannot be
// heard: the built-in synthesizer with no sound server to play to (it plays
// as soon as one is there). True for every other handle.
bool midiOutAudible(Handle handle);

// One output device. The mapper and the system ports implement it; tests add
// their own.
class Device {
public:
    virtual ~Device() = default;
    virtual std::string name() const = 0;
    // Returns true when the device is ready to take messages.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    virtual bool audible() { return true; }
};

// Replaces the devices the system reports, for tests: the mapper and the list
// of numbered devices. Passing nullptr as mapper keeps the real one.
void setDevicesForTesting(std::shared_ptr<Device> mapper,
                          std::vector<std::shared_ptr<Device>> devices);
// Goes back to the real devices.
void resetDevices();

}  // namespace midiout
