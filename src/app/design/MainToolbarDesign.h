#pragma once
// The main toolbar: the buttons that open the other toolbars, stop, help, exit.

#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct MainToolbarDesign {
    explicit MainToolbarDesign(forms::Form& form);

    forms::PictureBox toolbMenu;
    forms::CommandButton Cmdsetup, CmdEdit, CmdCompose, CmdRythm, CmdMidi, Command21, CmdPlay;
    forms::CommandButton Command32, Cmdhelp, Command3;
    forms::Timer Timer2;
    // The picture stamp's controls lie below the toolbar's bottom edge, unseen.
    forms::CommandButton Command1;
    forms::TextBox Text1, Text2;
    forms::PictureBox Picture1;
};

}  // namespace app
