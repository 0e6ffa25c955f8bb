#pragma once
// The real main window for the playback tests, on a virtual clock: time moves
// one millisecond each time the event loop turns, so the playback loop's waits
// end exactly at their deadlines and a 125 ms step takes 125 turns, not 125 ms.
// Things that happen "during playback" are scheduled at virtual times and run
// from the event loop, as a user's action or a timer would.

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/MouseInput.h"
#include "support/app/ScoreWindowFixture.h"
#include "support/app/VirtualClock.h"

namespace playbacktest {

using Bytes = std::array<std::uint8_t, 3>;

// A message the mapper received and the virtual time it arrived, counted
// from the start of play().
struct TimedBytes {
    Bytes bytes;
    std::int64_t at;
    bool operator==(const TimedBytes&) const = default;
};
void PrintTo(const TimedBytes& message, std::ostream* out);

// Note ons that never got a note off of the same channel and key, and note
// offs with no note on before them.
struct NoteBalance {
    std::vector<Bytes> unmatchedOns;
    std::vector<Bytes> strayOffs;
};
NoteBalance balanceOf(const std::vector<Bytes>& messages);

class PlaybackTest : public testsupport::ScoreWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs action from the event loop once the clock, counted from the start
    // of play(), reaches `at`.
    void at(std::int64_t at, std::function<void()> action);
    // Presses Play (PlayAndStop_Click(0)) and returns when playback has
    // ended. A playback still running after `limit` is stopped, and fails.
    void play(std::int64_t limit = 60000);
    // The same, with playback started by `press` (which returns when it ends).
    void playBy(const std::function<void()>& press, std::int64_t limit = 60000);
    // Milliseconds since play() started.
    std::int64_t elapsed() const { return clock_->elapsed(); }

    std::vector<TimedBytes> timedMessages();
    // Only the note ons and note offs.
    std::vector<TimedBytes> noteMessages();
    // Sends a real press and release of the left button to a widget.
    static void clickWidget(QWidget* widget, int x = 5, int y = 5) {
        testsupport::clickOn(widget, {x, y});
    }
    static void pressWidget(QWidget* widget, int x = 5, int y = 5) {
        testsupport::pressOn(widget, {x, y});
    }
    static void releaseWidget(QWidget* widget, int x = 5, int y = 5) {
        testsupport::releaseOn(widget, {x, y});
    }

private:
    std::unique_ptr<testsupport::VirtualClock> clock_;
};

}  // namespace playbacktest
