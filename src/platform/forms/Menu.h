#pragma once
// Menus: a menu is an item that may hold items. Top-level menus sit on a form's
// menu bar unless hidden (a hidden top-level menu serves as a popup menu).
// Caption "-" makes a separator.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace forms {

class Form;

class Menu {
public:
    Menu(Form& form, std::string name, const std::string& caption);
    Menu(Menu& parent, std::string name, const std::string& caption);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& name() const { return name_; }
    std::string caption() const { return caption_; }
    void setCaption(const std::string& caption);
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void()> Click;

    // Platform plumbing.
    QAction* action() const { return action_; }
    QMenu* submenu();
    void trigger();

private:
    std::string name_;
    std::string caption_;
    bool checked_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    Menu* parent_ = nullptr;
    Form* form_ = nullptr;
    QAction* action_ = nullptr;
    std::unique_ptr<QMenu> submenu_;
};

}  // namespace forms
