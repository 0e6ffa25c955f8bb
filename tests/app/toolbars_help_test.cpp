// Help from the main window: the compiled help file from the program folder
// in the program's help window, and nothing at all when there is none.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/forms/Application.h"
#include "platform/help/detail/HelpWindow.h"
#include "platform/system/System.h"
#include "toolbars_fixture.h"

namespace {

using namespace toolbarstest;
namespace fs = std::filesystem;

const fs::path helpSource = fs::path(SORVANE_SOURCE_DIR) / "src/resources/help/lindavor.chm";

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

help::HelpWindow* shownHelpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<help::HelpWindow*>(widget);
        if (window && window->isVisible()) return window;
    }
    return nullptr;
}

// The program folder, as Help finds it, is one of the test's own.
class HelpTest : public ToolbarsTest {
protected:
    void SetUp() override {
        ToolbarsTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "sorvane-help-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        form().AppFolder = folder.string() + "/";
    }
    void TearDown() override {
        ToolbarsTest::TearDown();
        fs::remove_all(folder);
    }
    fs::path folder;
};

TEST_F(HelpTest, NoHelpFileBesideTheProgramShowsNothing) {
    click(form().Cmdhelp);
    forms::doEvents();
    EXPECT_EQ(form().HelpFile, folder.string() + "/lindavor.chm");
    EXPECT_EQ(shownHelpWindow(), nullptr);
    EXPECT_TRUE(messageBoxes().empty());
    // Help makes the program folder the current one, as the program keeps it.
    EXPECT_EQ(fs::current_path(), fs::path(sys::appPath()));
}

TEST_F(HelpTest, AnUnreadableHelpFileShowsNothing) {
    std::ofstream(folder / "lindavor.chm") << "not a compiled help file";
    choose(form().mnuHelpFile);
    EXPECT_EQ(shownHelpWindow(), nullptr);
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(HelpTest, TheHelpButtonAndTheHelpItemShowTheHelpFile) {
    fs::copy_file(helpSource, folder / "lindavor.chm");
    click(form().Cmdhelp);
    help::HelpWindow* window = shownHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), form().nativeWindow());
    EXPECT_EQ(window->windowTitle(), "Midi Sorvane Help");
    EXPECT_EQ(window->browser()->source(), QUrl("chm:/index.html"));
    EXPECT_EQ(window->filePath().toStdString(), form().HelpFile);

    window->browser()->setSource(QUrl("chm:/menus.html"));
    choose(form().mnuHelpFile);
    EXPECT_EQ(shownHelpWindow(), window);
    EXPECT_EQ(window->browser()->source(), QUrl("chm:/index.html"));
    EXPECT_TRUE(messageBoxes().empty());
}

TEST(HelpFileBesideTheProgram, TheBuildPlacesTheCurrentHelpFileBesideTheProgram) {
    const fs::path placed = fs::path(SORVANE_BINARY_DIR) / "bin/lindavor.chm";
    ASSERT_TRUE(fs::exists(placed));
    EXPECT_TRUE(fs::exists(fs::path(SORVANE_BINARY_DIR) / "bin/sorvane"));
    EXPECT_EQ(bytesOf(placed), bytesOf(helpSource));
}

}  // namespace
