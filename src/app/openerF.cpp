#include "app/openerF.h"

#include "app/Form1.h"
#include "platform/forms/Application.h"
#include "platform/system/System.h"
#include "platform/time/Clock.h"

namespace app {

namespace {
constexpr int SplashClientWidth = 442;
constexpr int SplashClientHeight = 334;
}  // namespace

openerF::openerF() : forms::Form("openerF"), Image3(*this, "Image3"), Label20(*this, "Label20") {
    setClientSize(SplashClientWidth, SplashClientHeight);
    Image3.setStretch(true);
    Image3.setPicture(forms::Picture::fromResource("splash"));
    Label20.setCaption("sorvane.example.org");
    Label20.setTransparent(true);
    Label20.setForeColor(0xFFFFFF);
    Label20.setAlignment(2);
    Label20.move(0, SplashClientHeight - 22, SplashClientWidth, 16);
    Label20.Click = [this] { Label20_Click(); };
}

openerF::~openerF() = default;

std::unique_ptr<Form1> openerF::Form_Load(int waitMs) {
    if (sys::prevInstance()) forms::endProgram(0);
    setCaption("Midi Sorvane 1.0");
    forms::setAppTitle("Midi Sorvane");
    sys::changeDirectory(sys::appPath());

    centreOnScreen();
    Image3.move(0, 0, scaleWidth(), scaleHeight());

    show();
    forms::setScreenMousePointer(forms::BusyPointer);
    // Measured on the monotonic clock, so the pause is the same at any time of day.
    const std::int64_t deadline = timing::GetTickCount() + waitMs;
    while (timing::GetTickCount() < deadline) forms::waitForEvents(deadline);

    auto mainWindow = std::make_unique<Form1>();
    mainWindow->setSplash(this);
    mainWindow->Form_Load();
    mainWindow->show();
    forms::setScreenMousePointer(forms::DefaultPointer);
    // Over the main window, not over a splash that waits for an answer.
    mainWindow->tellIfNoSoundServer();
    return mainWindow;
}

void openerF::Label20_Click() {
    forms::endProgram(0);
}

}  // namespace app
