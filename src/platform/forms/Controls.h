#pragma once
// The simple control kinds. Each raises its events by the rule in Control.h.

#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Picture.h"

namespace forms {

class Label : public Control {
public:
    Label(Container& container, std::string name, const std::string& caption = {});
    std::string caption() const;
    void setCaption(const std::string& caption);
    // 0 left, 1 right, 2 centre.
    void setAlignment(int alignment);
    // Transparent labels show what lies behind them.
    void setTransparent(bool transparent);
    void setWordWrap(bool wrap);
    // Pixel distance between text lines (multi-line captions).
    void setLineSpacing(int pixels);
    void setBackColor(OleColour colour) override;
    void setForeColor(OleColour colour) override;
};

class Image : public Control {
public:
    Image(Container& container, std::string name);
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& picture);
    void setStretch(bool stretch);

private:
    Picture picture_;
};

// A rectangle shape with a fill and a border.
class Shape : public Control {
public:
    Shape(Container& container, std::string name);
    void setFillColor(OleColour colour);
    void setBorderColor(OleColour colour);
    void setFillTransparent(bool transparent);
};

class LineControl : public Control {
public:
    LineControl(Container& container, std::string name);
    void setEnds(int x1, int y1, int x2, int y2);
    void setBorderColor(OleColour colour);
};

// A push button with a caption, a picture, or both.
class CommandButton : public Control {
public:
    CommandButton(Container& container, std::string name, const std::string& caption = {});
    std::string caption() const;
    void setCaption(const std::string& caption);
    void setPicture(const Picture& picture);

    bool clicksAsButton() const override { return true; }
    void userClicked() override { raiseClick(); }
};

// Value 0 unticked, 1 ticked. Click is raised whenever the value changes, by
// the user or by code. A graphical check box shows its picture and stays down
// while ticked.
class CheckBox : public Control {
public:
    CheckBox(Container& container, std::string name, const std::string& caption = {});
    int value() const { return value_; }
    void setValue(int value);
    std::string caption() const;
    void setCaption(const std::string& caption);
    void setPicture(const Picture& picture);
    void setGraphical(bool graphical);
    void setBackColor(OleColour colour) override;

    void userToggled(bool checked);  // platform plumbing
    bool clicksAsButton() const override { return true; }
    void userClicked() override { userToggled(value_ == 0); }

private:
    int value_ = 0;
};

// Option buttons form one group per container: selecting one unselects the
// others of its container (without raising their Click). Click is raised when
// code selects a button that was not selected, and on every click of the user,
// also on the selected button (a press on a selected Play button restarts).
// A press raises MouseDown; the release inside the button selects it, then
// raises MouseUp and last Click, so a MouseUp handler that clears the value
// (push-button use) has done so before the Click handler runs. A graphical
// option button shows its picture and stays down while selected.
class OptionButton : public Control {
public:
    OptionButton(Container& container, std::string name, const std::string& caption = {});
    ~OptionButton() override;
    bool value() const { return value_; }
    void setValue(bool value);
    std::string caption() const;
    void setCaption(const std::string& caption);
    void setPicture(const Picture& picture);
    void setGraphical(bool graphical);
    void setBackColor(OleColour colour) override;

    void userSelected();  // platform plumbing
    bool clicksAsButton() const override { return true; }
    void userReleasing() override;
    void userClicked() override { raiseClick(); }

private:
    // Selects or unselects; Click only when asked and the value changed.
    bool select(bool value);
    void show();
    bool value_ = false;
};

class TextBox : public Control {
public:
    TextBox(Container& container, std::string name, const std::string& text = {});
    std::string text() const { return text_; }
    void setText(const std::string& text);
    std::function<void()> Change;

    void userEdited(const std::string& text);  // platform plumbing

private:
    std::string text_;
};

// A list with a text part. Click is raised when the list index changes (by the
// user or by code); Change when the text of an editable combo changes (typed,
// or set by code). Typed text that is exactly an item's makes that item the
// list index, any other text gives -1; typing raises no Click.
class ComboBox : public Control {
public:
    // Editable combos take typed text that need not match an item.
    ComboBox(Container& container, std::string name, bool editable = false);
    void addItem(const std::string& item);
    void clear();
    int listCount() const { return static_cast<int>(items_.size()); }
    std::string list(int index) const;
    int listIndex() const { return listIndex_; }
    // An index outside the list leaves the selection as it was and returns false.
    bool setListIndex(int index);
    std::string text() const;
    // Shows the text only; the list index does not change.
    void setText(const std::string& text);
    std::function<void()> Change;

    void userSelected(int index);              // platform plumbing
    void userEdited(const std::string& text);  // platform plumbing

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// A bordered group; disabling it makes every control inside inert while they
// keep their own Enabled.
class Frame : public Control, public Container {
public:
    Frame(Container& container, std::string name, const std::string& caption = {});
    QWidget* childHost() const override;
    void setCaption(const std::string& caption);
};

// Change when the value changes (user or code), Scroll while the thumb is dragged.
// The value always lies between Min and Max; Min may exceed Max, the bar's
// start standing for Min all the same.
class ScrollBar : public Control {
public:
    enum class Orientation { Horizontal, Vertical };
    ScrollBar(Container& container, std::string name, Orientation orientation);
    int min() const { return min_; }
    int max() const { return max_; }
    int value() const { return value_; }
    int largeChange() const { return largeChange_; }
    int smallChange() const { return smallChange_; }
    // Narrowing the range moves a value that falls outside it, raising Change.
    void setMin(int min);
    void setMax(int max);
    void setValue(int value);
    void setLargeChange(int change);
    void setSmallChange(int change);
    std::function<void()> Change;
    std::function<void()> Scroll;

    // Platform plumbing: a thumb drag raises Scroll for each value and one
    // Change at its end when the value differs from the one before the drag.
    void userMoved(int value, bool dragging);
    void userDragStarted();
    void userDragEnded();

private:
    void sync();
    void raiseChange();
    int valueBeforeDrag_ = 0;
    int min_ = 0;
    int max_ = 32767;
    int value_ = 0;
    int largeChange_ = 1;
    int smallChange_ = 1;
};

// Raises Timer every Interval milliseconds while enabled, also inside the
// event processing of a handler that waits.
class Timer {
public:
    Timer(std::string name, int intervalMs);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    std::function<void()> Tick;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string name_;
    int interval_;
    bool enabled_ = false;
};

}  // namespace forms
