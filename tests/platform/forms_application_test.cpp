// The application as a whole: message boxes, the end of the program, the busy
// pointer, event processing, timed waits and timers.

#include <sys/resource.h>

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <stdexcept>

#include "forms_testing.h"
#include "platform/forms/Controls.h"
#include "platform/time/Clock.h"

namespace {

using formstest::FormsTest;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(FormsTest, MessageBoxHookReceivesTextAndStyle) {
    std::vector<std::pair<std::string, int>> shown;
    forms::setMessageBoxHook(
        [&](const std::string& text, int style) { shown.emplace_back(text, style); });
    EXPECT_EQ(forms::msgBox("Error opening waveaudio", 16), 1);
    EXPECT_EQ(forms::msgBox("No Recording to be saved"), 1);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(std::string("Error opening waveaudio"), 16));
    EXPECT_EQ(shown[1].second, 0);
}

TEST_F(FormsTest, MessageBoxCarriesTheApplicationTitle) {
    forms::setAppTitle("Midi Sorvane");
    EXPECT_EQ(forms::appTitle(), "Midi Sorvane");
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    for (const int style : {16, 0}) {
        Seen seen;
        QTimer answer;
        answer.setInterval(20);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = {box->windowTitle(), box->text(), box->icon()};
                box->accept();
            }
        });
        answer.start();
        EXPECT_EQ(forms::msgBox("Error setting capture recording paramaters", style), 1);
        EXPECT_EQ(seen.title, "Midi Sorvane");
        EXPECT_EQ(seen.text, "Error setting capture recording paramaters");
        EXPECT_EQ(seen.icon, style == 16 ? QMessageBox::Critical : QMessageBox::NoIcon);
    }
}

TEST_F(FormsTest, QuestionsAnswerYesOrNo) {
    std::vector<std::string> asked;
    forms::setQuestionHook([&](const std::string& text) {
        asked.push_back(text);
        return asked.size() == 1;
    });
    EXPECT_TRUE(forms::askYesNo("a.sng already exists."));
    EXPECT_FALSE(forms::askYesNo("b.sng already exists."));
    EXPECT_EQ(asked.size(), 2u);
    forms::setQuestionHook(nullptr);

    // The real box defaults to No and carries the application title.
    forms::setAppTitle("Midi Sorvane");
    QString title;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            box->defaultButton()->click();
        }
    });
    answer.start();
    EXPECT_FALSE(forms::askYesNo("c.sng already exists."));
    EXPECT_EQ(title, "Midi Sorvane");
}

TEST_F(FormsTest, EndProgramGoesToTheHook) {
    struct Ended {
        int code;
    };
    forms::setEndProgramHook([](int code) { throw Ended{code}; });
    try {
        forms::endProgram(3);
        FAIL() << "endProgram returned";
    } catch (const Ended& ended) {
        EXPECT_EQ(ended.code, 3);
    }
}

TEST(FormsEndProgram, EndsTheProcessAtOnceWithItsCodeAndOutputFlushed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static char buffer[256];
            std::setvbuf(stderr, buffer, _IOFBF, sizeof buffer);
            std::fputs("written before the end", stderr);
            forms::endProgram(7);
        },
        ::testing::ExitedWithCode(7), "written before the end");
}

TEST_F(FormsTest, BusyPointerCoversEveryWindowUntilRestored) {
    forms::setScreenMousePointer(forms::BusyPointer);
    EXPECT_EQ(forms::screenMousePointer(), forms::BusyPointer);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    forms::setScreenMousePointer(forms::BusyPointer);  // set twice, restored once
    forms::setScreenMousePointer(forms::DefaultPointer);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FormsTest, ScreenSizeInTwips) {
    const QSize pixels = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_FLOAT_EQ(forms::screenWidthTwips(), pixels.width() * 15.0f);
    EXPECT_FLOAT_EQ(forms::screenHeightTwips(), pixels.height() * 15.0f);
}

TEST_F(FormsTest, DoEventsHandlesWhatIsPending) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    forms::doEvents();
    EXPECT_TRUE(ran);
}

TEST_F(FormsTest, WaitForEventsBlocksUntilTheDeadlineWithoutSpinning) {
    forms::doEvents();
    const std::int64_t deadline = timing::GetTickCount() + 200;
    const double cpuBefore = cpuSeconds();
    int returns = 0;
    while (timing::GetTickCount() < deadline) {
        forms::waitForEvents(deadline);
        ++returns;
    }
    const double cpuUsed = cpuSeconds() - cpuBefore;
    EXPECT_GE(timing::GetTickCount(), deadline);
    // A spinning wait would burn the whole 200 ms and return thousands of times.
    EXPECT_LT(cpuUsed, 0.05);
    EXPECT_LT(returns, 100);
}

TEST_F(FormsTest, WaitForEventsReturnsWhenAnEventArrives) {
    bool fired = false;
    QTimer::singleShot(30, [&] { fired = true; });
    const std::int64_t deadline = timing::GetTickCount() + 5000;
    while (!fired && timing::GetTickCount() < deadline) forms::waitForEvents(deadline);
    EXPECT_TRUE(fired);
    EXPECT_LT(timing::GetTickCount(), deadline);
    // A deadline already past handles events and returns at once.
    forms::waitForEvents(timing::GetTickCount() - 10);
}

TEST_F(FormsTest, TimerTicksInsideWaitsAndDoEvents) {
    forms::Timer timer("Timer2", 20);
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    timer.setEnabled(true);
    EXPECT_TRUE(timer.enabled());
    const std::int64_t deadline = timing::GetTickCount() + 300;
    while (timing::GetTickCount() < deadline) forms::waitForEvents(deadline);
    EXPECT_GE(ticks, 2);

    timer.setEnabled(false);
    const int stoppedAt = ticks;
    const std::int64_t later = timing::GetTickCount() + 60;
    while (timing::GetTickCount() < later) forms::waitForEvents(later);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(FormsTest, TimerWithIntervalZeroNeverTicks) {
    forms::Timer timer("tmrRecord", 0);
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    timer.setEnabled(true);
    const std::int64_t deadline = timing::GetTickCount() + 50;
    while (timing::GetTickCount() < deadline) forms::waitForEvents(deadline);
    EXPECT_EQ(ticks, 0);
    timer.setInterval(1);
    while (ticks == 0) forms::waitForEvents(timing::GetTickCount() + 100);
    EXPECT_EQ(timer.interval(), 1);
}

TEST_F(FormsTest, TickHandlerThatProcessesEventsIsNotReentered) {
    forms::Timer timer("tmrRecord", 1);
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    timer.Tick = [&] {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        if (ticks == 1) {
            const std::int64_t until = timing::GetTickCount() + 30;
            while (timing::GetTickCount() < until) forms::waitForEvents(until);
        }
        --depth;
    };
    timer.setEnabled(true);
    while (ticks < 3) forms::waitForEvents(timing::GetTickCount() + 100);
    EXPECT_EQ(deepest, 1);
}

}  // namespace
