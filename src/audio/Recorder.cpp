// The WAV recorder: a capture of the default input that runs while the score
// plays, saved to a temporary file when the playback ends, and moved to a name
// the user picks by Save Recording.

#include <filesystem>

#include "app/Form1.h"
#include "audio/RecordingFormat.h"
#include "platform/forms/Application.h"
#include "platform/media/MediaControl.h"
#include "platform/system/System.h"

namespace app {

namespace {

const char* const RecordIdleCaption = "Start Recording";
const char* const RecordRunningCaption = "Stop Recording";
constexpr forms::OleColour CapturingColour = 0x00FF00;
constexpr forms::OleColour RecordedColour = 0x0000FF;
constexpr int MessageCritical = 16;
constexpr int MaxTempNumber = 99999;
// A drawn name that exists already is drawn again, a few times at most.
constexpr int TempNameDraws = 20;

std::string saveCaptureCommand(const std::string& path) {
    return "save capture " + media::quotePath(path);
}

}  // namespace

std::string Form1::drawTempWavName() {
    const std::string folder = sys::writableDataFolder();
    std::string path;
    for (int draw = 0; draw < TempNameDraws; ++draw) {
        const auto number = static_cast<int>(sys::rnd() * MaxTempNumber + 1);
        path = folder + std::to_string(number) + "tmp.wav";
        std::error_code error;
        if (!std::filesystem::exists(path, error)) break;
    }
    return path;
}

void Form1::cmdStart_Click() {
    if (Label4.caption() == RecordIdleCaption) {
        // A playback that has just ended leaves its capture for the next
        // timer tick to save; save it now rather than close it unsaved.
        if (tmrRecord.enabled()) saveFinishedCapture();
        Recording = true;
        TempWavFile = drawTempWavName();
        Text6.setText(TempWavFile);
        Label4.setCaption(RecordRunningCaption);
        media::mciSendString("stop capture");
        media::mciSendString("close capture");
        media::mciSendString("stop sound");
        media::mciSendString("close sound");
        StartTrackRecording();
        return;
    }
    Recording = false;
    tmrRecord.setEnabled(false);
    TempWavFile = drawTempWavName();
    Text6.setText(TempWavFile);
    media::mciSendString("stop sound");
    media::mciSendString("close sound");
    media::mciSendString("stop capture");
    media::mciSendString(saveCaptureCommand(TempWavFile));
    media::mciSendString("close capture");
    Label4.setCaption(RecordIdleCaption);
    Label4.setBackColor(RecordedColour);
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
        return;
    }
    // Without an input there is nothing to record: say so instead of showing
    // a recording that would save an empty file.
    if (media::mciSendString("record capture overwrite") != 0) {
        forms::msgBox("Error starting the recording: no sound input", MessageCritical);
        media::mciSendString("close capture");
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
    WavePosition();
    if (!Recording) saveFinishedCapture();
}

void Form1::saveFinishedCapture() {
    tmrRecord.setEnabled(false);
    media::mciSendString("stop capture");
    media::mciSendString(saveCaptureCommand(TempWavFile));
    media::mciSendString("close capture");
    Label4.setCaption(RecordIdleCaption);
    Label4.setBackColor(RecordedColour);
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
    if (!ChosenFile.ends_with(".wav")) ChosenFile += ".wav";
    if (!moveFileReplacing(TempWavFile, ChosenFile)) {
        // The recording stays under its temporary name, to be saved elsewhere.
        forms::msgBox("Could not save the recording as " + ChosenFile, MessageCritical);
        return;
    }
    Text6.setText(ChosenFile);
    TempWavFile.clear();
    Label2.setCaption("");
    forms::doEvents();
}

bool Form1::moveFileReplacing(const std::string& from, const std::string& to) {
    std::error_code error;
    if (std::filesystem::equivalent(from, to, error)) return true;
    // A rename replaces the old file only once the new one is in place.
    std::filesystem::rename(from, to, error);
    if (!error) return true;
    // Across file systems: copy, and remove the original only after the copy.
    error.clear();
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
    std::filesystem::remove(from, error);
    return true;
}

}  // namespace app
