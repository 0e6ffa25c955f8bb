#include "platform/forms/PictureBox.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/detail/Colours.h"
#include "platform/forms/detail/PictureImage.h"
#include "platform/forms/detail/SurfaceView.h"

namespace forms {

namespace {

detail::SurfaceCanvas* canvasOf(QWidget* canvas) {
    return static_cast<detail::SurfaceCanvas*>(canvas);
}

}  // namespace

PictureBox::PictureBox(Container& container, std::string name)
    : Control(&container, std::move(name), new detail::BoxFrame(container.childHost())),
      surface_(0, 0, 0x8000000F) {
    setDefaultBackColor(0x8000000F);
    setClicksOnRelease(true);
    canvas_ = new detail::SurfaceCanvas(nativeWidget(), surface_);
    canvas_->setVisible(true);
    relayEventsFrom(canvas_);
    syncSurface();
}

PictureBox::~PictureBox() {
    if (align_ != 0) {
        if (Form* form = dockForm()) form->dock(*this, 0);
    }
    // The canvas shows surface_, which goes before the frame that holds it.
    if (nativeWidget()) delete canvas_;
}

QWidget* PictureBox::childHost() const {
    return canvas_;
}

Form* PictureBox::dockForm() const {
    return dynamic_cast<Form*>(container());
}

void PictureBox::setWidth(int width) {
    Control::setWidth(width);
    syncSurface();
    if (align_ != 0) dockForm()->relayoutDocked();
}

void PictureBox::setHeight(int height) {
    Control::setHeight(height);
    syncSurface();
    if (align_ != 0) dockForm()->relayoutDocked();
}

void PictureBox::setBackColor(OleColour colour) {
    Control::setBackColor(colour);
    surface_.setBackColour(colour);
    cls();
}

void PictureBox::cls() {
    surface_.clear();
    paintPicture();
}

void PictureBox::refresh() {
    canvasOf(canvas_)->paintSoon();
}

void PictureBox::setPicture(const Picture& picture) {
    picture_ = picture;
    paintPicture();
}

void PictureBox::setBorder(bool border) {
    border_ = border;
    static_cast<detail::BoxFrame*>(nativeWidget())->setBorder(border);
    syncSurface();
}

void PictureBox::setAlign(int align) {
    if (align < 0 || align > 2) return;
    if (Form* form = dockForm()) form->dock(*this, align);
}

void PictureBox::visibilityChanged() {
    if (align_ != 0) dockForm()->relayoutDocked();
}

void PictureBox::syncSurface() {
    const int inset = border_ ? 1 : 0;
    const int width = std::max(0, this->width() - 2 * inset);
    const int height = std::max(0, this->height() - 2 * inset);
    canvas_->setGeometry(inset, inset, width, height);
    if (width == surface_.width() && height == surface_.height()) return;
    surface_.resize(width, height);
    paintPicture();
}

void PictureBox::placeDocked(int left, int top, int width, int height) {
    nativeWidget()->setGeometry(left, top, std::max(0, width), std::max(0, height));
    syncSurface();
}

void PictureBox::paintPicture() {
    if (picture_.isEmpty() || surface_.width() == 0 || surface_.height() == 0) return;
    QImage target(reinterpret_cast<uchar*>(surface_.bits()), surface_.width(), surface_.height(),
                  surface_.width() * 4, QImage::Format_RGB32);
    QPainter painter(&target);
    painter.drawImage(target.rect(), detail::pictureImage(picture_));
    painter.end();
    surface_.touch();
}

}  // namespace forms
