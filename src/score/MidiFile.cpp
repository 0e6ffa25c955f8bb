#include "score/MidiFile.h"

#include <algorithm>

namespace score {

namespace {

constexpr std::uint8_t NoteOff = 0x80;
constexpr std::uint8_t NoteOn = 0x90;
constexpr std::uint8_t ProgramChange = 0xC0;
constexpr std::uint8_t FullVelocity = 0x7F;
constexpr std::uint32_t MaxTempoMicroseconds = 0xFFFFFF;

enum class CellKind { Empty, Start, Held };

// Values outside the cell coding count as empty: they could only come from a
// damaged file and have no key that fits a data byte.
CellKind kindOf(std::int16_t cell) {
    if (cell >= 0 && cell < RowCount) return CellKind::Start;
    if (cell >= HeldOffset && cell < HeldOffset + RowCount) return CellKind::Held;
    return CellKind::Empty;
}

std::int16_t instrumentOf(std::int16_t cell) {
    return cell >= 0 && cell <= LastInstrument ? cell : 0;
}

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void put(std::initializer_list<std::uint8_t> bytes) { out_.insert(out_.end(), bytes); }
    void put(std::uint8_t byte) { out_.push_back(byte); }

    // Variable-length quantity: 7 bits a byte, most significant first, the
    // top bit set on every byte but the last.
    void putVariableLength(std::uint32_t value) {
        std::uint8_t groups[5];
        int count = 0;
        do {
            groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
            value >>= 7;
        } while (value != 0);
        while (count > 1) put(static_cast<std::uint8_t>(groups[--count] | 0x80));
        put(groups[0]);
    }

    void putBigEndian(std::uint32_t value, int byteCount) {
        for (int shift = 8 * (byteCount - 1); shift >= 0; shift -= 8) {
            put(static_cast<std::uint8_t>((value >> shift) & 0xFF));
        }
    }

    void patchBigEndian32(std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            out_[at + i] = static_cast<std::uint8_t>((value >> (8 * (3 - i))) & 0xFF);
        }
    }

    std::size_t size() const { return out_.size(); }

private:
    std::vector<std::uint8_t>& out_;
};

struct Note {
    std::uint8_t channel;
    std::uint8_t key;
};

// One track's events. The note that sounds is remembered as it was sent, so
// its note off goes to the same channel and key even when the instrument
// turns from melodic to percussion, or the held cells name another row.
class TrackEvents {
public:
    TrackEvents(ByteWriter& writer, int track) : out_(writer), track_(track) {}

    void column(int c, std::int16_t cell, std::int16_t instrumentCell) {
        const CellKind previous = kindOf(lastCell_);
        const CellKind kind = kindOf(cell);
        const std::int16_t instrument = instrumentOf(instrumentCell);

        // A new instrument is set before the notes of the column.
        if (kind == CellKind::Start && instrument != currentInstrument_) {
            if (instrument >= FirstPercussionInstrument) {
                percussion_ = true;
                percussionKey_ = static_cast<std::uint8_t>(instrument - PercussionKeyOffset);
            } else {
                delta(c);
                out_.put({static_cast<std::uint8_t>(ProgramChange + track_),
                          static_cast<std::uint8_t>(instrument)});
                percussion_ = false;
            }
        }

        if (previous != CellKind::Empty && kind == CellKind::Start) {
            delta(c);
            if (sounding_) {
                noteOff();
                out_.put(0x00);
            }
            noteOn(cell);
        } else if (previous != CellKind::Empty && kind == CellKind::Empty) {
            if (sounding_) {
                delta(c);
                noteOff();
            }
        } else if (previous == CellKind::Empty && kind == CellKind::Start) {
            delta(c);
            noteOn(cell);
        }
        // A held cell goes on with the sounding note; one after an empty cell
        // stays silent.

        lastCell_ = kind == CellKind::Empty ? EmptyCell : cell;
        if (kind == CellKind::Start) currentInstrument_ = instrument;
    }

    // The column after the last one: a sounding note ends there.
    void end(int endColumn) {
        if (sounding_) {
            delta(endColumn);
            noteOff();
        }
        delta(endColumn);
        out_.put({0xFF, 0x2F, 0x00});
    }

private:
    void delta(int c) {
        out_.putVariableLength(static_cast<std::uint32_t>(c - lastEventColumn_) * TicksPerColumn);
        lastEventColumn_ = c;
    }

    void noteOn(std::int16_t cell) {
        const Note note = percussion_ ? Note{PercussionChannel, percussionKey_}
                                      : Note{static_cast<std::uint8_t>(track_),
                                             static_cast<std::uint8_t>(RowCount - 1 - cell)};
        out_.put({static_cast<std::uint8_t>(NoteOn + note.channel), note.key, FullVelocity});
        sounding_ = true;
        soundingNote_ = note;
    }

    void noteOff() {
        out_.put(
            {static_cast<std::uint8_t>(NoteOff + soundingNote_.channel), soundingNote_.key, 0x00});
        sounding_ = false;
    }

    ByteWriter& out_;
    int track_;
    std::int16_t lastCell_ = EmptyCell;
    std::int16_t currentInstrument_ = -1;
    bool percussion_ = false;
    std::uint8_t percussionKey_ = 0;
    int lastEventColumn_ = 0;
    bool sounding_ = false;
    Note soundingNote_{0, 0};
};

}  // namespace

std::uint32_t microsecondsPerQuarter(std::int16_t tempo) {
    const std::uint32_t beatsPerMinute = static_cast<std::uint32_t>(std::max<int>(tempo, 1));
    return std::min<std::uint32_t>(60'000'000u / beatsPerMinute, MaxTempoMicroseconds);
}

std::vector<std::uint8_t> buildMidiFile(const Grid& notes, const Grid& instruments,
                                        std::int16_t tempo, const HiddenTracks& hidden) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(4096);
    ByteWriter out(bytes);

    // Header: format 1, the tempo track and 13 score tracks, 48 ticks a beat.
    out.put({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, TrackCount + 1, 0, TicksPerQuarter});

    // Tempo track: the tempo, 4/4 time with 24 clocks a click and 8 32nds a
    // quarter, the end of the track.
    out.put({'M', 'T', 'r', 'k', 0, 0, 0, 19, 0x00, 0xFF, 0x51, 0x03});
    out.putBigEndian(microsecondsPerQuarter(tempo), 3);
    out.put({0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x2F, 0x00});

    const int endColumn = findLastColumn(notes, hidden) + 1;
    for (int track = 0; track < TrackCount; ++track) {
        out.put({'M', 'T', 'r', 'k', 0, 0, 0, 0});
        const std::size_t chunkStart = out.size();
        TrackEvents events(out, track);
        if (!hidden[track]) {
            for (int c = 0; c < endColumn; ++c) {
                events.column(c, notes[track][c], instruments[track][c]);
            }
        }
        events.end(endColumn);
        out.patchBigEndian32(chunkStart - 4, static_cast<std::uint32_t>(out.size() - chunkStart));
    }
    return bytes;
}

}  // namespace score
