#include "app/design/PlayToolbarDesign.h"

#include "app/design/DesignHelpers.h"

namespace app {

using design::placeButton;

PlayToolbarDesign::PlayToolbarDesign(forms::Form& form)
    : toolbMIDI(form, "toolbMIDI"),
      ChkMidi(toolbMIDI, "ChkMidi"),
      Command26(toolbMIDI, "Command26"),
      Text6(toolbMIDI, "Text6"),
      Command28(toolbMIDI, "Command28"),
      Command30(toolbMIDI, "Command30"),
      LablPlay(toolbMIDI, "LablPlay"),
      Command29(toolbMIDI, "Command29"),
      Command18(toolbMIDI, "Command18") {
    constexpr int height = 26;
    constexpr int step = design::ButtonSize + 1;
    design::setUpToolbarPanel(toolbMIDI, height, false);
    design::setUpCloseBox(ChkMidi, height);

    placeButton(Command26, "open-file", "Open MID or Wav file", 20, 1);
    Text6.move(48, 3, 320, 20);
    Text6.setToolTipText("File to play");
    int left = 372;
    placeButton(Command28, "play-file", "Play MID or WAV  file", left, 1);
    left += step;
    placeButton(Command30, "stop", "Stop", left, 1);
    left += step;
    LablPlay.setTransparent(true);
    LablPlay.move(left + 4, 5, 60, 16);

    // Part of the design, never shown.
    placeButton(Command29, "play-file", "Play MID file", left, 1);
    Command29.setVisible(false);
    placeButton(Command18, "save-score", "Save as Score file", left, 1);
    Command18.setVisible(false);
}

}  // namespace app
