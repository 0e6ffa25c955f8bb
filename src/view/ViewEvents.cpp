// Connects the score view's controls and the window's resize to their handlers.

#include "app/Form1.h"

namespace app {

void Form1::wireViewEvents() {
    Resize = [this] { Form_Resize(); };
    HScroll1.Change = [this] { HScroll1_Change(); };
    HScroll1.Scroll = [this] { HScroll1_Scroll(); };
    VScroll1.Change = [this] { VScroll1_Change(); };
    VScroll1.Scroll = [this] { VScroll1_Scroll(); };
    RewindBut.Click = [this] { RewindBut_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

}  // namespace app
