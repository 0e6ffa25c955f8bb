#pragma once
// The Qt side of a form: the main window and its client area, reporting what
// the form needs to hear.

#include <QMainWindow>
#include <functional>

namespace forms::detail {

class FormWindow : public QMainWindow {
public:
    FormWindow();
    // Asked whether a close may go ahead; the answer is the event's.
    std::function<void(QCloseEvent&)> onClose;
    // Minimized or restored.
    std::function<void()> onMinimizedChanged;
    // Moved or resized, by the program or the window system (which moves a
    // window when it frames it).
    std::function<void()> onGeometryChanged;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
};

class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent);
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace forms::detail
