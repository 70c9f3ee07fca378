// Hot key values and their text form ("Ctrl+Alt+L"). The keyboard layout that
// names the keys comes in through IKeyNameSource, so the rules run without Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// A hot key: the virtual-key code in bits 0 to 7 plus modifier bits. 0 means none.
using HotKeyValue = std::uint32_t;
inline constexpr HotKeyValue kHotKeyShift = 0x2000;
inline constexpr HotKeyValue kHotKeyCtrl = 0x4000;
inline constexpr HotKeyValue kHotKeyAlt = 0x8000;
inline constexpr HotKeyValue kHotKeyWin = 0x10000;

// Modifier set as RegisterHotKey takes it (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN).
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;
inline constexpr unsigned kModWin = 8;

struct HotKeyParts {
    unsigned modifiers = 0;  // kMod... bits
    unsigned key = 0;        // virtual-key code 0 to 255
    bool operator==(const HotKeyParts&) const = default;
};

[[nodiscard]] HotKeyParts DecomposeHotKey(HotKeyValue hotKey) noexcept;
[[nodiscard]] HotKeyValue ComposeHotKey(unsigned modifiers, unsigned key) noexcept;

// The names of the four modifiers in one language.
struct ModifierNames {
    std::string shift = "Shift";
    std::string ctrl = "Ctrl";
    std::string alt = "Alt";
    std::string win = "Win";
};

// The localized modifier names from the layout's names of the Shift, Ctrl and Alt
// keys; an empty name keeps the English one. "Win" is written "WIN" when the Alt
// name is in capitals A to Z only, to match a layout that names keys in capitals.
[[nodiscard]] ModifierNames LocalizedModifierNames(std::string shift, std::string ctrl, std::string alt);

// Where key names come from: the current keyboard layout (localized) or the US
// English layout. The names are UTF-8.
class IKeyNameSource {
public:
    virtual ~IKeyNameSource() = default;
    // The layout's name of a virtual key; empty when the layout has no key or name for it.
    [[nodiscard]] virtual std::string LayoutKeyName(unsigned virtualKey, bool localized) const = 0;
    // The modifier names of the current layout, fixed when the source was made.
    [[nodiscard]] virtual const ModifierNames& LocalizedModifiers() const = 0;
    // Whether two names are the same when case is ignored. Compares ASCII letters
    // here; a platform source may know the case of every letter of its layouts.
    [[nodiscard]] virtual bool SameTextIgnoringCase(std::string_view a, std::string_view b) const;
};

// The text of a hot key: modifiers in the order Ctrl, Shift, Alt, Win, each followed
// by "+", then the key's name ("Ctrl+Alt+L").
[[nodiscard]] std::string FormatHotKeyText(HotKeyValue hotKey, bool localized, const IKeyNameSource& names);
// The hot key that a text names, 0 when it names none. Modifier names are accepted
// in English and localized form, ignoring case and blanks around them.
[[nodiscard]] HotKeyValue ParseHotKeyText(std::string_view text, bool localized, const IKeyNameSource& names);

}  // namespace tavrin
