// Replacing a file's content without ever losing the old one, and reading a
// file whole, with failures that name the file and the reason.

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

std::vector<std::string> folderContent(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(ReplaceFileContent, WritesTheBytesKeepsThePermissionsAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("song.sng");
    const mode_t umask = ::umask(027);
    const std::string error = score::replaceFileContent(path, "first\r\n");
    ::umask(umask);
    ASSERT_EQ(error, "");
    EXPECT_EQ(modeOf(path), 0640u) << "a new file takes the user's default";
    ::chmod(path.c_str(), 0604);
    ASSERT_EQ(score::replaceFileContent(path, std::string("a\0b", 3)), "");
    EXPECT_EQ(readText(path), std::string("a\0b", 3));
    EXPECT_EQ(modeOf(path), 0604u);
    EXPECT_EQ(folderContent(folder.path()), std::vector<std::string>{"song.sng"});
}

// Links are followed, relative ones from their own folder, and stay links.
TEST(ReplaceFileContent, AChainOfLinksLeadsToTheFileItNames) {
    for (bool targetExists : {true, false}) {
        TempFolder folder;
        fs::create_directory(folder.file("takes"));
        const std::string real = folder.file("takes/real.sng");
        if (targetExists) writeBytes(real, {'o', 'l', 'd'});
        fs::create_symlink("takes/real.sng", folder.file("inner.sng"));
        fs::create_symlink(folder.file("inner.sng"), folder.file("outer.sng"));
        ASSERT_EQ(score::replaceFileContent(folder.file("outer.sng"), "new"), "");
        EXPECT_TRUE(fs::is_symlink(folder.file("outer.sng")));
        EXPECT_EQ(readText(real), "new") << targetExists;
    }
}

TEST(ReplaceFileContent, FailuresKeepTheOldFileAndSayWhy) {
    TempFolder folder;
    const std::string locked = folder.file("locked.sng");
    writeBytes(locked, {'o', 'l', 'd'});
    ::chmod(locked.c_str(), 0444);
    const std::string readOnly = score::replaceFileContent(locked, "new");
    EXPECT_EQ(readOnly, "Cannot save \"" + locked + "\": the file is read-only.");
    EXPECT_EQ(readText(locked), "old");

    const std::string missing = folder.file("no/such/song.sng");
    EXPECT_EQ(score::replaceFileContent(missing, "x"),
              "Cannot save \"" + missing + "\": the folder does not exist.");
    fs::create_directory(folder.file("dir.sng"));
    EXPECT_NE(score::replaceFileContent(folder.file("dir.sng"), "x").find("it is a folder"),
              std::string::npos);
    EXPECT_NE(score::replaceFileContent("", "x"), "");

    // A write that fails half-way (the file size limit stands in for a full disk).
    const std::string song = folder.file("song.sng");
    writeBytes(song, {'o', 'l', 'd'});
    struct rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    struct rlimit small = previous;
    small.rlim_cur = 1000;
    auto* oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = score::replaceFileContent(song, std::string(5000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(error.find(song), std::string::npos) << error;
    EXPECT_EQ(readText(song), "old");
    EXPECT_EQ(folderContent(folder.path()),
              (std::vector<std::string>{"dir.sng", "locked.sng", "song.sng"}));
}

// The super-user may write into any folder whatever its mode, but not into an
// immutable one; the attribute comes off again however the test ends.
TEST(ReplaceFileContent, AFolderThatCannotBeWrittenToIsReported) {
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
    EXPECT_NE(error.find("cannot be written to"), std::string::npos) << error;
}

TEST(ReadWholeFile, ReadsEveryByteUpToTheLimitAndNamesWhatItCannotRead) {
    TempFolder folder;
    std::vector<std::uint8_t> bytes(200000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    writeBytes(folder.file("data"), bytes);
    EXPECT_EQ(score::readWholeFile(folder.file("data")).bytes,
              std::string(bytes.begin(), bytes.end()));
    EXPECT_TRUE(score::readWholeFile(folder.file("data"), 200000).ok());
    const auto big = score::readWholeFile(folder.file("data"), 199999);
    EXPECT_EQ(big.error, "Cannot open \"" + folder.file("data") + "\": the file is too large.");
    EXPECT_TRUE(big.bytes.empty());

    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);  // would block a plain open
    const std::pair<std::string, const char*> failures[] = {
        {folder.file("missing"), "the file does not exist"},
        {folder.path(), "it is a folder"},
        {folder.file("pipe"), "it is not a regular file"}};
    for (const auto& [path, reason] : failures) {
        EXPECT_EQ(score::readWholeFile(path).error,
                  "Cannot open \"" + path + "\": " + reason + ".");
    }
}

}  // namespace
