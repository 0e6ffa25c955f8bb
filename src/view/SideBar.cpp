// The note-name side bar beside the score box.

#include <string>

#include "app/Form1.h"

namespace app {

void Form1::FillSideBar() {
    std::string text;
    int row = FirstRow;
    for (int viewRow = 0; viewRow <= RowSpan && viewRow < score::RowCount; ++viewRow) {
        const std::string& name = row >= 0 && row < score::RowCount ? NoteNames[row] : "";
        text += name + "\r\n";
        IsSharpRow[viewRow] = !name.empty() && name.back() == '#';
        ++row;
    }
    SideBar.setCaption(text);
}

}  // namespace app
