// Command buttons, check boxes and option buttons.

#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/forms/detail/PictureImage.h"
#include "platform/forms/detail/ToggleButtonView.h"

namespace forms {

namespace {

// On the desktop the program's users know, Return and keypad Enter press the
// focused command button as Space does, while check boxes and option buttons
// answer to Space alone. Qt's auto-default buttons would take the keys too,
// but are drawn as a dialog's default button once focused.
class CommandButtonView : public QPushButton {
public:
    CommandButtonView(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

detail::ToggleButtonView* toggleView(const Control& control) {
    return static_cast<detail::ToggleButtonView*>(control.nativeWidget());
}

// Every live option button, for the per-container groups.
std::vector<OptionButton*>& optionButtons() {
    static std::vector<OptionButton*> buttons;
    return buttons;
}

}  // namespace

CommandButton::CommandButton(Container& container, std::string name, const std::string& caption)
    : Control(&container, std::move(name),
              new CommandButtonView(QString::fromStdString(caption), container.childHost())) {
    setDefaultBackColor(0x8000000F);
    auto* button = static_cast<QPushButton*>(nativeWidget());
    button->setAutoDefault(false);
    // The keyboard's clicks; the mouse's come through the event relay.
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        if (!deliveringMouse()) raiseClick();
    });
}

std::string CommandButton::caption() const {
    return static_cast<QPushButton*>(nativeWidget())->text().toStdString();
}

void CommandButton::setCaption(const std::string& caption) {
    static_cast<QPushButton*>(nativeWidget())->setText(QString::fromStdString(caption));
}

void CommandButton::setPicture(const Picture& picture) {
    auto* button = static_cast<QPushButton*>(nativeWidget());
    button->setIcon(QIcon(detail::picturePixmap(picture)));
    button->setIconSize(QSize(picture.width(), picture.height()));
}

CheckBox::CheckBox(Container& container, std::string name, const std::string& caption)
    : Control(&container, std::move(name),
              new detail::ToggleButtonView(container.childHost(),
                                           detail::ToggleButtonView::Kind::CheckBox)) {
    setDefaultBackColor(0x8000000F);
    auto* view = toggleView(*this);
    view->setText(QString::fromStdString(caption));
    QObject::connect(view, &QAbstractButton::clicked, view, [this] {
        if (!deliveringMouse()) userToggled(value_ == 0);
    });
}

void CheckBox::setValue(int value) {
    value = std::clamp(value, 0, 2);
    if (value == value_) return;
    value_ = value;
    toggleView(*this)->setState(value);
    raiseClick();
}

void CheckBox::userToggled(bool checked) {
    setValue(checked ? 1 : 0);
}

std::string CheckBox::caption() const {
    return toggleView(*this)->text().toStdString();
}

void CheckBox::setCaption(const std::string& caption) {
    toggleView(*this)->setText(QString::fromStdString(caption));
}

void CheckBox::setPicture(const Picture& picture) {
    toggleView(*this)->setPixmap(detail::picturePixmap(picture));
}

void CheckBox::setGraphical(bool graphical) {
    toggleView(*this)->setGraphical(graphical);
}

void CheckBox::setBackColor(OleColour colour) {
    Control::setBackColor(colour);
    toggleView(*this)->update();
}

OptionButton::OptionButton(Container& container, std::string name, const std::string& caption)
    : Control(&container, std::move(name),
              new detail::ToggleButtonView(container.childHost(),
                                           detail::ToggleButtonView::Kind::OptionButton)) {
    setDefaultBackColor(0x8000000F);
    optionButtons().push_back(this);
    auto* view = toggleView(*this);
    view->setText(QString::fromStdString(caption));
    QObject::connect(view, &QAbstractButton::clicked, view, [this] {
        if (!deliveringMouse()) userSelected();
    });
}

OptionButton::~OptionButton() {
    auto& buttons = optionButtons();
    buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void OptionButton::setValue(bool value) {
    if (select(value) && value) raiseClick();
}

bool OptionButton::select(bool value) {
    if (value == value_) return false;
    value_ = value;
    if (value) {
        for (OptionButton* other : optionButtons()) {
            if (other != this && other->container() == container() && other->value_) {
                other->value_ = false;
                other->show();
            }
        }
    }
    show();
    return true;
}

void OptionButton::userSelected() {
    select(true);
    raiseClick();
}

void OptionButton::userReleasing() {
    select(true);
}

void OptionButton::show() {
    toggleView(*this)->setState(value_ ? 1 : 0);
}

std::string OptionButton::caption() const {
    return toggleView(*this)->text().toStdString();
}

void OptionButton::setCaption(const std::string& caption) {
    toggleView(*this)->setText(QString::fromStdString(caption));
}

void OptionButton::setPicture(const Picture& picture) {
    toggleView(*this)->setPixmap(detail::picturePixmap(picture));
}

void OptionButton::setGraphical(bool graphical) {
    toggleView(*this)->setGraphical(graphical);
}

void OptionButton::setBackColor(OleColour colour) {
    Control::setBackColor(colour);
    toggleView(*this)->update();
}

}  // namespace forms
