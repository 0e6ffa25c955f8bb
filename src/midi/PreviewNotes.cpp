// The instrument preview's note: a quarter second of middle C (or the track's
// percussion key). Each preview keeps its own due time, so previews never move
// playback's steps, and any number of them may sound at once.

#include <algorithm>
#include <limits>

#include "app/Form1.h"
#include "platform/time/Clock.h"

namespace app {

namespace {
constexpr std::int16_t PreviewRow = 67;  // key 60, middle C
constexpr int PreviewMs = 250;
using timing::MicrosPerMilli;
}  // namespace

std::uint64_t Form1::startPreview() {
    const std::int64_t now = timing::GetTickCount();
    const midi::LiveNote note = startLiveNote(PreviewRow);
    previewNotes.push_back({note, now + PreviewMs, ++lastPreviewId});
    return lastPreviewId;
}

const midi::PreviewNote* Form1::findPreview(std::uint64_t id) const {
    const auto found =
        std::find_if(previewNotes.begin(), previewNotes.end(),
                     [id](const midi::PreviewNote& preview) { return preview.id == id; });
    return found == previewNotes.end() ? nullptr : &*found;
}

void Form1::endPreview(std::uint64_t id) {
    const midi::PreviewNote* found = findPreview(id);
    if (found == nullptr) return;
    const midi::LiveNote note = found->note;
    previewNotes.erase(previewNotes.begin() + (found - previewNotes.data()));
    stopLiveNote(note);
}

void Form1::endDuePreviews() {
    const std::int64_t now = timing::GetTickCount();
    // The ids first, then the note offs: ending a preview changes the list.
    std::vector<std::uint64_t> due;
    for (const midi::PreviewNote& preview : previewNotes) {
        if (preview.endsAt <= now) due.push_back(preview.id);
    }
    for (const std::uint64_t id : due) endPreview(id);
}

std::int64_t Form1::nextPreviewEndMicros() const {
    std::int64_t next = std::numeric_limits<std::int64_t>::max();
    for (const midi::PreviewNote& preview : previewNotes) {
        next = std::min(next, preview.endsAt * MicrosPerMilli);
    }
    return next;
}

void Form1::silenceOutputBeforeClose() {
    stopSoundingNotes();
    silenceDrawingNotes();
    while (!previewNotes.empty()) endPreview(previewNotes.front().id);
}

}  // namespace app
