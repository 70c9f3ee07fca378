#include "dialogs/HotKeyField.h"

#include <commctrl.h>

namespace tavrin {
namespace {

bool IsExtendedKey(unsigned key) {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE || key == VK_DIVIDE ||
           key == VK_NUMLOCK || key == VK_LWIN || key == VK_RWIN || key == VK_APPS;
}

// The field takes Alt with a letter as a combination. The dialog would also
// read the character that the key makes as the mnemonic of another control
// and check, focus or press it: the field drops that character.
LRESULT CALLBACK HotKeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SYSKEYDOWN) {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        MSG character;
        while (PeekMessageW(&character, field, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
        }
        return result;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(field, HotKeyFieldProc, 0);
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

void PrepareHotKeyField(HWND field) {
    SendMessageW(field, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0));
    SetWindowSubclass(field, HotKeyFieldProc, 0, 0);
}

WORD ControlHotKey(HotKeyValue hotKey) {
    const unsigned key = hotKey & 0xFF;
    if (key == 0) return 0;
    BYTE flags = 0;
    if (hotKey & kHotKeyShift) flags |= HOTKEYF_SHIFT;
    if (hotKey & kHotKeyCtrl) flags |= HOTKEYF_CONTROL;
    if (hotKey & kHotKeyAlt) flags |= HOTKEYF_ALT;
    if (IsExtendedKey(key)) flags |= HOTKEYF_EXT;
    return MAKEWORD(key, flags);
}

HotKeyValue HotKeyOfControl(WORD value) {
    const unsigned key = LOBYTE(value);
    if (key == 0) return 0;
    const BYTE flags = HIBYTE(value);
    HotKeyValue hotKey = key;
    if (flags & HOTKEYF_SHIFT) hotKey |= kHotKeyShift;
    if (flags & HOTKEYF_CONTROL) hotKey |= kHotKeyCtrl;
    if (flags & HOTKEYF_ALT) hotKey |= kHotKeyAlt;
    return hotKey;
}

}  // namespace tavrin
