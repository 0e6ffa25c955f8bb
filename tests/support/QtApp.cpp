#include "support/QtApp.h"

#include <QApplication>
#include <cstdlib>

namespace testsupport {

void ensureQtApp() {
    if (QApplication::instance() != nullptr) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "sorvane-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace testsupport
