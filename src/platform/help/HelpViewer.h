#pragma once
// The program's help: a compiled HTML help file shown in a help window of the
// program itself. The pages, their pictures and their links are read from the
// file; nothing is handed to another program or a shell.

#include <string>

namespace forms {
class Form;
}

namespace help {

// Shows the help file's default topic in the help window that belongs to
// owner (made on first use, closed with owner). A file that is missing,
// unreadable or holds no page shows nothing, says nothing and returns false.
bool showHelpFile(forms::Form& owner, const std::string& path);

}  // namespace help
