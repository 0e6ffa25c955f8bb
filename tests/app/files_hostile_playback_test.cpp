// A score file written by hand with values no cell may hold: once loaded, the
// score plays and transposes (before and while it plays) with nothing but
// proper data bytes going to the output, and every note that sounded ends.

#include <map>
#include <utility>

#include "files_fixture.h"
#include "support/app/VirtualClock.h"

namespace {

using namespace filestest;

class HostileScoreTest : public FilesTest {};

TEST_F(HostileScoreTest, PlayingAndTransposingAHostileFileSendsOnlyDataBytes) {
    std::string text;
    for (int t = 0; t < 13; ++t) {
        text += "5000,999,128,-5,2060,60,1060,0,1127\r\n300,-1,175,300,0,500,-4,175,-1\r\n";
    }
    text += "0 \r\n300,-1,175,300,300,300,300,300,300,300,300,300,300\r\n";
    writeFile(file("hostile.sng"), text);
    form().Tempo = 120;
    answerThroughHook([this](const HookedDialog&) { return file("hostile.sng"); });
    form().Command33_Click();
    ASSERT_EQ(form().ScoreFile, file("hostile.sng"));
    // As though a tempo below zero had got past the reader.
    form().Tempo = -120;
    form().TempoLabel.setCaption("-120");
    mapper().clear();

    // Round the rows past both ends before playing.
    for (int i = 0; i < 130; ++i) form().TransposeBut_Click(1);
    for (int i = 0; i < 3; ++i) form().TransposeBut_Click(0);

    testsupport::VirtualClock clock;
    bool transposedWhilePlaying = false;
    // Columns 5 and 6 hold a note: it sounds from 750 ms to 1000 ms.
    for (std::int64_t when : {300, 800, 900}) {
        clock.at(when, [this, &transposedWhilePlaying] {
            transposedWhilePlaying = transposedWhilePlaying || form().Playing;
            form().TransposeBut_Click(1);
        });
    }
    clock.at(60000, [this] { form().Command24_Click(); });
    form().PlayAndStop_Click(0);
    EXPECT_LT(clock.elapsed(), 60000);
    EXPECT_TRUE(transposedWhilePlaying);
    form().TransposeBut_Click(0);

    std::map<std::pair<int, int>, int> sounding;
    int noteOns = 0;
    ASSERT_FALSE(mapper().bytes().empty());
    for (const auto& message : mapper().bytes()) {
        EXPECT_GE(message[0], 0x80);
        EXPECT_LE(message[1], 0x7F);
        EXPECT_LE(message[2], 0x7F);
        const int kind = message[0] & 0xF0;
        if (kind == 0x90) ++noteOns;
        if (kind == 0x90 || kind == 0x80) {
            sounding[{message[0] & 0x0F, message[1]}] += kind == 0x90 ? 1 : -1;
        }
    }
    EXPECT_GT(noteOns, 0);
    for (const auto& [note, count] : sounding) {
        EXPECT_EQ(count, 0) << "channel " << note.first << " key " << note.second;
    }
}

}  // namespace
