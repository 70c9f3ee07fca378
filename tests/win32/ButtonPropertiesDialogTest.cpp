// The properties box and the icon chooser shown for real and driven through
// their controls from a timer while they run.
#include "dialogs/ButtonPropertiesDialog.h"
#include "dialogs/IconChooserDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "rules/Scale.h"
#include "shell/ShellLinker.h"
#include "shell/ShellPaths.h"
#include "shell/Win32Shell.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include "support/TestFileSystem.h"
#include "support/WindowTesting.h"
#include "win32/Dpi.h"
#include "win32/LayoutKeyNames.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::TempFolder;

// The box with the real files, shell and key names, as the main window opens it.
const PropertiesServices& Services() {
    static Win32Shell shell;
    static const LayoutKeyNames keyNames;
    static const PropertiesServices services{testing::TestFileSystem(), shell, keyNames, {}};
    return services;
}

const wchar_t* g_caption = nullptr;
std::function<void(HWND)> g_script;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", g_caption);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    const auto script = std::move(g_script);
    script(dialog);
    // A script stopped by a failure leaves the box open: it ends here.
    if (::testing::Test::HasFatalFailure()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Runs script on the box with the caption once it is shown; the script ends the box.
void WhenShown(const wchar_t* caption, std::function<void(HWND)> script) {
    g_caption = caption;
    g_script = std::move(script);
    SetTimer(nullptr, 0, 50, RunScript);
}

// The control after a label (the edit it names) or after another control.
HWND After(HWND control) { return GetWindow(control, GW_HWNDNEXT); }
HWND Labelled(HWND dialog, const wchar_t* label) { return After(FindWindowExW(dialog, nullptr, L"Static", label)); }
HWND Button(HWND dialog, const wchar_t* caption) { return FindWindowExW(dialog, nullptr, L"Button", caption); }

std::string Text(HWND control) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return Narrow(text);
}
void Type(HWND edit, const std::string& text) { SetWindowTextW(edit, Widen(text).c_str()); }

int Width(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    return place.right - place.left;
}

bool ShowsAnIcon(HWND preview) { return SendMessageW(preview, STM_GETICON, 0, 0) != 0; }

void SavePicture(HWND dialog, const std::string& name) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testing::PumpMessages(300);  // until Wine has put the picture on the screen
    testing::SaveWindowPicture(dialog,
                               testing::ArtifactPath(name + (DpiOf(dialog) == kBaseDpi ? "" : "-144dpi") + ".png"));
}

std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

TEST(ButtonPropertiesDialogTest, ANewButtonNeedsAnExistingCommandAndTakesTheTextsAsTyped) {
    const TempFolder folder;
    const std::string program = WindowsPath(TAVRIN_TEST_CHILD);
    ButtonRecord record;  // an empty slot
    record.IconFile = "old.ico";
    record.IconNumber = 4;
    WhenShown(L"Properties", [&](HWND dialog) {
        const HWND ok = Button(dialog, L"&OK");
        const HWND file = Labelled(dialog, L"&File ");
        const HWND workFolder = Labelled(dialog, L"&Work Folder");
        const HWND windowState = Labelled(dialog, L"Window &Style");
        EXPECT_FALSE(IsWindowEnabled(ok));
        EXPECT_EQ(Text(windowState), "Normal");
        EXPECT_EQ(SendMessageW(Button(dialog, L"&Enable Frequency Report"), BM_GETCHECK, 0, 0), BST_UNCHECKED);

        Type(file, program + "x");
        EXPECT_FALSE(IsWindowEnabled(ok));
        Type(file, program);
        EXPECT_TRUE(IsWindowEnabled(ok));
        Type(workFolder, folder / "missing");
        EXPECT_FALSE(IsWindowEnabled(ok));
        Type(workFolder, "");
        EXPECT_TRUE(IsWindowEnabled(ok));
        Type(file, folder.Path());  // a folder is a command too
        EXPECT_TRUE(IsWindowEnabled(ok));
        Type(file, program);
        Type(workFolder, folder.Path());
        Type(Labelled(dialog, L"&Parameters"), " -a  \"b c\" ");
        Type(Labelled(dialog, L"&Description"), " Child ");
        SendMessageW(windowState, CB_SETCURSEL, 3, 0);
        ASSERT_TRUE(IsWindowEnabled(ok));
        SendMessageW(ok, BM_CLICK, 0, 0);
    });
    ASSERT_TRUE(ShowButtonPropertiesDialog(nullptr, record, Services()));
    EXPECT_EQ(record.BtnStyle, kLaunchButton);
    EXPECT_EQ(record.Command, program);
    EXPECT_EQ(record.Parameters, " -a  \"b c\" ");
    EXPECT_EQ(record.WorkingDir, folder.Path());
    EXPECT_EQ(record.Description, " Child ");
    EXPECT_EQ(record.WindowStyle, 3);
    EXPECT_EQ(record.Priority, 1);  // "Lower"
    EXPECT_EQ(record.HotKey, "");
    EXPECT_TRUE(record.IgnoreRunTimes);
    EXPECT_EQ(record.IconFile, program);  // a typed command shows its own icon
    EXPECT_EQ(record.IconNumber, 0);
}

TEST(ButtonPropertiesDialogTest, HotKeyAndPriorityPassThroughAndAStateOutsideTheListWritesMinusOne) {
    ButtonRecord record;
    record.BtnStyle = kLaunchButton;
    record.Command = WindowsPath(TAVRIN_TEST_CHILD);
    record.HotKey = "alt+^f5";
    record.WindowStyle = 5;  // a dropped folder's
    record.Priority = 2;
    WhenShown(L"Properties", [&](HWND dialog) {
        EXPECT_EQ(Text(Labelled(dialog, L"Window &Style")), "");
        EXPECT_EQ(SendMessageW(Button(dialog, L"&Enable Frequency Report"), BM_GETCHECK, 0, 0), BST_CHECKED);
        SendMessageW(Button(dialog, L"&OK"), BM_CLICK, 0, 0);
    });
    ASSERT_TRUE(ShowButtonPropertiesDialog(nullptr, record, Services()));
    EXPECT_EQ(record.HotKey, "Ctrl+Alt+F5");
    EXPECT_EQ(record.WindowStyle, -1);
    EXPECT_EQ(record.Priority, 2);
    EXPECT_FALSE(record.IgnoreRunTimes);
}

TEST(ButtonPropertiesDialogTest, EveryMnemonicOfTheBoxNamesOneControl) {
    ButtonRecord record;
    std::wstring letters;  // the letter after each "&" of the captions, in lower case
    WhenShown(L"Properties", [&](HWND dialog) {
        for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            const std::wstring caption = Widen(Text(control));
            for (size_t at = caption.find(L'&'); at < caption.size() - 1; at = caption.find(L'&', at + 2)) {
                letters += static_cast<wchar_t>(towlower(caption[at + 1]));
            }
        }
        SendMessageW(Button(dialog, L"&Cancel"), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(ShowButtonPropertiesDialog(nullptr, record, Services()));
    std::wstring sorted = letters;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_TRUE(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end()) << Narrow(letters);
}

// In a process of its own: the X keyboard focus it leaves behind could disturb later tests.
// An icon that is the command's own follows the command typed over it; one
// chosen by hand stays.
TEST(ButtonPropertiesDialogRealKeyTest, AnIconOfTheCommandFollowsTheCommandTypedOverIt) {
    const std::string notepad = "C:\\windows\\notepad.exe";
    const std::string regedit = "C:\\windows\\regedit.exe";
    ButtonRecord record;
    record.BtnStyle = kLaunchButton;
    record.Command = notepad;
    record.IconFile = notepad;
    std::optional<std::string> skipped;
    WhenShown(L"Properties", [&](HWND dialog) {
        // Should the keys not arrive, the box is cancelled and the command is still notepad's.
        SetTimer(dialog, 1, 20000, [](HWND box, UINT, UINT_PTR, DWORD) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
        std::string keys = "End";
        for (int i = 0; i < 11; ++i) keys += " BackSpace";  // "notepad.exe"
        skipped = testing::PressKeysWithXdotool("^Properties$", keys + " r e g e d i t period e x e Return");
        if (skipped) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    const bool ok = ShowButtonPropertiesDialog(nullptr, record, Services());
    if (skipped) GTEST_SKIP() << *skipped;
    ASSERT_TRUE(ok);
    EXPECT_EQ(record.Command, regedit);
    EXPECT_EQ(record.IconFile, regedit);
    EXPECT_EQ(record.IconNumber, 0);

    record.IconFile = "C:\\windows\\system32\\shell32.dll";
    record.IconNumber = 3;
    WhenShown(L"Properties", [](HWND dialog) {
        Type(Labelled(dialog, L"&File "), "C:\\windows\\notepad.exe");
        SendMessageW(Button(dialog, L"&OK"), BM_CLICK, 0, 0);
    });
    ASSERT_TRUE(ShowButtonPropertiesDialog(nullptr, record, Services()));
    EXPECT_EQ(record.Command, notepad);
    EXPECT_EQ(record.IconFile, "C:\\windows\\system32\\shell32.dll");
    EXPECT_EQ(record.IconNumber, 3);
}

TEST(ButtonPropertiesDialogTest, AnActionButtonOpensWithoutTheEditPageAndOkWritesNothing) {
    ButtonRecord record;
    record.BtnStyle = 1;
    record.Command = "action";
    WhenShown(L"Properties", [](HWND dialog) {
        EXPECT_FALSE(IsWindowVisible(Labelled(dialog, L"&File ")));
        EXPECT_EQ(SendMessageW(FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr), TCM_GETITEMCOUNT, 0, 0), 0);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(ShowButtonPropertiesDialog(nullptr, record, Services()));
    EXPECT_EQ(record.BtnStyle, 1);
    EXPECT_EQ(record.Command, "action");
    EXPECT_EQ(record.WindowStyle, 1);
}

TEST(ButtonPropertiesDialogScaledTest, ResolvesAShortcutIntoItsTarget) {
    const ComInitScope ole(ComInitScope::Kind::Ole);
    const TempFolder folder;
    ShellLinkSpec spec;
    spec.Path = WindowsPath(TAVRIN_TEST_CHILD);
    spec.WorkingDirectory = folder.Path();
    spec.Arguments = "--from-link";
    spec.ShowCmd = SW_SHOWMAXIMIZED;
    const std::string capitalLink = folder / "Child.LNK";
    const std::string link = folder / "child.lnk";
    ASSERT_TRUE(CreateShellLink(spec, capitalLink));
    ASSERT_TRUE(CreateShellLink(spec, link));
    ShellLinkInfo info;
    ASSERT_TRUE(ReadShellLink(link, info));

    ButtonRecord record;
    record.BtnStyle = kLaunchButton;
    record.Command = capitalLink;
    record.IconFile = capitalLink;
    WhenShown(L"Properties", [&](HWND dialog) {
        const HWND file = Labelled(dialog, L"&File ");
        const HWND linkButton = After(file);
        const int fullWidth = Width(Labelled(dialog, L"&Work Folder"));
        // Opening takes the extension in any case; typing only ".lnk" as written.
        EXPECT_TRUE(IsWindowVisible(linkButton) && IsWindowEnabled(linkButton));
        EXPECT_EQ(Width(file), fullWidth - Scaled(25, DpiOf(dialog)));
        SavePicture(dialog, "button-properties");
        Type(file, capitalLink);
        EXPECT_FALSE(IsWindowVisible(linkButton));
        EXPECT_EQ(Width(file), fullWidth);
        Type(file, link);
        ASSERT_TRUE(IsWindowVisible(linkButton));

        SendMessageW(linkButton, BM_CLICK, 0, 0);
        const std::string target = GetCanonicalPath(spec.Path);
        EXPECT_EQ(Text(file), target);
        EXPECT_EQ(Text(Labelled(dialog, L"&Work Folder")), GetCanonicalPath(folder.Path()));
        EXPECT_EQ(Text(Labelled(dialog, L"&Parameters")), "--from-link");
        EXPECT_EQ(Text(Labelled(dialog, L"&Description")), "tavrin_test_child.exe");
        EXPECT_EQ(Text(Labelled(dialog, L"Window &Style")), "Maximized");
        EXPECT_TRUE(ShowsAnIcon(After(Button(dialog, L"Icon"))));
        EXPECT_FALSE(IsWindowVisible(linkButton));
        EXPECT_EQ(Width(file), fullWidth);
        SendMessageW(Button(dialog, L"&Cancel"), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(ShowButtonPropertiesDialog(nullptr, record, Services()));
    // The icon was taken at once; the caller keeps it only after OK.
    EXPECT_EQ(record.Command, capitalLink);
    EXPECT_EQ(record.IconFile, info.IconLocation.empty() ? GetCanonicalPath(spec.Path) : info.IconLocation);
    EXPECT_EQ(record.IconNumber, 0);
}

TEST(IconChooserDialogScaledTest, HoldsTheNumberToTheIconsOfTheFileShown) {
    const TempFolder folder;
    const std::string program = WindowsPath(TAVRIN_EXE);  // two icons
    const std::string document = folder / "notes.txt";
    testing::WriteBytes(document, "text");

    WhenShown(L"Icon", [&](HWND dialog) {
        const HWND file = Labelled(dialog, L"Icon:");
        const HWND index = Labelled(dialog, L"Index:");
        const HWND count = Labelled(dialog, L"/");
        const HWND preview = FindWindowExW(dialog, count, L"Static", nullptr);
        const HWND ok = Button(dialog, L"&OK");
        // Opened with the number 7 of a file of two icons: the last one.
        EXPECT_EQ(Text(index), "2");
        EXPECT_EQ(Text(count), "2");
        EXPECT_TRUE(IsWindowEnabled(index));
        EXPECT_TRUE(ShowsAnIcon(preview));
        SavePicture(dialog, "icon-chooser");
        // The arrows and typed numbers keep to 1 to 2.
        SendMessageW(index, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(Text(index), "1");
        SendMessageW(index, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(Text(index), "1");
        SendMessageW(index, WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(Text(index), "2");
        // An icon file holds one icon, however many images it has.
        Type(file, WindowsPath(TAVRIN_ICON_FILE));
        EXPECT_EQ(Text(count), "1");
        EXPECT_EQ(Text(index), "1");
        EXPECT_FALSE(IsWindowEnabled(index));
        Type(file, folder / "missing.ico");
        EXPECT_EQ(Text(count), "1");
        EXPECT_FALSE(IsWindowEnabled(ok));
        EXPECT_FALSE(ShowsAnIcon(preview));
        // A document holds none: number 0, its shell icon.
        Type(file, document);
        EXPECT_TRUE(IsWindowEnabled(ok));
        EXPECT_EQ(Text(count), "0");
        EXPECT_EQ(Text(index), "0");
        EXPECT_TRUE(ShowsAnIcon(preview));
        SendMessageW(ok, BM_CLICK, 0, 0);
    });
    const auto choice = ShowIconChooserDialog(nullptr, testing::TestFileSystem(), {program, 7});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->file, document);
    EXPECT_EQ(choice->number, -1);

    // Over an owner at the screen's edge the box stays on the screen; Cancel gives nothing.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const unique_hwnd owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, work.right - 100, work.top, 100,
                                            100, nullptr, nullptr, nullptr, nullptr));
    WhenShown(L"Icon", [&](HWND dialog) {
        RECT place{};
        GetWindowRect(dialog, &place);
        EXPECT_EQ(place.right, work.right);
        EXPECT_EQ(place.top, work.top);
        SendMessageW(Button(dialog, L"&Cancel"), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(ShowIconChooserDialog(owner.get(), testing::TestFileSystem(), {"", 2}));
}

}  // namespace
}  // namespace tavrin
