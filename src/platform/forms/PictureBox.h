#pragma once
// A picture box: a container that shows a persistent pixel surface. Drawing
// goes to surface(); the box repaints itself from it when events are handled
// after a change. A picture box may also be a
// toolbar panel docked to the top or bottom edge of its form.

#include "platform/forms/Control.h"
#include "platform/forms/Picture.h"
#include "platform/surface/Surface.h"

namespace forms {

class Form;

class PictureBox : public Control, public Container {
public:
    PictureBox(Container& container, std::string name);
    ~PictureBox() override;
    QWidget* childHost() const override;

    // Resizing keeps the pixels that still fit.
    void setWidth(int width) override;
    void setHeight(int height) override;
    // Clears the box to the new colour.
    void setBackColor(OleColour colour) override;

    surface::Surface& surface() { return surface_; }
    const surface::Surface& surface() const { return surface_; }
    int scaleWidth() const { return surface_.width(); }
    int scaleHeight() const { return surface_.height(); }
    // Clears to the back colour (and the picture, when there is one).
    void cls();
    // Shows what has been drawn on the event loop's next pass, even where the
    // drawing left the surface's revision as it was.
    void refresh();
    // The picture is the box's background: stretched over the surface now, and
    // again after every cls() and every change of size; drawing goes over it.
    void setPicture(const Picture& picture);
    // A one-pixel border; the surface and the children lie inside it.
    void setBorder(bool border);

    // Docking: 0 none, 1 top edge, 2 bottom edge. Docking takes the innermost
    // place of that edge's stack, next to the free area, also when the box was
    // docked there already. A docked box spans the form's client width at its
    // own height; hidden, it takes no space. Only for boxes placed directly on
    // a form; elsewhere the setting is ignored.
    int align() const { return align_; }
    void setAlign(int align);

protected:
    void visibilityChanged() override;

private:
    friend class Form;
    Form* dockForm() const;
    // The surface and its widget follow the box's size.
    void syncSurface();
    void placeDocked(int left, int top, int width, int height);
    void paintPicture();

    surface::Surface surface_;
    Picture picture_;
    QWidget* canvas_ = nullptr;
    bool border_ = false;
    int align_ = 0;
};

}  // namespace forms
