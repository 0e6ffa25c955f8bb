#include "app/design/SetupToolbarDesign.h"

#include "app/design/DesignHelpers.h"

namespace app {

SetupToolbarDesign::SetupToolbarDesign(forms::Form& form)
    : toolbSetup(form, "toolbSetup"),
      ChkPlay(toolbSetup, "ChkPlay"),
      SetupDeviceLabel(toolbSetup, "SetupDeviceLabel", "MIDI output:"),
      Combo2(toolbSetup, "Combo2") {
    constexpr int height = 26;
    design::setUpToolbarPanel(toolbSetup, height, false);
    design::setUpCloseBox(ChkPlay, height);
    SetupDeviceLabel.setTransparent(true);
    SetupDeviceLabel.move(22, 6, 74, 14);
    Combo2.move(98, 2, 320, 22);
    Combo2.setToolTipText("MIDI output device");
}

}  // namespace app
