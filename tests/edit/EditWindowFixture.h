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

#include "support/app/MainWindowFixture.h"

class QWidget;

namespace edittest {

using Colour = std::uint32_t;  // &H00BBGGRR
using Bytes = std::array<std::uint8_t, 3>;

constexpr Colour White = 0xFFFFFF;
constexpr Colour Black = 0x000000;
constexpr Colour Blue = 0xFF0000;
constexpr int Cell = 12;
constexpr int FirstShownRow = 55;

// Mouse input through Qt, to a widget's own coordinates.
void pressOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void releaseOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void moveOn(QWidget* widget, QPoint at, Qt::MouseButtons held);
void clickOn(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);

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

class EditWindowTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override;

    // The view's first column and row, as the scroll bars would leave them,
    // then a full redraw.
    void showView(int firstColumn, int firstRow);
    // A note on the track from first through last.
    void placeNote(int track, int row, int first, int last, std::int16_t instrument);

    QWidget* box();
    // The centre of a view cell in the score box's pixels.
    static QPoint cellCentre(int viewColumn, int viewRow) {
        return {viewColumn * Cell + 6, viewRow * Cell + 6};
    }
    void pressCell(int viewColumn, int viewRow, Qt::MouseButton button = Qt::LeftButton);
    void releaseCell(int viewColumn, int viewRow, Qt::MouseButton button = Qt::LeftButton);
    void dragToCell(int viewColumn, int viewRow, Qt::MouseButtons held = Qt::LeftButton);

    Colour pixel(int x, int y) { return form().MusicBox.surface().pixel(x, y); }
    int boxWidth() { return form().MusicBox.scaleWidth(); }
    int boxHeight() { return form().MusicBox.scaleHeight(); }
    std::uint64_t boxRevision() { return form().MusicBox.surface().revision(); }
    std::vector<Colour> snapshot();
    std::vector<Bytes> sent() { return mapper().bytes(); }

    static Colour otherColour(int track) { return 0x101000 + track * 0x10; }
    static Colour currentColour(int track) { return 0x002020 + track * 0x100000; }
};

}  // namespace edittest
