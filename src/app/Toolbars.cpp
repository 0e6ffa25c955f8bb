// Opening and closing the seven optional toolbars. A toolbar docks each time
// its toggle runs, whether it opened or closed, so a moved placement takes
// effect at once.

#include "app/Form1.h"

namespace app {

namespace {
const std::string OpenCaption = "Open";
const std::string CloseCaption = "Close";
}  // namespace

void Form1::toggleToolbar(forms::PictureBox& panel, forms::Menu& openItem, forms::Menu& aboveItem) {
    // Any caption but these two leaves the toolbar as it is.
    if (openItem.caption() == OpenCaption) {
        panel.setVisible(true);
        openItem.setCaption(CloseCaption);
    } else if (openItem.caption() == CloseCaption) {
        panel.setVisible(false);
        openItem.setCaption(OpenCaption);
    }
    dockToolbar(panel, aboveItem);
    Form_Resize();
}

// Above the staff a toolbar goes directly above the score area, which stays
// the innermost top panel; below it, it goes innermost of the bottom stack.
void Form1::dockToolbar(forms::PictureBox& panel, const forms::Menu& aboveItem) {
    if (aboveItem.checked()) {
        Picmain.setAlign(0);
        panel.setAlign(1);
        Picmain.setAlign(1);
    } else {
        panel.setAlign(2);
    }
}

void Form1::Cmdsetup_Click() {
    toggleToolbar(toolbSetup, mnuOpenSetuptoolb, mnuAboveStaff2);
}

void Form1::CmdEdit_Click() {
    toggleToolbar(toolbEdit, mnuOpenEdingtoolbar, mnuAboveStaff3);
}

void Form1::CmdCompose_Click() {
    toggleToolbar(ToolbCompose, mnuOpenComposetoolbar, mnuAboveStaff4);
}

void Form1::CmdRythm_Click() {
    toggleToolbar(toolbRythm, mnuOpenRythmtoolbar, mnuAboveStaff5);
}

void Form1::CmdPlay_Click() {
    toggleToolbar(toolbPlay, mnuOpenPlaytoolbar, mnuAboveStaff6);
}

void Form1::Command21_Click() {
    toggleToolbar(ToolbRecord, mnuOpenRectoolbar, mnuAboveStaff7);
}

// The Play toolbar goes by its panel's visibility, not by its item's caption.
void Form1::CmdMidi_Click() {
    if (!toolbMIDI.visible()) {
        toolbMIDI.setVisible(true);
        mnuOpenMiditoolbar.setCaption(CloseCaption);
    } else {
        toolbMIDI.setVisible(false);
        mnuOpenMiditoolbar.setCaption(OpenCaption);
    }
    dockToolbar(toolbMIDI, mnuAboveStaff8);
    Form_Resize();
}

void Form1::mnuOpenSetuptoolb_Click() {
    Cmdsetup_Click();
}
void Form1::mnuOpenEdingtoolbar_Click() {
    CmdEdit_Click();
}
void Form1::mnuOpenComposetoolbar_Click() {
    CmdCompose_Click();
}
void Form1::mnuOpenRythmtoolbar_Click() {
    CmdRythm_Click();
}
void Form1::mnuOpenPlaytoolbar_Click() {
    CmdPlay_Click();
}
void Form1::mnuOpenRectoolbar_Click() {
    Command21_Click();
}
void Form1::mnuOpenMiditoolbar_Click() {
    CmdMidi_Click();
}

// Each close box sits on the toolbar it closes; the names are the design's.
void Form1::ChkPlay_MouseDown() {
    Cmdsetup_Click();
}
void Form1::ChkEdit_MouseDown() {
    CmdEdit_Click();
}
void Form1::ChkCompose_MouseDown() {
    CmdCompose_Click();
}
void Form1::ChkRythm_MouseDown() {
    CmdRythm_Click();
}
void Form1::ChkSetup_MouseDown() {
    CmdPlay_Click();
}
void Form1::ChcRecord_MouseDown() {
    Command21_Click();
}
void Form1::ChkMidi_MouseDown() {
    CmdMidi_Click();
}

void Form1::Cmdsetup_MouseUp() {
    Form_Resize();
}
void Form1::CmdEdit_MouseUp() {
    Form_Resize();
}
void Form1::CmdCompose_MouseUp() {
    Form_Resize();
}
void Form1::CmdRythm_MouseUp() {
    Form_Resize();
}
void Form1::CmdMidi_MouseUp() {
    Form_Resize();
}
void Form1::Command21_MouseUp() {
    Form_Resize();
}
void Form1::CmdPlay_MouseUp() {
    Form_Resize();
}

void Form1::mnuInstrument_Click() {
    CmdPlay_Click();
}

}  // namespace app
