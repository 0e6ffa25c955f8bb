#include "support/app/MainWindowFixture.h"

#include <QApplication>
#include <QStringList>
#include <QWidget>
#include <cstdlib>
#include <optional>

#include "app/openerF.h"
#include "platform/forms/Application.h"
#include "platform/system/System.h"

namespace testsupport {

namespace {

std::string shownWindows() {
    QStringList names;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) names << window->objectName();
    }
    names.sort();
    return names.join(' ').toStdString();
}

// Takes this process's instance lock in the given folder, so that a program
// running meanwhile cannot make the start-up a second instance.
void takeInstanceLockIn(const std::string& folder) {
    std::optional<std::string> runtime;
    if (const char* value = std::getenv("XDG_RUNTIME_DIR")) runtime = value;
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    sys::prevInstance();
    runtime ? setenv("XDG_RUNTIME_DIR", runtime->c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace

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
    forms::setMessageBoxHook([this](const std::string& text, int /*style*/) {
        messageBoxes_.push_back(text);
        windowsAtMessageBoxes_.push_back(shownWindows());
    });
    forms::setEndProgramHook([](int code) { throw ProgramEnded(code); });
    forms::setAppTitle("Midi Sorvane");

    if (throughSplash) {
        lockFolder_ = std::make_unique<TempFolder>();
        takeInstanceLockIn(lockFolder_->path());
        app::openerF splash;
        form_ = splash.Form_Load(0);
        form_->setClientSize(clientWidth, clientHeight);
    } else {
        form_ = std::make_unique<app::Form1>();
        form_->setClientSize(clientWidth, clientHeight);
        form_->Form_Load();
        form_->show();
    }
    forms::doEvents();
}

void MainWindowTest::TearDown() {
    form_.reset();
    forms::setEndProgramHook(nullptr);
    forms::setMessageBoxHook(nullptr);
    midiout::resetDevices();
}

}  // namespace testsupport
