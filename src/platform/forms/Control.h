#pragma once
// The controls of a form, over Qt Widgets, with the properties and events the
// program's handlers use. Headers stay free of Qt types so the program's folders
// never include Qt; the platform reaches the widget through nativeWidget().
//
// The event rule every control keeps: setting a value from code raises the same
// handler as the user's action, synchronously, before the setter returns, and
// only when the value really changes.
//
// Mouse events: a press raises MouseDown before the control reacts to it, a
// release raises MouseUp after. A left press and release inside a button is
// its click, raised after MouseUp (MouseDown, MouseUp, Click); the click is
// the control's own reading of press and release, so nothing that happens in
// between (the focus moving away as the window becomes active) cancels it.
// Labels, images, frames and picture boxes raise Click after MouseUp on any
// left release inside them. Disabled controls, and controls inside a disabled
// frame, raise no mouse events.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace forms {

using OleColour = std::uint32_t;

// Mouse buttons as handlers receive them: 1 left, 2 right, 4 middle. A press or
// release reports the one button concerned, a move the sum of the buttons held.
enum MouseButtons : int { NoButton = 0, LeftButton = 1, RightButton = 2, MiddleButton = 4 };

struct MouseEventArgs {
    int Button = 0;
    int Shift = 0;
    float X = 0;  // in the control's scale (pixels, or twips where asked for)
    float Y = 0;
};

// Mouse pointer numbers: 0 default arrow, 2 cross-hair, 10 up arrow,
// 11 busy, 99 the control's own cursor (see setMouseIcon).
enum MousePointers : int {
    DefaultPointer = 0,
    CrossPointer = 2,
    UpArrowPointer = 10,
    BusyPointer = 11,
    CustomPointer = 99
};

class Container;
class Picture;
namespace detail {
class EventRelay;
}

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    const std::string& name() const { return name_; }
    Container* container() const { return container_; }

    // The control's own flags, whatever its container's state.
    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);

    // Position and size in the container's pixels.
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int left);
    void setTop(int top);
    virtual void setWidth(int width);
    virtual void setHeight(int height);
    void move(int left, int top);
    void move(int left, int top, int width, int height);

    std::string toolTipText() const;
    void setToolTipText(const std::string& text);

    OleColour backColor() const { return backColor_; }
    virtual void setBackColor(OleColour colour);
    OleColour foreColor() const { return foreColor_; }
    virtual void setForeColor(OleColour colour);

    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    // The cursor for pointer 99: a picture and its hot spot.
    void setMouseIcon(const Picture& picture, int hotX, int hotY);

    // 0 brings the control in front of the others in its container, 1 sends it
    // behind them.
    void zOrder(int position = 0);

    void setFocus();
    bool hasFocus() const;
    // Whether the control can take the keyboard focus at all.
    void setFocusable(bool focusable);

    // Mouse X and Y are reported in pixels times this factor (15 gives twips).
    void setMouseScale(float unitsPerPixel) { mouseScale_ = unitsPerPixel; }
    float mouseScale() const { return mouseScale_; }

    // The text font's height in pixels (0 keeps the toolkit's default), so text
    // can be fitted to pixel rows.
    void setFontPixelSize(int pixels);
    void setFontBold(bool bold);

    std::function<void()> Click;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(const MouseEventArgs&)> MouseDown;
    std::function<void(const MouseEventArgs&)> MouseMove;
    std::function<void(const MouseEventArgs&)> MouseUp;

    QWidget* nativeWidget() const { return widget_; }

    // Used by the platform's event plumbing.
    void raiseClick() const;
    void raiseMouse(int kind, const MouseEventArgs& args) const;  // 0 down, 1 move, 2 up
    void raiseFocus(bool gained) const;
    // Labels, images, frames and picture boxes raise Click on a left release
    // inside them; buttons raise it through their own press handling.
    bool clicksOnRelease() const { return clicksOnRelease_; }
    // Buttons: a left press and release inside them. userReleasing runs before
    // MouseUp, userClicked after it.
    virtual bool clicksAsButton() const { return false; }
    virtual void userReleasing() {}
    virtual void userClicked() {}
    // True while the platform hands a mouse event to the widget itself; the
    // widget's own click signal is then not the user's click.
    bool deliveringMouse() const { return deliveringMouse_; }

protected:
    Control(Container* container, std::string name, QWidget* widget);
    void setClicksOnRelease(bool clicks) { clicksOnRelease_ = clicks; }
    // Sets the colour backColor() reports before the program sets one, without
    // repainting (the widget already shows it).
    void setDefaultBackColor(OleColour colour) { backColor_ = colour; }
    // Reports the mouse events of an inner widget that holds the control's
    // client area, in that widget's coordinates.
    void relayEventsFrom(QWidget* inner);
    virtual void visibilityChanged() {}

private:
    friend class detail::EventRelay;
    Container* container_;
    std::string name_;
    QWidget* widget_;
    OleColour backColor_ = 0xFFFFFF;
    OleColour foreColor_ = 0;
    int mousePointer_ = 0;
    float mouseScale_ = 1.0f;
    std::shared_ptr<void> cursor_;
    bool clicksOnRelease_ = false;
    bool deliveringMouse_ = false;
};

// A control that holds others: forms, frames and picture boxes.
class Container {
public:
    virtual ~Container() = default;
    virtual QWidget* childHost() const = 0;
};

}  // namespace forms
