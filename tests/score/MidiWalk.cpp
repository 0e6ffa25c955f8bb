#include "MidiWalk.h"

#include <map>
#include <sstream>
#include <utility>

#include "ExportCheck.h"
#include "support/RunTool.h"

namespace scoretest {

WalkedFile walkMidiFile(const std::vector<std::uint8_t>& bytes) {
    static const std::string script = R"(import sys, mido
for track in mido.MidiFile(sys.argv[1]).tracks:
    print('track')
    t = 0
    for m in track:
        t += m.time
        print(t, *m.bytes())
)";
    TempFolder folder;
    writeBytes(folder.file("walked.mid"), bytes);
    WalkedFile file;
    std::string output;
    const int status =
        testsupport::runTool("/usr/bin/python3 -c " + testsupport::shellQuoted(script) + " " +
                                 testsupport::shellQuoted(folder.file("walked.mid")),
                             output);
    if (status != 0) {
        file.error = "mido could not read the file (status " + std::to_string(status) + ")";
        return file;
    }
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line == "track") {
            file.tracks.emplace_back();
            continue;
        }
        std::istringstream fields(line);
        RawEvent event;
        int value = 0;
        fields >> event.tick >> value;
        event.status = static_cast<std::uint8_t>(value);
        while (fields >> value) event.data.push_back(static_cast<std::uint8_t>(value));
        if (file.tracks.empty()) file.tracks.emplace_back();
        file.tracks.back().push_back(std::move(event));
    }
    return file;
}

std::string checkNotePairs(const WalkedFile& file) {
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
        std::map<std::pair<int, int>, int> sounding;
        for (const auto& event : file.tracks[t]) {
            const int kind = event.status & 0xF0;
            if (kind != 0x80 && kind != 0x90) continue;
            const std::pair<int, int> note{event.status & 0x0F, event.data[0]};
            const std::string where =
                "track " + std::to_string(t) + " tick " + std::to_string(event.tick) + " channel " +
                std::to_string(note.first) + " key " + std::to_string(note.second);
            if (kind == 0x90) {
                if (event.data[1] == 0) return where + ": a note on with velocity 0";
                if (sounding[note] > 0) return where + ": a note on over a sounding one";
                ++sounding[note];
            } else {
                if (sounding[note] == 0) return where + ": a note off with no note on";
                --sounding[note];
            }
        }
        for (const auto& [note, count] : sounding) {
            if (count != 0) {
                return "track " + std::to_string(t) + ": channel " + std::to_string(note.first) +
                       " key " + std::to_string(note.second) + " never ends";
            }
        }
    }
    return {};
}

}  // namespace scoretest
