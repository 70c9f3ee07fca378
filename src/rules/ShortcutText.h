// The key combinations of the button properties and options dialogs and their
// text form ("Shift+Ctrl+F5"): a 16-bit value with the virtual-key code in the
// low byte and one bit for each of Shift, Ctrl and Alt. Keys without a fixed
// name take the keyboard layout's name, which comes in through IKeyNameSource.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/HotKeyText.h"

namespace tavrin {

using Shortcut = std::uint16_t;
inline constexpr Shortcut kShortcutShift = 0x2000;
inline constexpr Shortcut kShortcutCtrl = 0x4000;
inline constexpr Shortcut kShortcutAlt = 0x8000;

// The name of a virtual key: a fixed name for the editing and cursor keys, the
// digit or capital letter of the main and numeric keyboards, "F1" to "F24", and
// the current layout's name of any other key; empty when it has none.
[[nodiscard]] std::string ShortcutKeyName(unsigned virtualKey, const IKeyNameSource& names);

// "Shift+", "Ctrl+" and "Alt+" for the modifiers present, in that order, and the
// key's name; empty when the key has no name.
[[nodiscard]] std::string ShortcutToText(Shortcut shortcut, const IKeyNameSource& names);

// The combination a text names: the modifier prefixes in any order and number,
// ignoring case ("^" stands for "Ctrl+"), then the name of a key, ignoring case.
// The first key code from 8 up whose name matches wins, so the keypad's digits
// read as those of the main keyboard. 0 when the text names no key.
[[nodiscard]] Shortcut TextToShortcut(std::string_view text, const IKeyNameSource& names);

}  // namespace tavrin
