// The Standard MIDI File export, byte for byte. Every file is also read back
// by mido and midicsv and compared with the score.

#include <gtest/gtest.h>

#include <initializer_list>

#include "ExportCheck.h"
#include "MidiWalk.h"
#include "score/MidiFile.h"

namespace {

using namespace scoretest;
using Bytes = std::vector<std::uint8_t>;

Bytes headerAndTempoTrack(std::uint32_t microseconds = 500000) {
    return {0x4D,
            0x54,
            0x68,
            0x64,
            0x00,
            0x00,
            0x00,
            0x06,
            0x00,
            0x01,
            0x00,
            0x0E,
            0x00,
            0x30,
            0x4D,
            0x54,
            0x72,
            0x6B,
            0x00,
            0x00,
            0x00,
            0x13,
            0x00,
            0xFF,
            0x51,
            0x03,
            static_cast<std::uint8_t>(microseconds >> 16),
            static_cast<std::uint8_t>(microseconds >> 8),
            static_cast<std::uint8_t>(microseconds),
            0x00,
            0xFF,
            0x58,
            0x04,
            0x04,
            0x02,
            0x18,
            0x08,
            0x00,
            0xFF,
            0x2F,
            0x00};
}

void appendChunk(Bytes& file, std::initializer_list<std::uint8_t> events) {
    const auto length = static_cast<std::uint32_t>(events.size());
    file.insert(file.end(),
                {0x4D, 0x54, 0x72, 0x6B, static_cast<std::uint8_t>(length >> 24),
                 static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 8),
                 static_cast<std::uint8_t>(length)});
    file.insert(file.end(), events);
}

// The file whose track `track` holds `events` and whose other tracks hold only
// their end of track after `emptyEnd`.
Bytes fileWithOneTrack(int track, std::initializer_list<std::uint8_t> events,
                       std::initializer_list<std::uint8_t> emptyEnd) {
    Bytes file = headerAndTempoTrack();
    for (int t = 0; t < score::TrackCount; ++t) {
        if (t == track) {
            appendChunk(file, events);
        } else {
            Bytes end(emptyEnd);
            end.insert(end.end(), {0xFF, 0x2F, 0x00});
            const auto length = static_cast<std::uint8_t>(end.size());
            file.insert(file.end(), {0x4D, 0x54, 0x72, 0x6B, 0, 0, 0, length});
            file.insert(file.end(), end.begin(), end.end());
        }
    }
    return file;
}

void setNote(Score& song, int track, int column, std::initializer_list<int> cells, int instrument) {
    for (int cell : cells) {
        song.notes[track][column] = static_cast<std::int16_t>(cell);
        song.instruments[track][column] = static_cast<std::int16_t>(instrument);
        ++column;
    }
}

class MidiFileExport : public ::testing::Test {
protected:
    Bytes exportChecked(const Score& song, const std::string& name) {
        auto bytes = exportAndCheck(song, folder_, name);
        const auto walked = walkMidiFile(bytes);
        EXPECT_EQ(walked.error, "");
        EXPECT_EQ(checkNotePairs(walked), "");
        return bytes;
    }
    TempFolder folder_;
};

TEST_F(MidiFileExport, WorkedExampleGivesItsTwoHundredAndEightBytes) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {60, 1060, 1060}, 24);
    const Bytes expected = fileWithOneTrack(
        0,
        {0x00, 0xC0, 0x18, 0x00, 0x90, 0x43, 0x7F, 0x24, 0x80, 0x43, 0x00, 0x00, 0xFF, 0x2F, 0x00},
        {0x24});
    const Bytes bytes = exportChecked(*song, "worked.mid");
    EXPECT_EQ(bytes.size(), 208u);
    EXPECT_EQ(bytes, expected);
}

TEST_F(MidiFileExport, EmptyScoreGivesOneHundredAndNinetySevenBytes) {
    auto song = emptyScore();
    Bytes expected = headerAndTempoTrack();
    for (int t = 0; t < score::TrackCount; ++t) appendChunk(expected, {0x0C, 0xFF, 0x2F, 0x00});
    const Bytes bytes = exportChecked(*song, "empty.mid");
    EXPECT_EQ(bytes.size(), 197u);
    EXPECT_EQ(bytes, expected);
}

TEST_F(MidiFileExport, NoteHeldToColumn1000EndsOneColumnAfterIt) {
    auto song = emptyScore();
    song->notes[3][0] = 0;
    song->instruments[3][0] = 5;
    for (int c = 1; c <= score::LastColumn; ++c) {
        song->notes[3][c] = 1000;
        song->instruments[3][c] = 5;
    }
    // 1001 columns are 12012 ticks: DD 6C as a variable-length quantity.
    const Bytes expected = fileWithOneTrack(3,
                                            {0x00, 0xC3, 0x05, 0x00, 0x93, 0x7F, 0x7F, 0xDD, 0x6C,
                                             0x83, 0x7F, 0x00, 0x00, 0xFF, 0x2F, 0x00},
                                            {0xDD, 0x6C});
    EXPECT_EQ(exportChecked(*song, "held.mid"), expected);
}

TEST_F(MidiFileExport, AdjacentNoteStartsReArticulateEvenOnTheSameRow) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {60, 60}, 24);
    const Bytes expected =
        fileWithOneTrack(0, {0x00, 0xC0, 0x18, 0x00, 0x90, 0x43, 0x7F, 0x0C, 0x80, 0x43, 0x00, 0x00,
                             0x90, 0x43, 0x7F, 0x0C, 0x80, 0x43, 0x00, 0x00, 0xFF, 0x2F, 0x00},
                         {0x18});
    EXPECT_EQ(exportChecked(*song, "again.mid"), expected);
}

TEST_F(MidiFileExport, HiddenTrackIsAnEmptyChunkAndDoesNotCountForTheEnd) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {60, 1060}, 0);
    for (int c = 0; c <= 300; ++c) song->notes[1][c] = c == 0 ? 50 : 1050;
    song->hidden[1] = true;
    const Bytes expected = fileWithOneTrack(
        0,
        {0x00, 0xC0, 0x00, 0x00, 0x90, 0x43, 0x7F, 0x18, 0x80, 0x43, 0x00, 0x00, 0xFF, 0x2F, 0x00},
        {0x18});
    EXPECT_EQ(exportChecked(*song, "hidden.mid"), expected);
}

TEST_F(MidiFileExport, PercussionSoundGoesToChannel9WithoutProgramChange) {
    auto song = emptyScore();
    setNote(*song, 4, 0, {10}, 135);
    const Bytes expected = fileWithOneTrack(
        4, {0x00, 0x99, 0x2A, 0x7F, 0x0C, 0x89, 0x2A, 0x00, 0x00, 0xFF, 0x2F, 0x00}, {0x0C});
    EXPECT_EQ(exportChecked(*song, "drum.mid"), expected);
}

TEST_F(MidiFileExport, ProgramChangeOnlyWhenTheInstrumentChanges) {
    auto song = emptyScore();
    setNote(*song, 2, 0, {60}, 24);
    setNote(*song, 2, 2, {62}, 24);
    setNote(*song, 2, 4, {64}, 25);
    const Bytes expected =
        fileWithOneTrack(2, {0x00, 0xC2, 0x18, 0x00, 0x92, 0x43, 0x7F, 0x0C, 0x82, 0x43, 0x00,  //
                             0x0C, 0x92, 0x41, 0x7F, 0x0C, 0x82, 0x41, 0x00,                    //
                             0x0C, 0xC2, 0x19, 0x00, 0x92, 0x3F, 0x7F, 0x0C, 0x82, 0x3F, 0x00,  //
                             0x00, 0xFF, 0x2F, 0x00},
                         {0x3C});
    EXPECT_EQ(exportChecked(*song, "programs.mid"), expected);
}

TEST_F(MidiFileExport, DeltaOf200ColumnsIsTwoBytes) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {60}, 0);
    setNote(*song, 0, 201, {60}, 0);
    // 202 columns are 2424 ticks: 92 78.
    const Bytes expected = fileWithOneTrack(
        0, {0x00, 0xC0, 0x00, 0x00, 0x90, 0x43, 0x7F, 0x0C, 0x80, 0x43, 0x00, 0x92,
            0x60, 0x90, 0x43, 0x7F, 0x0C, 0x80, 0x43, 0x00, 0x00, 0xFF, 0x2F, 0x00},
        {0x92, 0x78});
    EXPECT_EQ(exportChecked(*song, "delta.mid"), expected);
}

// A percussion note start right after a melodic note: the melodic note is
// ended on its own channel and key before the drum sounds.
TEST_F(MidiFileExport, MelodicNoteEndsOnItsOwnKeyWhenAPercussionNoteFollows) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {60}, 24);
    setNote(*song, 0, 1, {10}, 135);
    const Bytes expected =
        fileWithOneTrack(0, {0x00, 0xC0, 0x18, 0x00, 0x90, 0x43, 0x7F, 0x0C, 0x80, 0x43, 0x00, 0x00,
                             0x99, 0x2A, 0x7F, 0x0C, 0x89, 0x2A, 0x00, 0x00, 0xFF, 0x2F, 0x00},
                         {0x18});
    EXPECT_EQ(exportChecked(*song, "melodic-to-drum.mid"), expected);
}

TEST_F(MidiFileExport, PercussionNoteEndsOnChannel9WhenAMelodicNoteFollows) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {10, 1010}, 135);
    setNote(*song, 0, 2, {60}, 24);
    const Bytes expected =
        fileWithOneTrack(0, {0x00, 0x99, 0x2A, 0x7F, 0x18, 0xC0, 0x18, 0x00, 0x89, 0x2A, 0x00, 0x00,
                             0x90, 0x43, 0x7F, 0x0C, 0x80, 0x43, 0x00, 0x00, 0xFF, 0x2F, 0x00},
                         {0x24});
    EXPECT_EQ(exportChecked(*song, "drum-to-melodic.mid"), expected);
}

TEST_F(MidiFileExport, AnotherPercussionSoundEndsTheOneThatSounds) {
    auto song = emptyScore();
    setNote(*song, 5, 0, {10}, 135);
    setNote(*song, 5, 1, {10}, 136);
    const Bytes expected =
        fileWithOneTrack(5, {0x00, 0x99, 0x2A, 0x7F, 0x0C, 0x89, 0x2A, 0x00, 0x00, 0x99,
                             0x2B, 0x7F, 0x0C, 0x89, 0x2B, 0x00, 0x00, 0xFF, 0x2F, 0x00},
                         {0x18});
    EXPECT_EQ(exportChecked(*song, "drum-to-drum.mid"), expected);
}

// Transposing from the middle of a note leaves held cells of another row; the
// note still ends on the key it started with.
TEST_F(MidiFileExport, HeldCellsOfAnotherRowEndTheNoteOnItsStartingKey) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {60, 1060, 1062, 1062}, 24);
    const Bytes expected = fileWithOneTrack(
        0,
        {0x00, 0xC0, 0x18, 0x00, 0x90, 0x43, 0x7F, 0x30, 0x80, 0x43, 0x00, 0x00, 0xFF, 0x2F, 0x00},
        {0x30});
    EXPECT_EQ(exportChecked(*song, "transposed.mid"), expected);
}

// Held cells with no note start before them sound nothing, so they end
// nothing either: no note off goes out that could cut another track's note.
TEST_F(MidiFileExport, HeldCellsWithoutAStartWriteNoNoteOff) {
    auto song = emptyScore();
    setNote(*song, 0, 1, {1060}, 0);
    setNote(*song, 0, 3, {1060}, 0);
    setNote(*song, 0, 4, {62}, 0);
    const Bytes expected = fileWithOneTrack(
        0,
        {0x30, 0xC0, 0x00, 0x00, 0x90, 0x41, 0x7F, 0x0C, 0x80, 0x41, 0x00, 0x00, 0xFF, 0x2F, 0x00},
        {0x3C});
    EXPECT_EQ(exportChecked(*song, "orphans.mid"), expected);
}

TEST(MidiTempo, MicrosecondsPerQuarterNoteFitThreeBytes) {
    EXPECT_EQ(score::microsecondsPerQuarter(120), 500000u);
    EXPECT_EQ(score::microsecondsPerQuarter(90), 666666u);
    EXPECT_EQ(score::microsecondsPerQuarter(4), 15000000u);
    EXPECT_EQ(score::microsecondsPerQuarter(32767), 1831u);
    for (std::int16_t tempo : {3, 1, 0, -120, -32768}) {
        EXPECT_EQ(score::microsecondsPerQuarter(tempo), 0xFFFFFFu) << tempo;
    }
}

TEST_F(MidiFileExport, TempoBytesFollowTheTempo) {
    auto song = emptyScore();
    for (std::int16_t tempo : {90, 4, 0, -7}) {
        song->tempo = tempo;
        const Bytes bytes = exportChecked(*song, "tempo" + std::to_string(tempo) + ".mid");
        const std::uint32_t us = score::microsecondsPerQuarter(tempo);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 41), headerAndTempoTrack(us)) << tempo;
    }
}

// Values a damaged grid could hold still give a file whose data bytes all
// fit below 0x80.
TEST_F(MidiFileExport, CellsOutsideTheCodingExportNoBadBytes) {
    auto song = emptyScore();
    setNote(*song, 0, 0, {500, 1500, -5, 128, 2060, 5000, 999}, 300);
    setNote(*song, 1, 0, {60, 1060}, -1);
    setNote(*song, 2, 0, {60, 1060}, 175);
    setNote(*song, 3, 0, {60, 1060}, 32767);
    const Bytes bytes =
        score::buildMidiFile(song->notes, song->instruments, song->tempo, song->hidden);
    const auto walked = walkMidiFile(bytes);
    EXPECT_EQ(walked.error, "");
    EXPECT_EQ(checkNotePairs(walked), "");
    writeBytes(folder_.file("damaged.mid"), bytes);
    EXPECT_TRUE(readWithMido(folder_.file("damaged.mid")).ok);
    EXPECT_TRUE(readWithMidicsv(folder_.file("damaged.mid")).ok);
}

}  // namespace
