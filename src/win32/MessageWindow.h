// The one hidden window of the process through which the non-visual components
// (tray icon, global hot keys, timers) receive their messages. It is made when the
// first listener subscribes and destroyed with the last. It is a hidden top-level
// window rather than a message-only one: it must receive broadcasts such as
// "TaskbarCreated" and be able to hold the foreground while the tray menu is open.
// Everything runs on the user-interface thread.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "win32/BaseWindow.h"

namespace tavrin {

class MessageWindow : public BaseWindow<MessageWindow> {
public:
    // A listener answers a message it handles and returns nothing for the others.
    using Listener = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    // Keeps a listener subscribed for its lifetime.
    class Subscription {
    public:
        Subscription() = default;
        explicit Subscription(int id) noexcept : id_(id) {}
        Subscription(Subscription&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
        Subscription& operator=(Subscription&& other) noexcept;
        ~Subscription();

    private:
        int id_ = 0;
    };

    [[nodiscard]] static Subscription Subscribe(Listener listener);
    // The shared window; null while nobody listens.
    [[nodiscard]] static HWND Window() noexcept;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    MessageWindow();
    static void Unsubscribe(int id) noexcept;
};

}  // namespace tavrin
