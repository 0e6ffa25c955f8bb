// What the playback steps send and when, as one table of note sequences: the
// message rules of a step, the step period, the start, looping and the end,
// and that no note is left hanging whatever happens while it sounds.

#include "PlaybackFixture.h"

namespace playbacktest {
namespace {

struct Sequence {
    const char* name;
    std::vector<std::array<int, 5>> notes;  // track, row, first column, last column, instrument
    std::function<void()> setup;            // options and actions during playback
    const char* expected;                   // see PlaybackTest::sent
    std::int64_t ends;                      // when play() returns
    bool all = false;                       // every message, not only the notes
    bool twice = false;                     // a second playback sends the same again
};

using PlaybackSteps = PlaybackTest;

TEST_F(PlaybackSteps, SequencesSendTheirMessagesAtTheirSteps) {
    auto& w = form();
    auto stopAt = [&](std::int64_t when) { at(when, [&] { w.PlayAndStop_Click(1); }); };
    auto loop = [&](bool position) {
        w.loopcheck.setValue(1);
        w.chkgraphics.setValue(position ? 1 : 0);
    };
    // clang-format off
    const std::vector<Sequence> sequences = {
        {"an empty score plays one step and ends after another", {}, {}, "", 250},
        {"a cursor past the end plays that column once", {{0, 60, 0, 3, 0}},
         [&] { w.CursorColumn = 10; }, "", 250},
        {"looping with the position repeats a cursor column past the end", {{0, 60, 0, 3, 0}},
         [&] { w.CursorColumn = 10; loop(true); stopAt(685); }, "", 875},
        {"a note over 4..7 goes on at 4 and off at 8, its instrument first",
         {{0, 67, 4, 7, 24}, {2, 40, 12, 12, 0}}, {},
         "625:B00000 625:B02000 625:C01800 625:903C7F 1125:803C00 "
         "1625:B20000 1625:B22000 1625:C20000 1625:92577F 1750:825700", 1750, true},
        {"adjacent notes give note off then note on at once", {{0, 67, 0, 1, 0}, {0, 67, 2, 3, 0}},
         {}, "125:903C7F 375:803C00 375:903C7F 625:803C00", 625},
        {"a start inside a held note leaves it silent", {{0, 67, 0, 4, 0}, {0, 65, 5, 7, 0}},
         [&] { w.CursorColumn = 2; }, "500:903E7F 875:803E00", 875},
        {"an instrument goes out before the note off, and only when it changes",
         {{0, 67, 0, 1, 5}, {0, 64, 2, 3, 20}, {0, 62, 4, 5, 20}}, {},
         "125:B00000 125:B02000 125:C00500 125:903C7F 375:B00000 375:B02000 375:C01400 "
         "375:803C00 375:903F7F 625:803F00 625:90417F 875:804100", 875, true},
        {"every playback sends each track's instrument at its first note",
         {{0, 67, 0, 0, 24}, {3, 60, 1, 1, 40}, {9, 60, 1, 1, 130}}, {},
         "125:B00000 125:B02000 125:C01800 125:903C7F 250:803C00 250:B30000 250:B32000 "
         "250:C32800 250:93437F 250:99257F 375:834300 375:892500", 375, true, true},
        {"a hidden track sounds nothing", {{0, 67, 0, 2, 0}, {1, 60, 0, 2, 7}},
         [&] { w.TrackHide(1).setValue(1); },
         "125:B00000 125:B02000 125:C00000 125:903C7F 500:803C00", 500, true},
        {"a stop during a wait plays one more column, waits a step, then ends",
         {{0, 60, 0, 0, 0}, {0, 61, 1, 1, 0}, {0, 60, 2, 2, 0}, {0, 61, 3, 3, 0}},
         [&] { stopAt(310); },
         "125:90437F 250:804300 250:90427F 375:804200 375:90437F 500:804300", 500},
        {"a cursor before the score starts at column 0", {{0, 60, 0, 0, 0}},
         [&] { w.CursorColumn = -7; }, "125:90437F 250:804300", 250},
        {"a cursor past the score starts at column 1000", {{1, 60, 1000, 1000, 0}},
         [&] { w.CursorColumn = 2500; }, "125:91437F 250:814300", 250},
        {"a tempo below 8 keeps the step period", {}, [&] { w.TempoLabel.setCaption("5"); },
         "", 250},
        {"the period is never below 1 ms", {}, [&] { w.TempoLabel.setCaption("30000"); }, "", 2},
        {"the tempo shown is read by its leading number", {},
         [&] { w.TempoLabel.setCaption("  157.4 bpm"); }, "", 200},
        {"the slider moved to 60 during a wait makes that wait and the rest 250 ms",
         {{0, 60, 0, 11, 0}}, [&] { at(530, [&] { click(w.Label8, 20); }); },
         "125:90437F 2750:804300", 2750},
        {"previews during playback end on their own time and move no step", {{0, 60, 0, 7, 0}},
         [&] {
             w.Instxt.setText("24");
             at(280, [&] { w.TrackSel(10).setValue(true); });
             at(350, [&] { w.TrackSel(11).setValue(true); });
         },
         "125:90437F 280:9A3C7F 350:9B3C7F 530:8A3C00 600:8B3C00 1125:804300", 1125},
        {"a track selected during playback keeps its cells' instruments",
         {{10, 60, 0, 0, 130}, {10, 60, 1, 1, 130}, {10, 60, 2, 2, 130}},
         [&] { at(155, [&] { w.TrackSel(10).setValue(true); }); },
         "125:99257F 155:9A3C7F 250:892500 250:99257F 375:892500 375:99257F 405:8A3C00 "
         "500:892500", 500},
        {"looping from the cursor lets the last column sound its whole step",
         {{0, 67, 0, 3, 0}, {1, 60, 3, 3, 0}}, [&] { loop(true); stopAt(1060); },
         "125:903C7F 500:91437F 625:803C00 625:814300 625:903C7F 1000:91437F 1125:803C00 "
         "1125:814300 1125:903C7F 1250:803C00", 1250},
        {"looping from column 0 keeps the tracks and ends the held notes there",
         {{0, 67, 0, 3, 0}, {1, 60, 2, 3, 0}}, [&] { loop(false); stopAt(685); },
         "125:903C7F 375:91437F 625:803C00 625:903C7F 625:814300 875:803C00", 875},
        {"a melodic note ends as melodic when a percussion sound follows",
         {{0, 67, 0, 1, 0}, {0, 67, 2, 3, 130}, {0, 64, 4, 5, 0}}, {},
         "125:B00000 125:B02000 125:C00000 125:903C7F 375:803C00 375:99257F 625:B00000 "
         "625:B02000 625:C00000 625:892500 625:903F7F 875:803F00", 875, true},
        {"a transpose during playback ends the notes as they sounded",
         {{0, 67, 0, 3, 0}, {1, 60, 3, 5, 0}},
         [&] {
             at(280, [&] {
                 for (auto& track : w.Notes) {
                     for (auto& cell : track) cell = cell >= 0 ? cell - 2 : cell;
                 }
             });
         },
         "125:903C7F 500:91457F 625:803C00 875:814500", 875},
        {"a track hidden while its note sounds gets that note off, shown again stays silent",
         {{9, 60, 0, 7, 130}, {0, 67, 0, 7, 0}},
         [&] {
             at(280, [&] { w.TrackHide(9).setValue(1); });
             at(655, [&] { w.TrackHide(9).setValue(0); });
         },
         "125:903C7F 125:99257F 375:892500 1125:803C00", 1125},
        {"the end turns off the note of a track hidden during the last wait", {{9, 60, 0, 7, 130}},
         [&] { stopAt(155); at(280, [&] { w.TrackHide(9).setValue(1); }); },
         "125:99257F 375:892500", 375},
        {"play during the last wait goes on playing", {{0, 67, 0, 3, 0}},
         [&] { stopAt(155); at(280, [&] { w.PlayAndStop_Click(0); }); },
         "125:903C7F 280:803C00 405:903C7F 905:803C00", 905},
        {"a stop ends every sounding note on every channel",
         {{0, 67, 0, 9, 0}, {3, 50, 0, 9, 40}, {9, 60, 1, 9, 128}, {12, 60, 1, 9, 174}},
         [&] { stopAt(435); },
         "125:903C7F 125:934D7F 250:99237F 250:99517F 625:803C00 625:834D00 625:892300 "
         "625:895100", 625},
    };
    // clang-format on
    for (const Sequence& s : sequences) {
        SCOPED_TRACE(s.name);
        w.ClearScore();
        w.CursorColumn = 0;
        w.loopcheck.setValue(0);
        w.chkgraphics.setValue(0);
        for (int track = 0; track < score::TrackCount; ++track) w.TrackHide(track).setValue(0);
        w.TempoLabel.setCaption("120");
        for (const auto& [track, row, first, last, instrument] : s.notes) {
            placeNote(track, row, first, last, instrument);
        }
        if (s.setup) s.setup();
        for (int run = 0; run < (s.twice ? 2 : 1); ++run) {
            mapper().clear();
            play();
            EXPECT_EQ(sent(s.all), s.expected);
            EXPECT_EQ(elapsed(), s.ends);
        }
    }
}

}  // namespace
}  // namespace playbacktest
