// The help file reader: the file's topic, title and entries, and files that
// are no help file at all.

#include <gtest/gtest.h>

#include <algorithm>

#include "help_testing.h"
#include "platform/help/ChmArchive.h"
#include "support/TempFolder.h"

namespace {

using help::ChmArchive;
using namespace helptest;

TEST(ChmArchive, ReadsTheProjectsTopicTitleAndEntries) {
    const auto archive = ChmArchive::open(helpFile.string());
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->defaultTopic(), "/index.html");
    EXPECT_EQ(archive->title(), "Midi Sorvane Help");

    EXPECT_EQ(archive->read("index.html"), fileBytes(helpSources / "index.html"));
    EXPECT_EQ(archive->read("/pictures/help.png"), fileBytes(pictureSources / "help.png"));
    EXPECT_TRUE(archive->contains("/TOOLBARS.html"));
    EXPECT_TRUE(archive->contains("toolbars.html"));
    const std::string overlong = "/" + std::string(4000, 'a') + ".html";
    for (const std::string& missing : {std::string("/no-such-page.html"), overlong}) {
        EXPECT_FALSE(archive->contains(missing));
        EXPECT_FALSE(archive->read(missing));
    }

    // Pages, pictures and contents, but not the format's own entries or folders.
    const std::vector<std::string> names = archive->fileNames();
    for (const char* held : {"/editing.html", "/pictures/close.png", "/toc.hhc"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), held), names.end()) << held;
    }
    for (const std::string& name : names) {
        EXPECT_TRUE(name[1] != '#' && name[1] != '$' && name.back() != '/') << name;
    }
}

// The library reads the missing part of a file cut short as zeros; such a
// file would show empty pages, so it does not open at all.
TEST(ChmArchive, WhatIsNoWholeHelpFileDoesNotOpen) {
    testsupport::TempFolder folder;
    const std::string whole = fileBytes(helpFile);
    const std::pair<const char*, std::string> files[] = {
        {"empty.chm", ""},
        {"text.chm", "This is a note about the help, not the help itself.\n"},
        {"header.chm", whole.substr(0, 96)},
        {"cut-1024.chm", whole.substr(0, 1024)},
        {"cut-4096.chm", whole.substr(0, 4096)},
        {"cut-half.chm", whole.substr(0, whole.size() / 2)},
        {"cut-100.chm", whole.substr(0, whole.size() - 100)},
        {"cut-1.chm", whole.substr(0, whole.size() - 1)},
    };
    for (const auto& [name, bytes] : files) {
        writeFile(folder.file(name), bytes);
        EXPECT_EQ(ChmArchive::open(folder.file(name)), nullptr) << name;
    }
    std::filesystem::create_directory(folder.file("folder.chm"));
    for (const std::string& path :
         {folder.file("folder.chm"), folder.file("missing.chm"), std::string()}) {
        EXPECT_EQ(ChmArchive::open(path), nullptr) << path;
    }
    writeFile(folder.file("copy.chm"), whole);
    EXPECT_NE(ChmArchive::open(folder.file("copy.chm")), nullptr);
}

}  // namespace
