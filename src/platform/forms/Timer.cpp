#include <QTimer>

#include "platform/forms/Controls.h"

namespace forms {

struct Timer::Impl {
    QTimer timer;
    // A tick whose handler processes events must not run the handler again
    // inside itself: a 1 ms timer would nest without end.
    bool ticking = false;
};

Timer::Timer(std::string name, int intervalMs)
    : impl_(std::make_unique<Impl>()), name_(std::move(name)), interval_(intervalMs) {
    impl_->timer.setTimerType(Qt::PreciseTimer);
    impl_->timer.setObjectName(QString::fromStdString(name_));
    QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] {
        if (impl_->ticking) return;
        impl_->ticking = true;
        const auto handler = Tick;
        if (handler) handler();
        impl_->ticking = false;
    });
}

Timer::~Timer() = default;

void Timer::setInterval(int ms) {
    interval_ = ms;
    setEnabled(enabled_);
}

// An interval of 0 never ticks; a new interval starts the count anew.
void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled_ && interval_ > 0) {
        if (!impl_->timer.isActive() || impl_->timer.interval() != interval_) {
            impl_->timer.start(interval_);
        }
    } else {
        impl_->timer.stop();
    }
}

}  // namespace forms
