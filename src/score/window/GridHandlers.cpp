#include "app/Form1.h"

namespace app {

void Form1::ClearScore() {
    score::clearScore(Notes, Instruments);
}

void Form1::FindLastColumn() {
    LastUsedColumn = score::findLastColumn(Notes, hiddenTracks());
}

}  // namespace app
