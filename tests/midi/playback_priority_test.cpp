// The playback steps on the real clock: the window thread waits for each step
// and sends its notes at a real-time priority, and whatever handler the wait
// runs meanwhile (a dialog opened during playback, with its own event loop)
// runs without it.

#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/midiout/MidiOut.h"
#include "platform/system/RealtimePriority.h"
#include "platform/time/PromptWakeups.h"
#include "support/app/MainWindowFixture.h"

namespace playbacktest {
namespace {

using namespace std::chrono_literals;

// Notes down, with the priority each note on was sent at.
class PriorityProbe : public midiout::Device {
public:
    std::string name() const override { return "Priority probe"; }
    bool open() override { return true; }
    void close() override {}
    void send(std::uint8_t status, std::uint8_t, std::uint8_t) override {
        if ((status & 0xF0) == 0x90) realtimeSends.push_back(onRealtime());
    }
    static bool onRealtime() { return sys::threadRunsRealtime(sys::currentThreadId()); }
    std::vector<bool> realtimeSends;
};

class PlaybackPriority : public testsupport::MainWindowTest {};

TEST_F(PlaybackPriority, StepsWaitAndSendRealtimeAndHandlersRunWithout) {
    timing::PromptWakeups::prepare();
    for (int tries = 0; tries < 300 && !timing::PromptWakeups::available(); ++tries) {
        std::this_thread::sleep_for(10ms);
    }
    if (!timing::PromptWakeups::available()) {
        GTEST_SKIP() << "no real-time priority for this user";
    }
    auto probe = std::make_shared<PriorityProbe>();
    midiout::setDevicesForTesting(probe, {});
    auto& w = form();
    w.Device_Click(0);
    w.ClearScore();
    for (int column = 0; column < 8; ++column) w.Notes[0][column] = 60;
    w.TempoLabel.setCaption("120");
    w.CursorColumn = 0;

    // A dialog opened from a handler during playback: its own event loop,
    // whose handlers run while it is open.
    std::vector<bool> handlersRealtime;
    QTimer::singleShot(300ms, [&] {
        handlersRealtime.push_back(PriorityProbe::onRealtime());
        QEventLoop dialog;
        QTimer::singleShot(50ms, [&] { handlersRealtime.push_back(PriorityProbe::onRealtime()); });
        QTimer::singleShot(200ms, &dialog, &QEventLoop::quit);
        dialog.exec();
        handlersRealtime.push_back(PriorityProbe::onRealtime());
    });
    w.PlayAndStop_Click(0);
    midiout::resetDevices();

    ASSERT_EQ(probe->realtimeSends.size(), 8u);
    for (std::size_t step = 0; step < probe->realtimeSends.size(); ++step) {
        EXPECT_TRUE(probe->realtimeSends[step]) << "step " << step;
    }
    ASSERT_EQ(handlersRealtime.size(), 3u) << "the dialog did not run during playback";
    for (const bool realtime : handlersRealtime) EXPECT_FALSE(realtime);
    EXPECT_FALSE(PriorityProbe::onRealtime()) << "kept after playback";
}

}  // namespace
}  // namespace playbacktest
