#include "app/design/ComposeToolbarDesign.h"

#include <string>

#include "app/design/DesignHelpers.h"
#include "app/design/TrackColours.h"

namespace app {

using design::placeButton;
using design::TrackButtonWidth;

void TrackControlArrays::addTrack(int track, forms::Container& selectHost, int selectTop,
                                  forms::Container& hideHost, int hideTop, int left,
                                  const std::string& caption, const std::string& toolTip) {
    auto& select = TrackSel.add(track, selectHost, "TrackSel", caption);
    select.setGraphical(true);
    select.setBackColor(design::TrackButtonColours[track]);
    select.setToolTipText(toolTip);
    select.move(left, selectTop, TrackButtonWidth - 1, 14);
    select.setFocusable(false);

    auto& hide = TrackHide.add(track, hideHost, "TrackHide");
    hide.setGraphical(true);
    hide.setBackColor(design::HideBoxDesignColour);
    hide.setToolTipText("Hide this channel");
    hide.move(left, hideTop, TrackButtonWidth - 1, 14);
}

ComposeToolbarDesign::ComposeToolbarDesign(forms::Form& form, TrackControlArrays& tracks)
    : ToolbCompose(form, "ToolbCompose"),
      ChkCompose(ToolbCompose, "ChkCompose"),
      EditTrackFrame(ToolbCompose, "EditTrackFrame"),
      MuteTrackFrame(ToolbCompose, "MuteTrackFrame"),
      RewindBut(ToolbCompose, "RewindBut"),
      chkgraphics(ToolbCompose, "chkgraphics"),
      loopcheck(ToolbCompose, "loopcheck"),
      Command24(ToolbCompose, "Command24", "Command24"),
      Command9(ToolbCompose, "Command9", "Instrument"),
      Command33(ToolbCompose, "Command33"),
      Command34(ToolbCompose, "Command34"),
      Command191(ToolbCompose, "Command191"),
      Command6(ToolbCompose, "Command6") {
    constexpr int height = 31;
    constexpr int trackWidth = TrackButtonWidth;
    constexpr int step = 29;
    design::setUpToolbarPanel(ToolbCompose, height, false);
    design::setUpCloseBox(ChkCompose, height);

    // Select buttons on the upper row, hide boxes right under them.
    EditTrackFrame.move(20, 0, 8 * trackWidth, 16);
    MuteTrackFrame.move(20, 16, 8 * trackWidth, 15);
    for (int track = 0; track < 8; ++track) {
        const std::string number = std::to_string(track + 1);
        tracks.addTrack(track, EditTrackFrame, 1, MuteTrackFrame, 0, track * TrackButtonWidth,
                        number, "Channel " + number);
    }
    tracks.TrackSel(0).setValue(true);

    int left = EditTrackFrame.left() + EditTrackFrame.width() + 8;
    const char* playPictures[] = {"play", "stop"};
    const char* playTips[] = {"Play score", "Stop"};
    for (int index = 0; index < 2; ++index) {
        auto& button = PlayAndStop.add(index, ToolbCompose, "PlayAndStop");
        button.setGraphical(true);
        placeButton(button, playPictures[index], playTips[index], left, 1, 28);
        left += step;
    }
    placeButton(RewindBut, "return-to-start", "Return to Start", left, 1, 28);
    left += step + 6;
    chkgraphics.setGraphical(true);
    placeButton(chkgraphics, "show-position", "Show playing position", left, 1, 28);
    left += step;
    loopcheck.setGraphical(true);
    placeButton(loopcheck, "loop", "Loop song", left, 1, 28);
    left += step + 6;

    // Never shown: their routines run only where other routines call them.
    Command24.move(left, 40, 80, 24);
    Command24.setVisible(false);
    Command9.move(left, 40, 80, 24);
    Command9.setVisible(false);

    for (auto [button, picture, tip] :
         {std::tuple{&Command33, "open-score", "Open Midi Score File (sng)"},
          std::tuple{&Command34, "save-score", "Save as Midi Score File (sng)"},
          std::tuple{&Command191, "save-midi", "Save score as MID file"},
          std::tuple{&Command6, "erase-all", "Erase all Notes"}}) {
        placeButton(*button, picture, tip, left, 1, 28);
        left += step;
    }
}

}  // namespace app
