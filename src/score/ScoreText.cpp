#include "score/ScoreText.h"

#include <charconv>
#include <vector>

#include "score/FileAccess.h"
#include "score/NumberText.h"

namespace score {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::size_t ScoreLineCount = 2 * TrackCount + 2;

void appendNumber(std::string& out, int value) {
    char digits[16];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end);
}

void appendFields(std::string& out, const std::int16_t* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0) out += ',';
        appendNumber(out, values[i]);
    }
    out += LineEnd;
}

// Only the characters up to the track's last used column are written.
int lastWrittenColumn(const TrackRow& notes) {
    for (int column = LastColumn; column >= 0; --column) {
        if (isUsed(notes[column])) return column;
    }
    return 0;
}

bool isNotesCoding(int value) {
    return value == EmptyCell || (value >= 0 && value < RowCount) ||
           (value >= HeldOffset && value < HeldOffset + RowCount);
}

bool isInstrumentCoding(int value) {
    return value >= 0 && value <= LastInstrument;
}

// The lines of the text: CR LF, LF alone and CR alone all end a line; text
// after the last line end is a line of its own. Lines past the score's 28
// are never looked at.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size() && lines.size() < ScoreLineCount) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size() && lines.size() < ScoreLineCount) lines.push_back(text.substr(start));
    return lines;
}

// Calls take(index, field) for each comma-separated field; an empty line has
// no fields at all.
template <typename Take>
void forEachField(std::string_view line, Take take) {
    if (line.empty()) return;
    std::size_t index = 0;
    std::size_t start = 0;
    for (;;) {
        const auto comma = line.find(',', start);
        const auto field =
            line.substr(start, comma == std::string_view::npos ? line.npos : comma - start);
        if (!take(index, field)) return;
        if (comma == std::string_view::npos) return;
        start = comma + 1;
        ++index;
    }
}

// A field that is not a 16-bit number leaves the cell as it was; a number
// outside the cell coding empties it, so nothing later plays or exports a
// value no MIDI data byte can carry.
void fillRow(std::string_view line, TrackRow& row, bool (*valid)(int), std::int16_t empty) {
    forEachField(line, [&](std::size_t column, std::string_view field) {
        if (column > static_cast<std::size_t>(LastColumn)) return false;
        if (const auto value = roundToInt16(leadingNumber(field))) {
            row[column] = valid(*value) ? *value : empty;
        }
        return true;
    });
}

// The tempo is the first blank- or comma-ended number of its line.
std::optional<std::int16_t> readTempo(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    std::size_t end = start;
    while (end < line.size() && line[end] != ' ' && line[end] != ',') ++end;
    const auto value = roundToInt16(leadingNumber(line.substr(start, end - start)));
    // A tempo below 1 could not be played nor divided by.
    if (!value || *value < 1) return std::nullopt;
    return value;
}

}  // namespace

std::string formatScoreText(const Grid& notes, const Grid& instruments, std::int16_t tempo,
                            const TrackInstruments& trackInstrument) {
    std::string out;
    for (int track = 0; track < TrackCount; ++track) {
        const int count = lastWrittenColumn(notes[track]) + 1;
        appendFields(out, notes[track].data(), count);
        appendFields(out, instruments[track].data(), count);
    }
    // The tempo is printed with its sign position: a blank when not negative.
    if (tempo >= 0) out += ' ';
    appendNumber(out, tempo);
    out += ' ';
    out += LineEnd;
    appendFields(out, trackInstrument.data(), TrackCount);
    return out;
}

ScoreFileContent parseScoreText(std::string_view text,
                                const TrackInstruments& currentTrackInstrument) {
    ScoreFileContent content;
    clearScore(content.notes, content.instruments);
    content.trackInstrument = currentTrackInstrument;

    const auto lines = splitLines(text);
    std::size_t next = 0;
    for (int track = 0; track < TrackCount; ++track) {
        if (next < lines.size()) {
            fillRow(lines[next++], content.notes[track], isNotesCoding, EmptyCell);
        }
        if (next < lines.size()) {
            fillRow(lines[next++], content.instruments[track], isInstrumentCoding, 0);
        }
    }
    if (next < lines.size()) content.tempo = readTempo(lines[next++]);

    if (next >= lines.size()) {
        // A file without its last line: each track takes the instrument of its
        // first column.
        for (int track = 0; track < TrackCount; ++track) {
            content.trackInstrument[track] = content.instruments[track][0];
        }
    } else {
        forEachField(lines[next], [&](std::size_t track, std::string_view field) {
            if (track >= static_cast<std::size_t>(TrackCount)) return false;
            const auto value = roundToInt16(leadingNumber(field));
            if (value && isInstrumentCoding(*value)) content.trackInstrument[track] = *value;
            return true;
        });
    }
    return content;
}

ScoreFileRead readScoreFile(const std::string& path,
                            const TrackInstruments& currentTrackInstrument) {
    ScoreFileRead result;
    const auto file = readWholeFile(path);
    if (!file.ok()) {
        result.error = file.error;
        return result;
    }
    result.content = parseScoreText(file.bytes, currentTrackInstrument);
    return result;
}

}  // namespace score
