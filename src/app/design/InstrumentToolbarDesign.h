#pragma once
// The Instrument toolbar: the instrument list and box, and the tempo slider.

#include "platform/forms/ControlArray.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct InstrumentToolbarDesign {
    explicit InstrumentToolbarDesign(forms::Form& form);

    forms::PictureBox toolbPlay;
    forms::CheckBox ChkSetup;
    forms::Frame TransposeFrame;
    forms::ComboBox Combo1;
    forms::TextBox Instxt;
    forms::ControlArray<forms::Label> Label1{"Label1"};
    forms::Label Label8;
    forms::Label TempoLabel;
};

}  // namespace app
