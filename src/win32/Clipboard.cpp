#include "win32/Clipboard.h"

#include <cstring>
#include <string>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {

// The clipboard owns the memory once it has taken it.
bool PutClipboardText(HWND owner, std::string_view utf8) {
    const std::wstring text = Widen(utf8);
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    unique_hglobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* const target = GlobalLock(memory.get());
    if (!target) return false;
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    if (!OpenClipboard(owner)) return false;
    const bool taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory.get());
    CloseClipboard();
    if (taken) (void)memory.release();
    return taken;
}

}  // namespace tavrin
