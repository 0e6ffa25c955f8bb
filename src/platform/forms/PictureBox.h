#pragma once
// A picture box: a container that shows a persistent pixel surface. Drawing
// goes to surface(); the box repaints itself from it. A picture box may also
// be a toolbar panel docked to the top or bottom edge of its form.

#include "platform/forms/Control.h"
#include "platform/forms/Picture.h"
#include "platform/surface/Surface.h"

namespace forms {

class Form;

class PictureBox : public Control, public Container {
public:
    PictureBox(Container& container, std::string name);
    QWidget* childHost() const override;

    // Resizing keeps the pixels that still fit.
    void setWidth(int width) override;
    void setHeight(int height) override;
    void setBackColor(OleColour colour) override;

    surface::Surface& surface() { return surface_; }
    const surface::Surface& surface() const { return surface_; }
    int scaleWidth() const { return surface_.width(); }
    int scaleHeight() const { return surface_.height(); }
    // Clears to the back colour.
    void cls();
    // Shows what has been drawn since the last paint.
    void refresh();
    // Shows a picture stretched or at its size, under the drawn pixels.
    void setPicture(const Picture& picture);
    void setBorder(bool border);

    // Docking: 0 none, 1 top edge, 2 bottom edge. Docking takes the innermost
    // place of that edge's stack, next to the free area. Only for boxes placed
    // directly on a form.
    int align() const { return align_; }
    void setAlign(int align);

private:
    friend class Form;
    surface::Surface surface_;
    int align_ = 0;
};

}  // namespace forms
