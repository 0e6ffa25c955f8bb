#include "app/design/RythmToolbarDesign.h"

#include <string>

#include "app/design/DesignHelpers.h"
#include "app/design/TrackColours.h"
#include "platform/forms/Application.h"

namespace app {

using design::placeButton;

namespace {
// Twenty-one tick marks three blanks apart: the strip a slider is dragged over.
std::string sliderTicks() {
    std::string ticks = "|";
    for (int tick = 1; tick < 21; ++tick) ticks += "   |";
    return ticks;
}
}  // namespace

RythmToolbarDesign::RythmToolbarDesign(forms::Form& form, TrackControlArrays& tracks)
    : toolbRythm(form, "toolbRythm"),
      ChkRythm(toolbRythm, "ChkRythm"),
      Picture6(toolbRythm, "Picture6"),
      Text5(toolbRythm, "Text5", "8"),
      Text4(toolbRythm, "Text4", "8"),
      Text3(toolbRythm, "Text3", "60"),
      Picture4(toolbRythm, "Picture4"),
      Label5(Picture4, "Label5", sliderTicks()),
      Label7(Picture4, "Label7", sliderTicks()),
      Command7(toolbRythm, "Command7"),
      Command11(toolbRythm, "Command11"),
      Command10(toolbRythm, "Command10"),
      Command2(toolbRythm, "Command2"),
      Command4(toolbRythm, "Command4") {
    constexpr int height = 31;
    constexpr int trackWidth = design::TrackButtonWidth;
    constexpr int step = 29;
    design::setUpToolbarPanel(toolbRythm, height, false);
    design::setUpCloseBox(ChkRythm, height);

    Picture6.setBackColor(design::ToolbarColour);
    Picture6.move(20, 0, 5 * trackWidth, height);
    // The rhythm channels are numbered 1 to 5 on their buttons.
    for (int track = 8; track < 13; ++track) {
        const int slot = track - 8;
        const std::string number = std::to_string(slot + 1);
        tracks.addTrack(track, Picture6, 1, Picture6, 16, slot * trackWidth, number,
                        "Rythm Channel " + number);
    }

    // Three small number boxes, each under its label.
    int left = Picture6.left() + Picture6.width() + 8;
    const char* labels[] = {"Beats", "Repeat", "Notes"};
    forms::TextBox* boxes[] = {&Text5, &Text4, &Text3};
    for (int index = 0; index < 3; ++index) {
        auto& label = Label6.add(index, toolbRythm, "Label6", labels[index]);
        label.setTransparent(true);
        label.setAlignment(2);
        label.move(left, 0, 40, 13);
        boxes[index]->move(left + 2, 13, 36, 17);
        left += 42;
    }

    // The two slider strips; their mouse positions are read in twips.
    Picture4.setBackColor(design::ToolbarColour);
    Picture4.move(left + 4, 0, 176, height);
    for (forms::Label* strip : {&Label5, &Label7}) {
        strip->setTransparent(true);
        strip->setMouseScale(forms::TwipsPerPixel);
    }
    Label5.move(0, 1, 172, 14);
    Label5.setToolTipText("Beats");
    Label7.move(0, 16, 172, 14);
    Label7.setToolTipText("Repeat");
    left = Picture4.left() + Picture4.width() + 6;

    for (auto [button, picture, tip] :
         {std::tuple{&Command7, "create-rythm", "Create Rythm"},
          std::tuple{&Command11, "test", "Test"},
          std::tuple{&Command10, "open-rythm", "Open Rythm file"},
          std::tuple{&Command2, "save-rythm", "Save Rythm File (crd)"},
          std::tuple{&Command4, "erase-all", "Erase all Notes"}}) {
        placeButton(*button, picture, tip, left, 1, 28);
        left += step;
    }
}

}  // namespace app
