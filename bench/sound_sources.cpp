// The program's sound sources, one per mode, for bench/sound_under_load.sh to
// record and judge under load: each mode reaches the sound only through the
// media command strings, the MIDI calls on the mapper, or the main window's own
// playback, so the same modes measure whatever lies behind them.
//
//   sound_sources player WAV            plays WAV through the media player
//   sound_sources synth SECONDS         holds one organ note on the mapper
//   sound_sources claves SECONDS        the main window plays claves on every
//                                       step of a rhythm track at tempo 120
//   sound_sources dense SECONDS         the main window plays a score with a
//                                       note on every step of every track:
//                                       eight organs and five drums
//   sound_sources recorder SECONDS OUT  records the default input to OUT
//   sound_sources dropouts MONITOR RAW SECONDS
//                                       holds one organ note on the mapper
//                                       while MONITOR is recorded to RAW, and
//                                       prints each dropout the mapper counts
//                                       at the recording's time then
//   sound_sources latency MONITOR RAW NOTES [ADDED_MS | reference]
//                                       live claves notes on the mapper while
//                                       MONITOR (the output's monitor source)
//                                       is recorded to RAW (float, stereo,
//                                       44100 Hz); prints, per note, the
//                                       recording's time in seconds at the
//                                       moment of sending
//
// Latency: the recording stream's own clock (PulseAudio's interpolated stream
// time) says which frame of the recording the server is capturing at any
// moment. Read just before a note on is sent, it places the sending in the
// recording, so the note's onset frame, found later, gives the time from
// sending to sound with no clock of the synthesizer's involved. Two checks of
// the method: ADDED_MS waits that long between reading the clock and sending,
// and the figures must grow by exactly that much; "reference" sends clicks
// through a stream of the probe's own instead of notes, and prints beside
// each the latency that stream reports, which the figures must match.

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "platform/media/MediaControl.h"
#include "platform/midiout/MapperDevice.h"
#include "platform/midiout/MidiOut.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int SampleRate = 44100;
constexpr int RhythmTrack = score::MelodyTrackCount;
constexpr int ClavesKey = 75;
constexpr std::uint8_t ClavesVelocity = 110;
constexpr int PercussionChannel = 9;
constexpr int StepsPerSecond = 8;  // tempo 120: a 125 ms step
// An organ holds its note at one level for as long as the key is down.
constexpr int ChurchOrgan = 19;

int fail(const std::string& message) {
    std::fprintf(stderr, "sound_sources: %s\n", message.c_str());
    return 1;
}

int command(const std::string& text) {
    std::string answer;
    const int result = media::mciSendString(text, answer);
    if (result != media::Success) {
        std::fprintf(stderr, "sound_sources: \"%s\" gave %d %s\n", text.c_str(), result,
                     answer.c_str());
    }
    return result;
}

std::uint32_t shortMessage(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status | data1 << 8 | data2 << 16);
}

// The mapper opened and reaching the sound server; 0 when it cannot be heard.
midiout::Handle openAudibleMapper() {
    midiout::Handle handle = 0;
    if (midiout::midiOutOpen(handle, midiout::MapperId) != midiout::NoError) return 0;
    const auto deadline = Clock::now() + 5s;
    while (!midiout::midiOutAudible(handle)) {
        if (Clock::now() > deadline) {
            midiout::midiOutClose(handle);
            return 0;
        }
        std::this_thread::sleep_for(50ms);
    }
    return handle;
}

// How many of the process's threads run under each scheduling policy, as in
// "TS:4 RR:1", so a run shows whether the sound threads got real-time
// scheduling.
void printThreadPolicies() {
    static const std::map<std::string, std::string> names = {
        {"0", "TS"}, {"1", "FF"}, {"2", "RR"}, {"3", "B"}, {"5", "IDL"}, {"6", "DLN"}};
    std::map<std::string, int> counts;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream stat(task.path() / "stat");
        const std::string text((std::istreambuf_iterator<char>(stat)), {});
        // The command name (field 2) may hold blanks: fields are counted from
        // its closing parenthesis, and the policy is field 41.
        std::istringstream rest(text.substr(text.rfind(')') + 1));
        const std::vector<std::string> fields(std::istream_iterator<std::string>(rest), {});
        const std::size_t policy = 41 - 3;
        const auto name = policy < fields.size() ? names.find(fields[policy]) : names.end();
        ++counts[name == names.end() ? "?" : name->second];
    }
    std::string line;
    for (const auto& [policy, count] : counts) {
        line += (line.empty() ? "" : " ") + policy + ":" + std::to_string(count);
    }
    std::printf("threads %s\n", line.c_str());
    std::fflush(stdout);
}

int playWave(const std::string& path) {
    if (command("open waveaudio!" + media::quotePath(path) + " alias sound") != 0) return 1;
    if (command("play sound") != 0) return 1;
    std::this_thread::sleep_for(3s);
    printThreadPolicies();
    std::string mode = "playing";
    while (mode == "playing") {
        std::this_thread::sleep_for(100ms);
        if (media::mciSendString("status sound mode", mode) != media::Success) break;
    }
    command("close sound");
    return 0;
}

int holdNote(int seconds) {
    const midiout::Handle mapper = openAudibleMapper();
    if (!mapper) return fail("the mapper cannot be heard");
    midiout::midiOutShortMsg(mapper, shortMessage(0xC0, ChurchOrgan, 0));
    midiout::midiOutShortMsg(mapper, shortMessage(0x90, 60, 100));
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    std::this_thread::sleep_for(3s);
    printThreadPolicies();
    std::this_thread::sleep_until(end);
    midiout::midiOutShortMsg(mapper, shortMessage(0x80, 60, 0));
    std::this_thread::sleep_for(500ms);
    midiout::midiOutClose(mapper);
    return 0;
}

// The main window plays from the first column at tempo 120 a score of so many
// columns that fill enters, as drawn notes would be.
int playScore(int seconds, const std::function<void(app::Form1&, int columns)>& fill) {
    const int columns = std::min(seconds * StepsPerSecond, score::ColumnCount);
    benchsupport::ensureApplication();
    auto window = benchsupport::loadMainWindow(750, 600);
    if (!midiout::midiOutAudible(window->MidiOutHandle)) {
        return fail("the main window's mapper cannot be heard");
    }
    window->ClearScore();
    fill(*window, columns);
    window->TempoLabel.setCaption("120");
    window->CursorColumn = 0;
    window->PlayAndStop_Click(0);
    std::printf("steps %d\n", columns);
    return 0;
}

// Claves in every column of the first rhythm track, entered as a drawn note
// would be: the track's instrument in each cell, the row of the sound's key.
int playClaves(int seconds) {
    return playScore(seconds, [](app::Form1& window, int columns) {
        const auto claves = static_cast<std::int16_t>(ClavesKey + score::PercussionKeyOffset);
        window.TrackInstrument[RhythmTrack] = claves;
        for (int column = 0; column < columns; ++column) {
            window.Notes[RhythmTrack][column] = static_cast<std::int16_t>(127 - ClavesKey);
            window.Instruments[RhythmTrack][column] = claves;
        }
    });
}

// Organs on every melody track and drums on every rhythm track, a new note in
// every column: each ends as the next starts.
int playDenseScore(int seconds) {
    return playScore(seconds, [](app::Form1& window, int columns) {
        for (int track = 0; track < score::MelodyTrackCount; ++track) {
            window.TrackInstrument[track] = ChurchOrgan;
            for (int column = 0; column < columns; ++column) {
                window.Notes[track][column] =
                    static_cast<std::int16_t>(40 + (column * 5 + track * 7) % 30);
                window.Instruments[track][column] = ChurchOrgan;
            }
        }
        constexpr int Drums[] = {36, 38, 42, 46, 49};  // kick, snare, hi-hats, cymbal
        for (int rhythm = 0; rhythm < score::TrackCount - score::MelodyTrackCount; ++rhythm) {
            const int track = score::MelodyTrackCount + rhythm;
            const auto drum = static_cast<std::int16_t>(Drums[rhythm] + score::PercussionKeyOffset);
            window.TrackInstrument[track] = drum;
            for (int column = 0; column < columns; ++column) {
                window.Notes[track][column] = static_cast<std::int16_t>(127 - Drums[rhythm]);
                window.Instruments[track][column] = drum;
            }
        }
    });
}

int record(int seconds, const std::string& path) {
    if (command("open new type waveaudio alias capture") != 0) return 1;
    command(
        "set capture samplespersec 44100 channels 2 bitspersample 16 alignment 4 "
        "bytespersec 176400");
    if (command("record capture overwrite") != 0) return 1;
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    command("stop capture");
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const int saved = command("save capture " + media::quotePath(path));
    command("close capture");
    std::printf("recorded_seconds %.3f\n", wall);
    return saved == 0 ? 0 : 1;
}

// A PulseAudio connection of our own: it records the output's monitor to a
// file and reads that recording's clock, and can play clicks of its own as a
// yardstick for the method.
class Probe {
public:
    ~Probe() {
        if (!mainloop_) return;
        pa_threaded_mainloop_stop(mainloop_);
        for (pa_stream* stream : {record_, clicks_}) {
            if (stream) pa_stream_unref(stream);
        }
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_threaded_mainloop_free(mainloop_);
    }

    bool record(const std::string& source, const std::string& path, std::string& error) {
        file_.open(path, std::ios::binary);
        if (!file_) {
            error = "cannot write " + path;
            return false;
        }
        mainloop_ = pa_threaded_mainloop_new();
        context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "sound_sources");
        pa_context_set_state_callback(context_, &Probe::onContextState, this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
            pa_threaded_mainloop_start(mainloop_) < 0) {
            error = "cannot connect to the sound server";
            return false;
        }
        Lock lock(mainloop_);
        if (!waitFor(nullptr,
                     [this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; })) {
            error = "the sound server refused the connection";
            return false;
        }
        record_ = newStream("latency probe");
        pa_stream_set_read_callback(record_, &Probe::onRead, this);
        // Fragments no shorter than the synthesizer's own latency: a null sink
        // runs at the shortest latency any of its streams or its monitor's
        // streams ask for, and the probe must not speed it up.
        pa_buffer_attr attributes = bufferOf(20000);
        if (pa_stream_connect_record(record_, source.c_str(), &attributes, TimedStream) < 0 ||
            !waitFor(record_, [this] { return pa_stream_get_state(record_) == PA_STREAM_READY; })) {
            error = "cannot record " + source;
            return false;
        }
        return true;
    }

    // A stream to the default output that plays silence until a click.
    bool playClicks(std::string& error) {
        Lock lock(mainloop_);
        clicks_ = newStream("reference clicks");
        pa_stream_set_write_callback(clicks_, &Probe::onWrite, this);
        // Enough buffer that the clicks never wait for a late refill.
        pa_buffer_attr attributes = bufferOf(60000);
        if (pa_stream_connect_playback(clicks_, nullptr, &attributes, TimedStream, nullptr,
                                       nullptr) < 0 ||
            !waitFor(clicks_, [this] { return pa_stream_get_state(clicks_) == PA_STREAM_READY; })) {
            error = "cannot play clicks";
            return false;
        }
        return true;
    }

    // The recording's time, in seconds from its first frame, of what the
    // server captures now; negative when the stream cannot tell.
    double now() {
        Lock lock(mainloop_);
        refreshTiming(record_);
        return recordTime();
    }

    // Appends a click to the click stream and returns the recording's time
    // then, and the time the click's stream says it will take to be heard.
    std::pair<double, double> click() {
        Lock lock(mainloop_);
        refreshTiming(record_);
        refreshTiming(clicks_);
        const double sent = recordTime();
        pa_usec_t latency = 0;
        int negative = 0;
        if (pa_stream_get_latency(clicks_, &latency, &negative) < 0) return {-1.0, -1.0};
        std::vector<float> click(2 * ClickFrames, 0.5f);
        pa_stream_write(clicks_, click.data(), click.size() * sizeof(float), nullptr, 0,
                        PA_SEEK_RELATIVE);
        return {sent, (negative ? -1.0 : 1.0) * static_cast<double>(latency) / 1e6};
    }

    std::int64_t framesRecorded() {
        Lock lock(mainloop_);
        return bytes_ / FrameBytes;
    }

private:
    static constexpr pa_sample_spec Spec{PA_SAMPLE_FLOAT32LE, SampleRate, 2};
    static constexpr std::int64_t FrameBytes = 2 * sizeof(float);
    static constexpr int ClickFrames = 64;
    static constexpr auto TimedStream = static_cast<pa_stream_flags_t>(
        PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);

    struct Lock {
        explicit Lock(pa_threaded_mainloop* loop) : loop(loop) { pa_threaded_mainloop_lock(loop); }
        ~Lock() { pa_threaded_mainloop_unlock(loop); }
        pa_threaded_mainloop* loop;
    };

    static pa_buffer_attr bufferOf(pa_usec_t microseconds) {
        const auto bytes = static_cast<std::uint32_t>(pa_usec_to_bytes(microseconds, &Spec));
        const auto unset = static_cast<std::uint32_t>(-1);
        return {unset, bytes, unset, unset, bytes};
    }

    pa_stream* newStream(const char* name) {
        pa_stream* stream = pa_stream_new(context_, name, &Spec, nullptr);
        pa_stream_set_state_callback(stream, &Probe::onStreamState, this);
        return stream;
    }

    template <typename Ready>
    bool waitFor(pa_stream* stream, Ready ready) {
        while (!ready()) {
            if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) return false;
            if (stream && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) return false;
            pa_threaded_mainloop_wait(mainloop_);
        }
        return true;
    }

    // A fresh timing report, so that little rests on interpolation.
    void refreshTiming(pa_stream* stream) {
        pa_operation* update = pa_stream_update_timing_info(stream, &Probe::onTimingUpdated, this);
        if (!update) return;
        while (pa_operation_get_state(update) == PA_OPERATION_RUNNING) {
            pa_threaded_mainloop_wait(mainloop_);
        }
        pa_operation_unref(update);
    }

    double recordTime() {
        pa_usec_t time = 0;
        if (pa_stream_get_time(record_, &time) < 0) return -1.0;
        return static_cast<double>(time) / 1e6;
    }

    static void wake(void* self) {
        pa_threaded_mainloop_signal(static_cast<Probe*>(self)->mainloop_, 0);
    }
    static void onContextState(pa_context*, void* self) { wake(self); }
    static void onStreamState(pa_stream*, void* self) { wake(self); }
    static void onTimingUpdated(pa_stream*, int, void* self) { wake(self); }

    // Holes are written as silence, so a frame's place in the file stays its
    // place in the stream's time.
    static void onRead(pa_stream* stream, std::size_t, void* self) {
        auto* probe = static_cast<Probe*>(self);
        const void* data = nullptr;
        std::size_t size = 0;
        while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &size) == 0) {
            if (size == 0) break;
            if (data) {
                probe->file_.write(static_cast<const char*>(data),
                                   static_cast<std::streamsize>(size));
            } else {
                const std::vector<char> silence(size, 0);
                probe->file_.write(silence.data(), static_cast<std::streamsize>(size));
            }
            probe->bytes_ += static_cast<std::int64_t>(size);
            pa_stream_drop(stream);
        }
    }

    static void onWrite(pa_stream* stream, std::size_t bytes, void*) {
        const std::vector<char> silence(bytes, 0);
        pa_stream_write(stream, silence.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE);
    }

    std::ofstream file_;
    std::int64_t bytes_ = 0;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* record_ = nullptr;
    pa_stream* clicks_ = nullptr;
};

int watchDropouts(const std::string& monitor, const std::string& path, int seconds) {
    Probe probe;
    std::string error;
    if (!probe.record(monitor, path, error)) return fail(error);
    const midiout::Handle mapper = openAudibleMapper();
    if (!mapper) return fail("the mapper cannot be heard");
    midiout::midiOutShortMsg(mapper, shortMessage(0xC0, ChurchOrgan, 0));
    midiout::midiOutShortMsg(mapper, shortMessage(0x90, 60, 100));
    std::printf("held %.6f\n", probe.now());
    // Counted when the stream notices, a few tens of milliseconds after the
    // gap; looked for far more often than that.
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    int told = midiout::mapperDropouts();
    while (Clock::now() < end) {
        std::this_thread::sleep_for(2ms);
        for (const int dropouts = midiout::mapperDropouts(); told < dropouts; ++told) {
            std::printf("dropout %.6f %.6f\n", probe.now(),
                        std::chrono::duration<double>(Clock::now().time_since_epoch()).count());
        }
    }
    std::printf("released %.6f\n", probe.now());
    midiout::midiOutShortMsg(mapper, shortMessage(0x80, 60, 0));
    std::this_thread::sleep_for(500ms);
    midiout::midiOutClose(mapper);
    std::printf("frames %lld\n", static_cast<long long>(probe.framesRecorded()));
    return 0;
}

// Claves on the mapper, or with "reference" clicks of the probe's own, whose
// latency the click stream reports; printed per note: the recording's time at
// sending, and for clicks the expected latency.
int measureLatency(const std::string& monitor, const std::string& path, int notes,
                   const std::string& option) {
    Probe probe;
    std::string error;
    if (!probe.record(monitor, path, error)) return fail(error);
    const bool reference = option == "reference";
    const int addedMs = reference ? 0 : std::atoi(option.c_str());
    midiout::Handle mapper = 0;
    if (reference ? !probe.playClicks(error) : !(mapper = openAudibleMapper())) {
        return fail(reference ? error : "the mapper cannot be heard");
    }
    // A fresh null sink runs on a long period until its first streams have
    // settled their latency; its monitor's first second is not in step.
    std::this_thread::sleep_for(2s);
    const std::uint32_t noteOn = shortMessage(0x90 + PercussionChannel, ClavesKey, ClavesVelocity);
    const std::uint32_t noteOff = shortMessage(0x80 + PercussionChannel, ClavesKey, 0);
    // The first note is a warm-up and is not reported; the pauses vary so that
    // the notes fall at every point of the output's period.
    for (int note = 0; note <= notes; ++note) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400 + note * 37 % 250));
        if (reference) {
            const auto [sent, expected] = probe.click();
            if (note > 0) std::printf("sent %.6f expected %.6f\n", sent, expected);
            continue;
        }
        const double sent = probe.now();
        if (addedMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(addedMs));
        midiout::midiOutShortMsg(mapper, noteOn);
        if (note > 0) std::printf("sent %.6f\n", sent);
        std::this_thread::sleep_for(100ms);
        midiout::midiOutShortMsg(mapper, noteOff);
    }
    std::this_thread::sleep_for(700ms);
    if (mapper) midiout::midiOutClose(mapper);
    std::printf("frames %lld\n", static_cast<long long>(probe.framesRecorded()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto mode = args.empty() ? std::string() : args[0];
    const auto number = [&](std::size_t index) { return std::atoi(args.at(index).c_str()); };
    int result = 2;
    if (mode == "player" && args.size() == 2) {
        result = playWave(args[1]);
    } else if (mode == "synth" && args.size() == 2) {
        result = holdNote(number(1));
    } else if (mode == "claves" && args.size() == 2) {
        result = playClaves(number(1));
    } else if (mode == "recorder" && args.size() == 3) {
        result = record(number(1), args[2]);
    } else if (mode == "dense" && args.size() == 2) {
        result = playDenseScore(number(1));
    } else if (mode == "dropouts" && args.size() == 4) {
        result = watchDropouts(args[1], args[2], number(3));
    } else if (mode == "latency" && (args.size() == 4 || args.size() == 5)) {
        result = measureLatency(args[1], args[2], number(3), args.size() == 5 ? args[4] : "0");
    } else {
        std::fprintf(
            stderr,
            "usage: sound_sources player WAV | synth SECONDS | claves SECONDS | dense SECONDS |\n"
            "       recorder SECONDS OUT.wav | dropouts MONITOR OUT.raw SECONDS |\n"
            "       latency MONITOR OUT.raw NOTES [ADDED_MS | reference]\n");
    }
    media::closeAllMedia();
    return result;
}
