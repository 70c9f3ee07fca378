#include "rules/HotKeyText.h"

#include <gtest/gtest.h>

#include <map>

namespace tavrin {
namespace {

// The key names of the US English layout as Windows gives them, and a second
// "localized" layout that names the modifiers and a few keys in German.
class FixedKeyNames : public IKeyNameSource {
public:
    explicit FixedKeyNames(ModifierNames localized = {}) : localized_(std::move(localized)) {
        us_ = {{8, "Backspace"},
               {9, "Tab"},
               {13, "Enter"},
               {16, "Shift"},
               {17, "Ctrl"},
               {18, "Alt"},
               {27, "Esc"},
               {32, "Space"},
               {33, "Page Up"},
               {34, "Page Down"},
               {45, "Insert"},
               {46, "Delete"},
               {96, "Num 0"},
               {106, "Num *"},
               {107, "Num +"},
               {109, "Num -"},
               {116, "F5"},
               {123, "F12"},
               {187, "="},
               {189, "-"},
               {173, "M"},  // a one-character name of a media key gives way to the
                            // fixed name
               {91, "Left Windows"}};
        for (unsigned key = '0'; key <= '9'; ++key) us_[key] = std::string(1, static_cast<char>(key));
        for (unsigned key = 'A'; key <= 'Z'; ++key) us_[key] = std::string(1, static_cast<char>(key));
        german_ = us_;
        german_[16] = "Umschalt";
        german_[17] = "Strg";
        german_[46] = "Entf";
    }
    std::string LayoutKeyName(unsigned virtualKey, bool localized) const override {
        const auto& table = localized ? german_ : us_;
        const auto found = table.find(virtualKey);
        return found == table.end() ? std::string() : found->second;
    }
    const ModifierNames& LocalizedModifiers() const override { return localized_; }

private:
    ModifierNames localized_;
    std::map<unsigned, std::string> us_;
    std::map<unsigned, std::string> german_;
};

const FixedKeyNames kUs;
const FixedKeyNames kGerman(LocalizedModifierNames("Umschalt", "Strg", "Alt"));

constexpr HotKeyValue kF5 = 116;

TEST(HotKeyTextTest, DecomposeAndComposeAreInverseForEveryModifierSet) {
    for (unsigned modifiers = 0; modifiers < 16; ++modifiers) {
        for (const unsigned key : {0u, unsigned{'L'}, 116u, 255u}) {
            const HotKeyValue hotKey = ComposeHotKey(modifiers, key);
            EXPECT_EQ(DecomposeHotKey(hotKey), (HotKeyParts{modifiers, key})) << modifiers << " " << key;
        }
    }
    EXPECT_EQ(ComposeHotKey(kModControl | kModAlt, 'L'), 0xC04Cu);
    EXPECT_EQ(ComposeHotKey(kModShift | kModWin, 'A'), 0x12041u);
    // Bits beside the key and the four modifiers are not part of a hot key.
    EXPECT_EQ(DecomposeHotKey(0x1C04Cu | 0x100u), (HotKeyParts{kModControl | kModAlt | kModWin, 'L'}));
}

TEST(HotKeyTextTest, FormatsModifiersInFixedOrderBeforeTheKey) {
    EXPECT_EQ(FormatHotKeyText(0xC04C, false, kUs), "Ctrl+Alt+L");
    EXPECT_EQ(FormatHotKeyText(kHotKeyWin | kHotKeyAlt | kHotKeyShift | kHotKeyCtrl | kF5, false, kUs),
              "Ctrl+Shift+Alt+Win+F5");
    EXPECT_EQ(FormatHotKeyText(kF5, false, kUs), "F5");
    EXPECT_EQ(FormatHotKeyText(kHotKeyCtrl | 107, false, kUs), "Ctrl+Num +");
    EXPECT_EQ(FormatHotKeyText(kHotKeyCtrl | kHotKeyShift | 46, true, kGerman), "Strg+Umschalt+Entf");
    EXPECT_EQ(FormatHotKeyText(kHotKeyCtrl | 46, false, kGerman), "Ctrl+Delete");
}

TEST(HotKeyTextTest, MediaKeysWithoutALongerNameUseTheFixedNames) {
    EXPECT_EQ(FormatHotKeyText(166, false, kUs), "Browser Back");
    EXPECT_EQ(FormatHotKeyText(173, false, kUs), "Volume Mute");
    EXPECT_EQ(FormatHotKeyText(kHotKeyAlt | 179, false, kUs), "Alt+Play/Pause Media");
    EXPECT_EQ(FormatHotKeyText(183, false, kUs), "Start Application 2");
    EXPECT_EQ(FormatHotKeyText(184, false, kUs), "");  // outside the table: no name
    EXPECT_EQ(ParseHotKeyText("Ctrl+Volume Up", false, kUs), kHotKeyCtrl | 175);
}

TEST(HotKeyTextTest, ParsesModifiersIgnoringCaseAndBlanks) {
    EXPECT_EQ(ParseHotKeyText("Ctrl+Alt+L", false, kUs), 0xC04Cu);
    EXPECT_EQ(ParseHotKeyText("alt + ctrl + f5", false, kUs), kHotKeyAlt | kHotKeyCtrl | kF5);
    EXPECT_EQ(ParseHotKeyText("  SHIFT+win+page down ", false, kUs), kHotKeyShift | kHotKeyWin | 34);
    EXPECT_EQ(ParseHotKeyText("Ctrl+Num +", false, kUs), kHotKeyCtrl | 107);
    EXPECT_EQ(ParseHotKeyText("Ctrl+Alt+l", false, kUs), 0xC04Cu);
    EXPECT_EQ(ParseHotKeyText("ctrl+7", false, kUs), kHotKeyCtrl | '7');
    EXPECT_EQ(ParseHotKeyText("Ctrl+=", false, kUs), kHotKeyCtrl | 187);
    EXPECT_EQ(ParseHotKeyText("Ctrl++Alt+L", false, kUs), 0xC04Cu);  // the empty part is dropped
}

TEST(HotKeyTextTest, AKeyWithoutModifiersIsAHotKey) {
    EXPECT_EQ(ParseHotKeyText("F5", false, kUs), kF5);
    EXPECT_EQ(ParseHotKeyText("esc", false, kUs), 27u);
    EXPECT_EQ(ParseHotKeyText("Num 0", false, kUs), 96u);
}

TEST(HotKeyTextTest, TextsThatNameNoHotKeyGiveZero) {
    EXPECT_EQ(ParseHotKeyText("Ctrl+Foo+A", false, kUs), 0u);
    EXPECT_EQ(ParseHotKeyText("Foo+A", false, kUs), 0u);
    EXPECT_EQ(ParseHotKeyText("Ctrl", false, kUs), 0u);
    EXPECT_EQ(ParseHotKeyText("ctrl", false, kUs), 0u);  // a modifier in any case is no key
    EXPECT_EQ(ParseHotKeyText("Ctrl+Shift", false, kUs), 0u);
    EXPECT_EQ(ParseHotKeyText("Ctrl+PgUp", false, kUs), 0u);  // the layout says "Page Up"
    EXPECT_EQ(ParseHotKeyText("Ctrl+", false, kUs), 0u);
    EXPECT_EQ(ParseHotKeyText("", false, kUs), 0u);
    EXPECT_EQ(ParseHotKeyText(" + + ", false, kUs), 0u);
}

TEST(HotKeyTextTest, LocalizedModifierNamesAreAcceptedBesideTheEnglishOnes) {
    EXPECT_EQ(ParseHotKeyText("strg+umschalt+entf", true, kGerman), kHotKeyCtrl | kHotKeyShift | 46);
    EXPECT_EQ(ParseHotKeyText("Strg+Shift+A", false, kGerman), kHotKeyCtrl | kHotKeyShift | 'A');
    // Key names follow the layout of the mode: "Entf" is no US English name.
    EXPECT_EQ(ParseHotKeyText("Strg+Entf", false, kGerman), 0u);
    EXPECT_EQ(ParseHotKeyText("Strg", true, kGerman), 0u);
    // The US source has no names of its own beyond the English ones.
    EXPECT_EQ(ParseHotKeyText("Strg+A", true, kUs), 0u);
}

TEST(HotKeyTextTest, WinIsCapitalisedWhenTheLayoutWritesAltInCapitals) {
    EXPECT_EQ(LocalizedModifierNames("Umschalt", "Strg", "Alt").win, "Win");
    const ModifierNames capitals = LocalizedModifierNames("SHIFT", "CTRL", "ALT");
    EXPECT_EQ(capitals.win, "WIN");
    const ModifierNames empty = LocalizedModifierNames("", "", "");
    EXPECT_EQ(empty.ctrl, "Ctrl");
    EXPECT_EQ(empty.win, "Win");
    const FixedKeyNames capitalLayout(capitals);
    EXPECT_EQ(FormatHotKeyText(kHotKeyWin | kHotKeyAlt | 'X', true, capitalLayout), "ALT+WIN+X");
    EXPECT_EQ(ParseHotKeyText("ALT+WIN+X", true, capitalLayout), kHotKeyAlt | kHotKeyWin | 'X');
}

TEST(HotKeyTextTest, EveryNamedKeyFormatsAndParsesBack) {
    for (const bool localized : {false, true}) {
        for (unsigned key = 8; key <= 255; ++key) {
            for (const HotKeyValue modifiers : {0u, kHotKeyCtrl | kHotKeyShift, kHotKeyAlt | kHotKeyWin}) {
                const HotKeyValue hotKey = modifiers | key;
                const std::string text = FormatHotKeyText(hotKey, localized, kGerman);
                if (text.empty() || text.back() == '+') continue;  // the key has no name
                const HotKeyValue parsed = ParseHotKeyText(text, localized, kGerman);
                if (key >= 16 && key <= 18) {
                    EXPECT_EQ(parsed, 0u) << text;  // a modifier is no key
                } else {
                    EXPECT_EQ(parsed, hotKey) << text;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tavrin
