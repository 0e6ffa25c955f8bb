#pragma once
// One QApplication for a whole test program, made on first use and kept until
// the process ends (widgets of finished tests may still be queued for deletion).

namespace testsupport {

// Creates the application if there is none yet. Without a QT_QPA_PLATFORM
// setting the tests run offscreen.
void ensureQtApp();

}  // namespace testsupport
