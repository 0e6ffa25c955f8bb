#pragma once
// The Play toolbar: plays a WAV or MIDI file.

#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct PlayToolbarDesign {
    explicit PlayToolbarDesign(forms::Form& form);

    forms::PictureBox toolbMIDI;
    forms::CheckBox ChkMidi;
    forms::CommandButton Command26;
    forms::TextBox Text6;
    forms::CommandButton Command28, Command30;
    forms::Label LablPlay;
    forms::CommandButton Command29, Command18;
};

}  // namespace app
