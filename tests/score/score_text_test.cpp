// The score text file: written byte for byte, read back with its numeric
// rules, and kept within the cell coding whatever the file holds.

#include <gtest/gtest.h>

#include "ExportCheck.h"
#include "MidiWalk.h"
#include "RandomScore.h"
#include "score/FileAccess.h"
#include "score/MidiFile.h"
#include "score/ScoreText.h"

namespace {

using namespace scoretest;
using score::formatScoreText;
using score::parseScoreText;
using score::TrackInstruments;

std::string format(const Score& song, const TrackInstruments& trackInstrument) {
    return formatScoreText(song.notes, song.instruments, song.tempo, trackInstrument);
}

std::string emptyTrackLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += "-1\r\n0\r\n";
    return lines;
}

std::string joined(int count, const std::string& first, const std::string& rest) {
    std::string text = first;
    for (int i = 1; i < count; ++i) text += "," + rest;
    return text;
}

const TrackInstruments NoInstruments{};
const TrackInstruments Current{3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};

TEST(ScoreTextWriting, WorkedExampleByteForByte) {
    auto song = emptyScore();
    for (int c = 0; c < 3; ++c) {
        song->notes[0][c] = static_cast<std::int16_t>(c == 0 ? 60 : 1060);
        song->instruments[0][c] = 24;
    }
    TrackInstruments trackInstrument{};
    trackInstrument[0] = 24;
    const std::string expected = "60,1060,1060\r\n24,24,24\r\n" + emptyTrackLines(12) +
                                 " 120 \r\n24,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
    EXPECT_EQ(format(*song, trackInstrument), expected);
}

TEST(ScoreTextWriting, EmptyScoreIsTwentySixSingleFieldLines) {
    auto song = emptyScore();
    EXPECT_EQ(format(*song, NoInstruments),
              emptyTrackLines(13) + " 120 \r\n0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
}

TEST(ScoreTextWriting, NoteHeldToColumn1000WritesAllItsFields) {
    auto song = emptyScore();
    song->notes[12][0] = 5;
    song->instruments[12][0] = 130;
    for (int c = 1; c <= score::LastColumn; ++c) {
        song->notes[12][c] = 1005;
        song->instruments[12][c] = 130;
    }
    const std::string expected = emptyTrackLines(12) + joined(1001, "5", "1005") + "\r\n" +
                                 joined(1001, "130", "130") + "\r\n" +
                                 " 120 \r\n0,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
    EXPECT_EQ(format(*song, NoInstruments), expected);
}

TEST(ScoreTextWriting, EmptyColumnsBeforeTheLastNoteAreWrittenAndNoneAfterIt) {
    auto song = emptyScore();
    song->instruments[1][1] = 7;  // an instrument in an empty column before the note
    song->notes[1][3] = 60;
    song->instruments[1][3] = 24;
    song->instruments[1][9] = 8;  // and one after it, which is not kept
    song->tempo = 90;
    const TrackInstruments trackInstrument{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 174};
    const std::string expected = "-1\r\n0\r\n-1,-1,-1,60\r\n0,7,0,24\r\n" + emptyTrackLines(11) +
                                 " 90 \r\n1,2,3,4,5,6,7,8,9,10,11,12,174\r\n";
    EXPECT_EQ(format(*song, trackInstrument), expected);
}

TEST(ScoreTextWriting, TempoLineHasTheSignPositionAndATrailingBlank) {
    auto song = emptyScore();
    const std::pair<std::int16_t, std::string> cases[] = {{120, " 120 \r\n"},
                                                          {7, " 7 \r\n"},
                                                          {0, " 0 \r\n"},
                                                          {-5, "-5 \r\n"},
                                                          {32767, " 32767 \r\n"}};
    for (const auto& [tempo, line] : cases) {
        song->tempo = tempo;
        const std::string text = format(*song, NoInstruments);
        EXPECT_EQ(text.substr(emptyTrackLines(13).size(), line.size()), line) << tempo;
    }
}

TEST(ScoreTextReading, WorkedExampleReadsBack) {
    const std::string text = "60,1060,1060\r\n24,24,24\r\n" + emptyTrackLines(12) +
                             " 120 \r\n24,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
    const auto content = parseScoreText(text, Current);
    EXPECT_EQ(content.notes[0][0], 60);
    EXPECT_EQ(content.notes[0][2], 1060);
    EXPECT_EQ(content.notes[0][3], -1);
    EXPECT_EQ(content.instruments[0][1], 24);
    EXPECT_EQ(content.instruments[0][3], 0);
    EXPECT_EQ(content.tempo, 120);
    EXPECT_EQ(content.trackInstrument, (TrackInstruments{24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    for (int t = 1; t < 13; ++t) {
        for (int c = 0; c <= score::LastColumn; ++c) ASSERT_EQ(content.notes[t][c], -1);
    }
}

TEST(ScoreTextReading, FileWithoutTrackInstrumentLineTakesEachTracksFirstColumn) {
    std::string text;
    for (int t = 0; t < 13; ++t) {
        text += std::to_string(40 + t) + ",1040\r\n" + std::to_string(t * 10) + "," +
                std::to_string(t * 10) + "\r\n";
    }
    text += " 95 \r\n";
    const auto content = parseScoreText(text, Current);
    EXPECT_EQ(content.tempo, 95);
    for (int t = 0; t < 13; ++t) EXPECT_EQ(content.trackInstrument[t], t * 10) << t;
}

TEST(ScoreTextReading, ShortTrackInstrumentLineKeepsTheOtherTracks) {
    const std::string text = emptyTrackLines(13) + " 120 \r\n10,11,12,13,14\r\n";
    const auto content = parseScoreText(text, Current);
    EXPECT_EQ(content.trackInstrument,
              (TrackInstruments{10, 11, 12, 13, 14, 3, 3, 3, 3, 3, 3, 3, 3}));
}

TEST(ScoreTextReading, FileEndingAfterLineTenFillsFiveTracks) {
    std::string text;
    for (int t = 0; t < 5; ++t) text += "60,1060\r\n" + std::to_string(t + 20) + ",0\r\n";
    const auto content = parseScoreText(text, Current);
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(content.notes[t][0], 60);
        EXPECT_EQ(content.notes[t][1], 1060);
        EXPECT_EQ(content.trackInstrument[t], t + 20);
    }
    for (int t = 5; t < 13; ++t) {
        EXPECT_EQ(content.notes[t][0], -1);
        EXPECT_EQ(content.trackInstrument[t], 0);
    }
    EXPECT_FALSE(content.tempo);
}

TEST(ScoreTextReading, NumbersRoundHalfToEvenAndOutOfRangeLeavesTheCellEmpty) {
    const std::string text = "12.5,13.5,abc,40000,  7,1e3,,-1\r\n2.5,40000,x,174.4\r\n" +
                             emptyTrackLines(12) + " 120 \r\n";
    const auto content = parseScoreText(text, Current);
    const std::int16_t notes[] = {12, 14, 0, -1, 7, 1000, 0, -1};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(content.notes[0][c], notes[c]) << c;
    const std::int16_t instruments[] = {2, 0, 0, 174};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(content.instruments[0][c], instruments[c]) << c;
}

TEST(ScoreTextReading, TempoIsTheFirstNumberOfItsLine) {
    const std::pair<std::string, std::optional<std::int16_t>> cases[] = {
        {" 95 ", 95},          {"95,3", 95},       {"  12.5 x", 12},         {"13.5", 14},
        {"abc", std::nullopt}, {"", std::nullopt}, {" 40000 ", std::nullopt}};
    for (const auto& [line, tempo] : cases) {
        const auto content = parseScoreText(emptyTrackLines(13) + line + "\r\n", Current);
        EXPECT_EQ(content.tempo, tempo) << '"' << line << '"';
    }
}

TEST(ScoreTextReading, HostileValuesBecomeEmptyCellsAndDefaultInstruments) {
    const std::string text = "5000,999,128,-5,2060,-32768,1127,127\r\n300,-1,175,-32768,0,174\r\n" +
                             emptyTrackLines(12) + " 0 \r\n300,-1,175,40000,abc,5\r\n";
    const auto content = parseScoreText(text, Current);
    const std::int16_t notes[] = {-1, -1, -1, -1, -1, -1, 1127, 127};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(content.notes[0][c], notes[c]) << c;
    const std::int16_t instruments[] = {0, 0, 0, 0, 0, 174};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(content.instruments[0][c], instruments[c]) << c;
    EXPECT_FALSE(content.tempo);
    // "abc" reads as 0, a valid instrument; the others count as missing.
    EXPECT_EQ(content.trackInstrument, (TrackInstruments{3, 3, 3, 3, 0, 5, 3, 3, 3, 3, 3, 3, 3}));

    const auto negative = parseScoreText(emptyTrackLines(13) + "-120 \r\n", Current);
    EXPECT_FALSE(negative.tempo);
}

TEST(ScoreTextReading, HostileFileExportsOnlyDataBytesBelow0x80) {
    std::string text;
    for (int t = 0; t < 13; ++t) {
        text += "5000,999,128,-5,2060,60,1060,1200\r\n300,-1,175,300,0,999,-4,9999\r\n";
    }
    text += "-120 \r\n300,-1,175,300,300,300,300,300,300,300,300,300,300\r\n";
    const auto content = parseScoreText(text, Current);
    const auto bytes = score::buildMidiFile(content.notes, content.instruments,
                                            content.tempo.value_or(120), score::HiddenTracks{});
    const auto walked = walkMidiFile(bytes);
    EXPECT_EQ(walked.error, "");
    EXPECT_EQ(checkNotePairs(walked), "");
}

TEST(ScoreTextReading, LineEndsOfAnyKindReadAlike) {
    auto song = randomScore(21);
    const TrackInstruments trackInstrument{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    const std::string crlf = format(*song, trackInstrument);
    std::string lf, cr, unterminated = crlf.substr(0, crlf.size() - 2);
    for (char c : crlf) {
        if (c != '\r') lf += c;
        if (c != '\n') cr += c;
    }
    const auto expected = parseScoreText(crlf, Current);
    for (const std::string* text : {&lf, &cr, &unterminated}) {
        const auto content = parseScoreText(*text, Current);
        EXPECT_EQ(content.notes, expected.notes);
        EXPECT_EQ(content.instruments, expected.instruments);
        EXPECT_EQ(content.tempo, expected.tempo);
        EXPECT_EQ(content.trackInstrument, expected.trackInstrument);
    }
}

TEST(ScoreTextReading, EmptyLinesGiveNoFields) {
    // Track 0's notes line is empty; the track-instrument line is empty too.
    const std::string text = "\r\n5\r\n" + emptyTrackLines(12) + " 120 \r\n\r\n";
    const auto content = parseScoreText(text, Current);
    EXPECT_EQ(content.notes[0][0], -1);  // not a note on row 0
    EXPECT_EQ(content.instruments[0][0], 5);
    EXPECT_EQ(content.trackInstrument, Current);
}

TEST(ScoreTextReading, FieldsPastColumn1000AndLinesPastTheLastAreIgnored) {
    const std::string text = joined(1005, "1", "1001") + "\r\n" + joined(1005, "9", "9") + "\r\n" +
                             emptyTrackLines(12) + " 120 \r\n" +
                             "0,0,0,0,0,0,0,0,0,0,0,0,0,44\r\n99\r\n";
    const auto content = parseScoreText(text, Current);
    EXPECT_EQ(content.notes[0][score::LastColumn], 1001);
    EXPECT_EQ(content.instruments[0][score::LastColumn], 9);
    EXPECT_EQ(content.trackInstrument, NoInstruments);
}

TEST(ScoreTextRoundTrip, RandomValidScoresComeBackExactly) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomScoreOptions options;
        options.shiftedHeldCells = seed % 2 == 0;
        const auto song = randomScore(seed, options);
        TrackInstruments trackInstrument;
        for (int t = 0; t < 13; ++t) {
            trackInstrument[t] = static_cast<std::int16_t>((seed * 37 + t * 11) % 175);
        }
        const auto content = parseScoreText(format(*song, trackInstrument), Current);
        ASSERT_EQ(content.notes, song->notes);
        ASSERT_EQ(content.instruments, song->instruments);
        EXPECT_EQ(content.tempo, song->tempo);
        EXPECT_EQ(content.trackInstrument, trackInstrument);
    }
}

TEST(ScoreTextRoundTrip, DenseScoreThroughAFile) {
    TempFolder folder;
    const auto song = denseScore();
    const TrackInstruments trackInstrument{0, 1, 2, 3, 4, 5, 6, 7, 128, 129, 130, 131, 174};
    const std::string path = folder.file("dense.sng");
    ASSERT_EQ(score::replaceFileContent(path, format(*song, trackInstrument)), "");
    const auto read = score::readScoreFile(path, Current);
    ASSERT_TRUE(read.content) << read.error;
    EXPECT_EQ(read.content->notes, song->notes);
    EXPECT_EQ(read.content->instruments, song->instruments);
    EXPECT_EQ(read.content->tempo, song->tempo);
    EXPECT_EQ(read.content->trackInstrument, trackInstrument);
}

TEST(ScoreFileReading, UnreadableFileGivesAnErrorNamingIt) {
    TempFolder folder;
    const std::string missing = folder.file("missing.sng");
    const auto read = score::readScoreFile(missing, Current);
    EXPECT_FALSE(read.content);
    EXPECT_NE(read.error.find(missing), std::string::npos) << read.error;
    EXPECT_NE(read.error.find("does not exist"), std::string::npos) << read.error;

    const auto folderRead = score::readScoreFile(folder.path(), Current);
    EXPECT_FALSE(folderRead.content);
    EXPECT_NE(folderRead.error.find("folder"), std::string::npos) << folderRead.error;
}

}  // namespace
