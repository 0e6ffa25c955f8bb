#pragma once
// The Setup toolbar: the MIDI output device list.

#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct SetupToolbarDesign {
    explicit SetupToolbarDesign(forms::Form& form);

    forms::PictureBox toolbSetup;
    forms::CheckBox ChkPlay;
    forms::Label SetupDeviceLabel;
    forms::ComboBox Combo2;
};

}  // namespace app
