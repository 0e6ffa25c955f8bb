#pragma once
// Small helpers for the window's design: placing picture buttons and panels.

#include <string>

#include "platform/forms/Control.h"
#include "platform/forms/Controls.h"
#include "platform/forms/PictureBox.h"

namespace app::design {

// Toolbar panels, light grey like the rest of the window's chrome.
constexpr forms::OleColour ToolbarColour = 0xEFEBE8;
constexpr int ButtonSize = 24;

// Gives a button-like control its picture, tool tip and place.
template <typename Button>
Button& placeButton(Button& button, const std::string& picture, const std::string& toolTip,
                    int left, int top, int size = ButtonSize) {
    if (!picture.empty()) button.setPicture(forms::Picture::fromResource(picture));
    button.setToolTipText(toolTip);
    button.move(left, top, size, size);
    return button;
}

// A toolbar panel: a picture box docked to the top edge, hidden until opened.
void setUpToolbarPanel(forms::PictureBox& panel, int height, bool shown);

// The small close box that sits at the left end of every optional toolbar.
void setUpCloseBox(forms::CheckBox& closeBox, int panelHeight);

}  // namespace app::design
