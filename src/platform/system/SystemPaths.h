#pragma once
// The choices behind the system services, apart from the process's own
// environment so that tests can put any folder in place.

#include <string>

namespace sys::detail {

// folder with exactly one "/" at its end ("/" stays "/").
std::string withTrailingSlash(std::string folder);

// Where the program keeps its own files: its folder when it may write there,
// else <dataHome>/sorvane, dataHome being $XDG_DATA_HOME when that is an
// absolute path, else <home>/.local/share. The second is created with its
// parents when missing; should that fail the folder is still named, and a
// write into it fails where the caller reports it.
std::string dataFolder(const std::string& programFolder, bool programFolderWritable,
                       const char* xdgDataHome, const std::string& home);

// The per-user lock file: in $XDG_RUNTIME_DIR when that is an absolute path,
// else in /tmp.
std::string instanceLockPath(const char* runtimeDir, unsigned userId);

}  // namespace sys::detail
