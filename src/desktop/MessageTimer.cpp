#include "desktop/MessageTimer.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "desktop/HiddenWindow.h"
#include "shell/UniqueResource.h"

namespace tavrin {

namespace {

constexpr wchar_t kWindowClass[] = L"TavrinMessageTimers";

// The window shared by all timers of the process (all on the user-interface thread),
// and the live timers, so that a late tick never reaches a timer that is gone.
struct TSharedTimerWindow {
    unique_hwnd window;
    std::vector<TMessageTimer*> timers;
};
TSharedTimerWindow shared;

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_TIMER) return DefWindowProcW(window, message, wParam, lParam);
    try {
        auto* timer = reinterpret_cast<TMessageTimer*>(wParam);
        if (std::find(shared.timers.begin(), shared.timers.end(), timer) != shared.timers.end()) timer->Tick();
    } catch (...) {
        // The tick's handler reports its own failures; nothing may unwind into Windows.
    }
    return 0;
}

}  // namespace

TMessageTimer::TMessageTimer() {
    if (shared.timers.empty()) {
        shared.window = CreateHiddenWindow(kWindowClass, TimerWindowProc, nullptr, THiddenWindowKind::MessageOnly);
    }
    shared.timers.push_back(this);
}

TMessageTimer::~TMessageTimer() {
    enabled_ = false;
    Update();
    std::erase(shared.timers, this);
    if (shared.timers.empty()) shared.window.reset();
}

void TMessageTimer::SetInterval(unsigned milliseconds) {
    interval_ = milliseconds;
    Update();
}

void TMessageTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void TMessageTimer::Update() {
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (running_) KillTimer(shared.window.get(), id);
    running_ = enabled_ && interval_ > 0 && SetTimer(shared.window.get(), id, interval_, nullptr) != 0;
}

void TMessageTimer::Tick() {
    if (OneShot) SetEnabled(false);
    // The handler may destroy this timer: nothing of it is touched afterwards.
    if (OnTimer) OnTimer();
}

}  // namespace tavrin
