// Toolbar buttons that only run a command of another part of the program.

#include "app/Form1.h"

namespace app {

void Form1::Command14_Click() {
    SaveSettingsFile();
}

void Form1::Command15_Click() {
    mNew_Click();
}

void Form1::Command16_Click() {
    OpenMusicFile();
}

void Form1::Command17_Click() {
    SaveScore();
}

void Form1::Command18_Click() {
    SaveScoreAs();
}

void Form1::Command19_Click() {
    SaveAsMidi();
}

}  // namespace app
