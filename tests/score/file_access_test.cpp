// Replacing a file's content without ever losing the old one, and reading a
// file whole with failures that name it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "ExportCheck.h"
#include "score/FileAccess.h"

namespace {

using namespace scoretest;
namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> folderContent(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(ReplaceFileContent, WritesTheBytesAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("song.sng");
    ASSERT_EQ(score::replaceFileContent(path, "first\r\n"), "");
    EXPECT_EQ(readText(path), "first\r\n");
    ASSERT_EQ(score::replaceFileContent(path, std::string("a\0b", 3)), "");
    EXPECT_EQ(readText(path), std::string("a\0b", 3));
    EXPECT_EQ(folderContent(folder.path()), std::vector<std::string>{"song.sng"});
}

TEST(ReplaceFileContent, NewFileGetsTheUsersDefaultPermissions) {
    TempFolder folder;
    const mode_t previous = ::umask(027);
    const std::string error = score::replaceFileContent(folder.file("new.mid"), "x");
    ::umask(previous);
    ASSERT_EQ(error, "");
    EXPECT_EQ(modeOf(folder.file("new.mid")), 0640u);
}

TEST(ReplaceFileContent, ReplacedFileKeepsItsPermissions) {
    TempFolder folder;
    const std::string path = folder.file("song.sng");
    writeBytes(path, {'o', 'l', 'd'});
    ::chmod(path.c_str(), 0604);
    ASSERT_EQ(score::replaceFileContent(path, "new"), "");
    EXPECT_EQ(readText(path), "new");
    EXPECT_EQ(modeOf(path), 0604u);
}

TEST(ReplaceFileContent, ReadOnlyFileIsKeptAndTheMessageSaysWhy) {
    TempFolder folder;
    const std::string path = folder.file("locked.sng");
    writeBytes(path, {'o', 'l', 'd'});
    ::chmod(path.c_str(), 0444);
    const std::string error = score::replaceFileContent(path, "new");
    EXPECT_TRUE(contains(error, path)) << error;
    EXPECT_TRUE(contains(error, "read-only")) << error;
    EXPECT_EQ(readText(path), "old");
    EXPECT_EQ(modeOf(path), 0444u);
    EXPECT_EQ(folderContent(folder.path()), std::vector<std::string>{"locked.sng"});
}

TEST(ReplaceFileContent, MissingFolderIsReported) {
    TempFolder folder;
    const std::string path = folder.file("no/such/folder/song.sng");
    const std::string error = score::replaceFileContent(path, "new");
    EXPECT_TRUE(contains(error, path)) << error;
    EXPECT_TRUE(contains(error, "folder does not exist")) << error;
}

TEST(ReplaceFileContent, FolderOrEmptyNameIsRefused) {
    TempFolder folder;
    fs::create_directory(folder.file("song.sng"));
    EXPECT_TRUE(contains(score::replaceFileContent(folder.file("song.sng"), "x"), "folder"));
    EXPECT_TRUE(fs::is_directory(folder.file("song.sng")));
    EXPECT_NE(score::replaceFileContent("", "x"), "");
}

// A link is followed to the file it names, whether that file exists yet or
// not, and through a chain of relative links; the links stay links.
TEST(ReplaceFileContent, LinksStayLinksToTheNewContent) {
    const struct {
        const char* name;
        bool targetExists;
    } cases[] = {{"existing target", true}, {"dangling target", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        fs::create_directory(folder.file("takes"));
        const std::string real = folder.file("takes/real.sng");
        if (c.targetExists) writeBytes(real, {'o', 'l', 'd'});
        fs::create_symlink("takes/real.sng", folder.file("inner.sng"));
        fs::create_symlink(folder.file("inner.sng"), folder.file("outer.sng"));
        ASSERT_EQ(score::replaceFileContent(folder.file("outer.sng"), "new"), "");
        EXPECT_TRUE(fs::is_symlink(folder.file("outer.sng")));
        EXPECT_TRUE(fs::is_symlink(folder.file("inner.sng")));
        EXPECT_EQ(readText(real), "new");
        EXPECT_EQ(folderContent(folder.file("takes")), std::vector<std::string>{"real.sng"});
    }
}

// A write that fails half-way (here the process's file size limit stands in
// for a full disk) keeps the old file whole.
TEST(ReplaceFileContent, FailedWriteKeepsTheOldFile) {
    TempFolder folder;
    const std::string path = folder.file("song.sng");
    writeBytes(path, {'o', 'l', 'd'});
    struct rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    struct rlimit small = previous;
    small.rlim_cur = 1000;
    auto* oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = score::replaceFileContent(path, std::string(5000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(contains(error, path)) << error;
    EXPECT_EQ(readText(path), "old");
    EXPECT_EQ(folderContent(folder.path()), std::vector<std::string>{"song.sng"});
}

// The super-user may write into any folder whatever its mode, but not into
// an immutable one; the attribute comes off again however the test ends.
TEST(ReplaceFileContent, ReadOnlyFolderIsReported) {
    TempFolder folder;
    const std::string locked = folder.file("locked");
    fs::create_directory(locked);
    ::chmod(locked.c_str(), 0555);
    struct Immutable {
        const std::string& path;
        bool set =
            ::geteuid() == 0 && std::system(("timeout 10 chattr +i '" + path + "'").c_str()) == 0;
        ~Immutable() {
            if (set) std::system(("timeout 10 chattr -i '" + path + "'").c_str());
        }
    } immutable{locked};
    ASSERT_TRUE(::geteuid() != 0 || immutable.set) << "chattr +i failed on " << locked;
    const std::string error = score::replaceFileContent(locked + "/song.sng", "x");
    EXPECT_TRUE(contains(error, "cannot be written to")) << error;
}

TEST(ReadWholeFile, ReadsEveryByte) {
    TempFolder folder;
    std::vector<std::uint8_t> bytes(200000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    writeBytes(folder.file("data"), bytes);
    const auto read = score::readWholeFile(folder.file("data"));
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.bytes, std::string(bytes.begin(), bytes.end()));
}

TEST(ReadWholeFile, FailuresNameTheFileAndTheReason) {
    TempFolder folder;
    const auto missing = score::readWholeFile(folder.file("missing.sng"));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(contains(missing.error, folder.file("missing.sng"))) << missing.error;
    EXPECT_TRUE(contains(missing.error, "does not exist")) << missing.error;

    EXPECT_TRUE(contains(score::readWholeFile(folder.path()).error, "it is a folder"));

    writeBytes(folder.file("big.sng"), std::vector<std::uint8_t>(100, '1'));
    const auto big = score::readWholeFile(folder.file("big.sng"), 99);
    EXPECT_TRUE(contains(big.error, "too large")) << big.error;
    EXPECT_TRUE(big.bytes.empty());

    // A pipe with no writer would block a plain open; it is refused at once.
    ASSERT_EQ(::mkfifo(folder.file("pipe.sng").c_str(), 0600), 0);
    EXPECT_TRUE(
        contains(score::readWholeFile(folder.file("pipe.sng")).error, "not a regular file"));
}

}  // namespace
