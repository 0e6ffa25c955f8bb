#include "support/app/MainWindowFixture.h"

#include "platform/forms/Application.h"

namespace testsupport {

MainWindowTest::MainWindowTest() {
    ensureQtApp();
}

void MainWindowTest::SetUp() {
    mapper_ = std::make_shared<RecordingMidiDevice>("Test mapper");
    std::vector<std::shared_ptr<midiout::Device>> numbered;
    for (int index = 0; index < deviceCount; ++index) {
        devices_.push_back(
            std::make_shared<RecordingMidiDevice>("Test port " + std::to_string(index)));
        numbered.push_back(devices_.back());
    }
    midiout::setDevicesForTesting(realMapper ? nullptr : mapper_, numbered);
    forms::setMessageBoxHook(
        [this](const std::string& text, int /*style*/) { messageBoxes_.push_back(text); });
    forms::setEndProgramHook([](int code) { throw ProgramEnded(code); });
    forms::setAppTitle("Midi Sorvane");

    form_ = std::make_unique<app::Form1>();
    form_->setClientSize(clientWidth, clientHeight);
    form_->Form_Load();
    form_->show();
    forms::doEvents();
}

void MainWindowTest::TearDown() {
    form_.reset();
    forms::setEndProgramHook(nullptr);
    forms::setMessageBoxHook(nullptr);
    midiout::resetDevices();
}

}  // namespace testsupport
