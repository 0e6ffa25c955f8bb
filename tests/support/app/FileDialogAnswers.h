#pragma once
// Answers the common file dialog and the program's yes/no questions through
// their test hooks while it lives: every dialog returns `name` (empty for a
// cancel) and is kept as it was shown; every question gets `yes`.

#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/CommonDialog.h"

namespace testsupport {

struct ShownDialog {
    std::string title, preset, filter, initDir;
    int flags = 0;
    bool saving = false;
};

class FileDialogAnswers {
public:
    FileDialogAnswers() {
        forms::CommonDialog::setHook([this](const forms::CommonDialog& dialog, bool saving) {
            shown.push_back({dialog.DialogTitle, dialog.FileName, dialog.Filter, dialog.InitDir,
                             dialog.Flags, saving});
            return name;
        });
        forms::setQuestionHook([this](const std::string& text) {
            questions.push_back(text);
            return yes;
        });
    }
    ~FileDialogAnswers() {
        forms::CommonDialog::setHook(nullptr);
        forms::setQuestionHook(nullptr);
    }
    FileDialogAnswers(const FileDialogAnswers&) = delete;
    FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;

    std::string name;
    bool yes = true;
    std::vector<ShownDialog> shown;
    std::vector<std::string> questions;
};

}  // namespace testsupport
