// Choosing the current track's instrument, with its preview note.

#include <algorithm>

#include "app/Form1.h"
#include "platform/forms/PreciseWait.h"
#include "platform/time/Clock.h"
#include "score/NumberText.h"

namespace app {

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
    if (Loading) return;
    const std::uint64_t preview = startPreview();
    // During playback the loop's wait ends the preview when due, so the
    // choice returns at once and the steps keep their period.
    if (playbackLoopRunning) return;
    // Outside it the choice lasts as long as its preview; a preview started
    // by a handler inside this wait has ended its own first.
    while (const midi::PreviewNote* sounding = findPreview(preview)) {
        const std::int64_t due = sounding->endsAt * timing::MicrosPerMilli;
        if (timing::microsecondTicks() >= due) {
            endPreview(preview);
        } else {
            forms::waitForEventsUntilMicros(due);
        }
    }
}

}  // namespace app
