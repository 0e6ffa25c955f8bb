// The score text file: written byte for byte, and read back within the cell
// coding whatever the file holds.

#include <gtest/gtest.h>

#include "ExportCheck.h"
#include "RandomScore.h"
#include "score/FileAccess.h"
#include "score/ScoreText.h"

namespace {

using namespace scoretest;
using score::parseScoreText;
using score::TrackInstruments;

std::string emptyTracks(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += "-1\r\n0\r\n";
    return lines;
}

const TrackInstruments Current{3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};

TEST(ScoreTextWriting, EachTrackUpToItsLastNoteThenTheTempoAndTheTrackInstruments) {
    auto song = emptyScore();
    for (int c = 0; c < 3; ++c) {
        song->notes[0][c] = static_cast<std::int16_t>(c == 0 ? 60 : 1060);
        song->instruments[0][c] = 24;
    }
    song->instruments[1][1] = 7;  // an empty column before the note is written
    song->notes[1][3] = 60;
    song->instruments[1][3] = 24;
    song->instruments[1][9] = 8;  // one after the last note is not
    song->notes[12][1000] = 5;
    const TrackInstruments trackInstrument{24, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 174};
    std::string track12 = "-1", track12Instruments = "0";
    for (int c = 1; c < 1000; ++c) {
        track12 += ",-1";
        track12Instruments += ",0";
    }
    const std::string expected = "60,1060,1060\r\n24,24,24\r\n-1,-1,-1,60\r\n0,7,0,24\r\n" +
                                 emptyTracks(10) + track12 + ",5\r\n" + track12Instruments +
                                 ",0\r\n 90 \r\n24,2,3,4,5,6,7,8,9,10,11,12,174\r\n";
    EXPECT_EQ(score::formatScoreText(song->notes, song->instruments, 90, trackInstrument),
              expected);

    // The tempo keeps a blank for its sign and ends with a blank.
    const std::pair<std::int16_t, std::string> tempos[] = {
        {0, " 0 \r\n"}, {1, " 1 \r\n"}, {-5, "-5 \r\n"}, {32767, " 32767 \r\n"}};
    auto empty = emptyScore();
    for (const auto& [tempo, line] : tempos) {
        const auto text = score::formatScoreText(empty->notes, empty->instruments, tempo, {});
        EXPECT_EQ(text.substr(emptyTracks(13).size(), line.size()), line) << tempo;
    }
}

// Each valid range is checked at both ends and one past them.
TEST(ScoreTextReading, CellsOutsideTheCodingAreEmptyAndNumbersRoundHalfToEven) {
    const std::string notes = "-2,-1,0,127,128,999,1000,1127,1128,2060,12.5,13.5,abc,40000,,1e3, 7";
    const std::string instruments = "-1,0,174,175,2.5,300,40000";
    const auto content =
        parseScoreText(notes + "\r\n" + instruments + "\r\n" + emptyTracks(12), Current);
    const std::vector<int> expectedNotes = {-1, -1, 0,  127, -1, -1, 1000, 1127, -1,
                                            -1, 12, 14, 0,   -1, 0,  1000, 7,    -1};
    for (std::size_t c = 0; c < expectedNotes.size(); ++c) {
        EXPECT_EQ(content.notes[0][c], expectedNotes[c]) << "notes field " << c;
    }
    const std::vector<int> expectedInstruments = {0, 0, 174, 0, 2, 0, 0, 0};
    for (std::size_t c = 0; c < expectedInstruments.size(); ++c) {
        EXPECT_EQ(content.instruments[0][c], expectedInstruments[c]) << "instruments field " << c;
    }
}

TEST(ScoreTextReading, TempoIsTheFirstNumberOfItsLineAndAtLeastOne) {
    const std::pair<std::string, std::optional<std::int16_t>> cases[] = {
        {" 95 ", 95},          {"95,3", 95},
        {"  12.5 x", 12},      {"1", 1},
        {"0", std::nullopt},   {"-120 ", std::nullopt},
        {"32767", 32767},      {"32768", std::nullopt},
        {"abc", std::nullopt}, {"", std::nullopt}};
    for (const auto& [line, tempo] : cases) {
        EXPECT_EQ(parseScoreText(emptyTracks(13) + line + "\r\n", Current).tempo, tempo) << line;
    }
}

TEST(ScoreTextReading, TrackInstrumentsComeFromTheLastLineOrEachTracksFirstColumn) {
    const auto last = [](const std::string& line) {
        return parseScoreText(emptyTracks(13) + " 120 \r\n" + line + "\r\n", Current)
            .trackInstrument;
    };
    // Unusable entries, and those a short line leaves out, keep the current ones.
    EXPECT_EQ(last("300,-1,175,40000,abc,5,174"),
              (TrackInstruments{3, 3, 3, 3, 0, 5, 174, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(last("0,0,0,0,0,0,0,0,0,0,0,0,0,44"), TrackInstruments{});
    EXPECT_EQ(last(""), Current);

    // A file that ends early: the tracks it has take their first column's.
    std::string text;
    for (int t = 0; t < 5; ++t) text += "60,1060\r\n" + std::to_string(t + 20) + ",9\r\n";
    const auto content = parseScoreText(text, Current);
    EXPECT_EQ(content.trackInstrument,
              (TrackInstruments{20, 21, 22, 23, 24, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(content.notes[4][1], 1060);
    EXPECT_EQ(content.notes[5][0], -1);
    EXPECT_FALSE(content.tempo);
}

TEST(ScoreTextReading, WhatLiesPastTheScoreIsIgnoredAndAnEmptyLineHasNoFields) {
    std::string notes = "\r\n", instruments = "5";
    for (int c = 1; c <= 1003; ++c) instruments += c < 1000 ? ",0" : ",9";
    const auto content = parseScoreText(
        notes + instruments + "\r\n" + emptyTracks(12) + " 120 \r\n0,0,0,0,0,0,0,0,0,0,0,0,0\r\n99",
        Current);
    EXPECT_EQ(content.notes[0][0], -1) << "not a note on row 0";
    EXPECT_EQ(content.instruments[0][0], 5);
    EXPECT_EQ(content.instruments[0][999], 0);
    EXPECT_EQ(content.instruments[0][1000], 9);
    EXPECT_EQ(content.trackInstrument, TrackInstruments{});
}

TEST(ScoreTextRoundTrip, ScoresComeBackExactlyWhateverEndsTheLines) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        RandomScoreOptions options;
        options.shiftedHeldCells = seed % 2 == 0;
        const auto song = randomScore(seed, options);
        const TrackInstruments trackInstrument{0, 1, 2, 3, 4, 5, 6, 7, 128, 129, 130, 131, 174};
        const std::string crlf =
            score::formatScoreText(song->notes, song->instruments, song->tempo, trackInstrument);
        std::string lf, cr;
        for (char c : crlf) {
            if (c != '\r') lf += c;
            if (c != '\n') cr += c;
        }
        for (const std::string& text : {crlf, lf, cr, crlf.substr(0, crlf.size() - 2)}) {
            const auto content = parseScoreText(text, Current);
            ASSERT_EQ(content.notes, song->notes) << seed;
            ASSERT_EQ(content.instruments, song->instruments) << seed;
            EXPECT_EQ(content.tempo, song->tempo);
            EXPECT_EQ(content.trackInstrument, trackInstrument);
        }
    }
}

TEST(ScoreFileReading, AFileIsReadWholeAndAnUnreadableOneIsNamedWithTheReason) {
    TempFolder folder;
    const std::string path = folder.file("song.sng");
    auto song = emptyScore();
    song->notes[3][2] = 44;
    const auto text = score::formatScoreText(song->notes, song->instruments, 77, {});
    ASSERT_EQ(score::replaceFileContent(path, text), "");
    const auto read = score::readScoreFile(path, Current);
    ASSERT_TRUE(read.content) << read.error;
    EXPECT_EQ(read.content->notes[3][2], 44);
    EXPECT_EQ(read.content->tempo, 77);

    const auto missing = score::readScoreFile(folder.file("missing.sng"), Current);
    EXPECT_FALSE(missing.content);
    EXPECT_NE(missing.error.find(folder.file("missing.sng") + "\": the file does not exist"),
              std::string::npos)
        << missing.error;
}

}  // namespace
