#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/forms/Controls.h"

namespace forms {

namespace {

QScrollBar* barView(const Control& control) {
    return static_cast<QScrollBar*>(control.nativeWidget());
}

}  // namespace

ScrollBar::ScrollBar(Container& container, std::string name, Orientation orientation)
    : Control(&container, std::move(name),
              new QScrollBar(orientation == Orientation::Horizontal ? Qt::Horizontal : Qt::Vertical,
                             container.childHost())) {
    setDefaultBackColor(0x80000000);
    auto* bar = barView(*this);
    bar->setFocusPolicy(Qt::NoFocus);
    sync();
    // The bar's signals are blocked while code sets it, so these come from the user.
    QObject::connect(bar, &QScrollBar::valueChanged, bar,
                     [this, bar](int value) { userMoved(value, bar->isSliderDown()); });
    QObject::connect(bar, &QScrollBar::sliderPressed, bar, [this] { userDragStarted(); });
    QObject::connect(bar, &QScrollBar::sliderReleased, bar, [this] { userDragEnded(); });
}

void ScrollBar::setMin(int min) {
    min_ = min;
    setValue(value_);
    sync();
}

void ScrollBar::setMax(int max) {
    max_ = max;
    setValue(value_);
    sync();
}

void ScrollBar::setValue(int value) {
    value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (value == value_) return;
    value_ = value;
    sync();
    raiseChange();
}

void ScrollBar::setLargeChange(int change) {
    largeChange_ = std::max(1, change);
    sync();
}

void ScrollBar::setSmallChange(int change) {
    smallChange_ = std::max(1, change);
    sync();
}

void ScrollBar::userMoved(int value, bool dragging) {
    if (value == value_) return;
    value_ = value;
    if (dragging) {
        const auto handler = Scroll;
        if (handler) handler();
    } else {
        raiseChange();
    }
}

void ScrollBar::userDragStarted() {
    valueBeforeDrag_ = value_;
}

void ScrollBar::userDragEnded() {
    if (value_ != valueBeforeDrag_) raiseChange();
}

void ScrollBar::sync() {
    auto* bar = barView(*this);
    const QSignalBlocker blocker(bar);
    bar->setRange(std::min(min_, max_), std::max(min_, max_));
    bar->setInvertedAppearance(min_ > max_);
    bar->setInvertedControls(min_ > max_);
    bar->setPageStep(largeChange_);
    bar->setSingleStep(smallChange_);
    bar->setValue(value_);
}

void ScrollBar::raiseChange() {
    const auto handler = Change;
    if (handler) handler();
}

}  // namespace forms
