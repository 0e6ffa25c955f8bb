#pragma once
// The Composing toolbar: the melody tracks' select and hide controls, Play and
// Stop, and the score file buttons.

#include "platform/forms/ControlArray.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

#include <string>

namespace app {

// Track buttons and hide boxes: 0..7 here, 8..12 on the Rythm toolbar.
struct TrackControlArrays {
    forms::ControlArray<forms::OptionButton> TrackSel{"TrackSel"};
    forms::ControlArray<forms::CheckBox> TrackHide{"TrackHide"};

    // Adds track's select button at (left, selectTop) of selectHost and its
    // hide box at (left, hideTop) of hideHost.
    void addTrack(int track, forms::Container& selectHost, int selectTop,
                  forms::Container& hideHost, int hideTop, int left, const std::string& caption,
                  const std::string& toolTip);
};

struct ComposeToolbarDesign {
    ComposeToolbarDesign(forms::Form& form, TrackControlArrays& tracks);

    forms::PictureBox ToolbCompose;
    forms::CheckBox ChkCompose;
    forms::Frame EditTrackFrame;
    forms::Frame MuteTrackFrame;
    forms::ControlArray<forms::OptionButton> PlayAndStop{"PlayAndStop"};
    forms::CommandButton RewindBut;
    forms::CheckBox chkgraphics, loopcheck;
    forms::CommandButton Command24, Command9;
    forms::CommandButton Command33, Command34, Command191, Command6;
};

}  // namespace app
