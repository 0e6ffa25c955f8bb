#pragma once
// The real main window for the mouse editing and track tests: the Editing,
// Composing and Rythm toolbars open, an empty score, distinct track colours,
// and real mouse input sent to the controls' widgets through Qt's event
// delivery, as the window system would send it.

#include <QPoint>
#include <Qt>
#include <array>
#include <cstdint>
#include <vector>

#include "support/MouseInput.h"
#include "support/app/ScoreWindowFixture.h"

class QWidget;

namespace edittest {

using testsupport::Black;
using testsupport::Blue;
using testsupport::clickOn;
using testsupport::Colour;
using testsupport::moveOn;
using testsupport::pressOn;
using testsupport::releaseOn;
using testsupport::White;
using Bytes = std::array<std::uint8_t, 3>;

constexpr int Cell = 12;
constexpr int FirstShownRow = 55;

// Closes every popup menu a moment after it opens, counting them, until it
// goes out of scope.
class PopupCounter {
public:
    PopupCounter();
    ~PopupCounter();
    PopupCounter(const PopupCounter&) = delete;
    PopupCounter& operator=(const PopupCounter&) = delete;
    int opened() const;

private:
    struct Impl;
    Impl* impl_;
};

class EditWindowTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override;

    // The view's first column and row, as the scroll bars would leave them,
    // then a full redraw.
    void showView(int firstColumn, int firstRow);

    QWidget* box();
    // The centre of a view cell in the score box's pixels.
    static QPoint cellCentre(int viewColumn, int viewRow) {
        return {viewColumn * Cell + 6, viewRow * Cell + 6};
    }
    void pressCell(int viewColumn, int viewRow, Qt::MouseButton button = Qt::LeftButton);
    void releaseCell(int viewColumn, int viewRow, Qt::MouseButton button = Qt::LeftButton);
    void dragToCell(int viewColumn, int viewRow, Qt::MouseButtons held = Qt::LeftButton);

    std::vector<Bytes> sent() { return mapper().bytes(); }
};

}  // namespace edittest
