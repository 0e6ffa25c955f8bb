#include "platform/forms/Application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/forms/detail/Colours.h"
#include "platform/forms/detail/SurfaceView.h"
#include "platform/time/Clock.h"

namespace forms {

namespace {

std::string& title() {
    static std::string value;
    return value;
}

int screenPointer = 0;

std::function<void(const std::string&, int)>& messageBoxHook() {
    static std::function<void(const std::string&, int)> hook;
    return hook;
}

std::function<void(int)>& endProgramHook() {
    static std::function<void(int)> hook;
    return hook;
}

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

}  // namespace

std::string appTitle() {
    return title();
}

void setAppTitle(const std::string& newTitle) {
    title() = newTitle;
    QCoreApplication::setApplicationName(QString::fromStdString(newTitle));
}

void setScreenMousePointer(int pointer) {
    if (pointer == screenPointer) return;
    if (screenPointer != DefaultPointer) QGuiApplication::restoreOverrideCursor();
    screenPointer = pointer;
    if (pointer != DefaultPointer) QGuiApplication::setOverrideCursor(detail::cursorShape(pointer));
}

int screenMousePointer() {
    return screenPointer;
}

float screenWidthTwips() {
    return static_cast<float>(screenSize().width() * TwipsPerPixel);
}
float screenHeightTwips() {
    return static_cast<float>(screenSize().height() * TwipsPerPixel);
}

void doEvents() {
    detail::SurfaceCanvas::updateChanged();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void waitForEvents(std::int64_t deadlineMs) {
    const std::int64_t remaining = deadlineMs - timing::GetTickCount();
    if (remaining <= 0) {
        doEvents();
        return;
    }
    detail::SurfaceCanvas::updateChanged();
    // The deadline is an event like any other: its timer wakes the wait.
    QTimer deadline;
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.setSingleShot(true);
    deadline.start(static_cast<int>(std::min<std::int64_t>(remaining, 24 * 60 * 60 * 1000)));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

namespace {

// The icon is the style's second digit group: 16 critical, 32 question, 48
// exclamation, 64 information.
QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
        case 16:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int msgBox(const std::string& text, int style) {
    if (const auto hook = messageBoxHook()) {
        hook(text, style);
        return 1;
    }
    QMessageBox box(iconOf(style), QString::fromStdString(appTitle()), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    return 1;
}

void showNotice(const std::string& text, int style) {
    if (const auto hook = messageBoxHook()) {
        hook(text, style);
        return;
    }
    auto* box = new QMessageBox(iconOf(style), QString::fromStdString(appTitle()),
                                QString::fromStdString(text), QMessageBox::Ok,
                                QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void setMessageBoxHook(std::function<void(const std::string& text, int style)> hook) {
    messageBoxHook() = std::move(hook);
}

namespace {
std::function<bool(const std::string&)>& questionHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}
}  // namespace

bool askYesNo(const std::string& text) {
    if (const auto hook = questionHook()) return hook(text);
    QMessageBox box(QMessageBox::Question, QString::fromStdString(appTitle()),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void setQuestionHook(std::function<bool(const std::string& text)> hook) {
    questionHook() = std::move(hook);
}

void endProgram(int exitCode) {
    if (const auto hook = endProgramHook()) hook(exitCode);
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void setEndProgramHook(std::function<void(int exitCode)> hook) {
    endProgramHook() = std::move(hook);
}

}  // namespace forms
