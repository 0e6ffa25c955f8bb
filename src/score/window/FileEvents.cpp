// Connects the file commands' menu items and buttons to their handlers.

#include "app/Form1.h"

namespace app {

void Form1::wireFileEvents() {
    mnuOpen.Click = [this] { mnuOpen_Click(); };
    Command26.Click = [this] { OpenMusicFile(); };
    Command33.Click = [this] { Command33_Click(); };
    Command10.Click = [this] { Command10_Click(); };

    mnuSave.Click = [this] { SaveScore(); };
    Command34.Click = [this] { SaveScore(); };
    mnuSaveAs.Click = [this] { SaveScoreAs(); };
    Command2.Click = [this] { Command2_Click(); };
    mnuSaveAsMid.Click = [this] { SaveAsMidi(); };
    Command191.Click = [this] { SaveAsMidi(); };

    mnuNewScore.Click = [this] { mNew_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command4_Click(); };
    Command6.Click = [this] { Command4_Click(); };
}

}  // namespace app
