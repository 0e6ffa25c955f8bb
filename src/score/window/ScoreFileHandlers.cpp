// Writing and reading the score text file and exporting the MIDI file for the
// main window: the core does the work on the grids, these handlers move the
// result into the window's fields and tell the user when a file fails.

#include <string_view>

#include "app/Form1.h"
#include "platform/forms/Application.h"
#include "score/FileAccess.h"
#include "score/MidiFile.h"
#include "score/ScoreText.h"

namespace app {

namespace {
constexpr int CriticalIcon = 16;
}  // namespace

bool Form1::WriteScoreFile() {
    const std::string text = score::formatScoreText(Notes, Instruments, Tempo, TrackInstrument);
    const std::string error = score::replaceFileContent(ChosenFile, text);
    if (!error.empty()) {
        forms::msgBox(error, CriticalIcon);
        return false;
    }
    ScoreFile = ChosenFile;
    setCaption("Sorvane " + ChosenFile);
    return true;
}

bool Form1::ReadScoreFile() {
    // The whole file is read before anything changes, so a file that cannot be
    // read leaves the score as it was.
    const auto read = score::readScoreFile(ChosenFile, TrackInstrument);
    if (!read.content) {
        forms::msgBox(read.error, CriticalIcon);
        return false;
    }
    const score::ScoreFileContent& content = *read.content;
    Notes = content.notes;
    Instruments = content.instruments;
    if (content.tempo) {
        Tempo = *content.tempo;
        TempoLabel.setCaption(std::to_string(Tempo));
    }
    TrackInstrument = content.trackInstrument;

    // The list's click handler sets the current track's instrument on the
    // output; Loading keeps it from sounding a preview or touching the notes.
    Loading = true;
    Combo1.setListIndex(TrackInstrument[CurrentTrack]);
    Loading = false;

    ScrollByCode = true;
    HScroll1.setValue(HScroll1.min());
    ScrollByCode = false;
    FirstColumn = 0;
    LastVisibleColumn = ColumnSpan;
    CursorColumn = 0;
    RedrawScore();
    setCaption("Sorvane Harmonics: " + ChosenFile);
    return true;
}

bool Form1::WriteMidiFile() {
    // Built apart from the playback state, so an export while the score plays
    // leaves playback undisturbed.
    const auto bytes = score::buildMidiFile(Notes, Instruments, Tempo, hiddenTracks());
    const std::string error = score::replaceFileContent(
        ChosenFile, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!error.empty()) {
        forms::msgBox(error, CriticalIcon);
        return false;
    }
    return true;
}

}  // namespace app
