#include "view/ViewTestFixture.h"

namespace viewtest {

Colour tinted(Colour source, Colour destination) {
    Colour result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const Colour s = (source >> shift) & 0xFF;
        const Colour d = (destination >> shift) & 0xFF;
        result |= (s * 100 / 255 + d * 155 / 255) << shift;
    }
    return result;
}

void ScoreViewTest::SetUp() {
    ScoreWindowTest::SetUp();
    showOnlyToolbars({});
    clearNotes();
    auto& window = form();
    window.SelStart = -1;
    window.SelEnd = -1;
    window.CurrentTrack = 0;
    useDistinctTrackColours();
}

}  // namespace viewtest
