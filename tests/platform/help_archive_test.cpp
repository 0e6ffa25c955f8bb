// The help file reader: the file's topic, title and entries, and files that
// are no help file at all.

#include <gtest/gtest.h>

#include <algorithm>

#include "help_testing.h"
#include "platform/help/ChmArchive.h"

namespace {

using help::ChmArchive;
using namespace helptest;
namespace fs = std::filesystem;

TEST(ChmArchive, ReadsTheProjectsTopicTitleAndPages) {
    const auto archive = ChmArchive::open(helpFile.string());
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->defaultTopic(), "/index.html");
    EXPECT_EQ(archive->title(), "Midi Sorvane Help");

    const auto page = archive->read("index.html");
    ASSERT_TRUE(page);
    EXPECT_EQ(*page, fileBytes(helpSources / "index.html"));
    EXPECT_EQ(archive->read("/pictures/help.png"), fileBytes(pictureSources / "help.png"));
    EXPECT_TRUE(archive->contains("/toolbars.html"));
    EXPECT_FALSE(archive->contains("/no-such-page.html"));
    EXPECT_FALSE(archive->read("/no-such-page.html"));

    const std::vector<std::string> names = archive->fileNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "/editing.html"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "/pictures/close.png"), names.end());
    for (const std::string& name : names) {
        EXPECT_NE(name[1], '#') << name;
        EXPECT_NE(name[1], '$') << name;
    }
}

TEST(ChmArchive, AnOverlongNameIsSimplyNotThere) {
    const auto archive = ChmArchive::open(helpFile.string());
    ASSERT_NE(archive, nullptr);
    const std::string longName = "/" + std::string(4000, 'a') + ".html";
    EXPECT_FALSE(archive->contains(longName));
    EXPECT_FALSE(archive->read(longName));
}

class NotAHelpFile : public ::testing::Test {
protected:
    void SetUp() override { folder = freshFolder("sorvane-chm"); }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(NotAHelpFile, MissingEmptyTextFolderAndCutShortFilesDoNotOpen) {
    EXPECT_EQ(ChmArchive::open((folder / "missing.chm").string()), nullptr);
    EXPECT_EQ(ChmArchive::open(""), nullptr);

    writeFile(folder / "empty.chm", "");
    EXPECT_EQ(ChmArchive::open((folder / "empty.chm").string()), nullptr);

    writeFile(folder / "text.chm", "This is a note about the help, not the help itself.\n");
    EXPECT_EQ(ChmArchive::open((folder / "text.chm").string()), nullptr);

    fs::create_directory(folder / "folder.chm");
    EXPECT_EQ(ChmArchive::open((folder / "folder.chm").string()), nullptr);

    // The header alone, and the header with garbage after it.
    const std::string whole = fileBytes(helpFile);
    writeFile(folder / "header.chm", whole.substr(0, 96));
    EXPECT_EQ(ChmArchive::open((folder / "header.chm").string()), nullptr);
}

// The library reads the missing part of a file cut short as zeros; such a
// file would show empty pages, so it does not open at all.
TEST_F(NotAHelpFile, AFileCutShortDoesNotOpen) {
    const std::string whole = fileBytes(helpFile);
    for (std::size_t keep : {std::size_t{1024}, std::size_t{4096}, whole.size() / 2,
                             whole.size() - 100, whole.size() - 1}) {
        const fs::path cut = folder / ("cut-" + std::to_string(keep) + ".chm");
        writeFile(cut, whole.substr(0, keep));
        EXPECT_EQ(ChmArchive::open(cut.string()), nullptr) << "cut at " << keep;
    }
    // The whole file, copied, still opens.
    writeFile(folder / "copy.chm", whole);
    EXPECT_NE(ChmArchive::open((folder / "copy.chm").string()), nullptr);
}

}  // namespace
