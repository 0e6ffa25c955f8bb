#include "platform/forms/detail/EventRelay.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace forms::detail {

namespace {

std::uint64_t gesture = 0;
int dispatchDepth = 0;

struct DispatchScope {
    DispatchScope() { ++dispatchDepth; }
    ~DispatchScope() { --dispatchDepth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

int buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return LeftButton;
        case Qt::RightButton:
            return RightButton;
        case Qt::MiddleButton:
            return MiddleButton;
        default:
            return NoButton;
    }
}

int heldCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= LeftButton;
    if (buttons & Qt::RightButton) code |= RightButton;
    if (buttons & Qt::MiddleButton) code |= MiddleButton;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

}  // namespace

std::uint64_t currentGesture() {
    return gesture;
}
bool inMouseDispatch() {
    return dispatchDepth > 0;
}

EventRelay::EventRelay(Control& control, QWidget* widget, bool ownWidget)
    : QObject(widget), control_(control), ownWidget_(ownWidget) {
    widget->installEventFilter(this);
}

EventRelay::~EventRelay() {
    if (ownWidget_) control_.widget_ = nullptr;
}

void EventRelay::deliver(QWidget* widget, QEvent* event) {
    QPointer<QWidget> alive(widget);
    control_.deliveringMouse_ = true;
    static_cast<QObject*>(widget)->event(event);
    // A widget deleted inside took this relay with it.
    if (alive) control_.deliveringMouse_ = false;
}

MouseEventArgs EventRelay::mouseArgs(const QMouseEvent& event, bool held) const {
    MouseEventArgs args;
    args.Button = held ? heldCode(event.buttons()) : buttonCode(event.button());
    args.Shift = shiftCode(event.modifiers());
    args.X = static_cast<float>(event.position().x()) * control_.mouseScale();
    args.Y = static_cast<float>(event.position().y()) * control_.mouseScale();
    return args;
}

bool EventRelay::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            break;
        case QEvent::FocusIn:
            control_.raiseFocus(true);
            return false;
        case QEvent::FocusOut:
            control_.raiseFocus(false);
            return false;
        default:
            return false;
    }

    // The event is handled here whole, so it never travels on to the
    // container: a press on a label is not also a press on the box it sits in.
    event->accept();
    if (!widget->isEnabled()) return true;

    const auto& mouse = *static_cast<QMouseEvent*>(event);
    QPointer<QWidget> alive(widget);
    DispatchScope scope;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // A quick second press is a press like any other to the handlers.
            ++gesture;
            if (mouse.button() == Qt::LeftButton) leftPressed_ = true;
            control_.raiseMouse(0, mouseArgs(mouse, false));
            if (alive) deliver(widget, event);
            break;
        case QEvent::MouseMove:
            control_.raiseMouse(1, mouseArgs(mouse, true));
            if (alive) deliver(widget, event);
            break;
        default: {
            const MouseEventArgs args = mouseArgs(mouse, false);
            const bool leftInside = mouse.button() == Qt::LeftButton &&
                                    widget->rect().contains(mouse.position().toPoint());
            const bool buttonClick = leftInside && leftPressed_ && control_.clicksAsButton();
            if (mouse.button() == Qt::LeftButton) leftPressed_ = false;
            deliver(widget, event);
            if (!alive) break;
            if (buttonClick) control_.userReleasing();
            if (!alive) break;
            control_.raiseMouse(2, args);
            if (!alive) break;
            if (buttonClick) {
                control_.userClicked();
            } else if (leftInside && control_.clicksOnRelease()) {
                control_.raiseClick();
            }
            break;
        }
    }
    event->accept();
    return true;
}

}  // namespace forms::detail
