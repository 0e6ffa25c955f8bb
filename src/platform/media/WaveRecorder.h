#pragma once
// Records the default PulseAudio input into memory on PulseAudio's own thread
// and writes what it holds to a WAV file. A quiet input that delivers nothing
// never holds up a stop.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct pa_stream;

namespace media {

struct WaveFormat {
    int samplesPerSecond = 44100;
    int channels = 1;
    int bitsPerSample = 8;
    int alignment = 1;
    int bytesPerSecond = 44100;
};

class WaveRecorder {
public:
    WaveRecorder();
    ~WaveRecorder();
    WaveRecorder(const WaveRecorder&) = delete;
    WaveRecorder& operator=(const WaveRecorder&) = delete;

    // False when the numbers describe no PCM format we record (8 or 16 bits,
    // one or two channels, alignment and byte rate agreeing with them).
    bool setFormat(const WaveFormat& format);
    const WaveFormat& format() const { return format_; }
    // Starts capturing; overwrite drops what was recorded before. False when
    // the sound server gives no input.
    bool record(bool overwrite, std::string& error);
    void stop();
    bool isRecording() const { return running_; }
    // Bytes of sample data held.
    std::int64_t lengthBytes();
    // Writes the sample data held so far; false when the file cannot be written.
    bool save(const std::string& path, std::string& error);

private:
    struct Stream;
    static void onRead(pa_stream* stream, std::size_t bytes, void* self);

    WaveFormat format_;
    std::unique_ptr<Stream> stream_;
    std::atomic<bool> running_{false};
    std::mutex dataLock_;
    std::vector<std::uint8_t> data_;
};

}  // namespace media
