#pragma once
// What the forms tests share: a shown form to put controls on, a log of the
// events a control raises, a driver for modal dialogs, and a paint count.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/Application.h"
#include "platform/forms/CommonDialog.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/time/Clock.h"
#include "support/MouseInput.h"
#include "support/QtApp.h"

namespace formstest {

using namespace testsupport;

// The help viewer's tests click through this name.
inline void clickAt(QWidget* widget, QPoint at) {
    clickOn(widget, at);
}

// Handles events until the clock reaches now + ms, or sooner once done().
inline void waitMs(
    int ms, const std::function<bool()>& done = [] { return false; }) {
    const std::int64_t deadline = timing::GetTickCount() + ms;
    while (timing::GetTickCount() < deadline && !done()) forms::waitForEvents(deadline);
}

// A form shown offscreen with a 400 x 300 client area.
class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureQtApp();
        form = std::make_unique<forms::Form>("TestForm");
        form->setClientSize(400, 300);
        form->show();
    }
    void TearDown() override {
        forms::setMessageBoxHook(nullptr);
        forms::setQuestionHook(nullptr);
        forms::CommonDialog::setHook(nullptr);
        // Controls make the surfaces show system colours as the desktop does;
        // the tests that follow expect the surfaces' own palette.
        surface::setSystemColourLookup({});
    }
    // Paints come only once the window system shows the window.
    void waitUntilExposed() {
        waitMs(5000, [&] { return form->nativeWindow()->windowHandle()->isExposed(); });
        ASSERT_TRUE(form->nativeWindow()->windowHandle()->isExposed());
        forms::doEvents();
    }
    std::unique_ptr<forms::Form> form;
};

// The events a control raises, as "down 1 0 5,5" (Button, Shift, X,Y), "move
// ...", "up ..." and "click", each followed by ", ".
inline void logEvents(forms::Control& control, std::string& log) {
    auto record = [&log](const char* kind) {
        return [&log, kind](const forms::MouseEventArgs& a) {
            log += QString::asprintf("%s %d %d %g,%g, ", kind, a.Button, a.Shift, a.X, a.Y)
                       .toStdString();
        };
    };
    control.MouseDown = record("down");
    control.MouseMove = record("move");
    control.MouseUp = record("up");
    control.Click = [&log] { log += "click, "; };
}

// Runs each step on the modal dialog or message box on top, one per poll,
// while its own loop runs; a step returns true when it is done.
struct DialogDriver {
    using Step = std::function<bool(QWidget* modal)>;
    explicit DialogDriver(std::vector<Step> steps) : steps(std::move(steps)) {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && done < this->steps.size() && this->steps[done](modal)) ++done;
        });
        timer.start(25);
    }
    std::vector<Step> steps;
    std::size_t done = 0;
    QTimer timer;
};

struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

}  // namespace formstest
