// The help window: the default topic with its title, links and pictures read
// from the help file, its navigation, and files that show nothing.

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include "forms_testing.h"
#include "help_testing.h"
#include "platform/help/HelpViewer.h"
#include "platform/help/detail/HelpWindow.h"
#include "support/TempFolder.h"

namespace {

using formstest::FormsTest;
using namespace helptest;
namespace fs = std::filesystem;

std::vector<help::HelpWindow*> helpWindows() {
    std::vector<help::HelpWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = dynamic_cast<help::HelpWindow*>(widget)) found.push_back(window);
    }
    return found;
}

help::HelpWindow* shownHelpWindow() {
    for (help::HelpWindow* window : helpWindows()) {
        if (window->isVisible()) return window;
    }
    return nullptr;
}

// The position, in the browser's viewport, of the middle of the first link
// to target.
std::optional<QPoint> linkPoint(QTextBrowser* browser, const QString& target) {
    QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != target) continue;
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            return browser->cursorRect(cursor).center();
        }
    }
    return std::nullopt;
}

void clickLink(QTextBrowser* browser, const QString& target) {
    browser->ensureCursorVisible();
    const std::optional<QPoint> at = linkPoint(browser, target);
    ASSERT_TRUE(at) << target.toStdString();
    formstest::clickAt(browser->viewport(), *at);
}

class HelpViewerTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        form->setCaption("Owner");
        forms::setMessageBoxHook(
            [this](const std::string& text, int) { messages.push_back(text); });
    }
    void TearDown() override {
        form.reset();
        FormsTest::TearDown();
    }
    testsupport::TempFolder folder;
    std::vector<std::string> messages;
};

// From a folder of any name: nothing is handed to a shell.
TEST_F(HelpViewerTest, ShowsTheDefaultTopicWithItsTitleInAWindowOfTheProgram) {
    const fs::path odd = fs::path(folder.path()) / "my \"help\" $(folder) & 'notes'";
    fs::create_directory(odd);
    fs::copy_file(helpFile, odd / "lindavor.chm");
    ASSERT_TRUE(help::showHelpFile(*form, (odd / "lindavor.chm").string()));
    help::HelpWindow* window = shownHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->filePath().toStdString(), (odd / "lindavor.chm").string());
    EXPECT_EQ(window->parentWidget(), form->nativeWindow());
    EXPECT_TRUE(window->isWindow());
    const std::string index = fileBytes(helpSources / "index.html");
    EXPECT_EQ(window->windowTitle().toStdString(), pageTitle(index));
    EXPECT_EQ(window->browser()->source(), QUrl("chm:/index.html"));
    EXPECT_TRUE(window->browser()->toPlainText().contains("piano-roll composer"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(HelpViewerTest, ALinkOpensItsPageAndBackReturns) {
    ASSERT_TRUE(help::showHelpFile(*form, helpFile.string()));
    help::HelpWindow* window = shownHelpWindow();
    ASSERT_NE(window, nullptr);
    QTextBrowser* browser = window->browser();
    auto* back = window->findChild<QToolButton*>("HelpBack");
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->isEnabled());

    clickLink(browser, "toolbars.html");
    EXPECT_EQ(browser->source(), QUrl("chm:/toolbars.html"));
    EXPECT_EQ(window->windowTitle().toStdString(),
              pageTitle(fileBytes(helpSources / "toolbars.html")));
    EXPECT_TRUE(browser->toPlainText().contains("Above or below the score"));
    EXPECT_TRUE(back->isEnabled());

    // A link to a place on another page.
    clickLink(browser, "recording.html#play");
    EXPECT_EQ(browser->source().path(), "/recording.html");
    EXPECT_EQ(browser->source().fragment(), "play");

    back->click();
    EXPECT_EQ(browser->source(), QUrl("chm:/toolbars.html"));
    window->findChild<QToolButton*>("HelpContents")->click();
    EXPECT_EQ(browser->source(), QUrl("chm:/index.html"));
}

TEST_F(HelpViewerTest, EverythingComesFromTheHelpFileAndNothingFromOutside) {
    ASSERT_TRUE(help::showHelpFile(*form, helpFile.string()));
    QTextBrowser* browser = shownHelpWindow()->browser();
    clickLink(browser, "toolbars.html");

    const QVariant picture =
        browser->loadResource(QTextDocument::ImageResource, QUrl("pictures/toolbar-setup.png"));
    const QByteArray bytes = picture.toByteArray();
    EXPECT_EQ(bytes.toStdString(), fileBytes(pictureSources / "toolbar-setup.png"));
    EXPECT_FALSE(QImage::fromData(bytes).isNull());
    EXPECT_EQ(browser->loadResource(QTextDocument::StyleSheetResource, QUrl("help.css"))
                  .toByteArray()
                  .toStdString(),
              fileBytes(helpSources / "help.css"));

    // Addresses outside the help file load nothing, and links there go nowhere.
    writeFile(folder.file("page.html"), "<title>Outside</title>");
    const QUrl outsidePage = QUrl::fromLocalFile(QString::fromStdString(folder.file("page.html")));
    EXPECT_FALSE(browser->loadResource(QTextDocument::HtmlResource, outsidePage).isValid());
    EXPECT_FALSE(browser->loadResource(QTextDocument::ImageResource, QUrl("pictures/missing.png"))
                     .isValid());
    for (const QUrl& outside :
         {QUrl("https://example.org/"), QUrl("mailto:someone@example.org"), outsidePage}) {
        emit browser->anchorClicked(outside);
        EXPECT_EQ(browser->source(), QUrl("chm:/toolbars.html"))
            << outside.toString().toStdString();
    }
}

TEST_F(HelpViewerTest, ShowingAgainReusesTheWindowAndReturnsToTheDefaultTopic) {
    ASSERT_TRUE(help::showHelpFile(*form, helpFile.string()));
    help::HelpWindow* window = shownHelpWindow();
    clickLink(window->browser(), "editing.html");
    EXPECT_EQ(window->browser()->source(), QUrl("chm:/editing.html"));

    ASSERT_TRUE(help::showHelpFile(*form, helpFile.string()));
    EXPECT_EQ(helpWindows().size(), 1u);
    EXPECT_EQ(shownHelpWindow(), window);
    EXPECT_EQ(window->browser()->source(), QUrl("chm:/index.html"));
    EXPECT_FALSE(window->findChild<QToolButton*>("HelpBack")->isEnabled());

    // Closed by the user, it opens again.
    window->close();
    EXPECT_EQ(shownHelpWindow(), nullptr);
    ASSERT_TRUE(help::showHelpFile(*form, helpFile.string()));
    EXPECT_EQ(shownHelpWindow(), window);
}

TEST_F(HelpViewerTest, TheWindowGoesWithItsOwner) {
    ASSERT_TRUE(help::showHelpFile(*form, helpFile.string()));
    ASSERT_EQ(helpWindows().size(), 1u);
    form.reset();
    EXPECT_TRUE(helpWindows().empty());
}

TEST_F(HelpViewerTest, MissingOrUnreadableFilesShowNothingAndSayNothing) {
    const std::string whole = fileBytes(helpFile);
    writeFile(folder.file("cut.chm"), whole.substr(0, whole.size() - 2000));
    for (const std::string& path :
         {folder.file("missing.chm"), folder.file("cut.chm"), std::string()}) {
        EXPECT_FALSE(help::showHelpFile(*form, path)) << path;
        forms::doEvents();
        EXPECT_TRUE(helpWindows().empty()) << path;
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
