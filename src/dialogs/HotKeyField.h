// The platform's hot-key field as the options and the properties box use it,
// and its value in terms of hot key values.
#pragma once

#include <windows.h>

#include "rules/HotKeyText.h"

namespace tavrin {

// A key typed alone or with Shift alone is given Alt, and the characters of
// the keys typed with Alt are not taken as mnemonics of the dialog.
void PrepareHotKeyField(HWND field);

// The field's value: the key in the low byte, HOTKEYF_ flags in the high byte.
// The field has no Win key; a value of the field gives a hot key without it.
[[nodiscard]] WORD ControlHotKey(HotKeyValue hotKey);
[[nodiscard]] HotKeyValue HotKeyOfControl(WORD value);

}  // namespace tavrin
