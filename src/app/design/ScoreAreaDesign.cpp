#include "app/design/ScoreAreaDesign.h"

#include "app/design/DesignHelpers.h"

namespace app {

namespace {
constexpr int RulerTop = 10;
constexpr int RulerHeight = 17;
constexpr int ScoreBoxLeft = 45;
constexpr int ScoreBoxTop = 28;
// The band starts above the numbers and reaches down to the score box, so its
// edge never runs through a number or "Note #".
constexpr int RulerBandTop = 2;
constexpr int RulerBandHeight = ScoreBoxTop - RulerBandTop;
constexpr int FirstSpareTopBar = 15;
constexpr int LastSpareTopBar = 18;
constexpr int DesignedRulerLabels = 14;
constexpr forms::OleColour ScoreAreaColour = 0xF2ECE8;
constexpr forms::OleColour RulerBandColour = 0xE6D8CC;
}  // namespace

ScoreAreaDesign::ScoreAreaDesign(forms::Form& form)
    : Picmain(form, "Picmain"),
      Image1(Picmain, "Image1"),
      Shape2(Picmain, "Shape2"),
      Label10(Picmain, "Label10", "Note #"),
      SideBar(Picmain, "SideBar"),
      TopBarOverlay(Picmain, "TopBarOverlay"),
      MusicBox(Picmain, "MusicBox"),
      HScroll1(Picmain, "HScroll1", forms::ScrollBar::Orientation::Horizontal),
      VScroll1(Picmain, "VScroll1", forms::ScrollBar::Orientation::Vertical),
      SwapScreen(Picmain, "SwapScreen"),
      BlueBox(Picmain, "BlueBox"),
      GreenBox(Picmain, "GreenBox"),
      RedBox(Picmain, "RedBox"),
      Image29(Picmain, "Image29") {
    Picmain.setBackColor(ScoreAreaColour);
    Picmain.setAlign(1);

    Image1.setStretch(true);
    Image1.setPicture(forms::Picture::fromResource("score-background"));
    Image1.move(0, 0, 800, 400);

    Shape2.setFillColor(RulerBandColour);
    Shape2.setBorderColor(RulerBandColour);
    Shape2.setFillTransparent(false);
    Shape2.move(-12, RulerBandTop, 700, RulerBandHeight);

    Label10.setTransparent(true);
    Label10.setFontPixelSize(9);
    Label10.move(12, 11, 40, 14);

    SideBar.setTransparent(true);
    SideBar.setLineSpacing(12);
    SideBar.setFontPixelSize(9);
    SideBar.move(20, 29, 33, 176);

    for (int index = 0; index < DesignedRulerLabels; ++index) addRulerLabel(index);
    for (int index = FirstSpareTopBar; index <= LastSpareTopBar; ++index) {
        auto& spare = TopBar.add(index, Picmain, "TopBar");
        spare.setVisible(false);
    }

    // Over the whole ruler, numbers included, exactly above the score box: a
    // press anywhere over a column's place names that column.
    TopBarOverlay.setTransparent(true);
    TopBarOverlay.move(ScoreBoxLeft, RulerBandTop, 481, RulerBandHeight);

    MusicBox.setBackColor(0xFFFFFF);
    MusicBox.setFocusable(true);
    // The pencil shown while a note is drawn; its tip is the hot spot.
    MusicBox.setMouseIcon(forms::Picture::fromResource("draw-cursor"), 11, 20);
    MusicBox.move(ScoreBoxLeft, ScoreBoxTop, 481, 157);

    HScroll1.move(45, 186, 481, 13);
    VScroll1.move(527, 27, 12, 157);

    // Pixel stores and tint sources: part of the window, never shown.
    SwapScreen.setVisible(false);
    BlueBox.setVisible(false);
    BlueBox.setBackColor(0xFF0000);
    GreenBox.setVisible(false);
    GreenBox.setBackColor(0x00FF00);
    GreenBox.setWidth(12);
    RedBox.setVisible(false);
    RedBox.setBackColor(0x0000FF);
    RedBox.setWidth(12);

    Image29.setPicture(forms::Picture::fromResource("hide-marker"));
    Image29.move(0, 0, 17, 23);
    Image29.setVisible(false);
}

forms::Label& ScoreAreaDesign::addRulerLabel(int index) {
    auto& label = TopBar.add(index, Picmain, "TopBar");
    label.setTransparent(true);
    label.setVisible(false);
    label.move(0, RulerTop, 36, RulerHeight);
    // The overlay lies over the ruler, so a press on a number reaches it.
    TopBarOverlay.zOrder(0);
    return label;
}

}  // namespace app
