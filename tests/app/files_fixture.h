#pragma once
// The main window for the file commands' tests: a folder of its own for the
// files, questions answered, and the real file dialogs driven as a user would.

#include <QStringList>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "support/app/MainWindowFixture.h"

namespace filestest {

// What a file dialog showed when it was opened.
struct SeenDialog {
    std::string title;
    bool saving = false;
    std::string folder;
    QStringList nameFilters;
    std::string typedName;  // the name field as the dialog opened
};

// Answers the real QFileDialogs (and their replace questions) that the
// program opens from now on, one answer each, in order.
class FileDialogDriver {
public:
    FileDialogDriver();
    ~FileDialogDriver();

    // The next dialog gets `name` typed into its name field and accepted; an
    // empty name cancels it. `replace` answers the dialog's own question when
    // the name exists.
    void answer(const std::string& name, bool replace = true);

    const std::vector<SeenDialog>& seen() const { return seen_; }
    // The texts of the replace questions the dialogs asked.
    const std::vector<std::string>& questions() const { return questions_; }

private:
    void poll();
    struct Answer {
        std::string name;
        bool replace;
    };
    std::vector<Answer> answers_;
    std::vector<SeenDialog> seen_;
    std::vector<std::string> questions_;
    QTimer timer_;
};

class FilesTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string file(const std::string& name) const { return folder_ + "/" + name; }
    const std::string& folder() const { return folder_; }

    // Answers the program's own yes/no questions.
    bool questionAnswer = true;
    std::vector<std::string> questions;

    // Answers the common dialog through its test hook instead of a real
    // dialog: the settings it was shown with are kept, and `chooser` gives the
    // name (empty for a cancel).
    struct HookedDialog {
        std::string title;
        std::string fileName;
        std::string filter;
        std::string initDir;
        int flags = 0;
        bool saving = false;
    };
    void answerThroughHook(std::function<std::string(const HookedDialog&)> chooser);
    std::vector<HookedDialog> hookedDialogs;

    // A small score: a note on track 0 and one on track 12, tempo 96.
    void putSmallScore();
    std::string captionOf() { return form().caption(); }

private:
    std::string folder_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);

}  // namespace filestest
