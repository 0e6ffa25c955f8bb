#include "MidiWalk.h"

#include <map>
#include <utility>

namespace scoretest {

namespace {

class Reader {
public:
    Reader(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes), at_(begin), end_(end) {}

    bool atEnd() const { return at_ >= end_; }
    bool byte(std::uint8_t& value) {
        if (at_ >= end_) return false;
        value = bytes_[at_++];
        return true;
    }
    bool variableLength(std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b;
            if (!byte(b)) return false;
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return true;
        }
        return false;
    }
    std::uint32_t bigEndian(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            std::uint8_t b = 0;
            byte(b);
            value = (value << 8) | b;
        }
        return value;
    }
    std::size_t position() const { return at_; }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_;
    std::size_t end_;
};

std::string walkTrack(Reader& in, std::vector<RawEvent>& events) {
    long tick = 0;
    bool ended = false;
    while (!in.atEnd()) {
        if (ended) return "bytes after the end of track";
        std::uint32_t delta;
        if (!in.variableLength(delta)) return "a bad delta time";
        tick += delta;
        RawEvent event;
        event.tick = tick;
        if (!in.byte(event.status)) return "a missing status byte";
        if (event.status < 0x80) return "running status or a stray data byte";
        int dataCount = 0;
        if (event.status == 0xFF) {
            std::uint8_t type;
            std::uint32_t length;
            if (!in.byte(type) || !in.variableLength(length)) return "a cut meta event";
            event.data.push_back(type);
            for (std::uint32_t i = 0; i < length; ++i) {
                std::uint8_t b;
                if (!in.byte(b)) return "a cut meta event";
                event.data.push_back(b);
            }
            if (type == 0x2F) ended = true;
        } else {
            switch (event.status & 0xF0) {
                case 0x80:
                case 0x90:
                    dataCount = 2;
                    break;
                case 0xC0:
                    dataCount = 1;
                    break;
                default:
                    return "an unexpected status byte";
            }
            for (int i = 0; i < dataCount; ++i) {
                std::uint8_t b;
                if (!in.byte(b)) return "a cut channel event";
                if (b > 0x7F) return "a data byte above 0x7F";
                event.data.push_back(b);
            }
        }
        events.push_back(std::move(event));
    }
    return ended ? "" : "no end of track";
}

}  // namespace

WalkedFile walkMidiFile(const std::vector<std::uint8_t>& bytes) {
    WalkedFile file;
    Reader header(bytes, 0, bytes.size());
    if (bytes.size() < 14 || header.bigEndian(4) != 0x4D546864 || header.bigEndian(4) != 6) {
        file.error = "no header chunk";
        return file;
    }
    header.bigEndian(2);
    const std::uint32_t trackCount = header.bigEndian(2);
    header.bigEndian(2);
    std::size_t at = 14;
    for (std::uint32_t t = 0; t < trackCount; ++t) {
        if (at + 8 > bytes.size()) {
            file.error = "track " + std::to_string(t) + " is missing";
            return file;
        }
        Reader chunk(bytes, at, at + 8);
        if (chunk.bigEndian(4) != 0x4D54726B) {
            file.error = "track " + std::to_string(t) + " has no MTrk";
            return file;
        }
        const std::size_t length = chunk.bigEndian(4);
        if (at + 8 + length > bytes.size()) {
            file.error = "track " + std::to_string(t) + " is longer than the file";
            return file;
        }
        Reader events(bytes, at + 8, at + 8 + length);
        file.tracks.emplace_back();
        const std::string error = walkTrack(events, file.tracks.back());
        if (!error.empty()) {
            file.error = "track " + std::to_string(t) + ": " + error;
            return file;
        }
        at += 8 + length;
    }
    if (at != bytes.size()) file.error = "bytes after the last track";
    return file;
}

std::string checkNotePairs(const WalkedFile& file) {
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
        std::map<std::pair<int, int>, int> sounding;
        for (const auto& event : file.tracks[t]) {
            const int kind = event.status & 0xF0;
            if (kind != 0x80 && kind != 0x90) continue;
            const std::pair<int, int> note{event.status & 0x0F, event.data[0]};
            const std::string where =
                "track " + std::to_string(t) + " tick " + std::to_string(event.tick) + " channel " +
                std::to_string(note.first) + " key " + std::to_string(note.second);
            if (kind == 0x90) {
                if (event.data[1] == 0) return where + ": a note on with velocity 0";
                if (sounding[note] > 0) return where + ": a note on over a sounding one";
                ++sounding[note];
            } else {
                if (sounding[note] == 0) return where + ": a note off with no note on";
                --sounding[note];
            }
        }
        for (const auto& [note, count] : sounding) {
            if (count != 0) {
                return "track " + std::to_string(t) + ": channel " + std::to_string(note.first) +
                       " key " + std::to_string(note.second) + " never ends";
            }
        }
    }
    return {};
}

}  // namespace scoretest
