#include "platform/media/WaveSpool.h"

#include <fcntl.h>
#include <sndfile.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/media/FileMove.h"

namespace media {

namespace {

// A file without a name, gone with its last descriptor.
int createUnnamedFile() {
    const std::string folder = std::filesystem::temp_directory_path().string();
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) return fd;
    std::string pattern = folder + "/recording-XXXXXX";
    const int named = ::mkstemp(pattern.data());
    if (named >= 0) ::unlink(pattern.c_str());
    return named;
}

}  // namespace

std::unique_ptr<WaveSpool> WaveSpool::create(const std::string& path, const WaveFormat& format,
                                             std::string& error) {
    std::unique_ptr<WaveSpool> spool(new WaveSpool);
    spool->format_ = format;
    spool->path_ = path;
    spool->fd_ = path.empty() ? createUnnamedFile()
                              : ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (spool->fd_ < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    SF_INFO info{};
    info.samplerate = format.samplesPerSecond;
    info.channels = format.channels;
    info.format = SF_FORMAT_WAV | (format.bitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16);
    spool->file_ = sf_open_fd(spool->fd_, SFM_WRITE, &info, SF_FALSE);
    if (!spool->file_) {
        error = sf_strerror(nullptr);
        return nullptr;
    }
    sf_command(spool->file_, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    return spool;
}

WaveSpool::~WaveSpool() {
    if (file_) sf_close(file_);
    if (fd_ >= 0) ::close(fd_);
}

void WaveSpool::append(const void* bytes, std::size_t size) {
    const auto* from = static_cast<const std::uint8_t*>(bytes);
    const auto frame = static_cast<std::size_t>(format_.alignment);
    if (!pending_.empty()) {
        const std::size_t taken = std::min(size, frame - pending_.size());
        pending_.append(reinterpret_cast<const char*>(from), taken);
        from += taken;
        size -= taken;
        if (pending_.size() < frame) return;
        write(reinterpret_cast<const std::uint8_t*>(pending_.data()), frame);
        pending_.clear();
    }
    const std::size_t whole = size / frame * frame;
    if (whole > 0) write(from, whole);
    pending_.assign(reinterpret_cast<const char*>(from + whole), size - whole);
}

void WaveSpool::appendSilence(std::size_t size) {
    std::array<std::uint8_t, 4096> silence{};
    silence.fill(format_.bitsPerSample == 8 ? 0x80 : 0x00);
    while (size > 0) {
        const std::size_t part = std::min(size, silence.size());
        append(silence.data(), part);
        size -= part;
    }
}

void WaveSpool::write(const std::uint8_t* bytes, std::size_t size) {
    if (!failure_.empty()) return;
    const sf_count_t written = sf_write_raw(file_, bytes, static_cast<sf_count_t>(size));
    if (written > 0) length_ += written;
    if (written != static_cast<sf_count_t>(size)) failure_ = sf_strerror(file_);
}

bool WaveSpool::saveAs(const std::string& path, std::string& error) {
    if (!failure_.empty()) {
        error = failure_;
        return false;
    }
    sf_command(file_, SFC_UPDATE_HEADER_NOW, nullptr, 0);
    sf_write_sync(file_);
    if (!path_.empty()) {
        std::error_code unknown;
        if (std::filesystem::equivalent(path_, path, unknown)) return true;
        if (::rename(path_.c_str(), path.c_str()) == 0) {
            path_ = path;
            return true;
        }
        // Across file systems, or with the file's own name gone (its folder
        // removed), the open file still holds the recording: copy it.
        if (errno != EXDEV && ::access(path_.c_str(), F_OK) == 0) {
            error = std::strerror(errno);
            return false;
        }
    }
    const std::string failure = copyFileContentTo(fd_, path);
    if (!failure.empty()) {
        error = failure;
        return false;
    }
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
    return true;
}

}  // namespace media
