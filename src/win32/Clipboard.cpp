#include "win32/Clipboard.h"

#include <cstring>

#include "win32/Utf16.h"

namespace tavrin {
namespace {

// Open from OpenClipboard on; closed when it goes.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    [[nodiscard]] bool IsOpen() const noexcept { return open_; }

private:
    bool open_;
};

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    const OpenedClipboard clipboard(owner);
    // The clipboard owns the memory once SetClipboardData has taken it.
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

}  // namespace tavrin
