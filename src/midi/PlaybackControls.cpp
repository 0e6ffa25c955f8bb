// The controls around playback: Play and Stop as push buttons, the editing
// controls locked while the score plays, and the tempo slider.

#include <algorithm>
#include <string>

#include "app/Form1.h"
#include "score/NumberText.h"

namespace app {

namespace {

// The slider reads the pointer in twips; a fifth of that is the tempo, and the
// slider's 98 pixels span tempos up to 294.
constexpr double TwipsPerTempo = 5.0;
constexpr int SlowestTempo = 1;
constexpr int FastestTempo = 294;

std::int16_t sliderTempo(float x) {
    const double tempo = std::clamp(x / TwipsPerTempo, double{SlowestTempo}, double{FastestTempo});
    return score::roundToInt16(tempo).value_or(SlowestTempo);
}

// Exactly these eleven, in this order; everything else stays usable while the
// score plays.
void enableEditingControls(Form1& form, bool enabled) {
    form.FunctionsFrame.setEnabled(enabled);
    form.EditTrackFrame.setEnabled(enabled);
    form.MuteTrackFrame.setEnabled(enabled);
    form.TransposeFrame.setEnabled(enabled);
    form.Combo1.setEnabled(enabled);
    form.RewindBut.setEnabled(enabled);
    form.mnuNewScore.setEnabled(enabled);
    form.mnuOpen.setEnabled(enabled);
    form.mnuSave.setEnabled(enabled);
    form.mnuSaveAs.setEnabled(enabled);
    form.mnuSaveAsMid.setEnabled(enabled);
}

}  // namespace

void Form1::LockPlaybackControls() {
    enableEditingControls(*this, false);
}

void Form1::UnlockPlaybackControls() {
    enableEditingControls(*this, true);
}

void Form1::PlayAndStop_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                  float /*Y*/) {
    if (Index != 0) UnlockPlaybackControls();
}

// Neither button stays selected, so every press plays or stops anew.
void Form1::PlayAndStop_MouseUp(int Index, int /*Button*/, int /*Shift*/, float /*X*/,
                                float /*Y*/) {
    if (forms::OptionButton* button = PlayAndStop.find(Index)) button->setValue(false);
}

void Form1::PlayAndStop_GotFocus(int /*Index*/) {
    MusicBox.setFocus();
}

void Form1::Label8_MouseDown(int Button, int /*Shift*/, float X, float /*Y*/) {
    if (Button != forms::LeftButton) return;
    Tempo = sliderTempo(X);
    setStepMsFromTempo(Tempo);
    TempoLabel.setCaption(std::to_string(Tempo));
}

void Form1::Label8_MouseMove(int Button, int Shift, float X, float Y) {
    if ((Button & forms::LeftButton) != 0) Label8_MouseDown(forms::LeftButton, Shift, X, Y);
    Label8.setToolTipText("Tempo = " + std::to_string(sliderTempo(X)));
}

}  // namespace app
