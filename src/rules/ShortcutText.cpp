#include "rules/ShortcutText.h"

#include <array>
#include <utility>

#include "xml/AsciiCase.h"

namespace tavrin {
namespace {

constexpr std::array<std::pair<unsigned, std::string_view>, 15> kFixedNames = {{
    {8, "BkSp"},
    {9, "Tab"},
    {13, "Enter"},
    {27, "Esc"},
    {32, "Space"},
    {33, "PgUp"},
    {34, "PgDn"},
    {35, "End"},
    {36, "Home"},
    {37, "Left"},
    {38, "Up"},
    {39, "Right"},
    {40, "Down"},
    {45, "Ins"},
    {46, "Del"},
}};

// The name lookup runs over the codes 8 to 597 (0x255): a code above 255 is
// named by its low byte, so it matches only where no lower code has the name.
constexpr unsigned kFirstLookupCode = 8;
constexpr unsigned kLastLookupCode = 597;

// Takes a lower-case prefix off the front of text when text starts with it, ignoring case.
bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (!EqualsIgnoringCase(text.substr(0, prefix.size()), prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

}  // namespace

std::string ShortcutKeyName(unsigned virtualKey, const IKeyNameSource& names) {
    for (const auto& [code, name] : kFixedNames) {
        if (code == virtualKey) return std::string(name);
    }
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    constexpr unsigned kNumpad0 = 96;
    if (virtualKey >= kNumpad0 && virtualKey <= kNumpad0 + 9) {
        return std::string(1, static_cast<char>('0' + virtualKey - kNumpad0));
    }
    constexpr unsigned kF1 = 112;
    if (virtualKey >= kF1 && virtualKey < kF1 + 24) return "F" + std::to_string(virtualKey - kF1 + 1);
    return names.LayoutKeyName(virtualKey, true);
}

std::string ShortcutToText(Shortcut shortcut, const IKeyNameSource& names) {
    const std::string key = ShortcutKeyName(shortcut & 0xFFu, names);
    if (key.empty()) return {};
    std::string text;
    if (shortcut & kShortcutShift) text += "Shift+";
    if (shortcut & kShortcutCtrl) text += "Ctrl+";
    if (shortcut & kShortcutAlt) text += "Alt+";
    return text + key;
}

Shortcut TextToShortcut(std::string_view text, const IKeyNameSource& names) {
    unsigned modifiers = 0;
    for (;;) {
        if (TakePrefix(text, "shift+")) {
            modifiers |= kShortcutShift;
        } else if (TakePrefix(text, "^") || TakePrefix(text, "ctrl+")) {
            modifiers |= kShortcutCtrl;
        } else if (TakePrefix(text, "alt+")) {
            modifiers |= kShortcutAlt;
        } else {
            break;
        }
    }
    if (text.empty()) return 0;
    for (unsigned code = kFirstLookupCode; code <= kLastLookupCode; ++code) {
        const std::string name = ShortcutKeyName(code & 0xFFu, names);
        if (!name.empty() && names.SameTextIgnoringCase(text, name)) return static_cast<Shortcut>(code | modifiers);
    }
    return 0;
}

}  // namespace tavrin
