#pragma once
// The main window for the recorder and player tests: message boxes kept with
// their styles, questions answered, every file the recorder draws a name for
// removed afterwards, and no media alias outliving a test.

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/CommonDialog.h"
#include "platform/media/MediaControl.h"
#include "platform/time/Clock.h"
#include "support/AudioCapture.h"
#include "support/PrivateSoundServer.h"
#include "support/TempFolder.h"
#include "support/app/MainWindowFixture.h"

namespace audiotest {

class AudioWindowTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        forms::setMessageBoxHook([this](const std::string& text, int style) {
            messages.push_back({text, style});
        });
        forms::setQuestionHook([this](const std::string& text) {
            questions.push_back(text);
            return answer;
        });
    }
    void TearDown() override {
        removeRecorderFilesLater();
        forms::CommonDialog::setHook(nullptr);
        forms::setQuestionHook(nullptr);
        MainWindowTest::TearDown();
        media::closeAllMedia();
        std::error_code ignored;
        for (const std::string& path : created_) std::filesystem::remove(path, ignored);
    }

    void removeLater(const std::string& path) { created_.insert(path); }
    // The names the recorder shows now (TempWavFile and Text6) are removed at
    // the end of the test.
    void removeRecorderFilesLater() {
        for (const std::string& path : {form().TempWavFile, form().Text6.text()})
            if (!path.empty()) created_.insert(path);
    }
    // Lets window events run until the condition holds; false after the limit.
    static bool runEventsUntil(const std::function<bool()>& condition) {
        return testsupport::waitFor(condition, std::chrono::seconds(10),
                                    [] { forms::waitForEvents(timing::GetTickCount() + 10); });
    }

    struct Message {
        std::string text;
        int style;
        bool operator==(const Message&) const = default;
    };
    std::vector<Message> messages;
    std::vector<std::string> questions;
    bool answer = false;  // to every Yes/No question
    testsupport::TempFolder folder;

private:
    std::set<std::string> created_;
};

// A window fixture on a sound server of the test's own, which the test stops
// and starts again as a desktop restarts its server. Everything the window
// connects to, from its start on, is that server.
template <typename Window>
class OnOwnSoundServer : public Window {
protected:
    void SetUp() override {
        const bool started = server.start();
        inUse_.emplace(server);
        Window::SetUp();
        ASSERT_TRUE(started) << "the test's own sound server starts";
    }
    void TearDown() override {
        Window::TearDown();
        inUse_.reset();
    }
    testsupport::PrivateSoundServer server;

private:
    std::optional<testsupport::SoundServerInUse> inUse_;
};

}  // namespace audiotest
