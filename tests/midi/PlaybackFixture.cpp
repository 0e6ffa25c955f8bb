#include "PlaybackFixture.h"

#include <cstdio>

namespace playbacktest {

void PlaybackTest::SetUp() {
    ScoreWindowTest::SetUp();
    clock_ = std::make_unique<testsupport::VirtualClock>();
    form().ClearScore();
    form().CursorColumn = 0;
    mapper().clear();
}

void PlaybackTest::TearDown() {
    clock_.reset();
    ScoreWindowTest::TearDown();
}

void PlaybackTest::at(std::int64_t when, std::function<void()> action) {
    ++scheduled_;
    clock_->at(when, [this, action = std::move(action)] {
        ++ran_;
        action();
    });
}

void PlaybackTest::play(const std::function<void()>& press, std::int64_t limit) {
    bool stoppedByLimit = false;
    clock_->at(limit, [this, &stoppedByLimit] {
        stoppedByLimit = true;
        form().Command24_Click();
    });
    clock_->countFromNow();
    if (press) {
        press();
    } else {
        form().PlayAndStop_Click(0);
    }
    clock_->cancelActions();
    EXPECT_FALSE(stoppedByLimit) << "playback was still running at " << limit << " ms";
    EXPECT_EQ(ran_, scheduled_) << "actions scheduled during playback never ran";
    ran_ = scheduled_ = 0;
}

std::string PlaybackTest::sent(bool all) {
    std::string text;
    for (const auto& m : mapper().messages()) {
        const int kind = m.status & 0xF0;
        if (!all && kind != 0x80 && kind != 0x90) continue;
        char item[40];
        std::snprintf(item, sizeof item, "%s%lld:%02X%02X%02X", text.empty() ? "" : " ",
                      static_cast<long long>(m.tick - clock_->origin()), m.status, m.data1,
                      m.data2);
        text += item;
    }
    return text;
}

}  // namespace playbacktest
