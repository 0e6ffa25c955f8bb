// Where the program lives and where it may write.

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/system/System.h"
#include "platform/system/SystemPaths.h"

namespace sys {

namespace detail {

std::string withTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder != "/") folder += '/';
    return folder;
}

std::string dataFolder(const std::string& programFolder, bool programFolderWritable,
                       const char* xdgDataHome, const std::string& home) {
    if (programFolderWritable) return withTrailingSlash(programFolder);
    // A relative XDG path is to be ignored, as the base-directory rules say.
    const std::string dataHome = xdgDataHome != nullptr && xdgDataHome[0] == '/'
                                     ? std::string(xdgDataHome)
                                     : withTrailingSlash(home) + ".local/share";
    const std::string folder = withTrailingSlash(withTrailingSlash(dataHome) + "sorvane");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

}  // namespace detail

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir != nullptr && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    return "/tmp";
}

}  // namespace

std::string appPath() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.is_absolute()) {
        // Without /proc the working folder is the best guess we have.
        std::filesystem::path current = std::filesystem::current_path(error);
        return error ? std::string("/") : current.string();
    }
    std::string folder = program.parent_path().string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder.empty() ? std::string("/") : folder;
}

bool changeDirectory(const std::string& folder) {
    return !folder.empty() && chdir(folder.c_str()) == 0;
}

std::string writableDataFolder() {
    const std::string programFolder = appPath();
    return detail::dataFolder(programFolder, access(programFolder.c_str(), W_OK) == 0,
                              std::getenv("XDG_DATA_HOME"), homeFolder());
}

}  // namespace sys
