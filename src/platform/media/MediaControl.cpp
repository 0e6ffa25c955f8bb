// The command interpreter: one table of open aliases, guarded by a lock so any
// thread may send; the devices do their sound work on threads of their own.

#include "platform/media/MediaControl.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <variant>

#include "platform/media/CommandWords.h"
#include "platform/media/MidiFilePlayer.h"
#include "platform/media/WavePlayer.h"
#include "platform/media/WaveRecorder.h"

namespace media {

namespace {

enum class TimeFormat { Milliseconds, Bytes };

struct OpenDevice {
    std::variant<std::unique_ptr<WaveRecorder>, std::unique_ptr<WavePlayer>,
                 std::unique_ptr<MidiFilePlayer>>
        device;
    TimeFormat timeFormat = TimeFormat::Milliseconds;
};

using Words = std::vector<std::string>;

std::mutex tableLock;
std::map<std::string, OpenDevice>& openDevices() {
    static std::map<std::string, OpenDevice> devices;
    return devices;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool parseWhole(const std::string& text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

int openCommand(const Words& words) {
    // open new type waveaudio alias A | open TYPE!PATH alias A
    if (words.size() == 6 && lowerCase(words[1]) == "new" && lowerCase(words[2]) == "type" &&
        lowerCase(words[3]) == "waveaudio" && lowerCase(words[4]) == "alias") {
        const std::string alias = lowerCase(words[5]);
        if (openDevices().contains(alias)) return AliasInUse;
        openDevices()[alias].device = std::make_unique<WaveRecorder>();
        return Success;
    }
    if (words.size() != 4 || lowerCase(words[2]) != "alias") return BadParameter;
    const auto bang = words[1].find('!');
    if (bang == std::string::npos) return BadParameter;
    const std::string type = lowerCase(words[1].substr(0, bang));
    const std::string path = words[1].substr(bang + 1);
    const std::string alias = lowerCase(words[3]);
    if (openDevices().contains(alias)) return AliasInUse;
    std::string error;
    if (type == "waveaudio") {
        auto player = WavePlayer::open(path, error);
        if (!player) return CannotOpenFile;
        openDevices()[alias].device = std::move(player);
        return Success;
    }
    if (type == "sequencer") {
        auto player = MidiFilePlayer::open(path, error);
        if (!player) return CannotOpenFile;
        openDevices()[alias].device = std::move(player);
        return Success;
    }
    return NotSupported;
}

int setCommand(OpenDevice& open, const Words& words) {
    if (words.size() == 5 && lowerCase(words[2]) == "time" && lowerCase(words[3]) == "format") {
        const std::string format = lowerCase(words[4]);
        if (format == "bytes") {
            open.timeFormat = TimeFormat::Bytes;
        } else if (format == "milliseconds" || format == "ms") {
            open.timeFormat = TimeFormat::Milliseconds;
        } else {
            return BadParameter;
        }
        return Success;
    }
    auto* recorder = std::get_if<std::unique_ptr<WaveRecorder>>(&open.device);
    if (!recorder) return NotSupported;
    if (words.size() == 4 && lowerCase(words[2]) == "file") {
        if (words[3].empty()) return BadParameter;
        (*recorder)->setFile(words[3]);
        return Success;
    }
    WaveFormat format = (*recorder)->format();
    if (words.size() < 4 || words.size() % 2 != 0) return BadParameter;
    for (std::size_t i = 2; i + 1 < words.size(); i += 2) {
        const std::string item = lowerCase(words[i]);
        int value = 0;
        if (!parseWhole(words[i + 1], value)) return BadParameter;
        if (item == "samplespersec") {
            format.samplesPerSecond = value;
        } else if (item == "channels") {
            format.channels = value;
        } else if (item == "bitspersample") {
            format.bitsPerSample = value;
        } else if (item == "alignment") {
            format.alignment = value;
        } else if (item == "bytespersec") {
            format.bytesPerSecond = value;
        } else {
            return BadParameter;
        }
    }
    return (*recorder)->setFormat(format) ? Success : BadParameter;
}

std::int64_t millisecondsOf(std::int64_t amount, std::int64_t perSecond) {
    return perSecond > 0 ? amount * 1000 / perSecond : 0;
}

int statusCommand(OpenDevice& open, const Words& words, std::string& answer) {
    if (words.size() != 3) return BadParameter;
    const std::string item = lowerCase(words[2]);
    const bool bytes = open.timeFormat == TimeFormat::Bytes;
    return std::visit(
        [&](auto& device) -> int {
            using Device = std::decay_t<decltype(*device)>;
            if constexpr (std::is_same_v<Device, WaveRecorder>) {
                const std::int64_t length = device->lengthBytes();
                if (item == "length" || item == "position") {
                    answer = std::to_string(
                        bytes ? length : millisecondsOf(length, device->format().bytesPerSecond));
                } else if (item == "mode") {
                    answer = device->isRecording() ? "recording" : "stopped";
                } else {
                    return BadParameter;
                }
            } else if constexpr (std::is_same_v<Device, WavePlayer>) {
                const auto toUnits = [&](std::int64_t frames) {
                    return bytes ? frames * device->blockAlign()
                                 : millisecondsOf(frames, device->sampleRate());
                };
                if (item == "length") {
                    answer = std::to_string(toUnits(device->lengthFrames()));
                } else if (item == "position") {
                    answer = std::to_string(toUnits(device->positionFrames()));
                } else if (item == "mode") {
                    answer = device->isPlaying() ? "playing" : "stopped";
                } else {
                    return BadParameter;
                }
            } else {
                // A sequencer counts in the file's ticks whatever the format.
                if (item == "length") {
                    answer = std::to_string(std::max(0, device->lengthTicks()));
                } else if (item == "position") {
                    answer = std::to_string(std::max(0, device->positionTicks()));
                } else if (item == "mode") {
                    answer = device->isPlaying() ? "playing" : "stopped";
                } else {
                    return BadParameter;
                }
            }
            return Success;
        },
        open.device);
}

int deviceCommand(const std::string& verb, OpenDevice& open, const Words& words,
                  std::string& answer) {
    std::string error;
    if (verb == "set") return setCommand(open, words);
    if (verb == "status") return statusCommand(open, words, answer);
    if (auto* recorder = std::get_if<std::unique_ptr<WaveRecorder>>(&open.device)) {
        if (verb == "record") {
            if (words.size() > 3 || (words.size() == 3 && lowerCase(words[2]) != "overwrite"))
                return BadParameter;
            switch ((*recorder)->record(words.size() == 3, error)) {
                case WaveRecorder::Start::Recording:
                    return Success;
                case WaveRecorder::Start::FileFailed:
                    answer = error;
                    return CannotWriteFile;
                case WaveRecorder::Start::NoInput:
                    break;
            }
            answer = error;
            return DeviceUnavailable;
        }
        if (verb == "stop") {
            (*recorder)->stop();
            answer = (*recorder)->interruption();
            return answer.empty() ? Success : DeviceUnavailable;
        }
        if (verb == "save") {
            if (words.size() != 3 || words[2].empty()) return BadParameter;
            if ((*recorder)->save(words[2], error)) return Success;
            answer = error;
            return CannotWriteFile;
        }
        return NotSupported;
    }
    if (words.size() != 2) return BadParameter;
    return std::visit(
        [&](auto& device) -> int {
            using Device = std::decay_t<decltype(*device)>;
            if constexpr (std::is_same_v<Device, WaveRecorder>) {
                return NotSupported;
            } else {
                if (verb == "play") return device->play(error) ? Success : DeviceUnavailable;
                if (verb == "stop") {
                    device->stop();
                    return Success;
                }
                return NotSupported;
            }
        },
        open.device);
}

}  // namespace

int mciSendString(const std::string& command, std::string& answer) {
    answer.clear();
    const auto words = splitCommandWords(command);
    if (!words || words->empty()) return BadParameter;
    const std::string verb = lowerCase(words->front());
    static const std::array<std::string_view, 8> known = {"open", "close", "set",  "record",
                                                          "play", "stop",  "save", "status"};
    if (std::find(known.begin(), known.end(), verb) == known.end()) return UnknownCommand;
    if (words->size() < 2) return BadParameter;

    std::unique_ptr<OpenDevice> closing;
    {
        const std::lock_guard guard(tableLock);
        if (verb == "open") return openCommand(*words);
        const auto found = openDevices().find(lowerCase((*words)[1]));
        if (found == openDevices().end()) return UnknownAlias;
        if (verb != "close") return deviceCommand(verb, found->second, *words, answer);
        if (words->size() != 2) return BadParameter;
        closing = std::make_unique<OpenDevice>(std::move(found->second));
        openDevices().erase(found);
    }
    // The device's threads are joined outside the lock.
    return Success;
}

int mciSendString(const std::string& command) {
    std::string answer;
    return mciSendString(command, answer);
}

std::string quotePath(const std::string& path) {
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

void closeAllMedia() {
    std::map<std::string, OpenDevice> closing;
    {
        const std::lock_guard guard(tableLock);
        closing.swap(openDevices());
    }
}

}  // namespace media
