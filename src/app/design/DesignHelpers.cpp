#include "app/design/DesignHelpers.h"

namespace app::design {

void setUpToolbarPanel(forms::PictureBox& panel, int height, bool shown) {
    panel.setBackColor(ToolbarColour);
    panel.setHeight(height);
    panel.setVisible(shown);
    panel.setAlign(1);
}

void setUpCloseBox(forms::CheckBox& closeBox, int panelHeight) {
    constexpr int size = 14;
    closeBox.setGraphical(true);
    closeBox.setPicture(forms::Picture::fromResource("close"));
    closeBox.setToolTipText("Close");
    closeBox.move(2, (panelHeight - size) / 2, size, size);
    closeBox.setFocusable(false);
}

}  // namespace app::design
