// The WAV recorder: a capture of the default input that runs while the score
// plays, saved to a temporary file when the playback ends, and moved to a name
// the user picks by Save Recording.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/Form1.h"
#include "audio/RecordingFormat.h"
#include "platform/forms/Application.h"
#include "platform/media/FileMove.h"
#include "platform/media/MediaControl.h"
#include "platform/system/System.h"

namespace app {

namespace {

const char* const RecordIdleCaption = "Start Recording";
const char* const RecordRunningCaption = "Stop Recording";
constexpr forms::OleColour CapturingColour = 0x00FF00;
constexpr forms::OleColour RecordedColour = 0x0000FF;
constexpr forms::OleColour IdleColour = 0xE0E0E0;
constexpr int MessageCritical = 16;
constexpr int MaxTempNumber = 99999;
// A drawn name that exists already is drawn again, this many times at most.
constexpr int TempNameDraws = 100;

// A name drawn for a recording holds an empty file until the capture is
// written to it; one left empty is removed so that it names no file.
void removeUnwrittenFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::file_size(path, error) == 0 && !error)
        std::filesystem::remove(path, error);
}

// Stops the capture, saves it under TempWavFile and closes it; the status
// label goes back to idle, red when the recording is on disk. A capture that
// cannot be written is reported, and its name dropped; one whose input went
// away before its end is reported where it is kept.
void endCapture(Form1& form) {
    std::string cutShort;
    if (media::mciSendString("stop capture", cutShort) != media::DeviceUnavailable)
        cutShort.clear();
    std::string reason;
    const int saved =
        form.TempWavFile.empty()
            ? media::UnknownAlias
            : media::mciSendString("save capture " + media::quotePath(form.TempWavFile), reason);
    media::mciSendString("close capture");
    form.Label4.setCaption(RecordIdleCaption);
    if (saved == media::UnknownAlias) removeUnwrittenFile(form.TempWavFile);
    if (saved != media::CannotWriteFile) {
        form.Label4.setBackColor(RecordedColour);
        // Told without stopping anything: the score may still be playing.
        if (saved == media::Success && !cutShort.empty()) {
            forms::showNotice(
                "The recording stopped early and is kept in " + form.TempWavFile + ": " + cutShort,
                MessageCritical);
        }
        return;
    }
    forms::msgBox("The recording could not be written to " + form.TempWavFile + ": " + reason,
                  MessageCritical);
    removeUnwrittenFile(form.TempWavFile);
    if (form.Text6.text() == form.TempWavFile) form.Text6.setText("");
    form.TempWavFile.clear();
    form.Label4.setBackColor(IdleColour);
}

// The record button's stop, all but the end of the score's playback: the
// capture is saved under a newly drawn name.
void endRecording(Form1& form) {
    form.Recording = false;
    form.tmrRecord.setEnabled(false);
    // Without a new name the capture stays under the one it is written to.
    if (std::string name = form.drawTempWavName(); !name.empty())
        form.TempWavFile = std::move(name);
    form.Text6.setText(form.TempWavFile);
    media::mciSendString("stop sound");
    media::mciSendString("close sound");
    endCapture(form);
}

}  // namespace

std::string Form1::drawTempWavName(std::string* failure) {
    const std::string folder = sys::writableDataFolder();
    int error = EEXIST;
    for (int draw = 0; draw < TempNameDraws && error == EEXIST; ++draw) {
        const auto number = static_cast<int>(tempNameRandom() * MaxTempNumber + 1);
        const std::string path = folder + std::to_string(number) + "tmp.wav";
        // Made here, exclusively: no other recording and no file of the
        // user's can hold the name once it is drawn.
        if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
            std::fclose(file);
            return path;
        }
        error = errno;
    }
    if (failure) *failure = error == EEXIST ? "every name tried is taken" : std::strerror(error);
    return {};
}

void Form1::cmdStart_Click() {
    if (Label4.caption() == RecordIdleCaption) {
        // A playback that has just ended leaves its capture for the next
        // timer tick to save; save it now rather than close it unsaved.
        if (tmrRecord.enabled()) saveFinishedCapture();
        std::string failure;
        const std::string name = drawTempWavName(&failure);
        if (name.empty()) {
            forms::msgBox("Cannot start a recording: no new file can be made in " +
                              sys::writableDataFolder() + " (" + failure + ")",
                          MessageCritical);
            return;
        }
        Recording = true;
        TempWavFile = name;
        Text6.setText(TempWavFile);
        Label4.setCaption(RecordRunningCaption);
        media::mciSendString("stop capture");
        media::mciSendString("close capture");
        media::mciSendString("stop sound");
        media::mciSendString("close sound");
        StartTrackRecording();
        return;
    }
    endRecording(*this);
    Command32_Click();
}

void Form1::StartTrackRecording() {
    const audio::RecordingFormat format =
        audio::recordingFormatFor(cbxFormat.list(cbxFormat.listIndex()));
    if (media::mciSendString("open new type waveaudio alias capture") != 0) {
        forms::msgBox("Error opening waveaudio", MessageCritical);
    }
    if (media::mciSendString(audio::setCaptureCommand(format)) != 0) {
        forms::msgBox("Error setting capture recording paramaters", MessageCritical);
        media::mciSendString("close capture");
        removeUnwrittenFile(TempWavFile);
        return;
    }
    // The capture goes to its file as it is recorded.
    media::mciSendString("set capture file " + media::quotePath(TempWavFile));
    // Without an input or a file there is nothing to record: say so instead
    // of showing a recording that would save nothing.
    std::string reason;
    const int started = media::mciSendString("record capture overwrite", reason);
    if (started != 0) {
        forms::msgBox(started == media::CannotWriteFile
                          ? "Error starting the recording: " + TempWavFile + ": " + reason
                          : std::string("Error starting the recording: no sound input"),
                      MessageCritical);
        media::mciSendString("close capture");
        removeUnwrittenFile(TempWavFile);
        return;
    }
    Label4.setBackColor(CapturingColour);
    tmrRecord.setEnabled(true);
    Recording = true;
    // While the score plays already this restarts it and returns at once; the
    // capture is then saved by the record timer when that playback ends.
    PlayAndStop_Click(0);
}

void Form1::WavePosition() {
    media::mciSendString("set capture time format bytes");
    std::string answer;
    if (media::mciSendString("status capture length", answer) != 0) return;
    // Recordings longer than about 3 hours 23 minutes pass the 32-bit range:
    // the count is kept whole.
    Label2.setCaption(answer + " Bytes");
}

void Form1::tmrRecord_Timer() {
    // A capture whose sound server or input went away has stopped by itself:
    // the recording ends, and the score plays on. Asked before the count, so
    // the count shown is the whole take.
    std::string mode;
    const bool cutShort = Recording &&
                          media::mciSendString("status capture mode", mode) == media::Success &&
                          mode == "stopped";
    WavePosition();
    if (cutShort) {
        endRecording(*this);
    } else if (!Recording) {
        saveFinishedCapture();
    }
}

void Form1::saveFinishedCapture() {
    tmrRecord.setEnabled(false);
    endCapture(*this);
    forms::doEvents();
}

void Form1::Command25_Click() {
    // The capture is written only when the recording ends.
    if (tmrRecord.enabled()) {
        forms::msgBox("The recording is still running: stop it before saving");
        return;
    }
    std::error_code error;
    if (TempWavFile.empty() || !std::filesystem::is_regular_file(TempWavFile, error)) {
        forms::msgBox("No Recording to be saved");
        return;
    }
    CommonDialog1.InitDir = AppFolder;
    CommonDialog1.DialogTitle = "Save as Wav";
    CommonDialog1.Filter = "WAV file (*.wav*)|*.wav";
    CommonDialog1.Flags = 1026;
    CommonDialog1.FileName.clear();
    if (!CommonDialog1.showSave()) return;
    ChosenFile = CommonDialog1.FileName;
    if (!ChosenFile.ends_with(".wav")) {
        ChosenFile += ".wav";
        // The dialog asked about the name it returned, not about this one.
        std::error_code error;
        if (std::filesystem::exists(ChosenFile, error) &&
            !forms::askYesNo(ChosenFile + " already exists.\nDo you want to replace it?")) {
            return;
        }
    }
    if (const std::string failure = media::moveFileReplacing(TempWavFile, ChosenFile);
        !failure.empty()) {
        // The recording stays under its temporary name, to be saved elsewhere.
        forms::msgBox("Could not save the recording as " + ChosenFile + ": " + failure,
                      MessageCritical);
        return;
    }
    Text6.setText(ChosenFile);
    TempWavFile.clear();
    Label2.setCaption("");
    forms::doEvents();
}

}  // namespace app
