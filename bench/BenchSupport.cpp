#include "BenchSupport.h"

#include <QApplication>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/forms/Application.h"

namespace benchsupport {

void ensureApplication(const std::shared_ptr<midiout::Device>& mapper) {
    static int argc = 1;
    static char name[] = "sorvane-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [&] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (mapper) midiout::setDevicesForTesting(mapper, {});
        return new QApplication(argc, argv);
    }();
    (void)instance;
}

std::unique_ptr<app::Form1> loadMainWindow(int width, int height) {
    auto window = std::make_unique<app::Form1>();
    window->setClientSize(width, height);
    window->Form_Load();
    window->show();
    forms::doEvents();
    return window;
}

std::unique_ptr<app::Form1> loadWideWindow() {
    auto window = loadMainWindow(WideWidth, WideHeight);
    for (forms::PictureBox* toolbar :
         {&window->toolbSetup, &window->toolbEdit, &window->toolbPlay, &window->toolbRythm,
          &window->ToolbCompose, &window->toolbMIDI, &window->ToolbRecord}) {
        toolbar->setVisible(false);
    }
    window->FirstRow = FirstShownRow;
    window->Form_Resize();
    return window;
}

bool hasExpectedView(const app::Form1& window, benchmark::State& state) {
    if (window.ColumnSpan + 1 == ViewColumns && window.RowSpan + 1 == ViewRows) return true;
    state.SkipWithError("the window did not lay out a 154 x 60 view");
    return false;
}

void resetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

void fillDenseScore(app::Form1& window) {
    for (int track = 0; track < score::TrackCount; ++track) {
        const int length = 1 + track % 4;
        int row = FirstShownRow;
        for (int column = 0; column < score::ColumnCount; ++column) {
            if (column % length == 0) {
                row = FirstShownRow + (column * 7 + track * 11) % ViewRows;
                window.Notes[track][column] = static_cast<std::int16_t>(row);
            } else {
                window.Notes[track][column] = static_cast<std::int16_t>(score::HeldOffset + row);
            }
        }
    }
}

}  // namespace benchsupport
