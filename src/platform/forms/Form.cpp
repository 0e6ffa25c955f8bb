#include "platform/forms/Form.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "platform/forms/Menu.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/detail/EventRelay.h"
#include "platform/forms/detail/FormWindow.h"

namespace forms {

struct Form::Impl {
    detail::FormWindow* window = nullptr;
    detail::ClientArea* client = nullptr;
    // Docked panels, outermost first.
    std::vector<PictureBox*> top;
    std::vector<PictureBox*> bottom;
    QSize lastClient{-1, -1};
    bool shownOnce = false;
    bool unloading = false;
    bool centreWhenFramed = false;
    std::uint64_t popupGesture = 0;

    // Lays the window out now, also while it is hidden (Qt would wait for
    // the show), so the client area's size can be read at once.
    void settle() {
        if (QLayout* layout = window->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }
};

Form::Form(std::string name) : impl_(std::make_unique<Impl>()), name_(std::move(name)) {
    impl_->window = new detail::FormWindow();
    impl_->window->setObjectName(QString::fromStdString(name_));
    impl_->client = new detail::ClientArea(impl_->window);
    impl_->window->setCentralWidget(impl_->client);
    impl_->client->onResize = [this] { clientResized(); };
    impl_->window->onClose = [this](QCloseEvent& event) {
        if (impl_->unloading) {
            event.accept();
            return;
        }
        int cancel = 0;
        const auto handler = Unload;
        if (handler) handler(cancel);
        event.setAccepted(cancel == 0);
    };
    impl_->window->onGeometryChanged = [this] {
        QWidget* window = impl_->window;
        if (!impl_->centreWhenFramed || window->frameGeometry().size() == window->size()) return;
        impl_->centreWhenFramed = false;
        centreNow();
    };
    impl_->window->onMinimizedChanged = [this] {
        if (!impl_->shownOnce) return;
        relayoutDocked();
        raiseResize();
    };
    impl_->settle();
    impl_->lastClient = impl_->client->size();
}

Form::~Form() {
    // Panels that outlive the form must not reach back for it.
    for (PictureBox* box : impl_->top) box->align_ = 0;
    for (PictureBox* box : impl_->bottom) box->align_ = 0;
    impl_->client->onResize = nullptr;
    delete impl_->window;
}

QWidget* Form::childHost() const {
    return impl_->client;
}
QWidget* Form::nativeWindow() const {
    return impl_->window;
}

std::string Form::caption() const {
    return impl_->window->windowTitle().toStdString();
}

void Form::setCaption(const std::string& caption) {
    impl_->window->setWindowTitle(QString::fromStdString(caption));
}

int Form::scaleWidth() const {
    return impl_->client->width();
}
int Form::scaleHeight() const {
    return impl_->client->height();
}
int Form::width() const {
    return impl_->window->frameGeometry().width();
}
int Form::height() const {
    return impl_->window->frameGeometry().height();
}

void Form::setWidth(int pixels) {
    QWidget* window = impl_->window;
    const int frame = window->frameGeometry().width() - window->width();
    window->resize(std::max(1, pixels - frame), window->height());
    impl_->settle();
    clientResized();
}

void Form::setHeight(int pixels) {
    QWidget* window = impl_->window;
    const int frame = window->frameGeometry().height() - window->height();
    window->resize(window->width(), std::max(1, pixels - frame));
    impl_->settle();
    clientResized();
}

void Form::setClientSize(int width, int height) {
    QWidget* window = impl_->window;
    impl_->settle();
    const int extraWidth = window->width() - impl_->client->width();
    const int extraHeight = window->height() - impl_->client->height();
    window->resize(std::max(1, width + extraWidth), std::max(1, height + extraHeight));
    impl_->settle();
    clientResized();
}

int Form::left() const {
    return impl_->window->x();
}
int Form::top() const {
    return impl_->window->y();
}
void Form::move(int left, int top) {
    impl_->window->move(left, top);
}

void Form::centreOnScreen() {
    centreNow();
    QWidget* window = impl_->window;
    impl_->centreWhenFramed = window->frameGeometry().size() == window->size();
}

void Form::centreNow() {
    QWidget* window = impl_->window;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize frame = window->frameGeometry().size();
    // A window's position is that of its frame's corner.
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

WindowState Form::windowState() const {
    const Qt::WindowStates state = impl_->window->windowState();
    if (state & Qt::WindowMinimized) return WindowState::Minimized;
    if (state & Qt::WindowMaximized) return WindowState::Maximized;
    return WindowState::Normal;
}

void Form::setWindowState(WindowState state) {
    switch (state) {
        case WindowState::Minimized:
            impl_->window->setWindowState(Qt::WindowMinimized);
            break;
        case WindowState::Maximized:
            impl_->window->setWindowState(Qt::WindowMaximized);
            break;
        case WindowState::Normal:
            impl_->window->setWindowState(Qt::WindowNoState);
            break;
    }
    impl_->settle();
    clientResized();
}

void Form::show() {
    impl_->window->show();
    impl_->settle();
    if (impl_->shownOnce) {
        clientResized();
        return;
    }
    impl_->shownOnce = true;
    impl_->lastClient = impl_->client->size();
    relayoutDocked();
    raiseResize();
}

void Form::hide() {
    impl_->window->hide();
}
bool Form::isShown() const {
    return impl_->window->isVisible();
}

void Form::unload() {
    impl_->unloading = true;
    impl_->window->close();
    impl_->unloading = false;
}

void Form::popupMenu(Menu& menu) {
    // The press that opened a menu may be followed by a release whose handler
    // asks for the menu again.
    if (detail::inMouseDispatch()) {
        if (impl_->popupGesture == detail::currentGesture()) return;
        impl_->popupGesture = detail::currentGesture();
    }
    if (QMenu* items = menu.submenu()) items->exec(QCursor::pos());
}

void Form::dock(PictureBox& box, int align) {
    auto& top = impl_->top;
    auto& bottom = impl_->bottom;
    top.erase(std::remove(top.begin(), top.end(), &box), top.end());
    bottom.erase(std::remove(bottom.begin(), bottom.end(), &box), bottom.end());
    if (align == 1) top.push_back(&box);
    if (align == 2) bottom.push_back(&box);
    box.align_ = align;
    relayoutDocked();
}

void Form::relayoutDocked() {
    const int width = impl_->client->width();
    int topEdge = 0;
    for (PictureBox* box : impl_->top) {
        if (!box->visible()) continue;
        box->placeDocked(0, topEdge, width, box->height());
        topEdge += box->height();
    }
    int bottomEdge = impl_->client->height();
    for (PictureBox* box : impl_->bottom) {
        if (!box->visible()) continue;
        bottomEdge -= box->height();
        box->placeDocked(0, bottomEdge, width, box->height());
        // A top panel taller than the room left reaches over the bottom
        // stack; the bottom panels stay in front of it.
        box->nativeWidget()->raise();
    }
}

void Form::addMenu(Menu& menu) {
    QMenuBar* bar = impl_->window->menuBar();
    // The bar stays in the window, so the client area lies below it everywhere.
    bar->setNativeMenuBar(false);
    bar->addAction(menu.action());
    menuBarChanged();
}

void Form::menuBarChanged() {
    QMenuBar* bar = impl_->window->menuBar();
    const QList<QAction*> menus = bar->actions();
    bar->setVisible(std::any_of(menus.begin(), menus.end(),
                                [](const QAction* menu) { return menu->isVisible(); }));
    impl_->settle();
    clientResized();
}

void Form::clientResized() {
    const QSize now = impl_->client->size();
    if (now == impl_->lastClient) return;
    impl_->lastClient = now;
    relayoutDocked();
    if (impl_->shownOnce) raiseResize();
}

void Form::raiseResize() {
    const auto handler = Resize;
    if (handler) handler();
}

}  // namespace forms
