// Images, shapes and lines: the controls that only show something.

#include <algorithm>
#include <cstdlib>

#include "platform/forms/Controls.h"
#include "platform/forms/detail/Colours.h"
#include "platform/forms/detail/GraphicViews.h"

namespace forms {

Image::Image(Container& container, std::string name)
    : Control(&container, std::move(name), new detail::PictureView(container.childHost())) {
    setClicksOnRelease(true);
}

namespace {
detail::PictureView* pictureView(const Control& control) {
    return static_cast<detail::PictureView*>(control.nativeWidget());
}
}  // namespace

// An image that does not stretch takes its picture's size.
void Image::setPicture(const Picture& picture) {
    picture_ = picture;
    pictureView(*this)->setPicture(picture);
    if (!pictureView(*this)->stretch() && !picture.isEmpty()) {
        move(left(), top(), picture.width(), picture.height());
    }
}

void Image::setStretch(bool stretch) {
    pictureView(*this)->setStretch(stretch);
    if (!stretch && !picture_.isEmpty()) move(left(), top(), picture_.width(), picture_.height());
}

Shape::Shape(Container& container, std::string name)
    : Control(&container, std::move(name), new detail::ShapeView(container.childHost())) {}

void Shape::setFillColor(OleColour colour) {
    static_cast<detail::ShapeView*>(nativeWidget())->setFillColour(detail::toQColor(colour));
}

void Shape::setBorderColor(OleColour colour) {
    static_cast<detail::ShapeView*>(nativeWidget())->setBorderColour(detail::toQColor(colour));
}

void Shape::setFillTransparent(bool transparent) {
    static_cast<detail::ShapeView*>(nativeWidget())->setFillTransparent(transparent);
}

LineControl::LineControl(Container& container, std::string name)
    : Control(&container, std::move(name), new detail::LineView(container.childHost())) {}

void LineControl::setEnds(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    move(left, top, std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    static_cast<detail::LineView*>(nativeWidget())
        ->setEnds(QPoint(x1 - left, y1 - top), QPoint(x2 - left, y2 - top));
}

void LineControl::setBorderColor(OleColour colour) {
    static_cast<detail::LineView*>(nativeWidget())->setColour(detail::toQColor(colour));
}

}  // namespace forms
