#include <array>
#include <string>

#include "app/Form1.h"
#include "app/openerF.h"
#include "platform/forms/Application.h"
#include "platform/midiout/MidiOut.h"
#include "platform/system/System.h"
#include "resources/Strings.h"
#include "score/NumberText.h"

namespace app {

namespace {

constexpr const char* NoSoundServerMessage =
    "Midi Sorvane cannot reach a sound server, so the built-in synthesizer is silent. "
    "It plays as soon as a sound server is running.";
constexpr int InformationIcon = 64;

constexpr std::array<const char*, 4> RecordingFormats = {
    "44.100Hz, 8bit Mono, 43k/sec", "44.100Hz, 8bit Stereo, 86k/sec",
    "44.100Hz, 16bit Mono, 86k/sec", "44.100Hz, 16bit Stereo, 172k/sec"};

constexpr std::array<view::OleColour, score::TrackCount> NonCurrentTrackColours = {
    0x00FFC0C0, 0x00FFC0FF, 0x00C0C0FF, 0x00C0FFC0, 0x00FFFFC0, 0x00FFC0C0, 0x00FFC0FF,
    0x00AACCEE, 0x00C0C0FF, 0x00C0FFFF, 0x00D2FAB8, 0x00FFFFC0, 0x00FFFFC0};

constexpr std::int32_t SelectionTintBlend = 0x00640000;
constexpr int FirstProgramNameId = 100;
constexpr int LastProgramNameId = 227;
constexpr int FirstPercussionNameId = 35;
constexpr int LastPercussionNameId = 81;
constexpr int PercussionNameIdToInstrument = 93;

std::array<std::string, 12> splitPitchClasses(const std::string& text) {
    std::array<std::string, 12> names{};
    std::size_t start = 0;
    for (std::size_t index = 0; index < names.size(); ++index) {
        const std::size_t comma = text.find(',', start);
        names[index] =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return names;
}

}  // namespace

void Form1::Form_Load() {
    sys::changeDirectory(sys::appPath());
    move(0, 0);
    Loading = true;
    const std::string path = sys::appPath();
    AppFolder = (!path.empty() && path.back() == '/') ? path : path + "/";

    for (const char* format : RecordingFormats) cbxFormat.addItem(format);
    cbxFormat.setListIndex(cbxFormat.listCount() - 1);

    Device(0).setCaption("MIDI Mapper");
    Device(0).setVisible(true);
    Device(0).setEnabled(true);
    MidiDeviceCount = static_cast<std::int32_t>(midiout::midiOutGetNumDevs());
    Combo2.clear();
    Combo2.addItem("MIDI Mapper");
    Combo2.setText("MIDI Mapper");
    // The menu has room for the mapper and ten devices; the list takes them all.
    for (int device = 0; device < MidiDeviceCount; ++device) {
        const std::string name = midiout::midiOutDeviceName(static_cast<unsigned>(device));
        if (forms::Menu* entry = Device.find(device + 1)) {
            entry->setCaption(name);
            entry->setVisible(true);
            entry->setEnabled(true);
        }
        Combo2.addItem(name);
    }
    Device_Click(0);
    NoteChannel = 0;
    PreviewVelocity = 127;
    ClearScore();

    for (int id = FirstProgramNameId; id <= LastProgramNameId; ++id) {
        Combo1.addItem(std::to_string(id - FirstProgramNameId) + " " +
                       resources::LoadResString(id));
    }
    for (int id = FirstPercussionNameId; id <= LastPercussionNameId; ++id) {
        Combo1.addItem(std::to_string(id + PercussionNameIdToInstrument) + " " +
                       resources::LoadResString(id));
    }
    Combo1.setListIndex(score::textToInt16(Instxt.text()));
    Command9_Click();

    ColumnSpan = 39;
    LastVisibleColumn = 39;
    RowSpan = 12;
    SelStart = -1;
    SelEnd = -1;
    HalfColumns = 20;
    HalfRows = 6;
    EditMode = edit::DrawMode;
    CursorColumn = 0;
    FirstColumn = 0;
    FirstRow = 55;
    LastVisibleRow = 67;
    RulerOffset = 40;
    Tempo = 120;
    TempoLabel.setCaption(std::to_string(Tempo));
    CurrentTrack = 0;

    for (int track = 0; track < score::TrackCount; ++track) {
        SelectedTrackColours[track] = TrackSel(track).backColor();
    }
    CurrentTrackColour = SelectedTrackColours[0];
    TrackColours = NonCurrentTrackColours;
    ScoreBackColor = MusicBox.backColor();
    OverlayBlend = SelectionTintBlend;

    PitchClassNames = splitPitchClasses("C,C#,D,D#,E,F,F#,G,G#,A,A#,B");
    for (int octave = 0; octave <= 11; ++octave) {
        for (int pitchClass = 0; pitchClass <= 11; ++pitchClass) {
            const int note = 12 * octave + pitchClass;
            if (note < score::RowCount) {
                NoteNames[score::RowCount - 1 - note] =
                    std::to_string(octave) + PitchClassNames[pitchClass];
            }
        }
    }

    FillSideBar();
    RedrawScore();
    Loading = false;
    toolbSetup.setAlign(1);
    if (splash_ != nullptr) {
        splash_->unload();
        splash_ = nullptr;
    }
}

// A machine with no sound server still runs the program; the built-in
// synthesizer is heard as soon as a server is there.
void Form1::tellIfNoSoundServer() {
    if (!midiout::midiOutAudible(MidiOutHandle)) {
        forms::msgBox(NoSoundServerMessage, InformationIcon);
    }
}

}  // namespace app
