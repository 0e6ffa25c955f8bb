#pragma once
// A recording's WAV file, written as the sound arrives so that a long take
// needs no memory and survives the program's end: the header is brought up to
// date after every write, so the file is valid at any moment.
//
// Not thread-safe: the recorder guards it with its own lock.

#include <cstdint>
#include <memory>
#include <string>

struct sf_private_tag;

namespace media {

struct WaveFormat {
    int samplesPerSecond = 44100;
    int channels = 1;
    int bitsPerSample = 8;
    int alignment = 1;
    int bytesPerSecond = 44100;
};

class WaveSpool {
public:
    // Creates (or empties) the file at path and writes the header of an empty
    // recording; with an empty path the file is an unnamed one in the system's
    // temporary folder. nullptr with the reason when it cannot be written.
    static std::unique_ptr<WaveSpool> create(const std::string& path, const WaveFormat& format,
                                             std::string& error);
    ~WaveSpool();
    WaveSpool(const WaveSpool&) = delete;
    WaveSpool& operator=(const WaveSpool&) = delete;

    // Appends sample bytes as captured; a part frame waits for its rest. After
    // a failed write nothing more is written and failure() tells why.
    void append(const void* bytes, std::size_t size);
    // Appends silence of the format (a gap the sound server reported).
    void appendSilence(std::size_t size);
    // Sample bytes taken so far.
    std::int64_t lengthBytes() const { return length_; }
    const WaveFormat& format() const { return format_; }
    const std::string& failure() const { return failure_; }

    // Leaves the recording, with its header complete, under path: in place
    // when path is the file's own name, else moved there (renamed, or copied
    // across file systems and through a new file beside path, so an old file
    // there is replaced whole or not at all). Recording may go on after it.
    // False with the reason when the file could not be written.
    bool saveAs(const std::string& path, std::string& error);

private:
    WaveSpool() = default;
    void write(const std::uint8_t* bytes, std::size_t size);

    WaveFormat format_;
    std::string path_;  // empty once the file has no name of its own
    int fd_ = -1;
    sf_private_tag* file_ = nullptr;
    std::int64_t length_ = 0;
    std::string pending_;  // the start of a frame whose rest has not come
    std::string failure_;
};

}  // namespace media
