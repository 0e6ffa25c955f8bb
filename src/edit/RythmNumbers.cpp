// The rhythm tools' numbers: "Beats" never above "Repeat", and the two slider
// strips that set them.

#include <string>

#include "app/Form1.h"
#include "edit/RythmPattern.h"

namespace app {

namespace {

std::int16_t sliderValueAt(const forms::Label& strip, float X) {
    return edit::rythmSliderValue(X, static_cast<float>(strip.width()) * strip.mouseScale());
}

}  // namespace

// Setting Text5 raises this rule once more, which then finds the two equal.
void Form1::keepBeatsWithinRepeat() {
    if (edit::rythmNumber(Text4.text()) < edit::rythmNumber(Text5.text())) {
        Text5.setText(Text4.text());
    }
}

void Form1::Text4_Change() {
    keepBeatsWithinRepeat();
}

void Form1::Text5_Change() {
    keepBeatsWithinRepeat();
}

void Form1::Label5_MouseDown(int /*Button*/, int /*Shift*/, float X, float /*Y*/) {
    Text5.setText(std::to_string(sliderValueAt(Label5, X)));
}

void Form1::Label5_MouseMove(int Button, int /*Shift*/, float X, float /*Y*/) {
    const std::int16_t value = sliderValueAt(Label5, X);
    if (Button == forms::LeftButton) Text5.setText(std::to_string(value));
    Label5.setToolTipText("Beats = " + std::to_string(value));
}

void Form1::Label7_MouseDown(int /*Button*/, int /*Shift*/, float X, float /*Y*/) {
    Text4.setText(std::to_string(sliderValueAt(Label7, X)));
}

void Form1::Label7_MouseMove(int Button, int /*Shift*/, float X, float /*Y*/) {
    const std::int16_t value = sliderValueAt(Label7, X);
    if (Button == forms::LeftButton) Text4.setText(std::to_string(value));
    Label7.setToolTipText("Repeat every " + std::to_string(value));
}

}  // namespace app
