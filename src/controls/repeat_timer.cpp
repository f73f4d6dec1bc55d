#include "controls/repeat_timer.h"

#include <QTimer>

#include "controls/event_guard.h"

namespace lk63 {
namespace {

class TQtRepeatTimer final : public TRepeatTimer {
public:
    TQtRepeatTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            Guarded([&] {
                if (OnTimer) OnTimer();
            });
        });
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void SetInterval(int intervalMs) override { timer_.setInterval(intervalMs); }
    void Stop() override { timer_.stop(); }
    [[nodiscard]] bool Active() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

TRepeatTimerFactory& Factory() {
    static TRepeatTimerFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<TRepeatTimer> CreateRepeatTimer() {
    if (Factory()) return Factory()();
    return std::make_unique<TQtRepeatTimer>();
}

TRepeatTimerFactory SetRepeatTimerFactory(TRepeatTimerFactory factory) {
    TRepeatTimerFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

}  // namespace lk63
