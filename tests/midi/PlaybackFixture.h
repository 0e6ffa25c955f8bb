#pragma once
// The real main window for the playback tests, on a virtual clock: time moves
// one millisecond each time the event loop turns, so the playback loop's waits
// end exactly at their deadlines and a 125 ms step takes 125 turns, not 125 ms.
// Things that happen "during playback" are scheduled at virtual times and run
// from the event loop, as a user's action or a timer would.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "support/MouseInput.h"
#include "support/app/ScoreWindowFixture.h"
#include "support/app/VirtualClock.h"

namespace playbacktest {

class PlaybackTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs action from the event loop once play()'s clock reaches `when`. An
    // action that has not run when playback ends fails the test.
    void at(std::int64_t when, std::function<void()> action);
    // Presses Play (or runs `press`, which returns when playback has ended).
    // A playback still running after `limit` is stopped, and fails.
    void play(const std::function<void()>& press = {}, std::int64_t limit = 60000);
    // Milliseconds from the start of the last play() to its end.
    std::int64_t elapsed() const { return clock_->elapsed(); }
    // What the mapper received since play() began, as "time:SSDDDD" items
    // (virtual milliseconds, then the three bytes in hexadecimal) joined by
    // blanks: only the note ons and offs unless `all`.
    std::string sent(bool all = false);

    static void click(forms::Control& control, int x = 5) {
        testsupport::clickOn(control.nativeWidget(), {x, 5});
    }

private:
    std::unique_ptr<testsupport::VirtualClock> clock_;
    int scheduled_ = 0;
    int ran_ = 0;
};

}  // namespace playbacktest
