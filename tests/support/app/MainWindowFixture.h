#pragma once
// The real main window for tests: loaded as start-up loads it (without the
// splash's wait), offscreen, with recording MIDI devices in place of the
// system's, message boxes and the end of the program caught.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "support/QtApp.h"
#include "support/RecordingMidiDevice.h"
#include "support/TempFolder.h"

namespace testsupport {

// Thrown where the program would end the process.
struct ProgramEnded : std::runtime_error {
    explicit ProgramEnded(int code) : std::runtime_error("program ended"), exitCode(code) {}
    int exitCode;
};

class MainWindowTest : public ::testing::Test {
protected:
    // The application exists before any member of a derived fixture is made.
    MainWindowTest();
    void SetUp() override;
    void TearDown() override;

    // Numbered devices the system reports during SetUp; tests set it first
    // through their own SetUp before calling this one.
    int deviceCount = 0;
    // The built-in synthesizer as the mapper, in place of a recording device.
    bool realMapper = false;
    // Start-up as the program runs it: through the splash, without its pause.
    bool throughSplash = false;
    // The client area the window is shown with.
    int clientWidth = 750;
    int clientHeight = 600;

    app::Form1& form() { return *form_; }
    RecordingMidiDevice& mapper() { return *mapper_; }
    RecordingMidiDevice& device(int index) { return *devices_.at(index); }
    const std::vector<std::string>& messageBoxes() const { return messageBoxes_; }
    // For each message box, the names of the program's windows on screen as
    // it came, in name order.
    const std::vector<std::string>& windowsAtMessageBoxes() const { return windowsAtMessageBoxes_; }

private:
    std::unique_ptr<app::Form1> form_;
    std::shared_ptr<RecordingMidiDevice> mapper_;
    std::vector<std::shared_ptr<RecordingMidiDevice>> devices_;
    std::vector<std::string> messageBoxes_;
    std::vector<std::string> windowsAtMessageBoxes_;
    std::unique_ptr<TempFolder> lockFolder_;
};

}  // namespace testsupport
