#include "desktop/GlobalHotKeys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/WindowTesting.h"
#include "win32/LayoutKeyNames.h"

namespace tavrin {
namespace {

// Combinations that nothing else on a test machine is likely to hold.
constexpr HotKeyValue kCtrlAltShiftF9 = kHotKeyCtrl | kHotKeyAlt | kHotKeyShift | VK_F9;
constexpr HotKeyValue kCtrlAltShiftF10 = kHotKeyCtrl | kHotKeyAlt | kHotKeyShift | VK_F10;
constexpr HotKeyValue kCtrlAltL = kHotKeyCtrl | kHotKeyAlt | 'L';

struct Press {
    HotKeyValue hotKey;
    std::uint16_t index;
};

TEST(GlobalHotKeysTest, ACombinationIsHeldByOneRegistrationAtATime) {
    GlobalHotKeys keys;
    GlobalHotKeys otherProgram;
    const std::uint16_t index = keys.RegisterGlobalKey(kCtrlAltShiftF9);
    ASSERT_NE(index, 0);
    EXPECT_GE(index, 0xC000);  // a global atom
    EXPECT_EQ(GlobalFindAtomW((L"TavrinGlobalHotKey" + std::to_wstring(kCtrlAltShiftF9)).c_str()), index);

    // Taken, by this component or another: refused, and nothing is listed.
    EXPECT_EQ(keys.RegisterGlobalKey(kCtrlAltShiftF9), 0);
    EXPECT_EQ(otherProgram.RegisterGlobalKey(kCtrlAltShiftF9), 0);
    ASSERT_EQ(keys.RegisteredKeys().size(), 1u);
    EXPECT_EQ(keys.RegisteredKeys()[0].hotKey, kCtrlAltShiftF9);
    EXPECT_EQ(keys.RegisteredKeys()[0].index, index);
    EXPECT_TRUE(otherProgram.RegisteredKeys().empty());
    EXPECT_EQ(keys.RegisterGlobalKey(0), 0);  // 0 is no hot key

    // Replacing frees the old combination for others.
    const std::uint16_t replaced = keys.ReplaceGlobalKey(index, kCtrlAltShiftF10);
    ASSERT_NE(replaced, 0);
    EXPECT_EQ(keys.ReplaceGlobalKey(1, kCtrlAltShiftF9), 0);  // no such index
    const std::uint16_t other = otherProgram.RegisterGlobalKey(kCtrlAltShiftF9);
    EXPECT_NE(other, 0);
    EXPECT_EQ(keys.ReplaceGlobalKey(replaced, kCtrlAltShiftF9), 0);  // refused: the old one is released anyway
    EXPECT_TRUE(keys.RegisteredKeys().empty());
    EXPECT_FALSE(keys.ReleaseGlobalKey(replaced));

    EXPECT_TRUE(otherProgram.ReleaseGlobalKey(other));
    EXPECT_EQ(GlobalFindAtomW((L"TavrinGlobalHotKey" + std::to_wstring(kCtrlAltShiftF9)).c_str()), 0);
}

TEST(GlobalHotKeysTest, DestructionReleasesEveryRegistration) {
    {
        GlobalHotKeys keys;
        ASSERT_NE(keys.RegisterGlobalKey(kCtrlAltShiftF9), 0);
        ASSERT_NE(keys.RegisterGlobalKey(kCtrlAltShiftF10), 0);
    }
    GlobalHotKeys later;
    EXPECT_NE(later.RegisterGlobalKey(kCtrlAltShiftF9), 0);
    EXPECT_NE(later.RegisterGlobalKey(kCtrlAltShiftF10), 0);
}

TEST(GlobalHotKeysTest, OnlyPressesOfRegisteredCombinationsAreReported) {
    GlobalHotKeys keys;
    std::vector<Press> presses;
    keys.OnHotKeyPressed = [&](HotKeyValue hotKey, std::uint16_t index) { presses.push_back({hotKey, index}); };
    const std::uint16_t index = keys.RegisterGlobalKey(kCtrlAltL);
    ASSERT_NE(index, 0);

    SendMessageW(MessageWindow::Window(), WM_HOTKEY, index, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'L'));
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].hotKey, 0xC04Cu);
    EXPECT_EQ(presses[0].index, index);

    SendMessageW(MessageWindow::Window(), WM_HOTKEY, index, MAKELPARAM(MOD_CONTROL, 'L'));
    SendMessageW(MessageWindow::Window(), WM_HOTKEY, index, MAKELPARAM(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'L'));
    EXPECT_EQ(presses.size(), 1u);
}

TEST(GlobalHotKeysTest, NamesOfTheRealLayoutsParseBack) {
    const LayoutKeyNames names;
    EXPECT_EQ(FormatHotKeyText(kCtrlAltL, false, names), "Ctrl+Alt+L");
    EXPECT_EQ(ParseHotKeyText("Ctrl+Alt+L", false, names), kCtrlAltL);
    EXPECT_EQ(ParseHotKeyText("alt + ctrl + f5", false, names), kHotKeyAlt | kHotKeyCtrl | VK_F5);
    EXPECT_EQ(ParseHotKeyText("F5", true, names), static_cast<HotKeyValue>(VK_F5));
    // Case is ignored beyond ASCII as well.
    EXPECT_TRUE(names.SameTextIgnoringCase("\xD0\xB6", "\xD0\x96"));

    const ModifierNames english;
    const ModifierNames& local = names.LocalizedModifiers();
    const auto isModifierName = [&](const std::string& name) {
        for (const ModifierNames* set : {&english, &local}) {
            for (const std::string* modifier : {&set->shift, &set->ctrl, &set->alt, &set->win}) {
                if (names.SameTextIgnoringCase(name, *modifier)) return true;
            }
        }
        return false;
    };
    for (const bool localized : {false, true}) {
        for (unsigned key = 8; key <= 255; ++key) {
            const std::string keyName = FormatHotKeyText(key, localized, names);
            if (keyName.empty()) continue;  // the layout has no name for the key
            const HotKeyValue hotKey = kHotKeyCtrl | kHotKeyShift | key;
            const std::string text = FormatHotKeyText(hotKey, localized, names);
            const HotKeyValue parsed = ParseHotKeyText(text, localized, names);
            if (isModifierName(keyName)) {
                EXPECT_EQ(parsed, 0u) << text;  // a modifier is no key
            } else {
                // Keys that share a name (left and right Shift) parse to the first of them.
                EXPECT_EQ(FormatHotKeyText(parsed, localized, names), text);
            }
        }
    }
}

// A real key press from the X server: Wine reports it while one of its windows has the
// keyboard focus. Skipped where no X tool can press keys or the press does not arrive.
TEST(GlobalHotKeysRealKeyTest, ARealKeyPressIsReported) {
    GlobalHotKeys keys;
    std::vector<Press> presses;
    keys.OnHotKeyPressed = [&](HotKeyValue hotKey, std::uint16_t index) { presses.push_back({hotKey, index}); };
    const std::uint16_t index = keys.RegisterGlobalKey(kCtrlAltL);
    ASSERT_NE(index, 0);

    // A window of this program has the focus, as Wine needs.
    unique_hwnd focus(CreateWindowExW(0, L"STATIC", L"Tavrin hot key focus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                      300, 100, nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(focus.get());
    SetFocus(focus.get());

    if (const auto reason = testing::PressKeysWithXdotool("Tavrin hot key focus", "ctrl+alt+l"))
        GTEST_SKIP() << *reason;
    const DWORD deadline = GetTickCount() + 5000;
    while (presses.empty() && GetTickCount() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    if (presses.empty()) GTEST_SKIP() << "the key press of xdotool did not arrive within 5 seconds";
    EXPECT_EQ(presses[0].hotKey, kCtrlAltL);
    EXPECT_EQ(presses[0].index, index);
}

}  // namespace
}  // namespace tavrin
