#include "app/Form1.h"

namespace app {

void Form1::wireAudioEvents() {
    cmdStart.Click = [this] { cmdStart_Click(); };
    Command25.Click = [this] { Command25_Click(); };
    Command22.Click = [this] { Command22_Click(); };
    Command23.Click = [this] { Command23_Click(); };
    Command27.Click = [this] { Command27_Click(); };
    Command28.Click = [this] { Command28_Click(); };
    Command30.Click = [this] { Command30_Click(); };
    tmrRecord.Tick = [this] { tmrRecord_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
}

}  // namespace app
