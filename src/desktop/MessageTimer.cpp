#include "desktop/MessageTimer.h"

#include <windows.h>

namespace tavrin {

MessageTimer::MessageTimer()
    : subscription_(MessageWindow::Subscribe([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
          if (message != WM_TIMER || wParam != reinterpret_cast<WPARAM>(this)) return std::nullopt;
          Tick();
          return 0;
      })) {}

MessageTimer::~MessageTimer() {
    enabled_ = false;
    Update();
}

void MessageTimer::SetInterval(unsigned milliseconds) {
    interval_ = milliseconds;
    Update();
}

void MessageTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void MessageTimer::Update() {
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (running_) KillTimer(MessageWindow::Window(), id);
    running_ = enabled_ && interval_ > 0 && SetTimer(MessageWindow::Window(), id, interval_, nullptr) != 0;
}

void MessageTimer::Tick() {
    if (OneShot) SetEnabled(false);
    // The handler may destroy this timer: nothing of it is touched afterwards.
    if (OnTimer) OnTimer();
}

}  // namespace tavrin
