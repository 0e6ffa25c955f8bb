#pragma once
// A top-level window measured in pixels. Its client area lies inside the frame,
// below the menu bar; docked picture boxes stack at its top and bottom edges.

#include <functional>
#include <memory>
#include <string>

#include "platform/forms/Control.h"

namespace forms {

class Menu;
class PictureBox;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

class Form : public Container {
public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    QWidget* childHost() const override;
    QWidget* nativeWindow() const;

    std::string caption() const;
    void setCaption(const std::string& caption);

    // Client area in pixels.
    int scaleWidth() const;
    int scaleHeight() const;
    // Outer size in pixels, frame included once the window system has framed
    // the window.
    int width() const;
    int height() const;
    void setWidth(int pixels);
    void setHeight(int pixels);
    // Sets the client area's size.
    void setClientSize(int width, int height);
    int left() const;
    int top() const;
    void move(int left, int top);
    // Puts the outer frame in the middle of the screen. The window system
    // frames a window only once it is shown, so a window centred before that
    // is centred again, once, as soon as its frame is known.
    void centreOnScreen();
    WindowState windowState() const;
    void setWindowState(WindowState state);

    void show();
    void hide();
    bool isShown() const;
    // Closes the window without asking; Unload is not raised.
    void unload();

    // Opens a menu at the mouse pointer and returns when it is closed. Within
    // one mouse gesture (a press and its release) a menu opens only once.
    void popupMenu(Menu& menu);

    // Raised when the window is first shown, and from then on after every
    // change of the client area's size and when the window is minimized or
    // restored. Docked panels are laid out before it is raised. Before the
    // first show, size changes are laid out silently.
    std::function<void()> Resize;
    // Raised when the user or the system closes the window; setting cancel to
    // non-zero keeps it open.
    std::function<void(int& cancel)> Unload;

    // Platform plumbing for docking and menus. The menu bar shows while at
    // least one top-level menu is visible.
    void dock(PictureBox& box, int align);
    void relayoutDocked();
    void addMenu(Menu& menu);
    void menuBarChanged();

private:
    void clientResized();
    void raiseResize();
    void centreNow();
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string name_;
};

}  // namespace forms
