#include "app/design/MenuBarDesign.h"

namespace app {

namespace {
constexpr int DeviceMenuEntries = 11;  // the mapper and ten devices
}

MenuBarDesign::MenuBarDesign(forms::Form& form)
    : mnuSetup(form, "mnuSetup", "Setup"),
      mnuToolbars(mnuSetup, "mnuToolbars", "Toolbars"),
      mnuMainToolbar(mnuToolbars, "mnuMainToolbar", "Main Toolbar"),
      mnuAboveStaff1(mnuMainToolbar, "mnuAboveStaff1", "Above Staff"),
      mnuBelowStaff1(mnuMainToolbar, "mnuBelowStaff1", "Below Staff"),
      mnuSetupToolbar(mnuToolbars, "mnuSetupToolbar", "Setup Toolbar"),
      mnuOpenSetuptoolb(mnuSetupToolbar, "mnuOpenSetuptoolb", "Open"),
      mnuAboveStaff2(mnuSetupToolbar, "mnuAboveStaff2", "Above Staff"),
      mnuBelowStaff2(mnuSetupToolbar, "mnuBelowStaff2", "Below Staff"),
      mnuEditingToolbar(mnuToolbars, "mnuEditingToolbar", "Editing Toolbar"),
      mnuOpenEdingtoolbar(mnuEditingToolbar, "mnuOpenEdingtoolbar", "Open"),
      mnuAboveStaff3(mnuEditingToolbar, "mnuAboveStaff3", "Above Staff"),
      mnuBelowStaff3(mnuEditingToolbar, "mnuBelowStaff3", "Below Staff"),
      mnuComposingToolbar(mnuToolbars, "mnuComposingToolbar", "Composing Toolbar"),
      mnuOpenComposetoolbar(mnuComposingToolbar, "mnuOpenComposetoolbar", "Open"),
      mnuAboveStaff4(mnuComposingToolbar, "mnuAboveStaff4", "Above Staff"),
      mnuBelowStaff4(mnuComposingToolbar, "mnuBelowStaff4", "Below Staff"),
      mnuRythmtoolbar(mnuToolbars, "mnuRythmtoolbar", "Rythm Toolbar"),
      mnuOpenRythmtoolbar(mnuRythmtoolbar, "mnuOpenRythmtoolbar", "Open"),
      mnuAboveStaff5(mnuRythmtoolbar, "mnuAboveStaff5", "Above Staff"),
      mnuBelowStaff5(mnuRythmtoolbar, "mnuBelowStaff5", "Below Staff"),
      mnuPlayingtoolbar(mnuToolbars, "mnuPlayingtoolbar", "Instrument Toolbar"),
      mnuOpenPlaytoolbar(mnuPlayingtoolbar, "mnuOpenPlaytoolbar", "Open"),
      mnuAboveStaff6(mnuPlayingtoolbar, "mnuAboveStaff6", "Above Staff"),
      mnuBelowStaff6(mnuPlayingtoolbar, "mnuBelowStaff6", "Below Staff"),
      mnuRecordingtoolbar(mnuToolbars, "mnuRecordingtoolbar", "Recording Toolbar"),
      mnuOpenRectoolbar(mnuRecordingtoolbar, "mnuOpenRectoolbar", "Open"),
      mnuAboveStaff7(mnuRecordingtoolbar, "mnuAboveStaff7", "Above Staff"),
      mnuBelowStaff7(mnuRecordingtoolbar, "mnuBelowStaff7", "Below Staff"),
      mnuMiditoolbar(mnuToolbars, "mnuMiditoolbar", "Play Toolbar"),
      mnuOpenMiditoolbar(mnuMiditoolbar, "mnuOpenMiditoolbar", "Open"),
      mnuAboveStaff8(mnuMiditoolbar, "mnuAboveStaff8", "Above Staff"),
      mnuBelowStaff8(mnuMiditoolbar, "mnuBelowStaff8", "Below Staff"),
      mnuInstrument(mnuSetup, "mnuInstrument", "Instrument"),
      midi_devices(mnuSetup, "midi_devices", "Midi Drivers"),
      mnuSpace1(mnuSetup, "mnuSpace1", "-"),
      mnuExit(mnuSetup, "mnuExit", "Exit"),
      MnuEdit2(form, "MnuEdit2", "Edit"),
      mnuNewScore(MnuEdit2, "mnuNewScore", "New Score"),
      mnuOpen(MnuEdit2, "mnuOpen", "Open"),
      mnuSave(MnuEdit2, "mnuSave", "Save"),
      mnuSaveAs(MnuEdit2, "mnuSaveAs", "Save As"),
      mnuSaveAsMid(MnuEdit2, "mnuSaveAsMid", "Save as Mid"),
      mnuHelp(form, "mnuHelp", "Help"),
      mnuHelpFile(mnuHelp, "mnuHelpFile", "Midi Sorvane Help File"),
      mnupopup(form, "mnupopup", "popup"),
      mnuCopy(mnupopup, "mnuCopy", "Copy Selection"),
      mnuErase(mnupopup, "mnuErase", "Erase Selection"),
      mnuEdit(mnupopup, "mnuEdit", "Replace Selection"),
      mnuInsert(mnupopup, "mnuInsert", "Insert Selection") {
    for (forms::Menu* above :
         {&mnuAboveStaff1, &mnuAboveStaff2, &mnuAboveStaff3, &mnuAboveStaff4, &mnuAboveStaff5,
          &mnuAboveStaff6, &mnuAboveStaff7, &mnuAboveStaff8}) {
        above->setChecked(true);
    }
    // Entries for devices start hidden and disabled; start-up shows those it fills.
    for (int index = 0; index < DeviceMenuEntries; ++index) {
        forms::Menu& entry = Device.add(index, midi_devices, "Device", "");
        entry.setVisible(false);
        entry.setEnabled(false);
    }
    // The right-click menu is never on the menu bar.
    mnupopup.setVisible(false);
}

}  // namespace app
