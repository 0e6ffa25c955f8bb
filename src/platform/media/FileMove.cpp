#include "platform/media/FileMove.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace media {

namespace {

constexpr std::size_t CopyChunkBytes = 1 << 20;
constexpr int PartNameTries = 100;

CopyWrite& copyWrite() {
    static CopyWrite write;
    return write;
}

long writeSome(int fd, const void* data, std::size_t size) {
    if (const CopyWrite& replaced = copyWrite()) return replaced(fd, data, size);
    return ::write(fd, data, size);
}

std::string reason(int error) {
    return std::strerror(error);
}

// A new, exclusively created file beside path; -1 with errno set when none can
// be made.
int createPartBeside(const std::string& path, std::string& partPath) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path target(path);
    const std::string base = target.filename().string().substr(0, 120);
    for (int attempt = 0; attempt < PartNameTries; ++attempt) {
        partPath = (target.parent_path() / ("." + base + "." + std::to_string(::getpid()) + "." +
                                            std::to_string(counter.fetch_add(1)) + ".part"))
                       .string();
        // 0666 lets the user's umask decide the new file's permissions.
        const int fd = ::open(partPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool copyAll(int fromFd, int toFd, int& error) {
    std::vector<char> buffer(CopyChunkBytes);
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fromFd, buffer.data(), buffer.size(), offset);
        if (got < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (got == 0) return true;
        offset += got;
        for (ssize_t done = 0; done < got;) {
            const long put =
                writeSome(toFd, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                error = errno;
                return false;
            }
            done += put;
        }
    }
}

}  // namespace

std::string copyFileContentTo(int fromFd, const std::string& path) {
    std::string partPath;
    const int toFd = createPartBeside(path, partPath);
    if (toFd < 0) return reason(errno);
    int error = 0;
    bool copied = copyAll(fromFd, toFd, error);
    if (copied && ::fsync(toFd) != 0) {
        error = errno;
        copied = false;
    }
    if (::close(toFd) != 0 && copied) {
        error = errno;
        copied = false;
    }
    if (copied && ::rename(partPath.c_str(), path.c_str()) != 0) {
        error = errno;
        copied = false;
    }
    if (!copied) {
        ::unlink(partPath.c_str());
        return reason(error);
    }
    return {};
}

std::string moveFileReplacing(const std::string& from, const std::string& to) {
    std::error_code same;
    if (std::filesystem::equivalent(from, to, same)) return {};
    if (::rename(from.c_str(), to.c_str()) == 0) return {};
    if (errno != EXDEV) return reason(errno);
    const int fromFd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fromFd < 0) return reason(errno);
    const std::string failure = copyFileContentTo(fromFd, to);
    ::close(fromFd);
    // The copy is in place: a source that cannot be removed only stays behind.
    if (failure.empty()) ::unlink(from.c_str());
    return failure;
}

void setCopyWriteForTesting(CopyWrite write) {
    copyWrite() = std::move(write);
}

}  // namespace media
