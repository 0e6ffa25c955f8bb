#include "edit/EditWindowFixture.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "platform/forms/Application.h"

namespace edittest {

struct PopupCounter::Impl {
    QTimer timer;
    int opened = 0;
};

PopupCounter::PopupCounter() : impl_(new Impl) {
    impl_->timer.setInterval(20);
    QObject::connect(&impl_->timer, &QTimer::timeout, [impl = impl_] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            ++impl->opened;
            popup->close();
        }
    });
    impl_->timer.start();
}

PopupCounter::~PopupCounter() {
    delete impl_;
}

int PopupCounter::opened() const {
    return impl_->opened;
}

void EditWindowTest::SetUp() {
    ScoreWindowTest::SetUp();
    auto& window = form();
    showOnlyToolbars({&window.toolbEdit, &window.ToolbCompose, &window.toolbRythm});
    clearNotes();
    for (auto& track : window.Instruments) track.fill(0);
    useDistinctTrackColours();
    window.CurrentTrackColour = currentColour(0);
    window.CursorColumn = 900;  // out of view unless a test brings it in
    showView(0, FirstShownRow);
    mapper().clear();
}

void EditWindowTest::showView(int firstColumn, int firstRow) {
    moveView(firstColumn, firstRow);
    form().FillTopBar();
    form().RedrawScore();
}

QWidget* EditWindowTest::box() {
    return form().MusicBox.childHost();
}

void EditWindowTest::pressCell(int viewColumn, int viewRow, Qt::MouseButton button) {
    pressOn(box(), cellCentre(viewColumn, viewRow), button);
}

void EditWindowTest::releaseCell(int viewColumn, int viewRow, Qt::MouseButton button) {
    releaseOn(box(), cellCentre(viewColumn, viewRow), button);
}

void EditWindowTest::dragToCell(int viewColumn, int viewRow, Qt::MouseButtons held) {
    moveOn(box(), cellCentre(viewColumn, viewRow), held);
}

}  // namespace edittest
