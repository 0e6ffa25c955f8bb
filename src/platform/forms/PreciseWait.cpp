#include "platform/forms/PreciseWait.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include "platform/forms/Application.h"
#include "platform/time/Clock.h"
#include "platform/time/PromptWakeups.h"

namespace forms {

namespace {

using timing::MicrosPerMilli;
constexpr long NanosPerMicro = 1000;
constexpr std::int64_t MicrosPerSecond = 1'000'000;

// Qt's own timers count whole milliseconds and wake up to one late; a timer
// descriptor in the event loop's poll wakes it at the microsecond.
class DeadlineWake {
public:
    DeadlineWake() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {}
    ~DeadlineWake() {
        delete notifier_;
        if (fd_ >= 0) ::close(fd_);
    }
    DeadlineWake(const DeadlineWake&) = delete;
    DeadlineWake& operator=(const DeadlineWake&) = delete;

    const QObject* notifier() const { return notifier_.data(); }

    // False when no timer descriptor could be made.
    bool arm(std::int64_t remainingMicros) {
        if (fd_ < 0 || QCoreApplication::instance() == nullptr) return false;
        if (notifier_.isNull()) {
            // Owned by the application, so it goes with it.
            notifier_ =
                new QSocketNotifier(fd_, QSocketNotifier::Read, QCoreApplication::instance());
            QObject::connect(notifier_.data(), &QSocketNotifier::activated, [fd = fd_] {
                std::uint64_t expirations = 0;
                [[maybe_unused]] const auto got = ::read(fd, &expirations, sizeof expirations);
            });
        }
        itimerspec when{};
        when.it_value.tv_sec = static_cast<time_t>(remainingMicros / MicrosPerSecond);
        when.it_value.tv_nsec =
            static_cast<long>(remainingMicros % MicrosPerSecond) * NanosPerMicro;
        return timerfd_settime(fd_, 0, &when, nullptr) == 0;
    }

private:
    int fd_;
    QPointer<QSocketNotifier> notifier_;
};

// A real-time priority held for the wait is not for the handlers it runs:
// before any event but the deadline's own wake is handled, the thread steps
// aside, and the waiter takes the priority again before it waits on.
class HandlersStepAside : public QObject {
public:
    explicit HandlersStepAside(const DeadlineWake& wake) : wake_(wake) {}
    bool waiting = false;

protected:
    bool eventFilter(QObject* receiver, QEvent*) override {
        if (waiting && receiver != wake_.notifier()) timing::PromptWakeups::stepAsideForHandlers();
        return false;
    }

private:
    const DeadlineWake& wake_;
};

}  // namespace

void waitForEventsUntilMicros(std::int64_t deadlineMicros) {
    static DeadlineWake wake;
    static QPointer<HandlersStepAside> stepAside;
    if (stepAside.isNull() && QCoreApplication::instance() != nullptr) {
        // Owned by the application, so it goes with it.
        stepAside = new HandlersStepAside(wake);
        stepAside->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(stepAside);
    }
    const bool outerWaiting = stepAside && stepAside->waiting;
    if (stepAside) stepAside->waiting = true;
    const std::int64_t remaining = deadlineMicros - timing::microsecondTicks();
    if (remaining <= 0) {
        doEvents();
    } else {
        wake.arm(remaining);
        // The millisecond wait's own timer, rounded up, only backs the precise one.
        waitForEvents(timing::GetTickCount() + (remaining + MicrosPerMilli - 1) / MicrosPerMilli);
    }
    if (stepAside) stepAside->waiting = outerWaiting;
}

}  // namespace forms
