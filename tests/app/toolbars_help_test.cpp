// Help from the main window: the compiled help file from the program folder
// in the program's help window, and nothing at all when there is none or it
// cannot be shown.

#include <QApplication>
#include <filesystem>

#include "platform/forms/Application.h"
#include "platform/help/detail/HelpWindow.h"
#include "platform/system/System.h"
#include "support/MouseInput.h"
#include "support/TempFolder.h"
#include "support/app/MainWindowFixture.h"

namespace {

namespace fs = std::filesystem;

const fs::path helpSource = fs::path(SORVANE_SOURCE_DIR) / "src/resources/help/lindavor.chm";

help::HelpWindow* shownHelpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<help::HelpWindow*>(widget);
        if (window && window->isVisible()) return window;
    }
    return nullptr;
}

// The program folder, as Help finds it, is one of the test's own.
class HelpTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form().AppFolder = folder.path() + "/";
    }
    testsupport::TempFolder folder;
};

TEST_F(HelpTest, AMissingOrUnreadableHelpFileShowsNothing) {
    testsupport::clickOn(form().Cmdhelp.nativeWidget());
    forms::doEvents();
    EXPECT_EQ(form().HelpFile, folder.file("lindavor.chm"));
    // Help makes the program folder the current one, as the program keeps it.
    EXPECT_EQ(fs::current_path(), fs::path(sys::appPath()));
    folder.write("lindavor.chm", "not a compiled help file");
    form().mnuHelpFile.action()->trigger();
    EXPECT_EQ(shownHelpWindow(), nullptr);
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(HelpTest, TheHelpButtonAndTheHelpItemShowTheHelpFilePlacedBesideTheProgram) {
    const fs::path placed = fs::path(SORVANE_BINARY_DIR) / "bin/lindavor.chm";
    ASSERT_TRUE(fs::exists(fs::path(SORVANE_BINARY_DIR) / "bin/sorvane"));
    ASSERT_EQ(fs::file_size(placed), fs::file_size(helpSource));
    fs::copy_file(placed, folder.file("lindavor.chm"));
    testsupport::clickOn(form().Cmdhelp.nativeWidget());
    help::HelpWindow* window = shownHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), form().nativeWindow());
    EXPECT_EQ(window->windowTitle(), "Midi Sorvane Help");
    EXPECT_EQ(window->filePath().toStdString(), form().HelpFile);
    window->browser()->setSource(QUrl("chm:/menus.html"));
    form().mnuHelpFile.action()->trigger();
    EXPECT_EQ(shownHelpWindow(), window);
    EXPECT_EQ(window->browser()->source(), QUrl("chm:/index.html"));
}

}  // namespace
