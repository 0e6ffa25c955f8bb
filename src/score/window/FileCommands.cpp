// The commands that open and save files through the common dialog, and the
// settings file.

#include <cctype>
#include <filesystem>

#include "app/Form1.h"
#include "platform/forms/Application.h"
#include "platform/system/System.h"
#include "score/FileAccess.h"

namespace app {

namespace {

constexpr const char* MusicFilter = "Midi, score, WAV(*.sng;*.mid;*.wav)|*.sng;*.mid;*.wav";
// Ask before replacing a file, and hide the read-only box.
constexpr int OpenMusicFileFlags = 1026;
constexpr const char* SettingsFileName = "Notewright.dat";

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// Linux names are case-sensitive, so the name is kept as chosen and only its
// ending is compared without regard to case.
bool endsWithIgnoringCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size()) return false;
    for (std::size_t i = 0; i < ending.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[text.size() - ending.size() + i]);
        const auto b = static_cast<unsigned char>(ending[i]);
        if (std::tolower(a) != std::tolower(b)) return false;
    }
    return true;
}

bool fileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

}  // namespace

bool Form1::chooseFileToOpen(const std::string& title, const std::string& preset,
                             const std::string& filter, bool setFlags) {
    CommonDialog1.InitDir = sys::appPath();
    CommonDialog1.FileName = preset;
    CommonDialog1.Filter = filter;
    CommonDialog1.DialogTitle = title;
    if (setFlags) CommonDialog1.Flags = OpenMusicFileFlags;
    CommonDialog1.showOpen();
    ChosenFile = CommonDialog1.FileName;
    // A cancel leaves the preset pattern (or nothing) as the name.
    if (ChosenFile.empty() || (!preset.empty() && endsWith(ChosenFile, preset))) return false;
    return fileExists(ChosenFile);
}

bool Form1::chooseFileToSave(const std::string& title, const std::string& pattern) {
    const std::string extension = pattern.substr(1);  // "*.sng" gives ".sng"
    CommonDialog1.InitDir = sys::appPath();
    CommonDialog1.FileName = pattern;
    CommonDialog1.Filter = pattern;
    CommonDialog1.DialogTitle = title;
    CommonDialog1.showSave();
    ChosenFile = CommonDialog1.FileName;
    if (ChosenFile.empty() || endsWith(ChosenFile, pattern)) return false;
    if (!endsWith(ChosenFile, extension)) {
        ChosenFile += extension;
        // The dialog asked about the name it returned, not about this one.
        if (fileExists(ChosenFile) &&
            !forms::askYesNo(ChosenFile + " already exists.\nDo you want to replace it?")) {
            return false;
        }
    }
    return true;
}

void Form1::openChosenMusicFile(bool ignoreCase) {
    auto endsIn = [&](const char* ending) {
        return ignoreCase ? endsWithIgnoringCase(ChosenFile, ending) : endsWith(ChosenFile, ending);
    };
    if (endsIn(".sng")) {
        if (ReadScoreFile()) ScoreFile = ChosenFile;
    } else if (endsIn(".mid") || endsIn(".wav")) {
        Text6.setText(ChosenFile);
    }
}

void Form1::mnuOpen_Click() {
    if (!chooseFileToOpen("Open Music File", "", MusicFilter, false)) return;
    openChosenMusicFile(false);
}

void Form1::OpenMusicFile() {
    if (!chooseFileToOpen("Open Music File", "", MusicFilter, true)) return;
    openChosenMusicFile(true);
}

void Form1::Command33_Click() {
    if (!chooseFileToOpen("Open Midi Score File", "*.sng", "*.sng", false)) return;
    if (ReadScoreFile()) ScoreFile = ChosenFile;
}

void Form1::Command10_Click() {
    if (!chooseFileToOpen("Open Rythm File", "*.crd", "*.crd", false)) return;
    if (ReadScoreFile()) ScoreFile = ChosenFile;
}

void Form1::SaveScore() {
    if (ScoreFile.empty()) {
        SaveScoreAs();
        return;
    }
    ChosenFile = ScoreFile;
    WriteScoreFile();
}

void Form1::SaveScoreAs() {
    if (chooseFileToSave("Save Music File as", "*.sng")) WriteScoreFile();
}

void Form1::Command2_Click() {
    if (chooseFileToSave("Save Music File as", "*.crd")) WriteScoreFile();
}

void Form1::SaveAsMidi() {
    if (chooseFileToSave("Save as Midi", "*.mid")) WriteMidiFile();
}

void Form1::SaveSettingsFile() {
    // The program folder when it may be written to, else the user's own.
    const std::string path = sys::writableDataFolder() + SettingsFileName;
    std::string line = SettingsValue < 0 ? "" : " ";
    line += std::to_string(SettingsValue) + " \r\n";
    const std::string error = score::replaceFileContent(path, line);
    if (!error.empty()) forms::msgBox(error, 16);
    RedrawScore();
}

}  // namespace app
