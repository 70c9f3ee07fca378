#include "win32/MessageWindow.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "win32/ScopeExit.h"

namespace tavrin {
namespace {

struct Subscriber {
    int id;
    std::shared_ptr<MessageWindow::Listener> listener;
};

struct Shared {
    std::unique_ptr<MessageWindow> window;
    std::vector<Subscriber> subscribers;
    int nextId = 1;
    int dispatching = 0;        // nesting depth of HandleMessage: menus and dialogs run message loops
    bool destroyLater = false;  // the last listener left while a message was being handled
};
Shared shared;

}  // namespace

MessageWindow::MessageWindow() { Create(L"TavrinMessageWindow", {}, {.style = WS_POPUP}); }

MessageWindow::Subscription& MessageWindow::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        Unsubscribe(id_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

MessageWindow::Subscription::~Subscription() { Unsubscribe(id_); }

MessageWindow::Subscription MessageWindow::Subscribe(Listener listener) {
    shared.destroyLater = false;
    if (!shared.window) shared.window.reset(new MessageWindow());
    const int id = shared.nextId++;
    shared.subscribers.push_back({id, std::make_shared<Listener>(std::move(listener))});
    return Subscription(id);
}

void MessageWindow::Unsubscribe(int id) noexcept {
    if (id == 0) return;
    std::erase_if(shared.subscribers, [id](const Subscriber& s) { return s.id == id; });
    if (!shared.subscribers.empty()) return;
    if (shared.dispatching == 0) {
        shared.window.reset();
    } else {
        shared.destroyLater = true;
    }
}

HWND MessageWindow::Window() noexcept { return shared.window ? shared.window->Handle() : nullptr; }

// A listener may unsubscribe itself or others, even the last one: each is looked
// up afresh and kept alive while it runs, and a window that nobody listens to
// any more is destroyed once the outermost message is handled.
LRESULT MessageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = Handle();
    std::optional<LRESULT> result;
    {
        ++shared.dispatching;
        const ScopeExit dispatched([] { --shared.dispatching; });
        std::vector<int> ids;
        for (const Subscriber& subscriber : shared.subscribers) ids.push_back(subscriber.id);
        for (const int id : ids) {
            const auto found = std::find_if(shared.subscribers.begin(), shared.subscribers.end(),
                                            [id](const Subscriber& s) { return s.id == id; });
            if (found == shared.subscribers.end()) continue;
            const std::shared_ptr<Listener> listener = found->listener;
            result = (*listener)(message, wParam, lParam);
            if (result) break;
        }
    }
    if (shared.dispatching == 0 && std::exchange(shared.destroyLater, false) && shared.subscribers.empty()) {
        shared.window.reset();  // this object is gone from here on
        return result.value_or(0);
    }
    return result ? *result : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tavrin
