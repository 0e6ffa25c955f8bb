#pragma once
// The menu bar and the score box's right-click menu, as designed.

#include "platform/forms/ControlArray.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menu.h"

namespace app {

struct MenuBarDesign {
    explicit MenuBarDesign(forms::Form& form);

    forms::Menu mnuSetup;
    forms::Menu mnuToolbars;
    forms::Menu mnuMainToolbar;
    forms::Menu mnuAboveStaff1, mnuBelowStaff1;
    forms::Menu mnuSetupToolbar;
    forms::Menu mnuOpenSetuptoolb, mnuAboveStaff2, mnuBelowStaff2;
    forms::Menu mnuEditingToolbar;
    forms::Menu mnuOpenEdingtoolbar, mnuAboveStaff3, mnuBelowStaff3;
    forms::Menu mnuComposingToolbar;
    forms::Menu mnuOpenComposetoolbar, mnuAboveStaff4, mnuBelowStaff4;
    forms::Menu mnuRythmtoolbar;
    forms::Menu mnuOpenRythmtoolbar, mnuAboveStaff5, mnuBelowStaff5;
    forms::Menu mnuPlayingtoolbar;
    forms::Menu mnuOpenPlaytoolbar, mnuAboveStaff6, mnuBelowStaff6;
    forms::Menu mnuRecordingtoolbar;
    forms::Menu mnuOpenRectoolbar, mnuAboveStaff7, mnuBelowStaff7;
    forms::Menu mnuMiditoolbar;
    forms::Menu mnuOpenMiditoolbar, mnuAboveStaff8, mnuBelowStaff8;
    forms::Menu mnuInstrument;
    forms::Menu midi_devices;
    forms::ControlArray<forms::Menu> Device{"Device"};
    forms::Menu mnuSpace1;
    forms::Menu mnuExit;

    forms::Menu MnuEdit2;
    forms::Menu mnuNewScore, mnuOpen, mnuSave, mnuSaveAs, mnuSaveAsMid;

    forms::Menu mnuHelp;
    forms::Menu mnuHelpFile;

    forms::Menu mnupopup;
    forms::Menu mnuCopy, mnuErase, mnuEdit, mnuInsert;
};

}  // namespace app
