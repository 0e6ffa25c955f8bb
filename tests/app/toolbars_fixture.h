#pragma once
// The main window for the toolbar tests, with mouse input sent to the real
// controls as the window system would, and the docking read back from the
// panels' places.

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "support/app/MainWindowFixture.h"

namespace toolbarstest {

constexpr int MainToolbarHeight = 27;
constexpr int VerticalMargin = 40;
constexpr int RowStep = 16;

inline void sendMouse(forms::Control& control, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QWidget* widget = control.nativeWidget();
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A left click: press and release over the control's middle.
inline void click(forms::Control& control) {
    sendMouse(control, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    sendMouse(control, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

inline void rightClick(forms::Control& control) {
    sendMouse(control, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton);
    sendMouse(control, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton);
}

// A menu item chosen as the user chooses it.
inline void choose(forms::Menu& item) {
    item.action()->trigger();
}

inline int bottomOf(const forms::Control& control) {
    return control.top() + control.height();
}

class ToolbarsTest : public testsupport::MainWindowTest {
protected:
    // The rows the layout counts with these optional toolbars open.
    int rowSpanWith(int openToolbarHeights) const {
        return (clientHeight - VerticalMargin - openToolbarHeights) / RowStep - 1;
    }
    // True when upper sits directly on top of lower.
    static bool directlyAbove(const forms::Control& upper, const forms::Control& lower) {
        return bottomOf(upper) == lower.top();
    }
};

}  // namespace toolbarstest
