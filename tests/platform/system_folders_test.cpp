// The program folder, the data folder and the random source.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/system/System.h"
#include "platform/system/SystemPaths.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

using testsupport::TempFolder;

TEST(ProgramFolder, HoldsTheRunningProgram) {
    const std::string folder = sys::appPath();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_NE(folder.back(), '/');
    const fs::path program = fs::read_symlink("/proc/self/exe");
    EXPECT_TRUE(fs::equivalent(fs::path(folder) / program.filename(), "/proc/self/exe"));
}

TEST(ProgramFolder, ChangeDirectoryMovesTheProcessOrFailsHarmlessly) {
    const fs::path before = fs::current_path();
    TempFolder temp;
    EXPECT_TRUE(sys::changeDirectory(temp.path()));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), temp.path()));
    EXPECT_FALSE(sys::changeDirectory(temp.path() + "/missing"));
    EXPECT_FALSE(sys::changeDirectory(""));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), temp.path()));
    ASSERT_TRUE(sys::changeDirectory(before.string()));
}

TEST(DataFolder, EndsInExactlyOneSlash) {
    EXPECT_EQ(sys::detail::withTrailingSlash("/"), "/");
    EXPECT_EQ(sys::detail::withTrailingSlash("/opt/sorvane"), "/opt/sorvane/");
    EXPECT_EQ(sys::detail::withTrailingSlash("/opt/sorvane//"), "/opt/sorvane/");
    EXPECT_EQ(sys::detail::dataFolder("/", true, nullptr, "/home/a"), "/");

    // The real program folder here is a build folder we may write to.
    const std::string real = sys::writableDataFolder();
    EXPECT_EQ(real, sys::appPath() + "/");
}

TEST(DataFolder, FallsBackToTheUsersDataFolderAndCreatesIt) {
    TempFolder temp;
    const std::string xdg = temp.path() + "/xdg/data/";
    const std::string chosen =
        sys::detail::dataFolder("/opt/sorvane", false, xdg.c_str(), "/nowhere");
    EXPECT_EQ(chosen, temp.path() + "/xdg/data/sorvane/");
    EXPECT_TRUE(fs::is_directory(chosen));

    // Without XDG_DATA_HOME, or with a relative one, the home folder's default.
    const std::string home = temp.path() + "/home";
    const std::string fromHome = sys::detail::dataFolder("/opt/sorvane", false, nullptr, home);
    EXPECT_EQ(fromHome, home + "/.local/share/sorvane/");
    EXPECT_TRUE(fs::is_directory(fromHome));
    EXPECT_EQ(sys::detail::dataFolder("/opt/sorvane", false, "relative/data", home), fromHome);
    EXPECT_EQ(sys::detail::dataFolder("/opt/sorvane", false, "", home), fromHome);

    // A place that cannot be created is still named, and nothing throws.
    EXPECT_EQ(sys::detail::dataFolder("/opt", false, "/proc/no/such", "/"),
              "/proc/no/such/sorvane/");
}

TEST(RandomSource, StaysInTheHalfOpenUnitRangeAndVaries) {
    std::set<float> seen;
    double sum = 0;
    for (int i = 0; i < 20000; ++i) {
        const float r = sys::rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        seen.insert(r);
        sum += r;
    }
    EXPECT_GT(seen.size(), 19000u);
    EXPECT_NEAR(sum / 20000, 0.5, 0.03);
}
