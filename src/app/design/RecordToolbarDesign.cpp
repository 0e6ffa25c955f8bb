#include "app/design/RecordToolbarDesign.h"

#include "app/design/DesignHelpers.h"

namespace app {

using design::placeButton;

RecordToolbarDesign::RecordToolbarDesign(forms::Form& form)
    : ToolbRecord(form, "ToolbRecord"),
      ChcRecord(ToolbRecord, "ChcRecord"),
      cmdStart(ToolbRecord, "cmdStart"),
      Label4(ToolbRecord, "Label4", "Start Recording"),
      Label2(ToolbRecord, "Label2"),
      cbxFormat(ToolbRecord, "cbxFormat", true),
      Command25(ToolbRecord, "Command25"),
      Command22(ToolbRecord, "Command22"),
      Command23(ToolbRecord, "Command23"),
      Command27(ToolbRecord, "Command27"),
      // The byte count needs only a few updates a second; a tick every
      // millisecond would keep the event loop busy for nothing.
      tmrRecord("tmrRecord", 50) {
    constexpr int height = 26;
    constexpr int step = design::ButtonSize + 1;
    design::setUpToolbarPanel(ToolbRecord, height, false);
    design::setUpCloseBox(ChcRecord, height);

    placeButton(cmdStart, "record", "Record to WAV", 20, 1);
    Label4.setBackColor(0xE0E0E0);
    Label4.setForeColor(0x8000);
    Label4.setAlignment(2);
    Label4.move(48, 5, 104, 16);
    Label2.setTransparent(true);
    Label2.move(156, 5, 90, 16);

    auto& quality = Image31.add(3, ToolbRecord, "Image31");
    quality.setPicture(forms::Picture::fromResource("recording-quality"));
    quality.setToolTipText("Recording Quality");
    quality.move(250, 3, 20, 20);
    cbxFormat.move(274, 2, 230, 22);

    int left = 510;
    for (auto [button, picture, tip] :
         {std::tuple{&Command25, "save-wav", "Save Recording as Wav file"},
          std::tuple{&Command22, "play-wav", "Play Recorded WAV"},
          std::tuple{&Command23, "stop", "Stop"}}) {
        placeButton(*button, picture, tip, left, 1);
        left += step;
    }
    placeButton(Command27, "open-file", "Open Wav file", left, 1);
    Command27.setVisible(false);

    tmrRecord.setEnabled(false);
}

}  // namespace app
