#include "app/Form1.h"

namespace app {

void Form1::wireMidiEvents() {
    for (auto& [index, entry] : Device) {
        entry->Click = [this, index = index] { Device_Click(index); };
    }
    Combo2.Click = [this] { Combo2_Click(); };
    Combo2.LostFocus = [this] { Combo2_LostFocus(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Command9.Click = [this] { Command9_Click(); };
}

}  // namespace app
