#pragma once
// Shared pieces of the GUI tests: showing a window for real input, counting
// beeps and failures, a fake repeat timer and a fake clock.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QWidget>

#include "controls/beep.h"
#include "controls/event_guard.h"
#include "controls/repeat_timer.h"

namespace lk63::test {

// Shows a top-level window, makes it active and lets it lay itself out.
inline void ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    QApplication::processEvents();
}

// Sends a key to whatever widget has the input focus, as the keyboard would.
inline void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the input focus";
    QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
}

inline void Type(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, text);
}

// Asks a widget for its hint at `pos`, as the platform does after a pause.
inline void AskForHint(QWidget* w, const QPoint& pos) {
    QHelpEvent e(QEvent::ToolTip, pos, w->mapToGlobal(pos));
    QApplication::sendEvent(w, &e);
}

class TBeepCounter {
public:
    TBeepCounter() : previous_(SetBeepHook(&Count)) { count_ = 0; }
    ~TBeepCounter() { SetBeepHook(previous_); }
    [[nodiscard]] int Beeps() const { return count_; }

private:
    static void Count() { ++count_; }
    static inline int count_ = 0;
    TBeepHook previous_;
};

class TFailureCatcher {
public:
    TFailureCatcher() : previous_(SetExceptionHandler(&Catch)) { messages_.clear(); }
    ~TFailureCatcher() { SetExceptionHandler(previous_); }
    [[nodiscard]] const std::vector<std::string>& Messages() const { return messages_; }

private:
    static void Catch(const char* message) { messages_.emplace_back(message); }
    static inline std::vector<std::string> messages_;
    TExceptionHandler previous_;
};

// A repeat timer fired by hand; it records every interval asked of it.
class TFakeTimer final : public TRepeatTimer {
public:
    void Start(int intervalMs) override {
        active_ = true;
        intervals.push_back(intervalMs);
    }
    void SetInterval(int intervalMs) override { intervals.push_back(intervalMs); }
    void Stop() override { active_ = false; }
    [[nodiscard]] bool Active() const override { return active_; }
    void Fire() {
        if (active_ && OnTimer) OnTimer();
    }
    std::vector<int> intervals;

private:
    bool active_ = false;
};

// Hands out fake timers while it lives and keeps a pointer to each.
class TFakeTimers {
public:
    TFakeTimers()
        : previous_(SetRepeatTimerFactory([this] {
              auto timer = std::make_unique<TFakeTimer>();
              created.push_back(timer.get());
              return timer;
          })) {}
    ~TFakeTimers() { SetRepeatTimerFactory(previous_); }
    std::vector<TFakeTimer*> created;

private:
    TRepeatTimerFactory previous_;
};

// A clock moved by hand.
struct TFakeClock {
    std::int64_t now = 1'000'000;
    auto Function() {
        return [this] { return now; };
    }
};

}  // namespace lk63::test
