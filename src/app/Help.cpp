// Help: the compiled help file "lindavor.chm" from the program folder, shown in
// the program's own help window. Help says nothing when the file is missing or
// cannot be shown.

#include "app/Form1.h"
#include "platform/help/HelpViewer.h"
#include "platform/system/System.h"

namespace app {

namespace {
constexpr const char* HelpFileName = "lindavor.chm";
}

// AppFolder is the program folder with its one trailing "/", as loading set it.
void Form1::Cmdhelp_Click() {
    sys::changeDirectory(sys::appPath());
    HelpFile = AppFolder + HelpFileName;
    ShowHelpFile(HelpFile);
}

void Form1::mnuHelpFile_Click() {
    Cmdhelp_Click();
}

void Form1::ShowHelpFile(std::string& path) {
    help::showHelpFile(*this, path);
}

}  // namespace app
