#include "rules/HotKeyText.h"

#include <array>
#include <vector>

#include "xml/AsciiCase.h"

namespace tavrin {

namespace {

// Names of the browser and media keys (virtual keys 166 to 183), for layouts that
// give them no name of their own.
constexpr unsigned kFirstMediaKey = 166;
constexpr std::array<std::string_view, 18> kMediaKeyNames = {
    "Browser Back",      "Browser Forward",     "Browser Refresh",     "Browser Stop",     "Browser Search",
    "Browser Favorites", "Browser Start/Home",  "Volume Mute",         "Volume Down",      "Volume Up",
    "Next Track",        "Previous Track",      "Stop Media",          "Play/Pause Media", "Start Mail",
    "Select Media",      "Start Application 1", "Start Application 2",
};

const ModifierNames kEnglishModifiers{};

// Lookup by name covers every key code from backspace up.
constexpr unsigned kFirstNamedKey = 8;
constexpr unsigned kLastNamedKey = 255;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Characters, not bytes, of a UTF-8 text: every byte that does not continue a sequence.
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

// The parts between the "+" signs, with leading blanks skipped and empty parts dropped.
std::vector<std::string_view> SplitAtPlus(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t plus = text.find('+');
        std::string_view part = text.substr(0, plus);
        while (!part.empty() && IsBlank(part.front())) part.remove_prefix(1);
        if (!part.empty()) parts.push_back(part);
        if (plus == std::string_view::npos) return parts;
        text.remove_prefix(plus + 1);
    }
}

// The modifier a name stands for in English or localized form, 0 for none.
unsigned ModifierOfName(std::string_view name, const IKeyNameSource& names) {
    for (const ModifierNames* set : {&kEnglishModifiers, &names.LocalizedModifiers()}) {
        if (names.SameTextIgnoringCase(name, set->ctrl)) return kModControl;
        if (names.SameTextIgnoringCase(name, set->shift)) return kModShift;
        if (names.SameTextIgnoringCase(name, set->alt)) return kModAlt;
        if (names.SameTextIgnoringCase(name, set->win)) return kModWin;
    }
    return 0;
}

std::string KeyName(unsigned key, bool localized, const IKeyNameSource& names) {
    std::string name = names.LayoutKeyName(key, localized);
    if (CharacterCount(name) <= 1 && key >= kFirstMediaKey && key < kFirstMediaKey + kMediaKeyNames.size()) {
        name = kMediaKeyNames[key - kFirstMediaKey];
    }
    return name;
}

// The first key whose name is the text, ignoring case; 0 when none is.
unsigned KeyOfName(std::string_view text, bool localized, const IKeyNameSource& names) {
    for (unsigned key = kFirstNamedKey; key <= kLastNamedKey; ++key) {
        if (names.SameTextIgnoringCase(KeyName(key, localized, names), text)) return key;
    }
    return 0;
}

unsigned KeyOfText(std::string_view text, bool localized, const IKeyNameSource& names) {
    if (text.size() == 1) {
        const char upper = AsciiUpper(text.front());
        if ((upper >= '0' && upper <= '9') || (upper >= 'A' && upper <= 'Z')) return static_cast<unsigned char>(upper);
        return KeyOfName(std::string_view(&upper, 1), localized, names);
    }
    // The numeric keypad's plus key is named "Num +"; splitting at "+" left only "Num".
    if (text == "Num") return KeyOfName("Num +", localized, names);
    // A modifier on its own is not a key.
    if (ModifierOfName(text, names) != 0) return 0;
    return KeyOfName(text, localized, names);
}

}  // namespace

HotKeyParts DecomposeHotKey(HotKeyValue hotKey) noexcept {
    HotKeyParts parts;
    parts.key = hotKey & 0xFF;
    if (hotKey & kHotKeyAlt) parts.modifiers |= kModAlt;
    if (hotKey & kHotKeyCtrl) parts.modifiers |= kModControl;
    if (hotKey & kHotKeyShift) parts.modifiers |= kModShift;
    if (hotKey & kHotKeyWin) parts.modifiers |= kModWin;
    return parts;
}

HotKeyValue ComposeHotKey(unsigned modifiers, unsigned key) noexcept {
    HotKeyValue hotKey = key & 0xFF;
    if (modifiers & kModAlt) hotKey += kHotKeyAlt;
    if (modifiers & kModControl) hotKey += kHotKeyCtrl;
    if (modifiers & kModShift) hotKey += kHotKeyShift;
    if (modifiers & kModWin) hotKey += kHotKeyWin;
    return hotKey;
}

ModifierNames LocalizedModifierNames(std::string shift, std::string ctrl, std::string alt) {
    ModifierNames names;
    if (!shift.empty()) names.shift = std::move(shift);
    if (!ctrl.empty()) names.ctrl = std::move(ctrl);
    if (!alt.empty()) names.alt = std::move(alt);
    bool capitals = true;
    for (const char c : names.alt) capitals = capitals && c >= 'A' && c <= 'Z';
    if (capitals) names.win = "WIN";
    return names;
}

bool IKeyNameSource::SameTextIgnoringCase(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

std::string FormatHotKeyText(HotKeyValue hotKey, bool localized, const IKeyNameSource& names) {
    const ModifierNames& modifiers = localized ? names.LocalizedModifiers() : kEnglishModifiers;
    std::string text;
    if (hotKey & kHotKeyCtrl) text += modifiers.ctrl + "+";
    if (hotKey & kHotKeyShift) text += modifiers.shift + "+";
    if (hotKey & kHotKeyAlt) text += modifiers.alt + "+";
    if (hotKey & kHotKeyWin) text += modifiers.win + "+";
    return text + KeyName(hotKey & 0xFF, localized, names);
}

HotKeyValue ParseHotKeyText(std::string_view text, bool localized, const IKeyNameSource& names) {
    const std::vector<std::string_view> parts = SplitAtPlus(text);
    if (parts.empty()) return 0;
    unsigned modifiers = 0;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const unsigned modifier = ModifierOfName(Trim(parts[i]), names);
        if (modifier == 0) return 0;  // an unknown modifier spoils the whole text
        modifiers |= modifier;
    }
    const unsigned key = KeyOfText(Trim(parts.back()), localized, names);
    return key == 0 ? 0 : ComposeHotKey(modifiers, key);
}

}  // namespace tavrin
