#include "AudioWindowFixture.h"

#include <filesystem>

#include "platform/forms/Application.h"
#include "platform/forms/CommonDialog.h"
#include "platform/media/MediaControl.h"
#include "platform/time/Clock.h"

namespace audiotest {

void AudioWindowTest::SetUp() {
    MainWindowTest::SetUp();
    forms::setMessageBoxHook([this](const std::string& text, int style) {
        messages_.push_back({text, style});
    });
    forms::setQuestionHook([this](const std::string& text) {
        questions_.push_back(text);
        return answer;
    });
}

void AudioWindowTest::TearDown() {
    removeRecorderFilesLater();
    forms::CommonDialog::setHook(nullptr);
    forms::setQuestionHook(nullptr);
    MainWindowTest::TearDown();
    media::closeAllMedia();
    for (const std::string& path : created_) {
        std::error_code error;
        if (!path.empty()) std::filesystem::remove(path, error);
    }
}

void AudioWindowTest::removeRecorderFilesLater() {
    removeLater(form().TempWavFile);
    removeLater(form().Text6.text());
}

bool AudioWindowTest::runEventsUntil(const std::function<bool()>& condition, int limitMs) {
    const std::int64_t deadline = timing::GetTickCount() + limitMs;
    while (!condition()) {
        if (timing::GetTickCount() > deadline) return false;
        forms::waitForEvents(timing::GetTickCount() + 10);
    }
    return true;
}

}  // namespace audiotest
