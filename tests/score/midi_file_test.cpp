// The Standard MIDI File export, byte for byte, and read back by mido (a
// reader we did not write) to show that those bytes say what we mean.

#include <gtest/gtest.h>

#include <sstream>

#include "ExportCheck.h"
#include "RandomScore.h"
#include "score/MidiFile.h"
#include "support/RunTool.h"

namespace {

using namespace scoretest;
using Bytes = std::vector<std::uint8_t>;

// Bytes written as hexadecimal pairs: "4D 54".
Bytes hex(const std::string& pairs) {
    Bytes bytes;
    std::istringstream in(pairs);
    for (int byte; in >> std::hex >> byte;) bytes.push_back(static_cast<std::uint8_t>(byte));
    return bytes;
}

// Format 1, 14 chunks, 48 ticks a beat; the tempo track at 120 beats a minute.
const Bytes HeaderAndTempoTrack =
    hex("4D 54 68 64 00 00 00 06 00 01 00 0E 00 30 4D 54 72 6B 00 00 00 13 "
        "00 FF 51 03 07 A1 20 00 FF 58 04 04 02 18 08 00 FF 2F 00");

void appendChunk(Bytes& file, const Bytes& events) {
    const auto length = static_cast<std::uint32_t>(events.size());
    file.insert(file.end(),
                {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(length >> 24),
                 static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 8),
                 static_cast<std::uint8_t>(length)});
    file.insert(file.end(), events.begin(), events.end());
}

struct Cells {
    int track;
    int column;
    std::vector<int> cells;
    int instrument;
};

void place(Score& song, const Cells& cells) {
    int column = cells.column;
    for (int cell : cells.cells) {
        song.notes[cells.track][column] = static_cast<std::int16_t>(cell);
        song.instruments[cells.track][column++] = static_cast<std::int16_t>(cells.instrument);
    }
}

struct ExportCase {
    const char* name;
    std::vector<Cells> score;
    std::vector<int> hidden;
    std::vector<std::pair<int, Bytes>> tracks;  // the events of the tracks that hold any
    Bytes endDelta;                             // before the end of every other track
};

const ExportCase ExportCases[] = {
    {"worked example: a note of three columns",
     {{0, 0, {60, 1060, 1060}, 24}},
     {},
     {{0, hex("00 C0 18 00 90 43 7F 24 80 43 00 00 FF 2F 00")}},
     hex("24")},
    {"empty score", {}, {}, {}, hex("0C")},
    {"note held to the last column ends one column after it (12012 ticks: DD 6C)",
     {{12, 0, std::vector<int>(1001, 1000), 5}, {12, 0, {0}, 5}},
     {},
     {{12, hex("00 CC 05 00 9C 7F 7F DD 6C 8C 7F 00 00 FF 2F 00")}},
     hex("DD 6C")},
    {"adjacent starts on the same row sound twice",
     {{0, 0, {60, 60}, 24}},
     {},
     {{0, hex("00 C0 18 00 90 43 7F 0C 80 43 00 00 90 43 7F 0C 80 43 00 00 FF 2F 00")}},
     hex("18")},
    {"a hidden track is empty and does not count for the end",
     {{0, 0, {60, 1060}, 0}, {1, 0, {50, 1050, 1050, 1050, 1050}, 0}},
     {1},
     {{0, hex("00 C0 00 00 90 43 7F 18 80 43 00 00 FF 2F 00")}},
     hex("18")},
    {"percussion sounds on channel 9 without a program change",
     {{4, 0, {10}, 135}},
     {},
     {{4, hex("00 99 2A 7F 0C 89 2A 00 00 FF 2F 00")}},
     hex("0C")},
    {"a program change only where the instrument changes",
     {{2, 0, {60}, 24}, {2, 2, {62}, 24}, {2, 4, {64}, 25}},
     {},
     {{2, hex("00 C2 18 00 92 43 7F 0C 82 43 00 0C 92 41 7F 0C 82 41 00 0C C2 19 00 92 3F 7F 0C 82 "
              "3F 00 00 FF 2F 00")}},
     hex("3C")},
    {"a gap of 200 columns is a two-byte delta (2400 ticks: 92 60)",
     {{0, 0, {60}, 0}, {0, 201, {60}, 0}},
     {},
     {{0, hex("00 C0 00 00 90 43 7F 0C 80 43 00 92 60 90 43 7F 0C 80 43 00 00 FF 2F 00")}},
     hex("92 78")},
    {"a melodic note ends on its own key when a drum follows",
     {{0, 0, {60}, 24}, {0, 1, {10}, 135}},
     {},
     {{0, hex("00 C0 18 00 90 43 7F 0C 80 43 00 00 99 2A 7F 0C 89 2A 00 00 FF 2F 00")}},
     hex("18")},
    {"a drum ends on channel 9 when a melodic note follows",
     {{0, 0, {10, 1010}, 135}, {0, 2, {60}, 24}},
     {},
     {{0, hex("00 99 2A 7F 18 C0 18 00 89 2A 00 00 90 43 7F 0C 80 43 00 00 FF 2F 00")}},
     hex("24")},
    {"another drum ends the one that sounds",
     {{5, 0, {10}, 135}, {5, 1, {10}, 136}},
     {},
     {{5, hex("00 99 2A 7F 0C 89 2A 00 00 99 2B 7F 0C 89 2B 00 00 FF 2F 00")}},
     hex("18")},
    // Transposing from the middle of a note leaves held cells of another row.
    {"held cells of another row end the note on its starting key",
     {{0, 0, {60, 1060, 1062, 1062}, 24}},
     {},
     {{0, hex("00 C0 18 00 90 43 7F 30 80 43 00 00 FF 2F 00")}},
     hex("30")},
    // Nothing sounds there, so no note off may cut another track's note.
    {"held cells without a start write nothing",
     {{0, 1, {1060}, 0}, {0, 3, {1060}, 0}, {0, 4, {62}, 0}},
     {},
     {{0, hex("30 C0 00 00 90 41 7F 0C 80 41 00 00 FF 2F 00")}},
     hex("3C")},
    // Values a damaged file could leave: the cells count as empty (though used
    // for the end), instruments outside 0..174 as instrument 0.
    {"cells and instruments outside the coding",
     {{0, 0, {60, 1128, 500, -5, 128, 2060, 5000, 999}, 300},
      {1, 0, {60, 1060}, -1},
      {2, 0, {60, 1060}, 175},
      {3, 0, {60, 1060}, 32767}},
     {},
     {{0, hex("00 C0 00 00 90 43 7F 0C 80 43 00 54 FF 2F 00")},
      {1, hex("00 C1 00 00 91 43 7F 18 81 43 00 48 FF 2F 00")},
      {2, hex("00 C2 00 00 92 43 7F 18 82 43 00 48 FF 2F 00")},
      {3, hex("00 C3 00 00 93 43 7F 18 83 43 00 48 FF 2F 00")}},
     hex("60")},
    {"the highest row is key 127, the lowest key 0, velocity always 127",
     {{7, 0, {0}, 1}, {7, 1, {127}, 1}},
     {},
     {{7, hex("00 C7 01 00 97 7F 7F 0C 87 7F 00 00 97 00 7F 0C 87 00 00 00 FF 2F 00")}},
     hex("18")},
};

TEST(MidiFileExport, ExactBytes) {
    for (const ExportCase& c : ExportCases) {
        SCOPED_TRACE(c.name);
        auto song = emptyScore();
        for (const Cells& cells : c.score) place(*song, cells);
        for (int track : c.hidden) song->hidden[track] = true;

        Bytes expected = HeaderAndTempoTrack;
        for (int track = 0; track < score::TrackCount; ++track) {
            Bytes events = c.endDelta;
            events.insert(events.end(), {0xFF, 0x2F, 0x00});
            for (const auto& [t, listed] : c.tracks) {
                if (t == track) events = listed;
            }
            appendChunk(expected, events);
        }
        EXPECT_EQ(score::buildMidiFile(song->notes, song->instruments, song->tempo, song->hidden),
                  expected);
    }
}

// A track longer than 255 bytes needs the chunk length's upper bytes.
TEST(MidiFileExport, LongTrackCarriesItsWholeLength) {
    auto song = emptyScore();
    for (int column = 0; column < 500; column += 2) place(*song, {0, column, {60}, 24});
    Bytes events = hex("00 C0 18 00 90 43 7F 0C 80 43 00");
    const Bytes nextNote = hex("0C 90 43 7F 0C 80 43 00");
    for (int note = 1; note < 250; ++note)
        events.insert(events.end(), nextNote.begin(), nextNote.end());
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    ASSERT_EQ(events.size(), 0x07D7u);
    Bytes expected = HeaderAndTempoTrack;
    appendChunk(expected, events);
    for (int track = 1; track < score::TrackCount; ++track) {
        appendChunk(expected, hex("AE 64 FF 2F 00"));  // 5988 ticks
    }
    EXPECT_EQ(score::buildMidiFile(song->notes, song->instruments, song->tempo, song->hidden),
              expected);
}

TEST(MidiTempo, MicrosecondsPerQuarterNoteFitThreeBytes) {
    const std::pair<std::int16_t, std::uint32_t> table[] = {
        {120, 500000}, {90, 666666},  {4, 15000000},    {32767, 1831},     {3, 0xFFFFFF},
        {1, 0xFFFFFF}, {0, 0xFFFFFF}, {-120, 0xFFFFFF}, {-32768, 0xFFFFFF}};
    for (const auto& [tempo, microseconds] : table) {
        EXPECT_EQ(score::microsecondsPerQuarter(tempo), microseconds) << tempo;
    }
}

// What mido reads: the header, then per message its chunk, its time in ticks from the start of
// the chunk, its type and its values.
std::string readWithMido(const std::string& path) {
    static const std::string script = R"(import sys, mido
f = mido.MidiFile(sys.argv[1])
print(f'format {f.type}, {len(f.tracks)} chunks, {f.ticks_per_beat} ticks a beat')
for i, track in enumerate(f.tracks):
    t = 0
    for m in track:
        t += m.time
        print(i, t, m.type, *[f'{k}={v}' for k, v in sorted(m.dict().items())
                              if k not in ('type', 'time')])
)";
    std::string output;
    const int status =
        testsupport::runTool("/usr/bin/python3 -c " + testsupport::shellQuoted(script) + " " +
                                 testsupport::shellQuoted(path),
                             output);
    return status == 0 ? output : "mido failed with status " + std::to_string(status);
}

TEST(MidiFileExport, MidoReadsTheNotesOfTheScore) {
    auto song = emptyScore();
    song->tempo = 90;
    place(*song, {0, 0, {60, 1060, 1060}, 24});
    place(*song, {1, 0, {50, 1050, 1050, 1050, 1050, 1050, 1050, 1050}, 0});
    song->hidden[1] = true;
    place(*song, {2, 0, {60}, 24});
    place(*song, {2, 2, {62, 1062}, 24});
    place(*song, {2, 4, {64}, 25});
    place(*song, {4, 1, {10}, 135});
    place(*song, {12, 3, {0, 1000}, 5});
    TempFolder folder;
    writeBytes(folder.file("song.mid"),
               score::buildMidiFile(song->notes, song->instruments, song->tempo, song->hidden));
    EXPECT_EQ(readWithMido(folder.file("song.mid")),
              "format 1, 14 chunks, 48 ticks a beat\n"
              "0 0 set_tempo tempo=666666\n"
              "0 0 time_signature clocks_per_click=24 denominator=4 "
              "notated_32nd_notes_per_beat=8 numerator=4\n"
              "0 0 end_of_track\n"
              "1 0 program_change channel=0 program=24\n"
              "1 0 note_on channel=0 note=67 velocity=127\n"
              "1 36 note_off channel=0 note=67 velocity=0\n"
              "1 60 end_of_track\n"
              "2 60 end_of_track\n"
              "3 0 program_change channel=2 program=24\n"
              "3 0 note_on channel=2 note=67 velocity=127\n"
              "3 12 note_off channel=2 note=67 velocity=0\n"
              "3 24 note_on channel=2 note=65 velocity=127\n"
              "3 48 program_change channel=2 program=25\n"
              "3 48 note_off channel=2 note=65 velocity=0\n"
              "3 48 note_on channel=2 note=63 velocity=127\n"
              "3 60 note_off channel=2 note=63 velocity=0\n"
              "3 60 end_of_track\n"
              "4 60 end_of_track\n"
              "5 12 note_on channel=9 note=42 velocity=127\n"
              "5 24 note_off channel=9 note=42 velocity=0\n"
              "5 60 end_of_track\n"
              "6 60 end_of_track\n"
              "7 60 end_of_track\n"
              "8 60 end_of_track\n"
              "9 60 end_of_track\n"
              "10 60 end_of_track\n"
              "11 60 end_of_track\n"
              "12 60 end_of_track\n"
              "13 36 program_change channel=12 program=5\n"
              "13 36 note_on channel=12 note=127 velocity=127\n"
              "13 60 note_off channel=12 note=127 velocity=0\n"
              "13 60 end_of_track\n");
}

// Every column of every track used: far beyond the fixed buffer the export
// once had, and still a file mido reads to its end.
TEST(MidiFileExport, DenseScoreIsReadWhole) {
    const auto song = denseScore();
    TempFolder folder;
    const Bytes bytes =
        score::buildMidiFile(song->notes, song->instruments, song->tempo, song->hidden);
    EXPECT_GT(bytes.size(), 100000u);
    writeBytes(folder.file("dense.mid"), bytes);
    std::istringstream lines(readWithMido(folder.file("dense.mid")));
    std::string ends;
    for (std::string line; std::getline(lines, line);) {
        if (line.ends_with("end_of_track")) ends += line + "\n";
    }
    std::string expected = "0 0 end_of_track\n";
    for (int chunk = 1; chunk <= 13; ++chunk) {
        expected += std::to_string(chunk) + " 12012 end_of_track\n";
    }
    EXPECT_EQ(ends, expected);
}

}  // namespace
