#include "score/ScoreGrids.h"

namespace score {

void clearScore(Grid& notes, Grid& instruments) {
    for (auto& track : notes) track.fill(EmptyCell);
    for (auto& track : instruments) track.fill(0);
}

std::int16_t findLastColumn(const Grid& notes, const HiddenTracks& hidden) {
    std::int16_t last = 0;
    for (int track = 0; track < TrackCount; ++track) {
        if (hidden[track]) continue;
        for (int column = LastColumn; column >= 0; --column) {
            if (isUsed(notes[track][column])) {
                if (column > last) last = static_cast<std::int16_t>(column);
                break;
            }
        }
    }
    return last;
}

}  // namespace score
