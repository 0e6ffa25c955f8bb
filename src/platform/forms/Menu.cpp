#include "platform/forms/Menu.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>

#include "platform/forms/Form.h"

namespace forms {

namespace {

// A separator is a line only; some styles would print its caption too.
QString menuText(const std::string& caption) {
    return caption == "-" ? QString() : QString::fromStdString(caption);
}

}  // namespace

Menu::Menu(Form& form, std::string name, const std::string& caption)
    : name_(std::move(name)), caption_(caption), form_(&form) {
    // A top-level menu is a title on the bar with its items under it.
    submenu_ = std::make_unique<QMenu>(menuText(caption));
    submenu_->setObjectName(QString::fromStdString(name_));
    action_ = submenu_->menuAction();
    form.addMenu(*this);
}

Menu::Menu(Menu& parent, std::string name, const std::string& caption)
    : name_(std::move(name)), caption_(caption), parent_(&parent), form_(parent.form_) {
    action_ = new QAction(menuText(caption));
    action_->setObjectName(QString::fromStdString(name_));
    action_->setSeparator(caption == "-");
    QObject::connect(action_, &QAction::triggered, action_, [this] { trigger(); });
    parent.submenu()->addAction(action_);
}

Menu::~Menu() {
    // An item's action belongs to no Qt parent; a menu's title action belongs
    // to its item list.
    if (!parent_) {
        submenu_.reset();
        return;
    }
    delete action_;
}

void Menu::setCaption(const std::string& caption) {
    caption_ = caption;
    action_->setText(menuText(caption));
    action_->setSeparator(caption == "-");
    if (submenu_) submenu_->setTitle(menuText(caption));
}

void Menu::setChecked(bool checked) {
    checked_ = checked;
    const QSignalBlocker blocker(action_);
    action_->setCheckable(checked);
    action_->setChecked(checked);
}

void Menu::setVisible(bool visible) {
    visible_ = visible;
    action_->setVisible(visible);
    if (!parent_) form_->menuBarChanged();
}

void Menu::setEnabled(bool enabled) {
    enabled_ = enabled;
    action_->setEnabled(enabled);
}

QMenu* Menu::submenu() {
    if (!submenu_) {
        // The item gets items of its own: it opens them instead of being chosen.
        submenu_ = std::make_unique<QMenu>(menuText(caption_));
        action_->setMenu(submenu_.get());
    }
    return submenu_.get();
}

void Menu::trigger() {
    // Qt ticks a checkable item when it is chosen; the mark is the program's.
    setChecked(checked_);
    const auto handler = Click;
    if (handler) handler();
}

}  // namespace forms
