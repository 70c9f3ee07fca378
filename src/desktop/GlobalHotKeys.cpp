#include "desktop/GlobalHotKeys.h"

#include <algorithm>
#include <string>

#include "desktop/HiddenWindow.h"

namespace tavrin {

namespace {

constexpr wchar_t kWindowClass[] = L"TavrinGlobalHotKeys";
// Global atoms give each registration an identifier that no other program's hot key has.
constexpr wchar_t kAtomPrefix[] = L"TavrinGlobalHotKey";

}  // namespace

GlobalHotKeys::GlobalHotKeys()
    : window_(CreateHiddenWindow(kWindowClass, WindowProc, this, HiddenWindowKind::MessageOnly)) {}

GlobalHotKeys::~GlobalHotKeys() { ReleaseAllGlobalKeys(); }

std::uint16_t GlobalHotKeys::RegisterGlobalKey(HotKeyValue hotKey) {
    // 0 stands for "no hot key" and is never given to Windows.
    if (hotKey == 0 || !window_) return 0;
    const HotKeyParts parts = DecomposeHotKey(hotKey);
    unique_atom atom(GlobalAddAtomW((kAtomPrefix + std::to_wstring(hotKey)).c_str()));
    if (!atom || !RegisterHotKey(window_.get(), atom.get(), parts.modifiers, parts.key)) return 0;
    const std::uint16_t index = atom.get();
    keys_.push_back({hotKey, std::move(atom)});
    return index;
}

std::uint16_t GlobalHotKeys::ReplaceGlobalKey(std::uint16_t index, HotKeyValue hotKey) {
    const bool known = std::any_of(keys_.begin(), keys_.end(), [&](const Entry& e) { return e.atom.get() == index; });
    if (!known) return 0;
    ReleaseGlobalKey(index);
    return RegisterGlobalKey(hotKey);
}

bool GlobalHotKeys::ReleaseGlobalKey(std::uint16_t index) {
    const auto entry = std::find_if(keys_.begin(), keys_.end(), [&](const Entry& e) { return e.atom.get() == index; });
    if (entry == keys_.end()) return false;
    const bool released = UnregisterHotKey(window_.get(), index);
    keys_.erase(entry);  // deletes the atom
    return released;
}

void GlobalHotKeys::ReleaseAllGlobalKeys() {
    while (!keys_.empty()) ReleaseGlobalKey(keys_.back().atom.get());
}

std::vector<GlobalHotKeys::RegisteredKey> GlobalHotKeys::RegisteredKeys() const {
    std::vector<RegisteredKey> keys;
    for (const Entry& entry : keys_) keys.push_back({entry.hotKey, entry.atom.get()});
    return keys;
}

void GlobalHotKeys::HotKeyMessage(WPARAM wParam, LPARAM lParam) {
    if (!OnHotKeyPressed) return;
    const HotKeyValue hotKey = ComposeHotKey(LOWORD(lParam), HIWORD(lParam));
    // Only a press of one of our own combinations is reported.
    const bool ours = std::any_of(keys_.begin(), keys_.end(), [&](const Entry& e) { return e.hotKey == hotKey; });
    if (ours) OnHotKeyPressed(hotKey, static_cast<std::uint16_t>(wParam));
}

LRESULT CALLBACK GlobalHotKeys::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        GlobalHotKeys* self = HiddenWindowOwner<GlobalHotKeys>(window);
        if (message == WM_HOTKEY && self != nullptr) self->HotKeyMessage(wParam, lParam);
    } catch (...) {
        // The handler reports its own failures; nothing may unwind into Windows.
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tavrin
