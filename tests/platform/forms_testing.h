#pragma once
// What the forms tests share: a shown form to put controls on, and mouse
// input sent through Qt's event delivery as the window system would.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "platform/forms/Application.h"
#include "platform/forms/CommonDialog.h"
#include "platform/forms/Form.h"
#include "platform/surface/Surface.h"
#include "support/QtApp.h"

namespace formstest {

inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    sendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

inline void release(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    sendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

inline void moveTo(QWidget* widget, QPoint at, Qt::MouseButtons held) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

inline void clickAt(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    press(widget, at, button);
    release(widget, at, button);
}

// A form shown offscreen with a 400 x 300 client area.
class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureQtApp();
        form = std::make_unique<forms::Form>("TestForm");
        form->setClientSize(400, 300);
        form->show();
    }
    void TearDown() override {
        forms::setMessageBoxHook(nullptr);
        forms::setQuestionHook(nullptr);
        forms::setEndProgramHook(nullptr);
        forms::CommonDialog::setHook(nullptr);
        forms::setScreenMousePointer(0);
        // Controls make the surfaces show system colours as the desktop does;
        // the tests that follow expect the surfaces' own palette.
        surface::setSystemColourLookup({});
    }

    std::unique_ptr<forms::Form> form;
};

}  // namespace formstest
