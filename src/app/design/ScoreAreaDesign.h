#pragma once
// The score area: the score box with its note-name side bar, column ruler and
// scroll bars, and the hidden boxes the drawing uses.

#include "platform/forms/ControlArray.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct ScoreAreaDesign {
    explicit ScoreAreaDesign(forms::Form& form);

    forms::PictureBox Picmain;
    forms::Image Image1;
    forms::Shape Shape2;
    forms::Label Label10;
    forms::Label SideBar;
    // 0..13 and more form the ruler (as many as the view needs); 15..18 are
    // spare labels that take no part in it.
    forms::ControlArray<forms::Label> TopBar{"TopBar"};
    forms::Label TopBarOverlay;
    forms::PictureBox MusicBox;
    forms::ScrollBar HScroll1;
    forms::ScrollBar VScroll1;
    forms::PictureBox SwapScreen, BlueBox, GreenBox, RedBox;
    forms::Image Image29;

    // A new, hidden ruler label; the ruler grows with the view.
    forms::Label& addRulerLabel(int index);
};

}  // namespace app
