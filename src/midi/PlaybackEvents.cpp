// Connects Play and Stop, the tempo slider and the buttons that start or stop
// playback to their handlers.

#include "app/Form1.h"

namespace app {

void Form1::wirePlaybackEvents() {
    for (auto& [index, button] : PlayAndStop) {
        button->Click = [this, index = index] { PlayAndStop_Click(index); };
        button->MouseDown = [this, index = index](const forms::MouseEventArgs& a) {
            PlayAndStop_MouseDown(index, a.Button, a.Shift, a.X, a.Y);
        };
        button->MouseUp = [this, index = index](const forms::MouseEventArgs& a) {
            PlayAndStop_MouseUp(index, a.Button, a.Shift, a.X, a.Y);
        };
        button->GotFocus = [this, index = index] { PlayAndStop_GotFocus(index); };
    }
    Command24.Click = [this] { Command24_Click(); };
    Command11.Click = [this] { Command11_Click(); };
    Command32.Click = [this] { Command32_Click(); };
    Label8.MouseDown = [this](const forms::MouseEventArgs& a) {
        Label8_MouseDown(a.Button, a.Shift, a.X, a.Y);
    };
    Label8.MouseMove = [this](const forms::MouseEventArgs& a) {
        Label8_MouseMove(a.Button, a.Shift, a.X, a.Y);
    };
}

}  // namespace app
