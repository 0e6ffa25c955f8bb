#pragma once
// The Composing toolbar: the melody tracks' select and hide controls, Play and
// Stop, and the score file buttons.

#include "platform/forms/ControlArray.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

namespace app {

// Track buttons and hide boxes: 0..7 here, 8..12 on the Rythm toolbar.
struct TrackControlArrays {
    forms::ControlArray<forms::OptionButton> TrackSel{"TrackSel"};
    forms::ControlArray<forms::CheckBox> TrackHide{"TrackHide"};
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
