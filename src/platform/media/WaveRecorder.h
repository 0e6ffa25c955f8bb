#pragma once
// Records the default PulseAudio input on PulseAudio's own thread straight
// into a WAV file (a WaveSpool), so a take of any length holds no memory; save
// leaves that file under the name asked for. A quiet input that delivers
// nothing never holds up a stop. A recording whose sound server or input goes
// away ends by itself, keeping what it took, and says why.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/media/WaveSpool.h"

struct pa_stream;

namespace media {

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
    // The file the next recording is written to as it runs; without one it
    // goes to an unnamed temporary file until it is saved.
    void setFile(const std::string& path) { file_ = path; }
    // Starts capturing; overwrite (or a new format) starts a new file, else
    // the recording goes on at its end.
    enum class Start { Recording, FileFailed, NoInput };
    Start record(bool overwrite, std::string& error);
    void stop();
    bool isRecording() const { return running_; }
    // Why the recording ended by itself (its server or its input went away),
    // kept after the stop; empty while it runs, and from the next record on.
    std::string interruption();
    // Bytes of sample data recorded.
    std::int64_t lengthBytes();
    // Leaves what was recorded so far as a WAV file under path (an empty one
    // when nothing was); false with the reason when it cannot be written.
    bool save(const std::string& path, std::string& error);

private:
    struct Stream;
    static void onRead(pa_stream* stream, std::size_t bytes, void* self);

    WaveFormat format_;
    std::unique_ptr<Stream> stream_;
    std::atomic<bool> running_{false};
    std::string file_;
    std::mutex dataLock_;
    std::unique_ptr<WaveSpool> spool_;
    std::string interruption_;  // guarded by dataLock_
};

}  // namespace media
