// The application as a whole: message boxes and questions, the end of the
// program, the busy pointer, event processing, timed waits, timers, and the
// common Open / Save dialog driven as the user drives it.

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <cstdio>
#include <ctime>
#include <tuple>

#include "forms_testing.h"
#include "support/TempFolder.h"

namespace {

using namespace formstest;

TEST_F(FormsTest, MessageBoxesAndQuestionsCarryTheTitleOrGoToTheirHooks) {
    forms::setAppTitle("Midi Sorvane");
    EXPECT_EQ(forms::appTitle(), "Midi Sorvane");
    QString seen;  // each box's icon number, and the last one's title and text
    // Answers the box on top with a button (its default for NoButton).
    auto answer = [&seen](QMessageBox::StandardButton button) -> DialogDriver::Step {
        return [&seen, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return false;
            seen = seen.left(seen.indexOf(' ')) + QString::number(box->icon()) + " " +
                   box->windowTitle() + ": " + box->text();
            (button ? box->button(button) : box->defaultButton())->click();
            return true;
        };
    };
    for (const int style : {0, 16, 32, 48, 64}) {
        DialogDriver driver({answer(QMessageBox::Ok)});
        EXPECT_EQ(forms::msgBox("Error opening waveaudio", style), 1);
    }
    DialogDriver driver({answer(QMessageBox::NoButton), answer(QMessageBox::Yes)});
    EXPECT_FALSE(forms::askYesNo("a.sng already exists."));
    EXPECT_TRUE(forms::askYesNo("b.sng already exists."));
    EXPECT_EQ(seen, "0342144 Midi Sorvane: b.sng already exists.");

    std::string hooked;
    forms::setMessageBoxHook(
        [&](const std::string& text, int style) { hooked += text + std::to_string(style) + ", "; });
    forms::setQuestionHook([&](const std::string& text) {
        hooked += text + ", ";
        return text == "yes?";
    });
    EXPECT_EQ(forms::msgBox("No Recording to be saved", 16), 1);
    forms::showNotice("Kept", 16);
    EXPECT_TRUE(forms::askYesNo("yes?"));
    EXPECT_FALSE(forms::askYesNo("no?"));
    EXPECT_EQ(hooked, "No Recording to be saved16, Kept16, yes?, no?, ");
    forms::setMessageBoxHook(nullptr);
    forms::setQuestionHook(nullptr);
}

// A notice returns at once and stays on screen until its OK, which closes it.
TEST_F(FormsTest, ANoticeIsShownWithoutWaitingAndGoesWithItsOk) {
    forms::showNotice("The recording stopped early", 16);
    QMessageBox* shown = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) shown = box;
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), "The recording stopped early");
    EXPECT_EQ(shown->icon(), QMessageBox::Critical);
    QPointer<QMessageBox> box(shown);
    shown->button(QMessageBox::Ok)->click();
    forms::doEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());
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

TEST_F(FormsTest, BusyPointerCoversEveryWindowUntilRestoredAndScreenSizeIsInTwips) {
    forms::setScreenMousePointer(forms::BusyPointer);
    forms::setScreenMousePointer(forms::BusyPointer);  // set twice, restored once
    EXPECT_EQ(forms::screenMousePointer(), forms::BusyPointer);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    forms::setScreenMousePointer(forms::DefaultPointer);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const QSize pixels = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(QSizeF(forms::screenWidthTwips(), forms::screenHeightTwips()), pixels * 15.0);
}

TEST_F(FormsTest, DoEventsHandlesWhatIsPendingAndWaitsSleepUntilAnEventOrTheDeadline) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    forms::doEvents();
    EXPECT_TRUE(ran);
    forms::waitForEvents(timing::GetTickCount() - 10);  // a deadline past returns at once
    QTimer::singleShot(30, [&] { ran = false; });
    const std::int64_t start = timing::GetTickCount();
    waitMs(5000, [&] { return !ran; });
    EXPECT_LT(timing::GetTickCount() - start, 4000);

    // A spinning wait would burn the whole 300 ms and return thousands of times.
    const std::clock_t cpuBefore = std::clock();
    int returns = 0;
    waitMs(300, [&] { return ++returns < 0; });
    EXPECT_LT(double(std::clock() - cpuBefore) / CLOCKS_PER_SEC, 0.1);
    EXPECT_LT(returns, 100);
}

TEST_F(FormsTest, TimerTicksInsideWaitsOneTickAtATimeUntilDisabled) {
    forms::Timer timer("tmrRecord", 0);
    int ticks = 0;
    int depth = 0;
    int deepest = 0;
    timer.Tick = [&] {
        deepest = std::max(deepest, ++depth);
        if (++ticks == 1) waitMs(30);  // a handler that waits is not entered again
        --depth;
    };
    timer.setEnabled(true);
    waitMs(50);  // an interval of 0 never ticks
    EXPECT_EQ(ticks, 0);
    timer.setInterval(24 * 60 * 60 * 1000);
    timer.setInterval(1);  // a new interval starts the count anew
    waitMs(5000, [&] { return ticks >= 3; });
    timer.setEnabled(false);
    const int stoppedAt = ticks;
    waitMs(60);
    EXPECT_GE(stoppedAt, 3);
    EXPECT_EQ(ticks, stoppedAt);
    EXPECT_EQ(deepest, 1);
}

// Each row types a name (none: cancels), clicks Open or Save, answers the
// message that comes up with the button given and cancels what is still open.
// One dialog serves every row, so a row that chooses nothing keeps FileName.
TEST_F(FormsTest, TheFileDialogTakesATypedNameAsItStandsOrSaysWhyNot) {
    testsupport::TempFolder folder;
    const QString typed = "My \"Take\" 1.SNG";
    const std::string chosen = folder.file(typed.toStdString());
    const std::tuple<QString, bool, QMessageBox::StandardButton, const char*, bool> rows[] = {
        {"", true, QMessageBox::Ok, "", false},
        {typed, true, QMessageBox::Ok, "", true},
        {typed, false, QMessageBox::Ok, "", true},
        {typed, true, QMessageBox::No, "1.SNG already exists.\nDo you want", false},
        {typed, true, QMessageBox::Yes, "already exists", true},
        {"No Folder/a.sng", true, QMessageBox::Ok, "folder \"", false},
        {QString(300, 'x'), true, QMessageBox::Ok, "longer than 255 bytes", false},
        {"Not \"Here\".sng", false, QMessageBox::Ok, "the file does not exist", false}};
    forms::CommonDialog dialog;
    dialog.Filter = "Score (*.sng)|*.sng;*.crd|All files (*.*)|*.*|*.mid";
    dialog.DialogTitle = "Open a score";
    dialog.FileName = "*.sng";
    dialog.InitDir = folder.path();
    for (const auto& [name, saving, answer, says, chooses] : rows) {
        SCOPED_TRACE(name.toStdString() + (saving ? " saved" : " opened"));
        const std::string before = dialog.FileName;
        QString seen, message;
        bool clicked = false;
        auto typeAndClick = [&](QWidget* modal) {
            auto* box = qobject_cast<QFileDialog*>(modal);
            if (!box) return false;
            seen = box->windowTitle() + "|" + box->directory().path() + "|" +
                   box->nameFilters().join(";");
            box->findChild<QLineEdit*>("fileNameEdit")->setText(name);
            QPushButton* accept =
                box->findChild<QDialogButtonBox*>("buttonBox")
                    ->button(saving ? QDialogButtonBox::Save : QDialogButtonBox::Open);
            auto click = [&, box, accept] {
                name.isEmpty() ? box->reject() : accept->click();
                clicked = true;
            };
            QMetaObject::invokeMethod(box, click, Qt::QueuedConnection);
            return true;
        };
        auto answerMessage = [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return clicked;
            message = box->text();
            box->button(answer) ? box->button(answer)->click() : box->reject();
            return true;
        };
        auto cancelTheRest = [&](QWidget* modal) {
            if (clicked) static_cast<QDialog*>(modal)->reject();
            return false;
        };
        DialogDriver driver({typeAndClick, answerMessage, cancelTheRest});
        EXPECT_EQ(saving ? dialog.showSave() : dialog.showOpen(), chooses);
        EXPECT_EQ(seen, "Open a score|" + QString::fromStdString(folder.path()) +
                            "|Score (*.sng *.crd);All files (*);*.mid (*.mid)");
        EXPECT_TRUE(message.contains(says) && message.isEmpty() == !*says) << message.toStdString();
        EXPECT_EQ(dialog.FileName, chooses ? chosen : before);
        EXPECT_TRUE(!(chooses && saving) ||
                    QFile(QString::fromStdString(chosen)).open(QFile::WriteOnly));
    }
    EXPECT_EQ(QDir(QString::fromStdString(folder.path())).entryList(QDir::Files),
              QStringList{typed});

    // Tests answer through the hook instead.
    std::string asked;
    forms::CommonDialog::setHook([&](const forms::CommonDialog& d, bool saving) {
        asked += d.DialogTitle + (saving ? " save, " : " open, ");
        return saving ? std::string() : std::string("/tmp/new.sng");
    });
    EXPECT_TRUE(dialog.showOpen());
    EXPECT_FALSE(dialog.showSave());
    EXPECT_EQ(dialog.FileName + ": " + asked,
              "/tmp/new.sng: Open a score open, Open a score save, ");
}

}  // namespace
