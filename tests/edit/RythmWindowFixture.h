#pragma once
// The real main window for the rhythm tools: the Rythm toolbar open, clicks on
// its buttons, text typed into its boxes key by key, and a pattern placed on
// the rhythm tracks.

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <string>

#include "edit/EditWindowFixture.h"
#include "platform/forms/Application.h"

namespace rythmtest {

using namespace edittest;

constexpr int FirstRythmTrack = 8;
constexpr int LastRythmTrack = 12;

class RythmWindowTest : public EditWindowTest {
protected:
    void click(forms::Control& control) {
        QWidget* widget = control.nativeWidget();
        clickOn(widget, {widget->width() / 2, widget->height() / 2});
        forms::doEvents();
    }

    // Replaces the box's text the way a user does: select all, then type.
    void typeInto(forms::TextBox& box, const std::string& text) {
        QWidget* widget = box.nativeWidget();
        QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
        QApplication::sendEvent(widget, &selectAll);
        for (const QChar c : QString::fromStdString(text)) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &key);
        }
    }

    // A one-column note in every column 0..last of each rhythm track, on a
    // row and with an instrument that name its track and column.
    void placeRythmPattern(int last) {
        for (int track = FirstRythmTrack; track <= LastRythmTrack; ++track) {
            for (int column = 0; column <= last; ++column) {
                placeNote(track, patternRow(track, column), column, column,
                          patternInstrument(track, column));
            }
        }
    }
    static int patternRow(int track, int column) { return 56 + (track * 3 + column) % 20; }
    static int patternInstrument(int track, int column) { return 128 + (track + column) % 47; }
};

}  // namespace rythmtest
