#include "rules/ShortcutText.h"

#include <gtest/gtest.h>

#include <map>

namespace tavrin {
namespace {

// A layout that names a few keys outside the fixed names, one of them with a
// letter that has upper and lower case beyond ASCII.
class LayoutNames : public IKeyNameSource {
public:
    std::string LayoutKeyName(unsigned virtualKey, bool localized) const override {
        EXPECT_TRUE(localized);
        static const std::map<unsigned, std::string> names = {
            {3, "Break"}, {96, "Num 0"}, {106, "Num *"}, {187, "="}, {192, "\xC3\x96"}};  // Ö
        const auto found = names.find(virtualKey);
        return found == names.end() ? std::string() : found->second;
    }
    const ModifierNames& LocalizedModifiers() const override { return modifiers_; }
    bool SameTextIgnoringCase(std::string_view a, std::string_view b) const override {
        const auto fold = [](std::string text) {
            if (text == "\xC3\xB6") return std::string("\xC3\x96");
            for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            return text;
        };
        return fold(std::string(a)) == fold(std::string(b));
    }

private:
    ModifierNames modifiers_;
};

const LayoutNames kNames;

TEST(ShortcutTextTest, NamesKeysByCodeWithModifiersInFixedOrder) {
    EXPECT_EQ(ShortcutToText(8, kNames), "BkSp");
    EXPECT_EQ(ShortcutToText(kShortcutCtrl | 46, kNames), "Ctrl+Del");
    EXPECT_EQ(ShortcutToText(kShortcutAlt | kShortcutCtrl | kShortcutShift | 'L', kNames), "Shift+Ctrl+Alt+L");
    EXPECT_EQ(ShortcutToText(kShortcutShift | 37, kNames), "Shift+Left");
    EXPECT_EQ(ShortcutToText(105, kNames), "9");  // the keypad's 9
    EXPECT_EQ(ShortcutToText(112, kNames), "F1");
    EXPECT_EQ(ShortcutToText(135, kNames), "F24");
    EXPECT_EQ(ShortcutToText(kShortcutAlt | 187, kNames), "Alt+=");  // the layout's name
    // A key without a name gives no text, modifiers or not.
    EXPECT_EQ(ShortcutToText(kShortcutCtrl | 255, kNames), "");
    EXPECT_EQ(ShortcutToText(0, kNames), "");
}

TEST(ShortcutTextTest, ReadsPrefixesInAnyOrderAndCaseAndTheFirstKeyOfTheName) {
    EXPECT_EQ(TextToShortcut("Shift+Ctrl+Alt+L", kNames), kShortcutShift | kShortcutCtrl | kShortcutAlt | 'L');
    EXPECT_EQ(TextToShortcut("alt+^shift+pgdn", kNames), kShortcutAlt | kShortcutCtrl | kShortcutShift | 34);
    EXPECT_EQ(TextToShortcut("Ctrl+Ctrl+f24", kNames), kShortcutCtrl | 135);
    EXPECT_EQ(TextToShortcut("Ctrl+\xC3\xB6", kNames), kShortcutCtrl | 192);
    // The keypad's digits share their names with the main keyboard's, whose codes come first.
    EXPECT_EQ(TextToShortcut(ShortcutToText(kShortcutCtrl | 96, kNames), kNames), kShortcutCtrl | '0');
    // A name first found above 255 keeps that code: only its low byte names the key.
    EXPECT_EQ(TextToShortcut("Break", kNames), 256 + 3);
    // No key after the prefixes, or an unknown name, is no combination.
    EXPECT_EQ(TextToShortcut("Ctrl+Alt+", kNames), 0);
    EXPECT_EQ(TextToShortcut("Ctrl+Foo", kNames), 0);
    EXPECT_EQ(TextToShortcut(" Ctrl+A", kNames), 0);
    EXPECT_EQ(TextToShortcut("", kNames), 0);
}

}  // namespace
}  // namespace tavrin
