// Connects the rhythm pattern tools to their controls: "Create Rythm", the
// hidden repeated paste, the Beats and Repeat boxes and their slider strips.

#include "app/Form1.h"

namespace app {

void Form1::wireRythmEvents() {
    Command7.Click = [this] { Command7_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Text4.Change = [this] { Text4_Change(); };
    Text5.Change = [this] { Text5_Change(); };
    Label5.MouseDown = [this](const forms::MouseEventArgs& e) {
        Label5_MouseDown(e.Button, e.Shift, e.X, e.Y);
    };
    Label5.MouseMove = [this](const forms::MouseEventArgs& e) {
        Label5_MouseMove(e.Button, e.Shift, e.X, e.Y);
    };
    Label7.MouseDown = [this](const forms::MouseEventArgs& e) {
        Label7_MouseDown(e.Button, e.Shift, e.X, e.Y);
    };
    Label7.MouseMove = [this](const forms::MouseEventArgs& e) {
        Label7_MouseMove(e.Button, e.Shift, e.X, e.Y);
    };
}

}  // namespace app
