#pragma once
// The real main window for the editing tests: the Editing, Composing and Rythm
// toolbars open, an empty score, distinct track colours, the view from column 0
// and pitch row 55 (56 columns by 28 rows), and real mouse and key input sent
// to the controls' widgets through Qt's event delivery.

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/Application.h"
#include "support/MouseInput.h"
#include "support/app/ScoreWindowFixture.h"

namespace edittest {

using namespace testsupport;
using Bytes = std::array<std::uint8_t, 3>;

constexpr int Cell = 12;
constexpr int FirstShownRow = 55;

// Counts the popup menus that open while it lives, closing each.
class PopupCounter {
public:
    PopupCounter() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++opened;
                popup->close();
            }
        });
        timer_.start();
    }
    int opened = 0;

private:
    QTimer timer_;
};

class EditWindowTest : public ScoreWindowTest {
protected:
    void SetUp() override {
        ScoreWindowTest::SetUp();
        auto& w = form();
        showOnlyToolbars({&w.toolbEdit, &w.ToolbCompose, &w.toolbRythm});
        clearNotes();
        for (auto& track : w.Instruments) track.fill(0);
        useDistinctTrackColours();
        w.CurrentTrackColour = currentColour(0);
        w.CursorColumn = 900;  // out of view unless a test brings it in
        showView(0, FirstShownRow);
        ASSERT_EQ(w.ColumnSpan, 55);
        mapper().clear();
    }
    void showView(int firstColumn, int firstRow) {
        moveView(firstColumn, firstRow);
        form().FillTopBar();
        form().RedrawScore();
    }
    QWidget* box() { return form().MusicBox.childHost(); }
    static QPoint cellCentre(int column, int row) { return {column * Cell + 6, row * Cell + 6}; }
    void pressCell(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        pressOn(box(), cellCentre(column, row), button);
    }
    void releaseCell(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        releaseOn(box(), cellCentre(column, row), button);
    }
    void clickCell(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        clickOn(box(), cellCentre(column, row), button);
    }
    void dragToCell(int column, int row) { moveOn(box(), cellCentre(column, row), Qt::LeftButton); }
    void click(forms::Control& control) {
        QWidget* widget = control.nativeWidget();
        clickOn(widget, {widget->width() / 2, widget->height() / 2});
        forms::doEvents();
    }
    // Replaces the box's text as a user does: select all, then type key by key.
    void typeInto(forms::TextBox& box, const std::string& text) {
        QWidget* widget = box.nativeWidget();
        QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
        QApplication::sendEvent(widget, &selectAll);
        for (const QChar c : QString::fromStdString(text)) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &key);
        }
    }
    std::vector<Bytes> sent() { return mapper().bytes(); }
    std::pair<int, int> selection() { return {form().SelStart, form().SelEnd}; }
};

}  // namespace edittest
