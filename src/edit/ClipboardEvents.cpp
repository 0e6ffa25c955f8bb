// Connects the clipboard, insertion and transpose buttons and the right-click
// menu's items to their handlers.

#include "app/Form1.h"

namespace app {

void Form1::wireClipboardEvents() {
    CopyBut.Click = [this] { CopyBut_Click(); };
    CutBut.Click = [this] { CutBut_Click(); };
    PasteBut.Click = [this] { PasteBut_Click(); };
    PasteIntoBut.Click = [this] { PasteIntoBut_Click(); };
    InsertColumnBut.Click = [this] { InsertColumnBut_Click(); };
    mnuCopy.Click = [this] { mnuCopy_Click(); };
    mnuErase.Click = [this] { mnuErase_Click(); };
    mnuEdit.Click = [this] { mnuEdit_Click(); };
    mnuInsert.Click = [this] { mnuInsert_Click(); };
    for (const auto& [index, button] : TransposeBut) {
        button->Click = [this, index = index] { TransposeBut_Click(index); };
    }
}

}  // namespace app
