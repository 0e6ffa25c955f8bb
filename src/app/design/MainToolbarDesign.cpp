#include "app/design/MainToolbarDesign.h"

#include "app/design/DesignHelpers.h"

namespace app {

using design::placeButton;

MainToolbarDesign::MainToolbarDesign(forms::Form& form)
    : toolbMenu(form, "toolbMenu"),
      Cmdsetup(toolbMenu, "Cmdsetup"),
      CmdEdit(toolbMenu, "CmdEdit"),
      CmdCompose(toolbMenu, "CmdCompose"),
      CmdRythm(toolbMenu, "CmdRythm"),
      CmdMidi(toolbMenu, "CmdMidi"),
      Command21(toolbMenu, "Command21"),
      CmdPlay(toolbMenu, "CmdPlay"),
      Command32(toolbMenu, "Command32"),
      Cmdhelp(toolbMenu, "Cmdhelp"),
      Command3(toolbMenu, "Command3"),
      Timer2("Timer2", 100),
      Command1(toolbMenu, "Command1", "Command1"),
      Text1(toolbMenu, "Text1"),
      Text2(toolbMenu, "Text2"),
      Picture1(toolbMenu, "Picture1") {
    design::setUpToolbarPanel(toolbMenu, 27, true);

    constexpr int top = 1;
    constexpr int size = 25;
    int left = 3;
    for (auto [button, picture, tip] :
         {std::tuple{&Cmdsetup, "toolbar-setup", "Setup Toolbar"},
          std::tuple{&CmdEdit, "toolbar-edit", "Editing Toolbar"},
          std::tuple{&CmdCompose, "toolbar-compose", "Compose Toolbar"},
          std::tuple{&CmdRythm, "toolbar-rythm", "Rythm Toolbar"},
          std::tuple{&CmdMidi, "toolbar-play", "Play Toolbar"},
          std::tuple{&Command21, "toolbar-record", "Recording Toolbar"},
          std::tuple{&CmdPlay, "toolbar-instrument", "Instrument Toolbar"}}) {
        placeButton(*button, picture, tip, left, top, size);
        left += size + 1;
    }
    left += 10;
    for (auto [button, picture, tip] :
         {std::tuple{&Command32, "stop-all-sound", "Stop all sound"},
          std::tuple{&Cmdhelp, "help", "Help"}, std::tuple{&Command3, "exit", "Exit"}}) {
        placeButton(*button, picture, tip, left, top, size);
        left += size + 1;
    }

    Timer2.setEnabled(false);

    // Below the panel's 27 pixels, so never seen.
    Command1.move(3, 40, 80, 24);
    Text1.move(90, 40, 40, 20);
    Text2.move(135, 40, 40, 20);
    // The stamp's source: a note head on the button-face colour, which the
    // stamp leaves transparent.
    Picture1.move(180, 40, 16, 16);
    Picture1.setBackColor(0x8000000F);
    Picture1.cls();
    Picture1.surface().setFillStyle(surface::FillStyle::Solid);
    Picture1.surface().setFillColour(0x000000);
    Picture1.surface().circle(7, 7, 5, 0x000000);
    Picture1.surface().setFillStyle(surface::FillStyle::Transparent);
}

}  // namespace app
