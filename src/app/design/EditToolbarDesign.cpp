#include "app/design/EditToolbarDesign.h"

#include "app/design/DesignHelpers.h"

namespace app {

using design::placeButton;

EditToolbarDesign::EditToolbarDesign(forms::Form& form)
    : toolbEdit(form, "toolbEdit"),
      ChkEdit(toolbEdit, "ChkEdit"),
      FunctionsFrame(toolbEdit, "FunctionsFrame"),
      toolberasecheck(FunctionsFrame, "toolberasecheck"),
      CopyBut(FunctionsFrame, "CopyBut"),
      CutBut(FunctionsFrame, "CutBut"),
      PasteBut(FunctionsFrame, "PasteBut"),
      PasteIntoBut(FunctionsFrame, "PasteIntoBut"),
      InsertColumnBut(FunctionsFrame, "InsertColumnBut"),
      Command15(FunctionsFrame, "Command15"),
      Command16(FunctionsFrame, "Command16"),
      Command17(FunctionsFrame, "Command17"),
      Command19(FunctionsFrame, "Command19"),
      Command5(FunctionsFrame, "Command5"),
      Command12(FunctionsFrame, "Command12", "rev"),
      Command13(FunctionsFrame, "Command13"),
      Command14(FunctionsFrame, "Command14", "alpha"),
      Command8(FunctionsFrame, "Command8", "paste") {
    constexpr int height = 26;
    constexpr int step = design::ButtonSize + 1;
    design::setUpToolbarPanel(toolbEdit, height, false);
    design::setUpCloseBox(ChkEdit, height);

    FunctionsFrame.move(20, 0, 13 * step + 24, height);

    int left = 0;
    const char* modePictures[] = {"draw-mode", "insertion-position", "select-area"};
    const char* modeTips[] = {"Draw Mode", "Start/Insertion Position", "Select Area"};
    for (int index = 0; index < 3; ++index) {
        auto& button = FunctionBut.add(index, FunctionsFrame, "FunctionBut");
        button.setGraphical(true);
        placeButton(button, modePictures[index], modeTips[index], left, 1);
        left += step;
    }
    FunctionBut(0).setValue(true);
    toolberasecheck.setGraphical(true);
    placeButton(toolberasecheck, "draw-select-toggle", "Draw/Select mode toggle", left, 1);
    left += step + 6;

    placeButton(CopyBut, "copy", "Copy Selection", left, 1);
    CopyBut.setVisible(false);
    for (auto [button, picture, tip] :
         {std::tuple{&CutBut, "cut", "Cut Selection"},
          std::tuple{&PasteBut, "paste", "Paste (Overwrite)"},
          std::tuple{&PasteIntoBut, "paste-insert", "Paste (Insert)"},
          std::tuple{&InsertColumnBut, "insert-space", "Insert Space"}}) {
        placeButton(*button, picture, tip, left, 1);
        left += step;
    }
    left += 6;
    for (auto [button, picture, tip] :
         {std::tuple{&Command15, "new-score", "Start New Score"},
          std::tuple{&Command16, "open", "Open a score or Mid file"},
          std::tuple{&Command17, "save", "Save Edits"},
          std::tuple{&Command19, "save-midi", "Save score as MID file"},
          std::tuple{&Command5, "erase-all", "Erase all Notes"}}) {
        placeButton(*button, picture, tip, left, 1);
        left += step;
    }
    // Part of the design, never shown.
    placeButton(Command12, "reverse", "", left, 1);
    placeButton(Command13, "flip", "Flip", left, 1);
    placeButton(Command14, "settings-file", "", left, 1);
    placeButton(Command8, "paste-rythm", "", left, 1);
    for (forms::CommandButton* hidden : {&Command12, &Command13, &Command14, &Command8}) {
        hidden->setVisible(false);
    }

    // The transpose buttons stay usable while the score plays, so they sit
    // outside the frame that playback disables.
    left = FunctionsFrame.left() + FunctionsFrame.width() + 6;
    const char* transposePictures[] = {"move-down", "move-up"};
    const char* transposeTips[] = {"Move All Notes Down One", "Move All Notes Up One"};
    for (int index = 0; index < 2; ++index) {
        auto& button = TransposeBut.add(index, toolbEdit, "TransposeBut");
        placeButton(button, transposePictures[index], transposeTips[index], left, 1);
        left += step;
    }
}

}  // namespace app
