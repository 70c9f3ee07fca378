#include "desktop/MessageTimer.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "desktop/HiddenWindow.h"
#include "win32/UniqueResource.h"

namespace tavrin {

namespace {

constexpr wchar_t kWindowClass[] = L"TavrinMessageTimers";

// The window shared by all timers of the process (all on the user-interface thread),
// and the live timers, so that a late tick never reaches a timer that is gone.
struct SharedTimerWindow {
    unique_hwnd window;
    std::vector<MessageTimer*> timers;
};
SharedTimerWindow shared;

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_TIMER) return DefWindowProcW(window, message, wParam, lParam);
    try {
        auto* timer = reinterpret_cast<MessageTimer*>(wParam);
        if (std::find(shared.timers.begin(), shared.timers.end(), timer) != shared.timers.end()) timer->Tick();
    } catch (...) {
        // The tick's handler reports its own failures; nothing may unwind into Windows.
    }
    return 0;
}

}  // namespace

MessageTimer::MessageTimer() {
    if (shared.timers.empty()) {
        shared.window = CreateHiddenWindow(kWindowClass, TimerWindowProc, nullptr, HiddenWindowKind::MessageOnly);
    }
    shared.timers.push_back(this);
}

MessageTimer::~MessageTimer() {
    enabled_ = false;
    Update();
    std::erase(shared.timers, this);
    if (shared.timers.empty()) shared.window.reset();
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
    if (running_) KillTimer(shared.window.get(), id);
    running_ = enabled_ && interval_ > 0 && SetTimer(shared.window.get(), id, interval_, nullptr) != 0;
}

void MessageTimer::Tick() {
    if (OneShot) SetEnabled(false);
    // The handler may destroy this timer: nothing of it is touched afterwards.
    if (OnTimer) OnTimer();
}

}  // namespace tavrin
