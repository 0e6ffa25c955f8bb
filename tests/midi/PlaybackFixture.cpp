#include "PlaybackFixture.h"

#include <cstdio>
#include <map>

namespace playbacktest {

void PrintTo(const TimedBytes& message, std::ostream* out) {
    char text[32];
    std::snprintf(text, sizeof text, "%02X %02X %02X", message.bytes[0], message.bytes[1],
                  message.bytes[2]);
    *out << text << " @" << message.at;
}

NoteBalance balanceOf(const std::vector<Bytes>& messages) {
    NoteBalance balance;
    std::map<std::pair<int, int>, std::vector<Bytes>> sounding;
    for (const Bytes& message : messages) {
        const int kind = message[0] & 0xF0;
        const std::pair<int, int> note{message[0] & 0x0F, message[1]};
        if (kind == 0x90) {
            sounding[note].push_back(message);
        } else if (kind == 0x80) {
            auto& ons = sounding[note];
            if (ons.empty()) {
                balance.strayOffs.push_back(message);
            } else {
                ons.pop_back();
            }
        }
    }
    for (const auto& [note, ons] : sounding) {
        balance.unmatchedOns.insert(balance.unmatchedOns.end(), ons.begin(), ons.end());
    }
    return balance;
}

void PlaybackTest::SetUp() {
    ScoreWindowTest::SetUp();
    // Each turn of the event loop is one virtual millisecond, so a wait
    // never blocks for real.
    clock_ = std::make_unique<testsupport::VirtualClock>();
    auto& w = form();
    w.ClearScore();
    w.CursorColumn = 0;
    w.RedrawScore();
    mapper().clear();
}

void PlaybackTest::TearDown() {
    clock_.reset();
    ScoreWindowTest::TearDown();
}

void PlaybackTest::at(std::int64_t when, std::function<void()> action) {
    clock_->at(when, std::move(action));
}

void PlaybackTest::play(std::int64_t limit) {
    playBy([this] { form().PlayAndStop_Click(0); }, limit);
}

void PlaybackTest::playBy(const std::function<void()>& press, std::int64_t limit) {
    bool stoppedByLimit = false;
    at(limit, [this, &stoppedByLimit] {
        stoppedByLimit = true;
        form().Command24_Click();
    });
    clock_->countFromNow();
    press();
    clock_->cancelActions();
    EXPECT_FALSE(stoppedByLimit) << "playback was still running at " << limit << " ms";
}

std::vector<TimedBytes> PlaybackTest::timedMessages() {
    std::vector<TimedBytes> result;
    for (const auto& m : mapper().messages()) {
        result.push_back({{m.status, m.data1, m.data2}, m.tick - clock_->origin()});
    }
    return result;
}

std::vector<TimedBytes> PlaybackTest::noteMessages() {
    std::vector<TimedBytes> notes;
    for (const TimedBytes& m : timedMessages()) {
        const int kind = m.bytes[0] & 0xF0;
        if (kind == 0x80 || kind == 0x90) notes.push_back(m);
    }
    return notes;
}

}  // namespace playbacktest
