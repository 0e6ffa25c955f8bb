#pragma once
// The real main window for the editing tests: the Editing, Composing and Rythm
// toolbars open, an empty score, distinct track colours, the view from column 0
// and pitch row 55 (56 columns by 28 rows), and real mouse input sent to the
// controls' widgets through Qt's event delivery.

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "edit/GridText.h"
#include "platform/forms/Application.h"
#include "support/MouseInput.h"
#include "support/app/ScoreWindowFixture.h"

namespace edittest {

using namespace testsupport;
using Bytes = std::array<std::uint8_t, 3>;
constexpr int Cell = 12;

// Counts the popup menus that open while it lives, closing each.
struct PopupCounter {
    PopupCounter() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++opened;
                popup->close();
            }
        });
        timer.start(20);
    }
    int opened = 0;
    QTimer timer;
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
        showView(0);
        ASSERT_EQ(w.ColumnSpan, 55);
        mapper().clear();
    }
    void showView(int firstColumn, int firstRow = 55) {
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
    std::vector<Bytes> sent() { return mapper().bytes(); }
    std::pair<int, int> selection() { return {form().SelStart, form().SelEnd}; }
    // Track 0's cells from origin in GridText's notation; without a count,
    // every cell in use.
    std::string track0(int origin = 0, int count = 0) {
        return cellsText(form().Notes, form().Instruments, 0, origin, count, count > 0);
    }
};

}  // namespace edittest
