#pragma once
// The timer behind a button's auto-repeat, behind an interface so that tests
// can fire it by hand instead of waiting for it.

#include <functional>
#include <memory>

namespace lk63 {

class TRepeatTimer {
public:
    virtual ~TRepeatTimer() = default;
    virtual void Start(int intervalMs) = 0;
    // Changes the interval of a running timer for its next firing.
    virtual void SetInterval(int intervalMs) = 0;
    virtual void Stop() = 0;
    [[nodiscard]] virtual bool Active() const = 0;

    std::function<void()> OnTimer;
};

using TRepeatTimerFactory = std::function<std::unique_ptr<TRepeatTimer>()>;

std::unique_ptr<TRepeatTimer> CreateRepeatTimer();
// Installs `factory` (an empty one restores the Qt timer); returns the previous one.
TRepeatTimerFactory SetRepeatTimerFactory(TRepeatTimerFactory factory);

}  // namespace lk63
