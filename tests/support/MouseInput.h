#pragma once
// Mouse input sent to a widget through Qt's event delivery, as the window
// system would send it, in the widget's own coordinates.

#include <QPoint>
#include <Qt>

class QWidget;

namespace testsupport {

void pressOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void releaseOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void moveOn(QWidget* widget, QPoint at, Qt::MouseButtons held);
void clickOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// A press and release over the widget's middle.
void clickOn(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);

}  // namespace testsupport
