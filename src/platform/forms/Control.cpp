#include "platform/forms/Control.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QPalette>
#include <QWidget>
#include <algorithm>

#include "platform/forms/Picture.h"
#include "platform/forms/detail/Colours.h"
#include "platform/forms/detail/EventRelay.h"
#include "platform/forms/detail/PictureImage.h"

namespace forms {

Control::Control(Container* container, std::string name, QWidget* widget)
    : container_(container), name_(std::move(name)), widget_(widget) {
    detail::installSystemColours();
    widget_->setObjectName(QString::fromStdString(name_));
    // Moves are reported with no button held too.
    widget_->setMouseTracking(true);
    new detail::EventRelay(*this, widget_, true);
    // Shown with its container unless the program hides it.
    widget_->setVisible(true);
}

Control::~Control() {
    // Qt deletes the widget itself when the container goes first.
    delete widget_;
}

void Control::relayEventsFrom(QWidget* inner) {
    inner->setMouseTracking(true);
    new detail::EventRelay(*this, inner, false);
}

bool Control::visible() const {
    return !widget_->isHidden();
}

void Control::setVisible(bool visible) {
    if (visible == this->visible()) return;
    widget_->setVisible(visible);
    visibilityChanged();
}

bool Control::enabled() const {
    return !widget_->testAttribute(Qt::WA_ForceDisabled);
}

void Control::setEnabled(bool enabled) {
    widget_->setEnabled(enabled);
}

int Control::left() const {
    return widget_->x();
}
int Control::top() const {
    return widget_->y();
}
int Control::width() const {
    return widget_->width();
}
int Control::height() const {
    return widget_->height();
}

void Control::setLeft(int left) {
    widget_->move(left, widget_->y());
}
void Control::setTop(int top) {
    widget_->move(widget_->x(), top);
}
void Control::setWidth(int width) {
    widget_->resize(std::max(0, width), widget_->height());
}
void Control::setHeight(int height) {
    widget_->resize(widget_->width(), std::max(0, height));
}
void Control::move(int left, int top) {
    widget_->move(left, top);
}

void Control::move(int left, int top, int width, int height) {
    widget_->move(left, top);
    setWidth(width);
    setHeight(height);
}

std::string Control::toolTipText() const {
    return widget_->toolTip().toStdString();
}

void Control::setToolTipText(const std::string& text) {
    widget_->setToolTip(QString::fromStdString(text));
}

void Control::setBackColor(OleColour colour) {
    backColor_ = colour;
    QPalette palette = widget_->palette();
    const QColor c = detail::toQColor(colour);
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::Button, c);
    palette.setColor(QPalette::Base, c);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
}

void Control::setForeColor(OleColour colour) {
    foreColor_ = colour;
    QPalette palette = widget_->palette();
    const QColor c = detail::toQColor(colour);
    palette.setColor(QPalette::WindowText, c);
    palette.setColor(QPalette::ButtonText, c);
    palette.setColor(QPalette::Text, c);
    widget_->setPalette(palette);
}

void Control::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    if (pointer == CustomPointer && cursor_) {
        widget_->setCursor(*static_cast<const QCursor*>(cursor_.get()));
    } else if (pointer == DefaultPointer || pointer == CustomPointer) {
        widget_->unsetCursor();
    } else {
        widget_->setCursor(detail::cursorShape(pointer));
    }
}

void Control::setMouseIcon(const Picture& picture, int hotX, int hotY) {
    if (picture.isEmpty()) {
        cursor_.reset();
    } else {
        cursor_ = std::make_shared<QCursor>(detail::picturePixmap(picture), hotX, hotY);
    }
    if (mousePointer_ == CustomPointer) setMousePointer(CustomPointer);
}

void Control::zOrder(int position) {
    if (position == 0) {
        widget_->raise();
    } else {
        widget_->lower();
    }
}

void Control::setFocus() {
    widget_->setFocus(Qt::OtherFocusReason);
}
bool Control::hasFocus() const {
    return widget_->hasFocus();
}

void Control::setFocusable(bool focusable) {
    widget_->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
}

void Control::setFontPixelSize(int pixels) {
    QFont font = widget_->font();
    if (pixels > 0) {
        font.setPixelSize(pixels);
    } else {
        const bool bold = font.bold();
        font = QApplication::font(widget_);
        font.setBold(bold);
    }
    widget_->setFont(font);
}

void Control::setFontBold(bool bold) {
    QFont font = widget_->font();
    font.setBold(bold);
    widget_->setFont(font);
}

void Control::raiseClick() const {
    const auto handler = Click;
    if (handler) handler();
}

void Control::raiseMouse(int kind, const MouseEventArgs& args) const {
    const auto handler = kind == 0 ? MouseDown : kind == 1 ? MouseMove : MouseUp;
    if (handler) handler(args);
}

void Control::raiseFocus(bool gained) const {
    const auto handler = gained ? GotFocus : LostFocus;
    if (handler) handler();
}

}  // namespace forms
