#include "support/MouseInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testsupport {

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

void pressOn(QWidget* widget, QPoint at, Qt::MouseButton button) {
    sendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

void releaseOn(QWidget* widget, QPoint at, Qt::MouseButton button) {
    sendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void moveOn(QWidget* widget, QPoint at, Qt::MouseButtons held) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

void clickOn(QWidget* widget, QPoint at, Qt::MouseButton button) {
    pressOn(widget, at, button);
    releaseOn(widget, at, button);
}

void clickOn(QWidget* widget, Qt::MouseButton button) {
    clickOn(widget, widget->rect().center(), button);
}

}  // namespace testsupport
