#pragma once
// The Editing toolbar: edit modes, clipboard, insertion, transpose and the
// score file buttons.

#include "platform/forms/ControlArray.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

struct EditToolbarDesign {
    explicit EditToolbarDesign(forms::Form& form);

    forms::PictureBox toolbEdit;
    forms::CheckBox ChkEdit;
    forms::Frame FunctionsFrame;
    forms::ControlArray<forms::OptionButton> FunctionBut{"FunctionBut"};
    forms::CheckBox toolberasecheck;
    forms::CommandButton CopyBut, CutBut, PasteBut, PasteIntoBut, InsertColumnBut;
    forms::CommandButton Command15, Command16, Command17, Command19, Command5;
    forms::CommandButton Command12, Command13, Command14, Command8;
    forms::ControlArray<forms::CommandButton> TransposeBut{"TransposeBut"};
};

}  // namespace app
