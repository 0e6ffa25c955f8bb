#include "platform/forms/detail/FormWindow.h"

#include <QCloseEvent>
#include <QWindowStateChangeEvent>

namespace forms::detail {

FormWindow::FormWindow() = default;

void FormWindow::closeEvent(QCloseEvent* event) {
    if (onClose) {
        onClose(*event);
    } else {
        event->accept();
    }
}

void FormWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const bool was = change->oldState() & Qt::WindowMinimized;
    const bool is = windowState() & Qt::WindowMinimized;
    if (was != is && onMinimizedChanged) onMinimizedChanged();
}

void FormWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (onGeometryChanged) onGeometryChanged();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (onGeometryChanged) onGeometryChanged();
}

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) onResize();
}

}  // namespace forms::detail
