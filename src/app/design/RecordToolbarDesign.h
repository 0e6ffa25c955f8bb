#pragma once
// The Recording toolbar: WAV recording, saving and playing the recording.

#include "platform/forms/ControlArray.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct RecordToolbarDesign {
    explicit RecordToolbarDesign(forms::Form& form);

    forms::PictureBox ToolbRecord;
    forms::CheckBox ChcRecord;
    forms::CommandButton cmdStart;
    forms::Label Label4, Label2;
    forms::ControlArray<forms::Image> Image31{"Image31"};
    forms::ComboBox cbxFormat;
    forms::CommandButton Command25, Command22, Command23, Command27;
    forms::Timer tmrRecord;
};

}  // namespace app
