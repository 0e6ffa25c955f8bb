#include "ExportCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "score/MidiFile.h"

namespace scoretest {

namespace {

// Debian's interpreter: it has python3-mido, whatever python3 comes first on
// the path.
constexpr const char* DebianPython = "/usr/bin/python3";

constexpr const char* MidoScript = R"(import sys, mido
f = mido.MidiFile(sys.argv[1])
print('header', f.type, len(f.tracks), f.ticks_per_beat)
for i, track in enumerate(f.tracks):
    t = 0
    for m in track:
        t += m.time
        if m.type == 'note_on': print('on', i, t, m.channel, m.note, m.velocity)
        elif m.type == 'note_off': print('off', i, t, m.channel, m.note, m.velocity)
        elif m.type == 'program_change': print('program', i, t, m.channel, m.program)
        elif m.type == 'set_tempo': print('tempo', i, t, m.tempo)
        elif m.type == 'time_signature':
            print('timesig', i, t, m.numerator, m.denominator, m.clocks_per_click,
                  m.notated_32nd_notes_per_beat)
        elif m.type == 'end_of_track': print('end', i, t)
        else: print('other', i, t, m.type)
)";

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

void checkVelocity(MidiReport& report, ChannelEvent::Kind kind, int velocity) {
    const int wanted = kind == ChannelEvent::On ? 127 : 0;
    if (velocity != wanted) {
        report.error += "velocity " + std::to_string(velocity) + " on a note " +
                        (kind == ChannelEvent::On ? "on" : "off") + "; ";
    }
}

void finish(MidiReport& report) {
    std::sort(report.events.begin(), report.events.end());
    report.ok = report.error.empty();
}

void recordEnd(MidiReport& report, int chunk, long tick) {
    if (chunk < 0) return;
    if (report.endOfTrackTicks.size() <= static_cast<std::size_t>(chunk)) {
        report.endOfTrackTicks.resize(chunk + 1, -1);
    }
    report.endOfTrackTicks[chunk] = tick;
}

void expectReportMatches(const MidiReport& report, const Score& song, const std::string& tool) {
    ASSERT_TRUE(report.ok) << tool << ": " << report.error;
    EXPECT_EQ(report.format, 1) << tool;
    EXPECT_EQ(report.trackCount, 14) << tool;
    EXPECT_EQ(report.ticksPerQuarter, 48) << tool;
    EXPECT_EQ(report.tempo, static_cast<long>(score::microsecondsPerQuarter(song.tempo))) << tool;
    const auto expected = expectedEvents(song);
    EXPECT_EQ(report.events, expected) << tool << " read:\n"
                                       << describe(report.events) << "the score holds:\n"
                                       << describe(expected);
    ASSERT_EQ(report.endOfTrackTicks.size(), 14u) << tool;
    EXPECT_EQ(report.endOfTrackTicks[0], 0) << tool;
    for (int chunk = 1; chunk < 14; ++chunk) {
        EXPECT_EQ(report.endOfTrackTicks[chunk], expectedEndTick(song))
            << tool << ", chunk " << chunk;
    }
}

}  // namespace

std::string describe(const std::vector<ChannelEvent>& events) {
    std::ostringstream out;
    for (const auto& e : events) {
        static const char* names[] = {"on", "off", "program"};
        out << "  chunk " << e.chunk << " tick " << e.tick << ' ' << names[e.kind] << " ch "
            << e.channel << ' ' << e.data << '\n';
    }
    return out.str();
}

std::unique_ptr<Score> emptyScore() {
    auto score = std::make_unique<Score>();
    score::clearScore(score->notes, score->instruments);
    return score;
}

long expectedEndTick(const Score& song) {
    return (score::findLastColumn(song.notes, song.hidden) + 1L) * score::TicksPerColumn;
}

std::vector<ChannelEvent> expectedEvents(const Score& song) {
    std::vector<ChannelEvent> events;
    const int endColumn = score::findLastColumn(song.notes, song.hidden) + 1;
    for (int track = 0; track < score::TrackCount; ++track) {
        if (song.hidden[track]) continue;
        const int chunk = track + 1;
        struct Sounding {
            int channel;
            int key;
        };
        std::optional<Sounding> sounding;
        int previousInstrument = -1;
        auto stop = [&](int column) {
            if (!sounding) return;
            events.push_back(
                {chunk, column * 12L, ChannelEvent::Off, sounding->channel, sounding->key});
            sounding.reset();
        };
        for (int column = 0; column < endColumn; ++column) {
            const int cell = song.notes[track][column];
            if (score::isHeld(cell)) continue;
            stop(column);
            if (!score::isNoteStart(cell)) continue;
            const int instrument = song.instruments[track][column];
            if (instrument != previousInstrument && instrument < 128) {
                events.push_back({chunk, column * 12L, ChannelEvent::Program, track, instrument});
            }
            previousInstrument = instrument;
            sounding =
                instrument >= 128 ? Sounding{9, instrument - 93} : Sounding{track, 127 - cell};
            events.push_back(
                {chunk, column * 12L, ChannelEvent::On, sounding->channel, sounding->key});
        }
        stop(endColumn);
    }
    std::sort(events.begin(), events.end());
    return events;
}

int runCommand(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

MidiReport readWithMido(const std::string& path) {
    MidiReport report;
    std::string output;
    const std::string command =
        std::string(DebianPython) + " -c " + shellQuote(MidoScript) + " " + shellQuote(path);
    if (runCommand(command, output) != 0) {
        report.error = "mido could not read the file";
        return report;
    }
    std::istringstream lines(output);
    std::string kind;
    while (lines >> kind) {
        int chunk = 0;
        long tick = 0;
        if (kind == "header") {
            lines >> report.format >> report.trackCount >> report.ticksPerQuarter;
            continue;
        }
        lines >> chunk >> tick;
        if (kind == "on" || kind == "off") {
            int channel, key, velocity;
            lines >> channel >> key >> velocity;
            const auto k = kind == "on" ? ChannelEvent::On : ChannelEvent::Off;
            checkVelocity(report, k, velocity);
            report.events.push_back({chunk, tick, k, channel, key});
        } else if (kind == "program") {
            int channel, program;
            lines >> channel >> program;
            report.events.push_back({chunk, tick, ChannelEvent::Program, channel, program});
        } else if (kind == "tempo") {
            lines >> report.tempo;
        } else if (kind == "timesig") {
            int numerator, denominator, clocks, notated;
            lines >> numerator >> denominator >> clocks >> notated;
            if (numerator != 4 || denominator != 4 || clocks != 24 || notated != 8) {
                report.error += "unexpected time signature; ";
            }
        } else if (kind == "end") {
            recordEnd(report, chunk, tick);
        } else {
            std::string type;
            lines >> type;
            report.error += "unexpected message " + type + "; ";
        }
    }
    finish(report);
    return report;
}

MidiReport readWithMidicsv(const std::string& path) {
    MidiReport report;
    std::string output;
    if (runCommand("midicsv " + shellQuote(path), output) != 0) {
        report.error = "midicsv could not read the file";
        return report;
    }
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        std::string field;
        while (std::getline(split, field, ',')) {
            const auto first = field.find_first_not_of(' ');
            fields.push_back(first == std::string::npos ? "" : field.substr(first));
        }
        if (fields.size() < 3) continue;
        const int csvTrack = std::atoi(fields[0].c_str());
        const long tick = std::atol(fields[1].c_str());
        const std::string& type = fields[2];
        auto number = [&](std::size_t i) {
            return i < fields.size() ? std::atoi(fields[i].c_str()) : -1;
        };
        // midicsv counts tracks from 1.
        const int chunk = csvTrack - 1;
        if (type == "Header") {
            report.format = number(3);
            report.trackCount = number(4);
            report.ticksPerQuarter = number(5);
        } else if (type == "Note_on_c" || type == "Note_off_c") {
            const auto k = type == "Note_on_c" ? ChannelEvent::On : ChannelEvent::Off;
            checkVelocity(report, k, number(5));
            report.events.push_back({chunk, tick, k, number(3), number(4)});
        } else if (type == "Program_c") {
            report.events.push_back({chunk, tick, ChannelEvent::Program, number(3), number(4)});
        } else if (type == "Tempo") {
            report.tempo = std::atol(fields[3].c_str());
        } else if (type == "Time_signature") {
            if (number(3) != 4 || number(4) != 2 || number(5) != 24 || number(6) != 8) {
                report.error += "unexpected time signature; ";
            }
        } else if (type == "End_track") {
            recordEnd(report, chunk, tick);
        } else if (type != "Start_track" && type != "End_of_file") {
            report.error += "unexpected record " + type + "; ";
        }
    }
    finish(report);
    return report;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sorvane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Give back write permission that a test took away, so everything goes.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::uint8_t> exportAndCheck(const Score& song, const TempFolder& folder,
                                         const std::string& name) {
    auto bytes = score::buildMidiFile(song.notes, song.instruments, song.tempo, song.hidden);
    const std::string path = folder.file(name);
    writeBytes(path, bytes);
    {
        SCOPED_TRACE("mido reading " + name);
        expectReportMatches(readWithMido(path), song, "mido");
    }
    {
        SCOPED_TRACE("midicsv reading " + name);
        expectReportMatches(readWithMidicsv(path), song, "midicsv");
    }
    return bytes;
}

}  // namespace scoretest
