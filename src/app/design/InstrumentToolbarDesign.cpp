#include "app/design/InstrumentToolbarDesign.h"

#include <string>

#include "app/design/DesignHelpers.h"
#include "platform/forms/Application.h"

namespace app {

InstrumentToolbarDesign::InstrumentToolbarDesign(forms::Form& form)
    : toolbPlay(form, "toolbPlay"),
      ChkSetup(toolbPlay, "ChkSetup"),
      TransposeFrame(toolbPlay, "TransposeFrame"),
      Combo1(TransposeFrame, "Combo1"),
      Instxt(toolbPlay, "Instxt", "24"),
      Label8(toolbPlay, "Label8"),
      TempoLabel(toolbPlay, "TempoLabel", "120") {
    constexpr int height = 26;
    design::setUpToolbarPanel(toolbPlay, height, false);
    design::setUpCloseBox(ChkSetup, height);

    TransposeFrame.move(20, 0, 250, height);
    Combo1.move(0, 2, 250, 22);
    Combo1.setToolTipText("Instrument");
    Instxt.move(276, 3, 36, 20);
    Instxt.setToolTipText("Instrument number");

    auto& tempoCaption = Label1.add(0, toolbPlay, "Label1", "Tempo");
    tempoCaption.setTransparent(true);
    tempoCaption.move(322, 6, 40, 14);

    // The slider is a strip of tick marks; the pointer's place along it, read
    // in twips, gives the tempo.
    std::string ticks = "|";
    for (int tick = 1; tick < 13; ++tick) ticks += " |";
    Label8.setCaption(ticks);
    Label8.setToolTipText("Select Tempo");
    Label8.setBackColor(0xFFFFFF);
    Label8.setMouseScale(forms::TwipsPerPixel);
    Label8.move(364, 4, 98, 18);

    TempoLabel.setTransparent(true);
    TempoLabel.move(468, 6, 40, 14);
}

}  // namespace app
