#include "edit/EditWindowFixture.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "platform/forms/Application.h"

namespace edittest {

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

void pressOn(QWidget* widget, QPoint at, Qt::MouseButton button) {
    sendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

void releaseOn(QWidget* widget, QPoint at, Qt::MouseButton button) {
    sendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void moveOn(QWidget* widget, QPoint at, Qt::MouseButtons held) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

void clickOn(QWidget* widget, QPoint at, Qt::MouseButton button) {
    pressOn(widget, at, button);
    releaseOn(widget, at, button);
}

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
    MainWindowTest::SetUp();
    auto& window = form();
    for (forms::PictureBox* toolbar :
         {&window.toolbSetup, &window.toolbPlay, &window.toolbMIDI, &window.ToolbRecord}) {
        toolbar->setVisible(false);
    }
    for (forms::PictureBox* toolbar :
         {&window.toolbEdit, &window.ToolbCompose, &window.toolbRythm}) {
        toolbar->setVisible(true);
    }
    forms::doEvents();
    window.Form_Resize();
    for (auto& track : window.Notes) track.fill(score::EmptyCell);
    for (auto& track : window.Instruments) track.fill(0);
    for (int track = 0; track < score::TrackCount; ++track) {
        window.TrackColours[track] = otherColour(track);
        window.SelectedTrackColours[track] = currentColour(track);
    }
    window.CurrentTrackColour = currentColour(0);
    window.CursorColumn = 900;  // out of view unless a test brings it in
    showView(0, FirstShownRow);
    mapper().clear();
}

void EditWindowTest::showView(int firstColumn, int firstRow) {
    auto& window = form();
    window.FirstColumn = static_cast<std::int16_t>(firstColumn);
    window.LastVisibleColumn = static_cast<std::int16_t>(firstColumn + window.ColumnSpan);
    window.FirstRow = static_cast<std::int16_t>(firstRow);
    window.LastVisibleRow = static_cast<std::int16_t>(firstRow + window.RowSpan);
    window.FillSideBar();
    window.FillTopBar();
    window.RedrawScore();
}

void EditWindowTest::placeNote(int track, int row, int first, int last, std::int16_t instrument) {
    auto& window = form();
    window.Notes[track][first] = static_cast<std::int16_t>(row);
    window.Instruments[track][first] = instrument;
    for (int column = first + 1; column <= last; ++column) {
        window.Notes[track][column] = static_cast<std::int16_t>(score::HeldOffset + row);
        window.Instruments[track][column] = instrument;
    }
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

std::vector<Colour> EditWindowTest::snapshot() {
    std::vector<Colour> pixels;
    for (int y = 0; y < boxHeight(); ++y) {
        for (int x = 0; x < boxWidth(); ++x) pixels.push_back(pixel(x, y));
    }
    return pixels;
}

}  // namespace edittest
