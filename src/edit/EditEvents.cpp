// Connects the score box's mouse, the edit mode controls and the track
// controls to their handlers. The popup menu's items get theirs with the
// clipboard.

#include "app/Form1.h"

namespace app {

void Form1::wireEditEvents() {
    MusicBox.MouseDown = [this](const forms::MouseEventArgs& e) {
        MusicBox_MouseDown(e.Button, e.Shift, e.X, e.Y);
    };
    MusicBox.MouseMove = [this](const forms::MouseEventArgs& e) {
        MusicBox_MouseMove(e.Button, e.Shift, e.X, e.Y);
    };
    MusicBox.MouseUp = [this](const forms::MouseEventArgs& e) {
        MusicBox_MouseUp(e.Button, e.Shift, e.X, e.Y);
    };
    for (const auto& [index, button] : FunctionBut) {
        button->Click = [this, index = index] { FunctionBut_Click(index); };
        button->GotFocus = [this, index = index] { FunctionBut_GotFocus(index); };
    }
    toolberasecheck.Click = [this] { toolberasecheck_Click(); };
    TopBarOverlay.MouseDown = [this](const forms::MouseEventArgs& e) {
        TopBarOverlay_MouseDown(e.Button, e.Shift, e.X, e.Y);
    };

    for (const auto& [index, button] : TrackSel) {
        button->Click = [this, index = index] { TrackSel_Click(index); };
        button->MouseDown = [this, index = index](const forms::MouseEventArgs& e) {
            TrackSel_MouseDown(index, e.Button, e.Shift, e.X, e.Y);
        };
        button->GotFocus = [this, index = index] { TrackSel_GotFocus(index); };
    }
    for (const auto& [index, box] : TrackHide) {
        box->Click = [this, index = index] { TrackHide_Click(index); };
    }
}

}  // namespace app
