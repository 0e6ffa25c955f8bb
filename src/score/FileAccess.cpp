#include "score/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>

namespace score {

namespace {

std::string reasonFor(int error) {
    switch (error) {
        case ENOENT:
            return "the folder does not exist";
        case EACCES:
        case EPERM:
            return "permission denied";
        case EROFS:
            return "the file system is read-only";
        case ENOSPC:
        case EDQUOT:
            return "the disk is full";
        case EISDIR:
            return "it is a folder";
        case ENOTDIR:
            return "a part of the path is not a folder";
        case ENAMETOOLONG:
            return "the name is too long";
        default:
            return std::strerror(error);
    }
}

std::string saveFailure(const std::string& path, const std::string& reason) {
    return "Cannot save \"" + path + "\": " + reason + ".";
}

std::string openFailure(const std::string& path, const std::string& reason) {
    return "Cannot open \"" + path + "\": " + reason + ".";
}

std::string parentFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A fresh name for the temporary file; O_EXCL settles any clash.
std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%x.%llx.%x.tmp", static_cast<unsigned>(getpid()),
                  static_cast<unsigned long long>(now), counter.fetch_add(1));
    // Keep the name within the file system's limit however long the target's is.
    std::string base = baseName(target).substr(0, 120);
    return parentFolder(target) + "/." + base + suffix;
}

bool writeAll(int fd, std::string_view bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The path a chain of symbolic links ends at; each relative link is read from
// its own folder. Sets error (ELOOP) when the chain does not end.
std::string followLinks(const std::string& path, int& error) {
    constexpr int MaxLinks = 40;  // as the kernel counts them
    std::string current = path;
    for (int hop = 0; hop <= MaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        char link[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), link, sizeof link);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof link) return current;
        const std::string text(link, static_cast<std::size_t>(length));
        current = text.front() == '/' ? text : parentFolder(current) + "/" + text;
    }
    error = ELOOP;
    return path;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // the rename is done; this only hastens its way to the disk
    ::close(fd);
}

}  // namespace

FileReadResult readWholeFile(const std::string& path, std::size_t maxSize) {
    FileReadResult result;
    if (path.empty()) {
        result.error = "Cannot open a file without a name.";
        return result;
    }
    // Non-blocking, so that naming a pipe cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        result.error =
            openFailure(path, error == ENOENT ? "the file does not exist" : reasonFor(error));
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        result.error = openFailure(path, reasonFor(errno));
    } else if (S_ISDIR(info.st_mode)) {
        result.error = openFailure(path, "it is a folder");
    } else if (!S_ISREG(info.st_mode)) {
        result.error = openFailure(path, "it is not a regular file");
    } else if (static_cast<unsigned long long>(info.st_size) > maxSize) {
        result.error = openFailure(path, "the file is too large");
    } else {
        result.bytes.reserve(static_cast<std::size_t>(info.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR) continue;
                result.error = openFailure(path, reasonFor(errno));
                break;
            }
            if (n == 0) break;
            if (result.bytes.size() + static_cast<std::size_t>(n) > maxSize) {
                result.error = openFailure(path, "the file is too large");
                break;
            }
            result.bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    if (!result.ok()) result.bytes.clear();
    return result;
}

std::string replaceFileContent(const std::string& path, std::string_view bytes) {
    if (path.empty()) return "Cannot save a file without a name.";

    // A link is followed, so the file it points to gets the new content and
    // the link stays a link, also when that file does not exist yet.
    int linkError = 0;
    const std::string target = followLinks(path, linkError);
    if (linkError != 0) return saveFailure(path, reasonFor(linkError));

    struct stat info {};
    bool exists = false;
    if (::stat(target.c_str(), &info) == 0) {
        exists = true;
        if (S_ISDIR(info.st_mode)) return saveFailure(path, "it is a folder");
        if (!S_ISREG(info.st_mode)) return saveFailure(path, "it is not a regular file");
        // The mode bits are checked too: the super-user passes access() even
        // for a file that its owner has made read-only.
        if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
            return saveFailure(path, "the file is read-only");
        }
    } else if (errno != ENOENT) {
        return saveFailure(path, reasonFor(errno));
    }

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryName(target);
        // 0666 lets the user's umask decide a new file's permissions.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM) {
            return saveFailure(path, "the folder cannot be written to");
        }
        return saveFailure(path, reasonFor(error));
    }

    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return saveFailure(path, reasonFor(error));
    };

    if (exists) {
        if (::fchmod(fd, info.st_mode & 07777) != 0) return fail(errno);
        // Only the super-user can give the file back to another owner; for
        // anyone else the file was theirs already.
        if (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd, info.st_uid, info.st_gid);
        }
    }
    int error = 0;
    if (!writeAll(fd, bytes, error)) return fail(error);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return saveFailure(path, reasonFor(error));
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        return saveFailure(path, reasonFor(error));
    }
    syncFolder(parentFolder(target));
    return {};
}

}  // namespace score
