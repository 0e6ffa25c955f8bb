// The "Above Staff" and "Below Staff" items of the Toolbars menu. For an
// optional toolbar they open it where chosen (the Play toolbar, which goes by
// its visibility, is toggled instead); the main toolbar only moves.

#include "app/Form1.h"

namespace app {

void Form1::placeToolbar(forms::Menu& checkedItem, forms::Menu& uncheckedItem,
                         forms::Menu& openItem, void (Form1::*toggle)()) {
    checkedItem.setChecked(true);
    uncheckedItem.setChecked(false);
    openItem.setCaption("Open");
    (this->*toggle)();
    Form_Resize();
}

void Form1::mnuAboveStaff1_Click() {
    mnuAboveStaff1.setChecked(true);
    mnuBelowStaff1.setChecked(false);
    Picmain.setAlign(2);
    toolbMenu.setAlign(1);
    Picmain.setAlign(1);
    Form_Resize();
}

void Form1::mnuBelowStaff1_Click() {
    mnuAboveStaff1.setChecked(false);
    mnuBelowStaff1.setChecked(true);
    toolbMenu.setAlign(0);
    Picmain.setAlign(1);
    toolbMenu.setAlign(2);
    Form_Resize();
}

void Form1::mnuAboveStaff2_Click() {
    placeToolbar(mnuAboveStaff2, mnuBelowStaff2, mnuOpenSetuptoolb, &Form1::Cmdsetup_Click);
}
void Form1::mnuBelowStaff2_Click() {
    placeToolbar(mnuBelowStaff2, mnuAboveStaff2, mnuOpenSetuptoolb, &Form1::Cmdsetup_Click);
}
void Form1::mnuAboveStaff3_Click() {
    placeToolbar(mnuAboveStaff3, mnuBelowStaff3, mnuOpenEdingtoolbar, &Form1::CmdEdit_Click);
}
void Form1::mnuBelowStaff3_Click() {
    placeToolbar(mnuBelowStaff3, mnuAboveStaff3, mnuOpenEdingtoolbar, &Form1::CmdEdit_Click);
}
void Form1::mnuAboveStaff4_Click() {
    placeToolbar(mnuAboveStaff4, mnuBelowStaff4, mnuOpenComposetoolbar, &Form1::CmdCompose_Click);
}
void Form1::mnuBelowStaff4_Click() {
    placeToolbar(mnuBelowStaff4, mnuAboveStaff4, mnuOpenComposetoolbar, &Form1::CmdCompose_Click);
}
void Form1::mnuAboveStaff5_Click() {
    placeToolbar(mnuAboveStaff5, mnuBelowStaff5, mnuOpenRythmtoolbar, &Form1::CmdRythm_Click);
}
void Form1::mnuBelowStaff5_Click() {
    placeToolbar(mnuBelowStaff5, mnuAboveStaff5, mnuOpenRythmtoolbar, &Form1::CmdRythm_Click);
}
void Form1::mnuAboveStaff6_Click() {
    placeToolbar(mnuAboveStaff6, mnuBelowStaff6, mnuOpenPlaytoolbar, &Form1::CmdPlay_Click);
}
void Form1::mnuBelowStaff6_Click() {
    placeToolbar(mnuBelowStaff6, mnuAboveStaff6, mnuOpenPlaytoolbar, &Form1::CmdPlay_Click);
}
void Form1::mnuAboveStaff7_Click() {
    placeToolbar(mnuAboveStaff7, mnuBelowStaff7, mnuOpenRectoolbar, &Form1::Command21_Click);
}
void Form1::mnuBelowStaff7_Click() {
    placeToolbar(mnuBelowStaff7, mnuAboveStaff7, mnuOpenRectoolbar, &Form1::Command21_Click);
}
void Form1::mnuAboveStaff8_Click() {
    placeToolbar(mnuAboveStaff8, mnuBelowStaff8, mnuOpenMiditoolbar, &Form1::CmdMidi_Click);
}
void Form1::mnuBelowStaff8_Click() {
    placeToolbar(mnuBelowStaff8, mnuAboveStaff8, mnuOpenMiditoolbar, &Form1::CmdMidi_Click);
}

}  // namespace app
