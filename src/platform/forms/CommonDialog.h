#pragma once
// The common Open / Save dialog. Its properties persist between uses; a cancel
// leaves FileName as it was.

#include <functional>
#include <string>

namespace forms {

class CommonDialog {
public:
    std::string FileName;
    // Pairs of description and pattern separated by "|", e.g.
    // "Score (*.sng)|*.sng|All files (*.*)|*.*"; patterns may list several
    // masks separated by ";".
    std::string Filter;
    std::string DialogTitle;
    int Flags = 0;
    std::string InitDir;

    // Each returns true when the user chose a file (FileName is then the full
    // path), false on cancel.
    bool showOpen();
    bool showSave();

    // Tests answer dialogs: the hook gets the dialog (title, filter, flags, initial
    // folder and name as set) and whether it saves, and returns the chosen path or
    // an empty string for a cancel.
    using Hook = std::function<std::string(const CommonDialog& dialog, bool saving)>;
    static void setHook(Hook hook);
};

}  // namespace forms
