// The options dialog opened from the main window made in this process, used
// from a timer while it runs as a user would: keys, clicks and typed text.
#include "dialogs/OptionsDialog.h"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "rules/Scale.h"
#include "shell/ShellLinker.h"
#include "support/ButtonFiles.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FixedClock.h"
#include "support/MainWindowFixture.h"
#include "support/NoFileDialogs.h"
#include "support/Screenshot.h"
#include "support/SpyFileSystem.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/ComPtr.h"
#include "win32/Dpi.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::ButtonXml;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Plays the user of the options dialog: once it is shown, `use` runs on it
// and the button it returns (IDOK or IDCANCEL) is pressed.
class OptionsUser {
public:
    explicit OptionsUser(std::function<int(HWND dialog)> use) : timer_(SetTimer(nullptr, 0, 50, Tick)) {
        use_ = std::move(use);
        used_ = false;
    }
    ~OptionsUser() { KillTimer(nullptr, timer_); }
    [[nodiscard]] static bool Used() { return used_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        const HWND dialog = FindWindowW(L"#32770", L"Options");
        if (!dialog || !IsWindowVisible(dialog) || used_) return;
        used_ = true;
        const HWND button = GetDlgItem(dialog, use_(dialog));
        SendMessageW(button, BM_CLICK, 0, 0);
    }

    static inline std::function<int(HWND)> use_;
    static inline bool used_ = false;
    UINT_PTR timer_;
};

std::wstring Text(HWND window) {
    wchar_t text[256]{};
    GetWindowTextW(window, text, 256);
    return text;
}

// The first control of a class, and with a text when one is given, anywhere in the dialog.
HWND Find(HWND dialog, const wchar_t* className, const wchar_t* text = nullptr) {
    struct Search {
        const wchar_t* className;
        const wchar_t* text;
        HWND found;
    } search{className, text, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            wchar_t name[64]{};
            GetClassNameW(child, name, 64);
            if (lstrcmpiW(name, search.className) != 0 || (search.text && Text(child) != search.text)) return TRUE;
            search.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CountField(HWND dialog) {
    return reinterpret_cast<HWND>(SendMessageW(Find(dialog, UPDOWN_CLASSW), UDM_GETBUDDY, 0, 0));
}

// The grid's edits; hidden labels that name them for screen readers stand between them.
std::vector<HWND> NameCells(HWND dialog) {
    std::vector<HWND> cells;
    for (HWND cell = GetWindow(Find(dialog, L"TavrinNamesGrid"), GW_CHILD); cell; cell = GetWindow(cell, GW_HWNDNEXT)) {
        wchar_t className[16]{};
        GetClassNameW(cell, className, 16);
        if (lstrcmpiW(className, L"Edit") == 0) cells.push_back(cell);
    }
    return cells;
}

// What a screen reader calls a window: the name of its standard accessible object.
std::wstring AccessibleName(HWND window) {
    ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, object.put_void()))) return L"";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) != S_OK) return L"";
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

void Click(HWND dialog, const wchar_t* caption) { SendMessageW(Find(dialog, L"Button", caption), BM_CLICK, 0, 0); }

// Shows a page as a click on its tab does.
void ShowPage(HWND dialog, int page) {
    const HWND tabs = Find(dialog, WC_TABCONTROLW);
    TabCtrl_SetCurSel(tabs, page);
    NMHDR change{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(dialog, WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
}

std::string TabCaption(const MainWindow& window, int item) {
    return Narrow(testing::TabItemText(window.TabControl(), item));
}

// The desktop and Start menu folders of the user's "User Shell Folders" (what
// Wine's shell goes by) and "Shell Folders" (which it keeps in step) lead to
// folders of the test while it runs, and Wine's menu builder, which would copy
// shortcuts there to the Linux desktop, is kept from starting.
class RedirectedShellFolders {
public:
    RedirectedShellFolders(const std::string& desktop, const std::string& startMenu) {
        for (const wchar_t* key : {L"Shell Folders", L"User Shell Folders"}) {
            for (const auto& [name, folder] : {std::pair{L"Desktop", desktop}, {L"Start Menu", startMenu}}) {
                Saved& saved = saved_.emplace_back(
                    Saved{std::wstring(kExplorer) + key, name, REG_SZ, std::wstring(MAX_PATH, L'\0')});
                DWORD size = MAX_PATH * sizeof(wchar_t);
                if (RegGetValueW(HKEY_CURRENT_USER, saved.key.c_str(), name,
                                 RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &saved.type, saved.value.data(),
                                 &size) != ERROR_SUCCESS) {
                    saved.value.clear();
                }
                Set(saved.key, name, REG_SZ, Widen(folder));
            }
        }
        SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"winemenubuilder.exe=d");
    }
    ~RedirectedShellFolders() {
        for (const Saved& saved : saved_) Set(saved.key, saved.name, saved.type, saved.value.c_str());
        SetEnvironmentVariableW(L"WINEDLLOVERRIDES", nullptr);
    }

private:
    static constexpr wchar_t kExplorer[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    struct Saved {
        std::wstring key;
        const wchar_t* name;
        DWORD type;
        std::wstring value;  // empty: there was none
    };
    static void Set(const std::wstring& key, const wchar_t* name, DWORD type, const std::wstring& value) {
        if (value.empty()) {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name);
        } else {
            RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, value.c_str(),
                            static_cast<DWORD>((wcslen(value.c_str()) + 1) * sizeof(wchar_t)));
        }
    }

    std::vector<Saved> saved_;
};

class OptionsDialogTest : public testing::MainWindowFixture {
protected:
    OptionsDialogTest() : MainWindowFixture(dialogs_) {}

    // The options not given take their defaults.
    MainWindow& Start(const std::vector<std::string>& groups, const std::string& buttons = "",
                      const std::string& globalHotKey = "") {
        std::string xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Application>"
            "\r\n\t\t<Item Name=\"GlobalHotKey\" Value=\"" +
            globalHotKey +
            "\"/>\r\n\t\t<Item Name=\"X\" Value=\"200\"/>\r\n\t\t<Item Name=\"Y\" Value=\"150\"/>"
            "\r\n\t</Application>\r\n\t<Groups Count=\"" +
            std::to_string(groups.size()) + "\">";
        for (size_t i = 0; i < groups.size(); ++i) {
            xml += "\r\n\t\t<Item ID=\"" + std::to_string(i + 1) + "\" Value=\"" + groups[i] + "\"/>";
        }
        WriteBytes(SettingsPath(),
                   xml + "\r\n\t</Groups>\r\n\t<Buttons>" + buttons + "\r\n\t</Buttons>\r\n</GLConfig>");
        WriteBytes(environment_.ExecutablePath(), "MZ");  // the target of the shortcuts
        return OpenWindow();
    }

    // Opens the dialog from the window's command and uses it.
    void UseOptions(std::function<int(HWND)> use) {
        const OptionsUser user(std::move(use));
        window_->RunCommand(Command::Options);
        EXPECT_TRUE(OptionsUser::Used()) << "the dialog was not shown";
    }

    testing::NoFileDialogs dialogs_;  // no message is expected
};

TEST_F(OptionsDialogTest, LoweringTheTabsFrom3To2RemovesPage3AndRaisingThemShowsItsButtonsAgain) {
    MainWindow& window = Start({"A", "B", "C"}, ButtonXml(301, {{"Description", "Third"}}));
    ASSERT_EQ(window.PageCount(), 4);
    // The user is on page 3, which goes: the program is to reopen on the page before it.
    TabCtrl_SetCurSel(window.TabControl(), 3);
    NMHDR change{window.TabControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    ASSERT_EQ(window.Settings().LastPanelIndex, 3);
    fs_.reads = fs_.saves = 0;
    UseOptions([](HWND dialog) {
        const HWND count = CountField(dialog);
        EXPECT_EQ(Text(count), L"3");
        EXPECT_EQ(NameCells(dialog).size(), 3u);
        SendMessageW(count, WM_KEYDOWN, VK_DOWN, 0);  // the field's down arrow
        EXPECT_EQ(Text(count), L"2");
        const std::vector<HWND> cells = NameCells(dialog);
        EXPECT_EQ(cells.size(), 2u);  // the third row went with its name
        EXPECT_EQ(Text(cells.back()), L"B");
        EXPECT_EQ(AccessibleName(cells.back()), L"Tab name 1");
        return IDOK;
    });
    // OK saves the options and the tabs at once, from one read and the check
    // before the replace; the buttons' hot keys then follow the groups, from
    // one more read that finds the tree just saved.
    EXPECT_EQ(fs_.saves, 1);
    EXPECT_EQ(fs_.reads, 3);
    EXPECT_EQ(window.PageCount(), 3);
    EXPECT_EQ(window.Settings().GroupNames, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(window.Settings().LastPanelIndex, 2);
    std::string saved = ReadBytes(SettingsPath());
    EXPECT_NE(saved.find("<Groups Count=\"2\">"), std::string::npos);
    EXPECT_NE(saved.find("<Button ID=\"301\">"), std::string::npos);  // kept for a page 3 to come

    UseOptions([](HWND dialog) {
        ShowPage(dialog, 1);
        const HWND count = CountField(dialog);
        SetFocus(count);
        SetWindowTextW(count, L"4");
        EXPECT_EQ(NameCells(dialog).size(), 2u);  // a typed number counts once the field is left
        SetFocus(NameCells(dialog).at(0));
        const std::vector<HWND> cells = NameCells(dialog);
        EXPECT_EQ(cells.size(), 4u);
        EXPECT_EQ(Text(cells[2]) + Text(cells[3]), L"");  // new rows are empty
        SetWindowTextW(cells[2], L"Again");
        return IDOK;
    });
    ASSERT_EQ(window.PageCount(), 5);
    EXPECT_EQ(window.Settings().GroupNames, (std::vector<std::string>{"A", "B", "Again", ""}));
    EXPECT_EQ(TabCaption(window, 3), "Again");
    EXPECT_EQ(window.GridCell(3, 1).Tag(), 301);
    EXPECT_EQ(window.GridCell(3, 1).Hint(), "Third");
    EXPECT_EQ(window.GridCell(4, 20).Tag(), 420);
}

// As "Options..." of the tray icon's menu, which works while the dialog is open.
TEST_F(OptionsDialogTest, OptionsChosenWhileTheDialogIsOpenOpenNoSecondDialog) {
    MainWindow& window = Start({"A"});
    static HWND first = nullptr;
    static bool second = false;
    UseOptions([&window](HWND dialog) {
        first = dialog;
        const UINT_PTR closer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
            const HWND top = FindWindowW(L"#32770", L"Options");
            if (top && top != first) {
                second = true;
                PostMessageW(top, WM_COMMAND, IDCANCEL, 0);
            }
        });
        window.RunCommand(Command::Options);
        KillTimer(nullptr, closer);
        return IDCANCEL;
    });
    EXPECT_FALSE(second);
}

TEST_F(OptionsDialogTest, AKeyAloneGetsAltAndAClearedHotKeyIsStoredEmpty) {
    MainWindow& window = Start({"A"}, "", "Ctrl+Shift+Alt+F7");
    ASSERT_NE(window.Tray().HotKeyIndex(), 0);
    UseOptions([](HWND dialog) {
        const HWND field = Find(dialog, HOTKEY_CLASSW);
        EXPECT_EQ(SendMessageW(field, HKM_GETHOTKEY, 0, 0),
                  MAKEWORD(VK_F7, HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT));
        // Alt+A through the dialog's keyboard handling: the field takes it,
        // "&Always on top" is not toggled.
        SetFocus(field);
        PostMessageW(field, WM_SYSKEYDOWN, 'A', 0x20000001);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            if (!IsDialogMessageW(dialog, &message)) DispatchMessageW(&message);
        }
        EXPECT_EQ(SendMessageW(field, HKM_GETHOTKEY, 0, 0), MAKEWORD('A', HOTKEYF_ALT));
        EXPECT_EQ(SendMessageW(Find(dialog, L"BUTTON", L"&Always on top"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(GetFocus(), field);
        SendMessageW(field, WM_KEYDOWN, VK_F8, 0);
        SendMessageW(field, WM_KEYUP, VK_F8, 0);
        EXPECT_EQ(SendMessageW(field, HKM_GETHOTKEY, 0, 0), MAKEWORD(VK_F8, HOTKEYF_ALT));
        return IDOK;
    });
    EXPECT_EQ(window.Settings().GlobalHotKeyText, "Alt+F8");
    ASSERT_NE(window.Tray().HotKeyIndex(), 0);
    EXPECT_EQ(window.Tray().HotKeys().RegisteredKeys().back().hotKey, kHotKeyAlt | VK_F8);

    UseOptions([](HWND dialog) {
        SendMessageW(Find(dialog, HOTKEY_CLASSW), HKM_SETHOTKEY, 0, 0);
        return IDOK;
    });
    EXPECT_EQ(window.Settings().GlobalHotKeyText, "");
    EXPECT_NE(ReadBytes(SettingsPath()).find("<Item Name=\"GlobalHotKey\" Value=\"\"/>"), std::string::npos);
    EXPECT_EQ(window.Tray().HotKeyIndex(), 0);
}

TEST_F(OptionsDialogTest, CancelKeepsTheSettingsButTheShortcutsStayAndDesktopTwiceReplacesItsOwn) {
    MainWindow& window = Start({"A", "B"});
    TempFolder desktop;
    TempFolder startMenu;
    const RedirectedShellFolders redirected(desktop / "", startMenu / "");
    const std::string before = ReadBytes(SettingsPath());
    const std::string link = desktop / "Tavrin.lnk";
    UseOptions([&](HWND dialog) {
        Click(dialog, L"&Always on top");
        Click(dialog, L"&Run Tavrin at startup");
        SendMessageW(CountField(dialog), WM_KEYDOWN, VK_UP, 0);
        SendMessageW(Find(dialog, HOTKEY_CLASSW), HKM_SETHOTKEY, MAKEWORD('T', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
        Click(dialog, L"Desktop");
        EXPECT_EQ(testing::ListFolder(desktop.Path()), "Tavrin.lnk");
        WriteBytes(link, "spoilt");
        Click(dialog, L"Desktop");
        Click(dialog, L"Start Menu");
        return IDCANCEL;
    });
    EXPECT_EQ(ReadBytes(SettingsPath()), before);
    EXPECT_FALSE(window.Settings().AlwaysOnTop);
    EXPECT_EQ(window.Settings().GroupNames.size(), 2u);
    EXPECT_EQ(window.PageCount(), 3);
    EXPECT_TRUE(environment_.runValues.empty());

    EXPECT_EQ(testing::ListFolder(desktop.Path()), "Tavrin.lnk");
    for (const std::string& file : {link, startMenu / "Tavrin.lnk"}) {
        ShellLinkInfo info;
        ASSERT_TRUE(ReadShellLink(file, info)) << file;
        EXPECT_EQ(info.Path, environment_.ExecutablePath());
        EXPECT_EQ(info.WorkingDirectory, folder_ / "");
        EXPECT_EQ(info.Arguments + info.Description, "");
        EXPECT_EQ(info.ShowState, 0);
        EXPECT_EQ(info.HotKey, 0);
    }
}

// Both pages at the display scale of the test's Wine prefix, as pictures.
class OptionsDialogScaledTest : public OptionsDialogTest {};

TEST_F(OptionsDialogScaledTest, ShowsBothPagesAtTheScaleOfItsOwner) {
    MainWindow& window = Start({"Tools", "Games", "Work", "Music", "Photos", "Office", "Web"}, "", "Ctrl+Alt+L");
    const int dpi = window.Dpi();
    const std::string suffix = dpi == kBaseDpi ? "" : "-" + std::to_string(dpi) + "dpi";
    UseOptions([&](HWND dialog) {
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, Scaled(473, dpi));
        EXPECT_EQ(client.bottom, Scaled(325, dpi));
        for (const wchar_t* caption : {L"&Run Tavrin at startup", L"&Always on top", L"Resolve &dropped shortcuts",
                                       L"Show &Tavrin Tabsheet", L"&Ignore click on Blank Button", L"Tavrin Hot &Key",
                                       L"&Create Shortcut", L"Desktop", L"Start Menu", L"&Maintenance", L"Backup Set.",
                                       L"Restore Set.", L"Tabsheet Layout", L"Tabsheet Names", L"&OK", L"&Cancel"}) {
            EXPECT_NE(Find(dialog, L"Button", caption), nullptr) << Narrow(caption);
        }
        EXPECT_NE(Find(dialog, L"Static", L"Tabs &number:"), nullptr);
        EXPECT_NE(Find(dialog, L"Static", L"&Style:"), nullptr);
        const HWND style = Find(dialog, WC_COMBOBOXW);
        EXPECT_EQ(SendMessageW(style, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageW(style, CB_GETCURSEL, 0, 0), 0);
        testing::PumpMessages(300);  // until Wine has put the painted window on the screen
        testing::SaveWindowPicture(dialog, testing::ArtifactPath("options-general" + suffix + ".png"));

        ShowPage(dialog, 1);
        const std::vector<HWND> cells = NameCells(dialog);
        EXPECT_EQ(cells.size(), 7u);
        EXPECT_EQ(Text(cells[6]), L"Web");
        RECT first{};
        RECT second{};
        GetWindowRect(cells[0], &first);
        GetWindowRect(cells[1], &second);
        EXPECT_EQ(second.top - first.top, Scaled(24, dpi));
        testing::PumpMessages(300);
        testing::SaveWindowPicture(dialog, testing::ArtifactPath("options-tabsheet" + suffix + ".png"));

        // Tab and the arrow keys move between the name cells; the rows below come into view as the focus reaches them.
        SetFocus(cells[4]);
        MSG tab{cells[4], WM_KEYDOWN, VK_TAB, 0, 0, {}};
        IsDialogMessageW(dialog, &tab);
        EXPECT_EQ(GetFocus(), cells[5]);
        SendMessageW(cells[5], WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(GetFocus(), cells[6]);
        RECT last{};
        RECT grid{};
        GetWindowRect(cells[6], &last);
        GetClientRect(GetParent(cells[6]), &grid);
        MapWindowPoints(GetParent(cells[6]), nullptr, reinterpret_cast<POINT*>(&grid), 2);
        EXPECT_GE(last.top, grid.top);
        EXPECT_LE(last.bottom, grid.bottom);
        return IDCANCEL;
    });
}

}  // namespace
}  // namespace tavrin
