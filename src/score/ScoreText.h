#pragma once
// The score text file (".sng" scores and ".crd" rhythm files share it): 28
// lines ended by CR LF. For each track a line of notes cells and a line of
// instruments cells up to the track's last used column, then the tempo line
// (" 120 ") and the 13 track instruments.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "score/ScoreGrids.h"

namespace score {

// The text of a score file, byte for byte.
std::string formatScoreText(const Grid& notes, const Grid& instruments, std::int16_t tempo,
                            const TrackInstruments& trackInstrument);

// What a score file gives back. The grids start empty and hold only values of
// the cell coding; `tempo` is empty when the file has no usable tempo, and the
// track instruments keep the caller's values where the file gives none.
struct ScoreFileContent {
    Grid notes{};
    Grid instruments{};
    std::optional<std::int16_t> tempo;
    TrackInstruments trackInstrument{};
};

// Reads the text of a score file; never fails: what cannot be read stays as an
// empty score would have it. `currentTrackInstrument` is kept for the entries
// a short last line leaves out.
ScoreFileContent parseScoreText(std::string_view text,
                                const TrackInstruments& currentTrackInstrument);

// Reads the whole file first, so a file that cannot be read changes nothing.
struct ScoreFileRead {
    std::optional<ScoreFileContent> content;
    std::string error;  // names the file and the reason when content is empty
};
ScoreFileRead readScoreFile(const std::string& path,
                            const TrackInstruments& currentTrackInstrument);

}  // namespace score
