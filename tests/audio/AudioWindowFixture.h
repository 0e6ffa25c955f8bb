#pragma once
// The main window for the recorder and player tests: every file the recorder
// draws a name for is removed afterwards, and no media alias outlives a test.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "support/app/MainWindowFixture.h"

namespace audiotest {

class AudioWindowTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Remembers a file to remove at the end of the test.
    void removeLater(const std::string& path) { created_.insert(path); }
    // Remembers the names the recorder shows now (TempWavFile and Text6).
    void removeRecorderFilesLater();
    // Lets the event loop run until the condition holds or the limit passes.
    bool runEventsUntil(const std::function<bool()>& condition, int limitMs);
    struct Message {
        std::string text;
        int style;
        bool operator==(const Message&) const = default;
    };
    // The message boxes shown so far, with their styles.
    const std::vector<Message>& messages() const { return messages_; }
    // Yes/No questions are answered with answer (No until set) and kept.
    bool answer = false;
    const std::vector<std::string>& questions() const { return questions_; }

private:
    std::vector<Message> messages_;
    std::vector<std::string> questions_;
    std::set<std::string> created_;
};

}  // namespace audiotest
