// The column ruler above the score box: a numbered mark over every beat
// column in view, counted from 1.

#include <string>

#include "app/Form1.h"

namespace app {

namespace {

constexpr int RulerLeftOffset = 50;
// TopBar 0..13 are the designed marks; 15..18 stand elsewhere in the window,
// so the marks the ruler grows for wider views continue at 19.
constexpr int DesignedMarks = 14;
constexpr int GrownMarksIndexShift = 5;

int topBarIndexOfMark(int mark) {
    return mark < DesignedMarks ? mark : mark + GrownMarksIndexShift;
}

bool isRulerIndex(int index) {
    return index < DesignedMarks || index >= DesignedMarks + GrownMarksIndexShift;
}

}  // namespace

void Form1::FillTopBar() {
    int mark = 0;
    RulerOffset = RulerLeftOffset;
    const int lastColumn = FirstColumn + ColumnSpan;
    for (int column = FirstColumn; column <= lastColumn; ++column) {
        if ((column & 3) != 0) continue;
        const int index = topBarIndexOfMark(mark);
        forms::Label* label = TopBar.find(index);
        if (label == nullptr) label = &addRulerLabel(index);
        label->setVisible(true);
        label->setLeft((column - FirstColumn) * view::CellSize + RulerOffset);
        label->setCaption(std::to_string(column + 1));
        if (mark > 0) label->setTop(TopBar(topBarIndexOfMark(mark - 1)).top());
        ++mark;
    }
    const int firstUnused = topBarIndexOfMark(mark);
    for (const auto& [index, label] : TopBar) {
        if (index >= firstUnused && isRulerIndex(index)) label->setVisible(false);
    }
}

}  // namespace app
