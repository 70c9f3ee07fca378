// The buttons' own hot keys on a main window made in this process for a
// program folder of the test's own: presses are sent as Windows reports them,
// the properties box is driven through its controls while it runs, and
// "another program" is a registration on a window of the test's own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "support/ButtonFiles.h"
#include "support/MainWindowFixture.h"
#include "support/WindowTesting.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// Combinations that nothing else on a test machine is likely to hold, and their stored text.
constexpr WORD kModifiers = HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT;
constexpr HotKeyValue kF9 = kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | VK_F9;
constexpr HotKeyValue kF10 = kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | VK_F10;
constexpr char kF9Text[] = "Shift+Ctrl+Alt+F9";
constexpr char kF10Text[] = "Shift+Ctrl+Alt+F10";

std::string ChildProgram() {
    std::string path = TAVRIN_TEST_CHILD;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string Keyed(int id, const std::string& description, const std::string& hotKey,
                  const std::string& parameters = "") {
    return testing::ButtonXml(
        id,
        {{"Command", ChildProgram()}, {"Parameters", parameters}, {"Description", description}, {"HotKey", hotKey}});
}

// A registration of a window that is not the program's, as another program holds a combination.
class OtherProgramKey {
public:
    explicit OtherProgramKey(HotKeyValue hotKey)
        : window_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr)) {
        const HotKeyParts parts = DecomposeHotKey(hotKey);
        held_ = RegisterHotKey(window_.get(), 1, parts.modifiers, parts.key) != FALSE;
    }
    ~OtherProgramKey() {
        if (held_) UnregisterHotKey(window_.get(), 1);
    }
    [[nodiscard]] bool Held() const noexcept { return held_; }

private:
    unique_hwnd window_;
    bool held_ = false;
};

// Whether a combination is free: another program can take it.
bool Free(HotKeyValue hotKey) { return OtherProgramKey(hotKey).Held(); }

// A press as Windows reports it to the registration that holds the combination.
void Press(const MainWindow& window, HotKeyValue hotKey) {
    for (const GlobalHotKeys::RegisteredKey& key : window.ButtonKeys().HotKeys().RegisteredKeys()) {
        if (key.hotKey != hotKey) continue;
        const HotKeyParts parts = DecomposeHotKey(hotKey);
        SendMessageW(MessageWindow::Window(), WM_HOTKEY, key.index, MAKELPARAM(parts.modifiers, parts.key));
    }
}

std::function<void(HWND)> g_script;
void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowW(L"#32770", L"Properties");
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, timer);
    std::exchange(g_script, nullptr)(box);
}

HWND After(HWND control) { return GetWindow(control, GW_HWNDNEXT); }
HWND Button(HWND box, const wchar_t* caption) { return FindWindowExW(box, nullptr, L"Button", caption); }
HWND HotKeyField(HWND box) { return After(FindWindowExW(box, nullptr, L"Static", L"HotKey(&K)")); }
// The line below the page, beside OK and Cancel.
std::string Line(HWND box) {
    wchar_t text[256] = {};
    GetWindowTextW(After(Button(box, L"&Cancel")), text, 256);
    return Narrow(text);
}
// Puts a combination of F-key and the three modifiers into the field (0: none) and presses OK.
void TryKey(HWND box, WORD key) {
    SendMessageW(HotKeyField(box), HKM_SETHOTKEY, key == 0 ? 0 : MAKEWORD(key, kModifiers), 0);
    SendMessageW(Button(box, L"&OK"), BM_CLICK, 0, 0);
}

class MainWindowHotKeysTest : public testing::MainWindowFixture {
protected:
    MainWindow& Start(const std::string& buttons, const std::string& globalHotKey = "") {
        testing::WriteBytes(SettingsPath(),
                            "<GLConfig><Application><Item Name=\"LastPanelIndex\" Value=\"1\"/>"
                            "<Item Name=\"GlobalHotKey\" Value=\"" +
                                globalHotKey +
                                "\"/></Application><Groups Count=\"2\"><Item ID=\"1\" "
                                "Value=\"Tools\"/><Item ID=\"2\" Value=\"Games\"/></Groups><Buttons>" +
                                buttons + "</Buttons></GLConfig>");
        return OpenWindow();
    }

    // The button menu's commands act on the cell pressed with the right button.
    static void RightPress(const ButtonCell& cell) {
        SendMessageW(cell.Page(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(cell.Rect().left + 16, cell.Rect().top + 16));
    }
    // The properties box of the cell of id, driven by script.
    void EditProperties(int id, std::function<void(HWND)> script) {
        RightPress(window_->GridCell(GroupOfButton(id), SlotOfButton(id)));
        g_script = std::move(script);
        SetTimer(nullptr, 0, 50, RunScript);
        window_->RunCommand(Command::ButtonProperties);
    }
};

TEST_F(MainWindowHotKeysTest, AButtonsHotKeyStartsItAsAClickDoesWithTheWindowHidden) {
    const std::string marker = folder_ / "started.txt";
    MainWindow& window = Start(Keyed(101, "One", kF9Text, "&quot;" + marker + "&quot;"));
    ASSERT_EQ(window.ButtonKeys().ButtonOf(kF9), 101);
    window.RunCommand(Command::ToggleWindow);
    ASSERT_FALSE(IsWindowVisible(window.Handle()));

    Press(window, kF9);
    EXPECT_TRUE(
        testing::WaitUntil([&] { return GetFileAttributesW(Widen(marker).c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(window.Buttons().Load(101).value().TotolRunTimes, 1);
    EXPECT_EQ(window.Settings().RecentList.at(0), "101");
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

// At start the hints say which hot keys were refused; the box refuses them
// too, with a line, and writes nothing.
TEST_F(MainWindowHotKeysTest, AHotKeyThatIsTakenIsNamedInTheHintAndKeepsThePropertiesBoxOpen) {
    const OtherProgramKey other(kF10);
    ASSERT_TRUE(other.Held());
    MainWindow& window = Start(Keyed(101, "One", kF9Text) + Keyed(102, "Two", "") + Keyed(103, "Three", kF10Text) +
                                   Keyed(104, "Four", kF9Text),
                               "Ctrl+Shift+Alt+F11");
    ASSERT_NE(window.Tray().HotKeyIndex(), 0);
    EXPECT_EQ(window.GridCell(1, 1).Hint(), "One -[Shift+Ctrl+Alt+F9]");
    EXPECT_EQ(window.GridCell(1, 3).Hint(), "Three -[Shift+Ctrl+Alt+F10] (hot key taken by another program)");
    EXPECT_EQ(window.GridCell(1, 4).Hint(), "Four -[Shift+Ctrl+Alt+F9] (hot key taken by \"One\")");

    std::vector<std::string> lines;
    bool stayedOpen = true;
    EditProperties(102, [&](HWND box) {
        for (const WORD key : {VK_F10, VK_F9, VK_F11}) {
            TryKey(box, key);
            lines.push_back(Line(box));
            stayedOpen = stayedOpen && IsWindowVisible(box);
        }
        SendMessageW(HotKeyField(box), HKM_SETHOTKEY, 0, 0);
        SendMessageW(Button(box, L"&Cancel"), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(lines, (std::vector<std::string>{"Shift+Ctrl+Alt+F10 is taken by another program.",
                                               "Shift+Ctrl+Alt+F9 is the hot key of \"One\".",
                                               "Shift+Ctrl+Alt+F11 is the global hot key."}));
    EXPECT_EQ(window.Buttons().Load(102).value().HotKey, "");

    // The holder keeps its hot key when it moves past the button refused for it.
    RightPress(window.GridCell(1, 1));
    window.RunCommand(Command::MoveButtonToLast);
    EXPECT_EQ(window.ButtonKeys().ButtonOf(kF9), 120);
    EXPECT_EQ(window.GridCell(1, 3).Hint(), "Four -[Shift+Ctrl+Alt+F9] (hot key taken by \"One\")");
}

// The new combination replaces the old, which another program can take
// again; the registration follows the button when it moves; an emptied
// field lets the combination go.
TEST_F(MainWindowHotKeysTest, PropertiesOkWithANewHotKeyReplacesTheOldOneAndAnEmptyFieldFreesIt) {
    MainWindow& window = Start(Keyed(101, "One", kF9Text));
    ASSERT_FALSE(Free(kF9));
    EditProperties(101, [](HWND box) { TryKey(box, VK_F10); });
    EXPECT_EQ(window.Buttons().Load(101).value().HotKey, kF10Text);
    EXPECT_EQ(window.ButtonKeys().ButtonOf(kF10), 101);
    EXPECT_TRUE(Free(kF9));
    EXPECT_FALSE(Free(kF10));

    window.RunCommand(Command::MoveButtonAfter);
    EXPECT_EQ(window.ButtonKeys().ButtonOf(kF10), 102);
    EXPECT_EQ(window.GridCell(1, 2).Hint(), "One -[Shift+Ctrl+Alt+F10]");

    EditProperties(102, [](HWND box) { TryKey(box, 0); });
    EXPECT_EQ(window.Buttons().Load(102).value().HotKey, "");
    EXPECT_TRUE(window.ButtonKeys().HotKeys().RegisteredKeys().empty());
    EXPECT_TRUE(Free(kF10));
}

}  // namespace
}  // namespace tavrin
