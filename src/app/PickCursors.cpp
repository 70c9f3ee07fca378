#include "app/PickCursors.h"

namespace tavrin {
namespace {

// OLE's drag and drop shows these cursors of ole32.dll, which every program
// that takes file drops has loaded: the arrow carrying an item to be moved
// and the same with a plus sign for a copy.
constexpr WORD kOleMoveCursor = 2;
constexpr WORD kOleCopyCursor = 3;

HCURSOR OleCursor(WORD id, const wchar_t* fallback) noexcept {
    const HMODULE ole = GetModuleHandleW(L"ole32.dll");
    const HCURSOR cursor = ole ? LoadCursorW(ole, MAKEINTRESOURCEW(id)) : nullptr;
    return cursor ? cursor : LoadCursorW(nullptr, fallback);
}

}  // namespace

HCURSOR SwapPickCursor() noexcept {
    static const HCURSOR cursor = OleCursor(kOleMoveCursor, IDC_SIZEALL);
    return cursor;
}

HCURSOR CopyPickCursor() noexcept {
    static const HCURSOR cursor = OleCursor(kOleCopyCursor, IDC_CROSS);
    return cursor;
}

}  // namespace tavrin
