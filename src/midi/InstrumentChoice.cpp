// Choosing the current track's instrument, with its preview note.

#include <algorithm>

#include "app/Form1.h"
#include "platform/forms/Application.h"
#include "platform/time/Clock.h"
#include "score/NumberText.h"

namespace app {

namespace {
constexpr std::int16_t PreviewRow = 67;  // key 60, middle C
constexpr int PreviewMs = 250;
}  // namespace

void Form1::Combo1_Click() {
    std::int16_t number = static_cast<std::int16_t>(std::max(Combo1.listIndex(), 0));
    const std::string item = Combo1.list(number);
    const std::size_t blank = item.find(' ');
    Instxt.setText(blank == std::string::npos ? item : item.substr(0, blank + 1));
    applyInstrumentToCurrentTrack(number);
}

void Form1::Command9_Click() {
    const auto number = score::roundToInt16(score::leadingNumber(Instxt.text()));
    // A number that names no instrument is left alone rather than sent as a
    // wrong program or percussion key.
    if (!number || *number < 0 || *number > score::LastInstrument) return;
    applyInstrumentToCurrentTrack(*number);
}

void Form1::applyInstrumentToCurrentTrack(std::int16_t number) {
    // Loading a file keeps the instruments it loads.
    if (SelStart > -1 && !Loading) {
        const int first = std::max<int>(SelStart, 0);
        const int last = std::min<int>(SelEnd, score::LastColumn);
        for (int column = first; column <= last; ++column) {
            if (score::isUsed(Notes[CurrentTrack][column])) {
                Instruments[CurrentTrack][column] = number;
            }
        }
    }
    TrackInstrument[CurrentTrack] = number;
    NoteChannel = CurrentTrack;
    SetInstrument(TrackInstrument[CurrentTrack]);
    if (!Loading) {
        StepTick = timing::GetTickCount();
        const midi::LiveNote preview = startLiveNote(PreviewRow);
        // The deadline is read afresh on each pass: playback shares StepTick.
        while (timing::GetTickCount() < StepTick + PreviewMs) {
            forms::waitForEvents(StepTick + PreviewMs);
        }
        stopLiveNote(preview);
    }
}

}  // namespace app
