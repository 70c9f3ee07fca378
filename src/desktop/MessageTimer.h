// A timer that ticks through window messages on the user-interface thread.
#pragma once

#include <functional>

#include "win32/MessageWindow.h"

namespace tavrin {

// Each running timer is a Windows timer of the shared message window, identified by
// the timer's address.
class MessageTimer {
public:
    MessageTimer();
    ~MessageTimer();
    MessageTimer(const MessageTimer&) = delete;
    MessageTimer& operator=(const MessageTimer&) = delete;

    // Milliseconds between ticks; an interval of 0 never runs. A running timer restarts.
    void SetInterval(unsigned milliseconds);
    [[nodiscard]] unsigned Interval() const noexcept { return interval_; }
    void SetEnabled(bool enabled);
    [[nodiscard]] bool Enabled() const noexcept { return enabled_; }
    // Whether the timer is running with Windows.
    [[nodiscard]] bool Running() const noexcept { return running_; }

    // Stop after the first tick.
    bool OneShot = false;
    std::function<void()> OnTimer;

private:
    void Tick();
    void Update();

    unsigned interval_ = 1000;
    bool enabled_ = false;
    bool running_ = false;
    MessageWindow::Subscription subscription_;
};

}  // namespace tavrin
