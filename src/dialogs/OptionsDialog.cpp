#include "dialogs/OptionsDialog.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/HotKeyField.h"
#include "dialogs/NamesGrid.h"
#include "rules/GroupCountField.h"
#include "shell/ShellLinker.h"
#include "shell/ShellPaths.h"
#include "storage/PathNames.h"
#include "win32/DebugTrace.h"
#include "win32/DialogBase.h"
#include "win32/Utf16.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {
namespace {

// Controls; the page controls pass their notifications on to the dialog, so every identifier is unique.
enum : int {
    kPageTabs = 100,
    kRunStartup,
    kAlwaysOnTop,
    kAnalyseLinkFile,
    kShowAppPanel,
    kIgnoreBlankButton,
    kHotKey,
    kDesktopShortcut,
    kStartMenuShortcut,
    kBackup,
    kRestore,
    kGroupCount,
    kGroupCountSpin,
    kTabStyle,
    kNamesGrid,
};

constexpr int kGeneralPage = 0;
constexpr int kTabsheetPage = 1;
constexpr int kShownNameRows = 5;
constexpr char kShortcutName[] = "Tavrin.lnk";  // the product name and ".lnk"

// The check boxes of the "General" page and the settings they show.
struct CheckBox {
    int id;
    const wchar_t* caption;
    bool AppOptions::*setting;
};
constexpr std::array<CheckBox, 5> kCheckBoxes{{
    {kRunStartup, L"&Run Tavrin at startup", &AppOptions::RunStartup},
    {kAlwaysOnTop, L"&Always on top", &AppOptions::AlwaysOnTop},
    {kAnalyseLinkFile, L"Resolve &dropped shortcuts", &AppOptions::AnalyseLinkFile},
    {kShowAppPanel, L"Show &Tavrin Tabsheet", &AppOptions::ShowAppPanel},
    {kIgnoreBlankButton, L"&Ignore click on Blank Button", &AppOptions::IgnoreBlankButton},
}};

// A page of the tab control: a child dialog over the tab's display area that
// passes its controls' notifications on to the options dialog, with the tab's
// themed background where there is one.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_VSCROLL) {
        SendMessageW(GetParent(page), message, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

HWND CreatePage(HWND dialog) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    reinterpret_cast<DLGTEMPLATE*>(words.data())->style = WS_CHILD | DS_CONTROL;
    words.insert(words.end(), {0, 0, 0});  // no menu, the standard class, no caption
    const HWND page = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), dialog, PageProc, 0);
    if (!page) ThrowLastError("CreateDialogIndirectParamW");
    EnableThemeDialogTexture(page, ETDT_ENABLETAB);
    return page;
}

// Target the running program, start in its folder, normal window; an existing
// file is replaced. A shortcut not written is only traced: without the folder
// there is nowhere to write.
void CreateProgramShortcut(UserFolder userFolder, const std::string& program) {
    const std::string folder = GetUserFolder(userFolder);
    if (!TraceIfFalse(!folder.empty(), "the shell knows no folder for the program's shortcut")) return;
    ShellLinkSpec spec;
    spec.Path = program;
    spec.WorkingDirectory = ExtractFilePath(program);
    spec.ShowCmd = SW_SHOWNORMAL;
    (void)TraceIfFalse(CreateShellLink(spec, folder + kShortcutName),
                       "the shortcut " + folder + kShortcutName + " was not written");
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

class OptionsDialog : public DialogBase<OptionsDialog> {
public:
    explicit OptionsDialog(const OptionsServices& services) : services_(services), settings_(services.settings) {}

    bool Run(HWND owner) { return RunModal(owner, L"Options", {473, 325}) == IDOK; }

    BOOL OnInitDialog() {
        CentreOnScreen();
        const HWND tabs = AddControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, {8, 8, 465, 284}, kPageTabs);
        for (const wchar_t* caption : {L"General", L"Tabsheet"}) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(caption);
            TabCtrl_InsertItem(tabs, TabCtrl_GetItemCount(tabs), &item);
        }
        // Over the tab's display area and above it, so that the tab control does not paint over them.
        RECT display{};
        GetClientRect(tabs, &display);
        TabCtrl_AdjustRect(tabs, FALSE, &display);
        MapWindowPoints(tabs, Handle(), reinterpret_cast<POINT*>(&display), 2);
        for (HWND& page : pages_) {
            page = CreatePage(Handle());
            SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                         display.bottom - display.top, SWP_NOACTIVATE);
        }
        AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {307, 293, 382, 318}, IDOK);
        AddControl(L"BUTTON", L"&Cancel", WS_TABSTOP, {390, 293, 465, 318}, IDCANCEL);
        BuildGeneralPage();
        BuildTabsheetPage();
        ShowPage(kGeneralPage);
        return TRUE;
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                if (header->idFrom == kPageTabs && header->code == TCN_SELCHANGE) {
                    ShowPage(TabCtrl_GetCurSel(header->hwndFrom));
                }
                return FALSE;
            }
            case WM_VSCROLL:
                // The arrows of the tab count.
                if (reinterpret_cast<HWND>(lParam) == Control(kGroupCountSpin) && LOWORD(wParam) == SB_THUMBPOSITION) {
                    ApplyGroupCount();
                }
                return FALSE;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam), HIWORD(wParam));
            default:
                return FALSE;
        }
    }

private:
    // Page controls are looked up on their pages.
    [[nodiscard]] HWND Control(int id) const {
        for (const HWND page : pages_) {
            if (const HWND control = GetDlgItem(page, id)) return control;
        }
        return DialogBase::Control(id);
    }

    HWND AddPageControl(int page, const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place, int id,
                        DWORD exStyle = 0) {
        const int left = Scale(place.left);
        const int top = Scale(place.top);
        const HWND control =
            CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, left, top,
                            Scale(place.right) - left, Scale(place.bottom) - top, pages_[page],
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        if (!control) ThrowLastError("CreateWindowExW");
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
        return control;
    }

    [[nodiscard]] HFONT Font() const { return reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)); }

    // The settings' check boxes, the hot key and the immediate actions.
    void BuildGeneralPage() {
        int top = 12;
        for (const CheckBox& box : kCheckBoxes) {
            const HWND check = AddPageControl(kGeneralPage, L"BUTTON", box.caption, WS_TABSTOP | BS_AUTOCHECKBOX,
                                              {14, top, 218, top + 18}, box.id);
            SendMessageW(check, BM_SETCHECK, settings_.*box.setting ? BST_CHECKED : BST_UNCHECKED, 0);
            top += 26;
        }
        AddPageControl(kGeneralPage, L"BUTTON", L"Tavrin Hot &Key", BS_GROUPBOX, {8, 148, 222, 204}, -1);
        const HWND hotKey = AddPageControl(kGeneralPage, HOTKEY_CLASSW, L"", WS_TABSTOP, {18, 170, 212, 191}, kHotKey,
                                           WS_EX_CLIENTEDGE);
        PrepareHotKeyField(hotKey);
        shownHotKey_ = ParseHotKeyText(settings_.GlobalHotKeyText, true, services_.keyNames);
        SendMessageW(hotKey, HKM_SETHOTKEY, ControlHotKey(shownHotKey_), 0);

        AddPageControl(kGeneralPage, L"BUTTON", L"&Create Shortcut", BS_GROUPBOX, {230, 6, 441, 66}, -1);
        AddPageControl(kGeneralPage, L"BUTTON", L"Desktop", WS_TABSTOP, {242, 30, 332, 55}, kDesktopShortcut);
        AddPageControl(kGeneralPage, L"BUTTON", L"Start Menu", WS_TABSTOP, {340, 30, 430, 55}, kStartMenuShortcut);
        AddPageControl(kGeneralPage, L"BUTTON", L"&Maintenance", BS_GROUPBOX, {230, 76, 441, 136}, -1);
        AddPageControl(kGeneralPage, L"BUTTON", L"Backup Set.", WS_TABSTOP, {242, 100, 332, 125}, kBackup);
        AddPageControl(kGeneralPage, L"BUTTON", L"Restore Set.", WS_TABSTOP, {340, 100, 430, 125}, kRestore);
    }

    // The number, style and names of the tabs. More groups than the field's
    // 10 (made with "Create New Tab...") are shown as they are, not cut.
    void BuildTabsheetPage() {
        AddPageControl(kTabsheetPage, L"BUTTON", L"Tabsheet Layout", BS_GROUPBOX, {8, 6, 441, 64}, -1);
        AddPageControl(kTabsheetPage, L"STATIC", L"Tabs &number:", 0, {20, 32, 100, 48}, -1);
        const HWND count = AddPageControl(kTabsheetPage, L"EDIT", L"", WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                                          {102, 28, 160, 50}, kGroupCount, WS_EX_CLIENTEDGE);
        const HWND spin = AddPageControl(kTabsheetPage, UPDOWN_CLASSW, L"",
                                         UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                         {160, 28, 176, 50}, kGroupCountSpin);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(count), 0);
        AddPageControl(kTabsheetPage, L"STATIC", L"&Style:", 0, {200, 32, 240, 48}, -1);
        const HWND style = AddPageControl(kTabsheetPage, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                          {242, 28, 372, 150}, kTabStyle);
        for (const wchar_t* item : {L"Tabs", L"Button", L"FlatButton"}) {
            SendMessageW(style, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageW(style, CB_SETCURSEL, static_cast<WPARAM>(settings_.TabStyle), 0);

        AddPageControl(kTabsheetPage, L"BUTTON", L"Tabsheet Names", BS_GROUPBOX, {8, 72, 441, 230}, -1);
        const NamesGrid::Metrics metrics{Scale(24), Scale(10), Scale(2)};
        names_ = std::make_unique<NamesGrid>(pages_[kTabsheetPage], RECT{Scale(18), Scale(94), Scale(431), Scale(220)},
                                             kNamesGrid, Font(), metrics);
        // Five whole rows inside the border.
        RECT frame{};
        RECT client{};
        GetWindowRect(names_->Handle(), &frame);
        GetClientRect(names_->Handle(), &client);
        SetWindowPos(names_->Handle(), nullptr, 0, 0, frame.right - frame.left,
                     (frame.bottom - frame.top) - client.bottom + kShownNameRows * metrics.rowHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

        const std::vector<std::string>& names = settings_.GroupNames;
        const GroupCountField field = OpenGroupCountField(static_cast<int>(names.size()));
        maxGroups_ = field.maximum;
        SendMessageW(spin, UDM_SETRANGE32, kMinGroupCount, maxGroups_);
        SendMessageW(spin, UDM_SETPOS32, 0, field.rows);
        names_->SetRowCount(field.rows);
        for (size_t row = 0; row < names.size(); ++row) names_->SetName(static_cast<int>(row), names[row]);
    }

    void ShowPage(int page) {
        for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
            ShowWindow(pages_[static_cast<size_t>(i)], i == page ? SW_SHOW : SW_HIDE);
        }
    }

    // The middle of the work area of the owner's monitor.
    void CentreOnScreen() {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(GetWindow(Handle(), GW_OWNER), MONITOR_DEFAULTTOPRIMARY), &monitor);
        RECT frame{};
        GetWindowRect(Handle(), &frame);
        const RECT& area = monitor.rcWork;
        SetWindowPos(Handle(), nullptr, area.left + ((area.right - area.left) - (frame.right - frame.left)) / 2,
                     area.top + ((area.bottom - area.top) - (frame.bottom - frame.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The row rule, for the number in the field: the arrows apply it at once,
    // a typed number when the field is left or OK pressed, so that typing 10
    // does not pass through 1 and drop the names. A field left empty or
    // invalid shows the rows again.
    void ApplyGroupCount() {
        const int count = GroupCountOfText(Narrow(TextOf(Control(kGroupCount))), names_->RowCount(), maxGroups_);
        SendMessageW(Control(kGroupCountSpin), UDM_SETPOS32, 0, count);
        names_->SetRowCount(count);
    }

    INT_PTR OnCommand(int id, int code) {
        switch (id) {
            case IDOK:
                Accept();
                Close(IDOK);
                return TRUE;
            case kGroupCount:
                if (code == EN_KILLFOCUS) ApplyGroupCount();
                return FALSE;
            case kDesktopShortcut:
            case kStartMenuShortcut:
                CreateProgramShortcut(id == kDesktopShortcut ? UserFolder::Desktop : UserFolder::StartMenu,
                                      services_.environment.ExecutablePath());
                return TRUE;
            case kBackup:
                if (services_.backupSettings()) services_.messages.ShowMessage("Backup done.");
                return TRUE;
            case kRestore:
                services_.restoreSettings();
                return TRUE;
            default:
                return FALSE;
        }
    }

    [[nodiscard]] bool Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // OK's steps: the options, the Run value, the hot key, the tabs, then the save.
    void Accept() {
        settings_.AlwaysOnTop = Checked(kAlwaysOnTop);
        settings_.AnalyseLinkFile = Checked(kAnalyseLinkFile);
        settings_.ShowAppPanel = Checked(kShowAppPanel);
        settings_.IgnoreBlankButton = Checked(kIgnoreBlankButton);
        settings_.SetRunAtStartup(Checked(kRunStartup));
        settings_.GlobalHotKeyText = HotKeyText();

        ApplyGroupCount();
        settings_.GroupCount = names_->RowCount();
        if (const auto style = static_cast<int>(SendMessageW(Control(kTabStyle), CB_GETCURSEL, 0, 0)); style >= 0) {
            settings_.TabStyle = style;
        }
        settings_.GroupNames.clear();
        for (int row = 0; row < names_->RowCount(); ++row) settings_.GroupNames.push_back(names_->Name(row));
        // One save: a kill leaves the old options or the new ones, never half.
        Transact([this] {
            settings_.SaveSettings();
            settings_.SaveGroups();
        });
    }

    // The field as text in the key names the global hot key is read with, so
    // that what is stored is registered again; empty when no combination is
    // set or its key has no name. A field left as it was keeps the text it
    // showed, with a Win key the field cannot show.
    [[nodiscard]] std::string HotKeyText() const {
        const auto value = static_cast<WORD>(SendMessageW(Control(kHotKey), HKM_GETHOTKEY, 0, 0));
        if (shownHotKey_ != 0 && value == ControlHotKey(shownHotKey_)) return settings_.GlobalHotKeyText;
        const HotKeyValue hotKey = HotKeyOfControl(value);
        if (hotKey == 0) return {};
        std::string text = FormatHotKeyText(hotKey, true, services_.keyNames);
        return ParseHotKeyText(text, true, services_.keyNames) != 0 ? text : std::string();
    }

    const OptionsServices& services_;
    AppSettings& settings_;
    std::array<HWND, 2> pages_{};  // children of the dialog, destroyed with it
    std::unique_ptr<NamesGrid> names_;
    HotKeyValue shownHotKey_ = 0;
    int maxGroups_ = kMinGroupCount;  // set as the tab page is built
};

}  // namespace

bool ShowOptionsDialog(HWND owner, const OptionsServices& services) { return OptionsDialog(services).Run(owner); }

}  // namespace tavrin
