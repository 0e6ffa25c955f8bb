// The media player: WAV files under the alias "sound" with a progress display,
// MIDI files under the alias "midi", and the stop buttons.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "app/Form1.h"
#include "platform/media/MediaControl.h"
#include "platform/midiout/MidiOut.h"
#include "score/NumberText.h"

namespace app {

namespace {

void openAndPlayWave(const std::string& path) {
    media::mciSendString("open waveaudio!" + media::quotePath(path) + " alias sound");
    media::mciSendString("play sound");
}

// Names keep their case; only the ending is compared without it.
bool hasEnding(const std::string& file, std::string_view ending) {
    return file.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(),
                      file.end() - static_cast<std::ptrdiff_t>(ending.size()), [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

std::string trimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void Form1::Command22_Click() {
    media::mciSendString("stop sound");
    media::mciSendString("close sound");
    Text6.setText(TempWavFile);
    openAndPlayWave(TempWavFile);
    Timer2.setEnabled(true);
}

void Form1::Command27_Click() {
    media::mciSendString("stop sound");
    media::mciSendString("close sound");
    openAndPlayWave(Text6.text());
}

void Form1::Command28_Click() {
    // The MIDI output is closed first, whatever the file: a synthesizer on a
    // port is then free for the file player. What sounds is turned off first,
    // or a port would hold those notes.
    silenceOutputBeforeClose();
    MidiResult = midiout::midiOutClose(MidiOutHandle);
    const std::string file = trimBlanks(Text6.text());
    if (hasEnding(file, ".mid")) {
        media::mciSendString("stop midi");
        media::mciSendString("close midi");
        media::mciSendString("open sequencer!" + media::quotePath(file) + " alias midi");
        media::mciSendString("play midi");
    }
    if (hasEnding(file, ".wav")) {
        Timer2.setEnabled(true);
        media::mciSendString("stop sound");
        media::mciSendString("close sound");
        openAndPlayWave(file);
    }
}

void Form1::Timer2_Timer() {
    std::string answer;
    media::mciSendString("status sound length", answer);
    const auto length = static_cast<float>(score::leadingNumber(answer));
    float ratio = 0.0f;
    if (length != 0.0f) {
        media::mciSendString("status sound position", answer);
        const auto position = static_cast<float>(score::leadingNumber(answer));
        ratio = position / length;
        // A percentage that rounds to 0 shows no digits.
        const long percent = std::lround(ratio * 100.0f);
        LablPlay.setCaption((percent == 0 ? std::string() : std::to_string(percent)) + " %");
    } else {
        LablPlay.setCaption("0");
    }
    if (ratio >= 1.0f) {
        Timer2.setEnabled(false);
        Command30_Click();
    }
}

void Form1::Command23_Click() {
    Timer2.setEnabled(false);
    media::mciSendString("stop midi");
    media::mciSendString("close midi");
    media::mciSendString("stop sound");
    media::mciSendString("close sound");
    LablPlay.setCaption("");
    Device_Click(Combo2.listIndex());
}

void Form1::Command30_Click() {
    Command23_Click();
}

void Form1::stopMediaAliases() {
    media::mciSendString("stop sound");
    media::mciSendString("close sound");
    media::mciSendString("stop midi");
    media::mciSendString("close midi");
}

}  // namespace app
