#pragma once
// The Rythm toolbar: the rhythm tracks' select and hide controls, the pattern
// tools and the rhythm file buttons.

#include "app/design/ComposeToolbarDesign.h"
#include "platform/forms/ControlArray.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct RythmToolbarDesign {
    RythmToolbarDesign(forms::Form& form, TrackControlArrays& tracks);

    forms::PictureBox toolbRythm;
    forms::CheckBox ChkRythm;
    forms::PictureBox Picture6;
    forms::ControlArray<forms::Label> Label6{"Label6"};
    forms::TextBox Text5, Text4, Text3;
    forms::PictureBox Picture4;
    forms::Label Label5, Label7;
    forms::CommandButton Command7, Command11, Command10, Command2, Command4;
};

}  // namespace app
