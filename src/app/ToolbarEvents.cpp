// Connects the toolbar buttons, the close boxes, the Toolbars menu, the
// Instrument and Help items and the forwarding buttons to their handlers.

#include "app/Form1.h"

namespace app {

void Form1::wireToolbarEvents() {
    Cmdsetup.Click = [this] { Cmdsetup_Click(); };
    CmdEdit.Click = [this] { CmdEdit_Click(); };
    CmdCompose.Click = [this] { CmdCompose_Click(); };
    CmdRythm.Click = [this] { CmdRythm_Click(); };
    CmdPlay.Click = [this] { CmdPlay_Click(); };
    Command21.Click = [this] { Command21_Click(); };
    CmdMidi.Click = [this] { CmdMidi_Click(); };

    Cmdsetup.MouseUp = [this](const forms::MouseEventArgs&) { Cmdsetup_MouseUp(); };
    CmdEdit.MouseUp = [this](const forms::MouseEventArgs&) { CmdEdit_MouseUp(); };
    CmdCompose.MouseUp = [this](const forms::MouseEventArgs&) { CmdCompose_MouseUp(); };
    CmdRythm.MouseUp = [this](const forms::MouseEventArgs&) { CmdRythm_MouseUp(); };
    CmdMidi.MouseUp = [this](const forms::MouseEventArgs&) { CmdMidi_MouseUp(); };
    Command21.MouseUp = [this](const forms::MouseEventArgs&) { Command21_MouseUp(); };
    CmdPlay.MouseUp = [this](const forms::MouseEventArgs&) { CmdPlay_MouseUp(); };

    mnuOpenSetuptoolb.Click = [this] { mnuOpenSetuptoolb_Click(); };
    mnuOpenEdingtoolbar.Click = [this] { mnuOpenEdingtoolbar_Click(); };
    mnuOpenComposetoolbar.Click = [this] { mnuOpenComposetoolbar_Click(); };
    mnuOpenRythmtoolbar.Click = [this] { mnuOpenRythmtoolbar_Click(); };
    mnuOpenPlaytoolbar.Click = [this] { mnuOpenPlaytoolbar_Click(); };
    mnuOpenRectoolbar.Click = [this] { mnuOpenRectoolbar_Click(); };
    mnuOpenMiditoolbar.Click = [this] { mnuOpenMiditoolbar_Click(); };

    ChkPlay.MouseDown = [this](const forms::MouseEventArgs&) { ChkPlay_MouseDown(); };
    ChkEdit.MouseDown = [this](const forms::MouseEventArgs&) { ChkEdit_MouseDown(); };
    ChkCompose.MouseDown = [this](const forms::MouseEventArgs&) { ChkCompose_MouseDown(); };
    ChkRythm.MouseDown = [this](const forms::MouseEventArgs&) { ChkRythm_MouseDown(); };
    ChkSetup.MouseDown = [this](const forms::MouseEventArgs&) { ChkSetup_MouseDown(); };
    ChcRecord.MouseDown = [this](const forms::MouseEventArgs&) { ChcRecord_MouseDown(); };
    ChkMidi.MouseDown = [this](const forms::MouseEventArgs&) { ChkMidi_MouseDown(); };
    // A close box is pressed, never left ticked, so that it looks the same
    // each time its toolbar opens again.
    for (forms::CheckBox* closeBox :
         {&ChkPlay, &ChkEdit, &ChkCompose, &ChkRythm, &ChkSetup, &ChcRecord, &ChkMidi}) {
        closeBox->Click = [closeBox] { closeBox->setValue(0); };
    }

    mnuAboveStaff1.Click = [this] { mnuAboveStaff1_Click(); };
    mnuAboveStaff2.Click = [this] { mnuAboveStaff2_Click(); };
    mnuAboveStaff3.Click = [this] { mnuAboveStaff3_Click(); };
    mnuAboveStaff4.Click = [this] { mnuAboveStaff4_Click(); };
    mnuAboveStaff5.Click = [this] { mnuAboveStaff5_Click(); };
    mnuAboveStaff6.Click = [this] { mnuAboveStaff6_Click(); };
    mnuAboveStaff7.Click = [this] { mnuAboveStaff7_Click(); };
    mnuAboveStaff8.Click = [this] { mnuAboveStaff8_Click(); };
    mnuBelowStaff1.Click = [this] { mnuBelowStaff1_Click(); };
    mnuBelowStaff2.Click = [this] { mnuBelowStaff2_Click(); };
    mnuBelowStaff3.Click = [this] { mnuBelowStaff3_Click(); };
    mnuBelowStaff4.Click = [this] { mnuBelowStaff4_Click(); };
    mnuBelowStaff5.Click = [this] { mnuBelowStaff5_Click(); };
    mnuBelowStaff6.Click = [this] { mnuBelowStaff6_Click(); };
    mnuBelowStaff7.Click = [this] { mnuBelowStaff7_Click(); };
    mnuBelowStaff8.Click = [this] { mnuBelowStaff8_Click(); };

    mnuInstrument.Click = [this] { mnuInstrument_Click(); };
    Cmdhelp.Click = [this] { Cmdhelp_Click(); };
    mnuHelpFile.Click = [this] { mnuHelpFile_Click(); };

    Command14.Click = [this] { Command14_Click(); };
    Command15.Click = [this] { Command15_Click(); };
    Command16.Click = [this] { Command16_Click(); };
    Command17.Click = [this] { Command17_Click(); };
    Command18.Click = [this] { Command18_Click(); };
    Command19.Click = [this] { Command19_Click(); };
    Command12.Click = [this] { Command12_Click(); };
    Command13.Click = [this] { Command13_Click(); };
}

}  // namespace app
