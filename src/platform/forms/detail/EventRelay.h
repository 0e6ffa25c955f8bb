#pragma once
// Turns a widget's Qt mouse and focus events into its control's events, in the
// order the program's handlers expect (see Control.h).

#include <QObject>
#include <QPoint>
#include <cstdint>

#include "platform/forms/Control.h"

class QMouseEvent;

namespace forms::detail {

class EventRelay : public QObject {
public:
    // The relay of the control's own widget also tells the control when Qt
    // deletes that widget (with its container).
    EventRelay(Control& control, QWidget* widget, bool ownWidget);
    ~EventRelay() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MouseEventArgs mouseArgs(const QMouseEvent& event, bool held) const;
    // Hands the event to the widget itself, for its look.
    void deliver(QWidget* widget, QEvent* event);
    Control& control_;
    bool ownWidget_;
    // A left press began on this widget and its release has not come yet.
    bool leftPressed_ = false;
};

// Mouse gestures (a press and what follows until the next press) are counted,
// so a popup menu opens only once per gesture.
std::uint64_t currentGesture();
// True while a mouse event is being handed to a control's handlers.
bool inMouseDispatch();

}  // namespace forms::detail
