// The compiled help file kept in the repository holds exactly the pages,
// stylesheet, contents and pictures of its sources, and its links lead to
// pages and anchors it holds.

#include <gtest/gtest.h>

#include "help_testing.h"
#include "platform/help/ChmArchive.h"

namespace {

using namespace helptest;
namespace fs = std::filesystem;

std::vector<fs::path> sourcePages() {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(helpSources)) {
        if (entry.path().extension() == ".html") found.push_back(entry.path());
    }
    return found;
}

TEST(HelpFile, HoldsItsSourcesUnchangedAndNothingElse) {
    const auto archive = help::ChmArchive::open(helpFile.string());
    ASSERT_NE(archive, nullptr);
    std::vector<fs::path> sources = sourcePages();
    ASSERT_GE(sources.size(), 6u);
    sources.push_back(helpSources / "help.css");
    sources.push_back(helpSources / "toc.hhc");
    int pictures = 0;
    for (const fs::path& source : sources) {
        EXPECT_EQ(archive->read(source.filename().string()), fileBytes(source))
            << source.filename() << " changed since the help file was made; run make-help.sh";
        for (const std::string& picture : attributeValues(fileBytes(source), "src")) {
            ASSERT_TRUE(picture.starts_with("pictures/")) << picture;
            EXPECT_EQ(archive->read(picture), fileBytes(pictureSources / picture.substr(9)))
                << picture;
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 30);
    for (const std::string& name : archive->fileNames()) {
        if (name.ends_with(".html")) {
            EXPECT_TRUE(fs::exists(helpSources / name.substr(1))) << name << " has no source";
        }
    }
}

TEST(HelpFile, EveryPageHasATitleAContentsEntryAndLinksThatLeadSomewhere) {
    const auto archive = help::ChmArchive::open(helpFile.string());
    ASSERT_NE(archive, nullptr);
    const std::string contents = fileBytes(helpSources / "toc.hhc");
    const std::string project = fileBytes(helpSources / "lindavor.hhp");
    int links = 0;
    for (const fs::path& page : sourcePages()) {
        const std::string name = page.filename().string();
        EXPECT_FALSE(pageTitle(fileBytes(page)).empty()) << name;
        EXPECT_NE(contents.find("value=\"" + name + "\""), std::string::npos) << name;
        EXPECT_NE(project.find("\n" + name + "\n"), std::string::npos) << name;
        for (const std::string& link : attributeValues(fileBytes(page), "href")) {
            ASSERT_EQ(link.find(':'), std::string::npos) << name << " links outside: " << link;
            const std::size_t hash = link.find('#');
            const std::string target = hash == 0 ? name : link.substr(0, hash);
            const auto targetPage = archive->read(target);
            ASSERT_TRUE(targetPage) << name << " links to missing " << link;
            if (hash != std::string::npos) {
                EXPECT_NE(targetPage->find("name=\"" + link.substr(hash + 1) + "\""),
                          std::string::npos)
                    << name << " links to a missing anchor: " << link;
            }
            ++links;
        }
    }
    EXPECT_GT(links, 50);
}

}  // namespace
