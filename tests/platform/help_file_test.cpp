// The compiled help file kept in the repository holds exactly the pages,
// stylesheet, contents and pictures of its sources, read back with chmlib
// itself rather than with the program's own reader.

#include <chm_lib.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "help_testing.h"

namespace {

using namespace helptest;
namespace fs = std::filesystem;

struct ChmCloser {
    void operator()(chmFile* file) const { chm_close(file); }
};
using ChmHandle = std::unique_ptr<chmFile, ChmCloser>;

std::optional<std::string> chmEntry(chmFile* file, const std::string& path) {
    chmUnitInfo unit{};
    if (chm_resolve_object(file, path.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
    std::string data(static_cast<std::size_t>(unit.length), '\0');
    const LONGINT64 got =
        chm_retrieve_object(file, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
    return data;
}

int collectEntry(chmFile*, chmUnitInfo* unit, void* names) {
    static_cast<std::vector<std::string>*>(names)->push_back(unit->path);
    return CHM_ENUMERATOR_CONTINUE;
}

std::vector<fs::path> sourcesWithExtension(const std::string& extension) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(helpSources)) {
        if (entry.path().extension() == extension) found.push_back(entry.path());
    }
    return found;
}

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        file.reset(chm_open(helpFile.c_str()));
        ASSERT_NE(file, nullptr) << helpFile;
    }
    ChmHandle file;
};

TEST_F(HelpFile, HoldsEveryPageStylesheetAndContentsOfItsSourcesUnchanged) {
    std::vector<fs::path> sources = sourcesWithExtension(".html");
    ASSERT_GE(sources.size(), 6u);
    for (const fs::path& extra : sourcesWithExtension(".css")) sources.push_back(extra);
    sources.push_back(helpSources / "toc.hhc");
    for (const fs::path& source : sources) {
        const std::optional<std::string> compiled =
            chmEntry(file.get(), "/" + source.filename().string());
        ASSERT_TRUE(compiled) << source.filename() << " is not in the help file";
        EXPECT_EQ(*compiled, fileBytes(source))
            << source.filename() << " changed since the help file was made; run make-help.sh";
    }
}

TEST_F(HelpFile, HoldsThePicturesItsPagesShowAsTheProgramHasThem) {
    int pictures = 0;
    for (const fs::path& page : sourcesWithExtension(".html")) {
        for (const std::string& picture : attributeValues(fileBytes(page), "src")) {
            ASSERT_TRUE(picture.starts_with("pictures/")) << picture << " in " << page.filename();
            const std::optional<std::string> compiled = chmEntry(file.get(), "/" + picture);
            ASSERT_TRUE(compiled) << picture << " is not in the help file";
            EXPECT_EQ(*compiled, fileBytes(pictureSources / picture.substr(9))) << picture;
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 30);
}

TEST_F(HelpFile, HoldsNoPageThatHasNoSource) {
    std::vector<std::string> names;
    chm_enumerate(file.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectEntry, &names);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        if (!name.ends_with(".html") && !name.ends_with(".htm")) continue;
        EXPECT_TRUE(fs::exists(helpSources / name.substr(1))) << name << " has no source page";
    }
}

// Links name pages of the help file, and anchors that those pages have.
TEST_F(HelpFile, EveryLinkLeadsToAPageItHolds) {
    int links = 0;
    for (const fs::path& page : sourcesWithExtension(".html")) {
        for (const std::string& link : attributeValues(fileBytes(page), "href")) {
            ASSERT_EQ(link.find(':'), std::string::npos)
                << page.filename() << " links outside the help: " << link;
            const std::size_t hash = link.find('#');
            const std::string target = link.substr(0, hash);
            const std::string anchor = hash == std::string::npos ? "" : link.substr(hash + 1);
            const std::string targetPage = target.empty() ? page.filename().string() : target;
            const std::optional<std::string> compiled = chmEntry(file.get(), "/" + targetPage);
            ASSERT_TRUE(compiled) << page.filename() << " links to missing " << link;
            if (!anchor.empty()) {
                EXPECT_NE(compiled->find("name=\"" + anchor + "\""), std::string::npos)
                    << page.filename() << " links to a missing anchor: " << link;
            }
            ++links;
        }
    }
    EXPECT_GT(links, 50);
}

TEST_F(HelpFile, EveryPageHasATitleAndTheContentsListEveryPage) {
    const std::string contents = fileBytes(helpSources / "toc.hhc");
    const std::string project = fileBytes(helpSources / "lindavor.hhp");
    for (const fs::path& page : sourcesWithExtension(".html")) {
        const std::string name = page.filename().string();
        EXPECT_FALSE(pageTitle(fileBytes(page)).empty()) << name;
        EXPECT_NE(contents.find("value=\"" + name + "\""), std::string::npos) << name;
        EXPECT_NE(project.find("\n" + name + "\n"), std::string::npos) << name;
    }
}

}  // namespace
