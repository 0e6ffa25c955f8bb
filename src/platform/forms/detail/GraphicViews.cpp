#include "platform/forms/detail/GraphicViews.h"

#include <QPainter>

#include "platform/forms/detail/PictureImage.h"

namespace forms::detail {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void PictureView::setPicture(const Picture& picture) {
    picture_ = picture;
    update();
}

void PictureView::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (picture_.isEmpty()) return;
    QPainter painter(this);
    const QImage image = pictureImage(picture_);
    if (stretch_) {
        painter.drawImage(rect(), image);
    } else {
        painter.drawImage(0, 0, image);
    }
}

ShapeView::ShapeView(QWidget* parent) : QWidget(parent) {
    // Shapes are decoration: the mouse reaches what lies under them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeView::setFillColour(const QColor& colour) {
    fill_ = colour;
    update();
}

void ShapeView::setBorderColour(const QColor& colour) {
    border_ = colour;
    update();
}

void ShapeView::setFillTransparent(bool transparent) {
    fillTransparent_ = transparent;
    update();
}

void ShapeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!fillTransparent_) painter.fillRect(rect(), fill_);
    painter.setPen(border_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

LineView::LineView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineView::setEnds(QPoint from, QPoint to) {
    from_ = from;
    to_ = to;
    update();
}

void LineView::setColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colour_);
    painter.drawLine(from_, to_);
}

}  // namespace forms::detail
