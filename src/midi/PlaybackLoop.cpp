// The playback loop: the score plays column by column from the cursor column,
// one step period apart, inside the click that started it. Between steps the
// loop blocks in the event loop, so Stop, scrolling, the tempo slider and a new
// Play press all run while it plays.

#include <algorithm>

#include "app/Form1.h"
#include "platform/forms/PreciseWait.h"
#include "platform/time/Clock.h"
#include "platform/time/PromptWakeups.h"
#include "score/NumberText.h"

namespace app {

namespace {

// Column 1000 holds notes but is never in view.
constexpr int LastViewColumn = score::LastColumn - 1;
constexpr int StepsPerBeat = 15;  // a tempo's beat in sixteenth notes, per second
constexpr int MillisecondsPerSecond = 1000;
using timing::MicrosPerMilli;
const char* const RecordIdleCaption = "Start Recording";

// Clears a flag however the scope is left, a test's thrown end included.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

void Form1::PlayAndStop_Click(int Index) {
    if (Index != 0) {
        UnlockPlaybackControls();
        Playing = false;
        Label4.setCaption(RecordIdleCaption);
        return;
    }
    Playing = true;
    LockPlaybackControls();
    PlaySong();
}

void Form1::Command24_Click() {
    PlayAndStop(0).setValue(false);
    UnlockPlaybackControls();
    Playing = false;
}

void Form1::Command11_Click() {
    PlayAndStop_Click(0);
}

void Form1::PlaySong() {
    // A Play press while the score plays starts it afresh inside the running
    // loop, so the end steps still run once.
    if (playbackLoopRunning) {
        startPlayback();
        return;
    }
    const FlagScope loopRunning(playbackLoopRunning);
    startPlayback();
    for (;;) {
        // Playing is tested before each wait only: a stop during a wait lets
        // that step play.
        while (Playing) {
            {
                // Woken at the deadline however busy the machine is, until the
                // step's notes are out; the bar, the redraws and whatever
                // handlers the wait runs go without.
                const timing::PromptWakeups prompt;
                waitForStepDeadline();
                beginStep();
                PlayNotes();
            }
            AdvancePlayColumn();
        }
        // The last column sounds for a whole step.
        waitForStepDeadline();
        // A Play press during that wait has started playback again.
        if (!Playing) break;
    }
    finishPlayback();
}

void Form1::beginStep() {
    stepStartMicros = timing::microsecondTicks();
    StepTick = stepStartMicros / MicrosPerMilli;
    if (notesEndAtNextStep) {
        notesEndAtNextStep = false;
        stopSoundingNotes();
    }
}

void Form1::startPlayback(bool loopingBack) {
    // A cursor set outside the score starts at its nearest column.
    const auto startColumn =
        static_cast<std::int16_t>(std::clamp<int>(CursorColumn, 0, score::LastColumn));
    if (startColumn > FirstColumn + ColumnSpan || startColumn < FirstColumn) {
        FirstColumn = startColumn;
        LastVisibleColumn = score::saturate16(startColumn + ColumnSpan);
        if (startColumn > LastViewColumn - ColumnSpan) {
            LastVisibleColumn = LastViewColumn;
            FirstColumn = static_cast<std::int16_t>(LastViewColumn - ColumnSpan);
        }
    }
    PlayColumn = startColumn;
    // No strip is saved before the first bar: there is nothing to put back yet.
    HScroll1.setValue(HalfColumns + FirstColumn);
    CursorSaved = false;
    ViewRedrawn = false;
    RedrawScore();

    // Whatever a restarted playback left sounding ends before the tracks start
    // afresh; a loop lets the last column sound for its whole step first, and
    // keeps the beat: its next step comes one period after the last one.
    notesEndAtNextStep = loopingBack;
    if (!loopingBack) {
        stopSoundingNotes();
        beginStep();
    }
    LastCell.fill(score::EmptyCell);
    CurInstrument.fill(-1);
    FindLastColumn();
    setStepMsFromTempo(score::leadingNumber(TempoLabel.caption()));
}

void Form1::setStepMsFromTempo(double tempo) {
    const auto wholeTempo = score::roundToInt16(tempo);
    if (!wholeTempo) return;
    const auto beats = score::roundToInt16(*wholeTempo / static_cast<double>(StepsPerBeat));
    // A tempo below 8 (or below zero) gives no period: the one before stays.
    if (!beats || *beats <= 0) return;
    StepMs = std::max(1, MillisecondsPerSecond / *beats);
}

void Form1::waitForStepDeadline() {
    for (;;) {
        // Previews started during playback end here, on time, without
        // touching the step's deadline.
        endDuePreviews();
        // Read afresh on each pass: a restart and the tempo slider may move it
        // while the loop waits.
        const std::int64_t deadline = stepStartMicros + std::int64_t{StepMs} * MicrosPerMilli;
        // Handlers run by the last pass went without the step's priority.
        timing::PromptWakeups::resume();
        if (timing::microsecondTicks() >= deadline) return;
        forms::waitForEventsUntilMicros(std::min(deadline, nextPreviewEndMicros()));
    }
}

void Form1::finishPlayback() {
    notesEndAtNextStep = false;
    stopSoundingNotes();
    RedrawScore();
    CursorSaved = false;
    Recording = false;
    Label4.setCaption(RecordIdleCaption);
    UnlockPlaybackControls();
    Command32_Click();
}

void Form1::Command32_Click() {
    Playing = false;
    stopMediaAliases();
    Device_Click(Combo2.listIndex());
}

}  // namespace app
