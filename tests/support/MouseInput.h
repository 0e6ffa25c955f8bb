#pragma once
// Mouse input sent to a widget through Qt's event delivery, as the window
// system would send it, in the widget's own coordinates.

#include <QEvent>
#include <QPoint>
#include <Qt>

class QWidget;

namespace testsupport {

void pressOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void releaseOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void moveOn(QWidget* widget, QPoint at, Qt::MouseButtons held);
void clickOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// Any mouse event, with the buttons held after it and the keys held with it.
void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A press and release over the widget's middle.
void clickOn(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);

}  // namespace testsupport
