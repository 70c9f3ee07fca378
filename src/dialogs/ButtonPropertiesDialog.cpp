#include "dialogs/ButtonPropertiesDialog.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/HotKeyField.h"
#include "dialogs/IconChooserDialog.h"
#include "dialogs/IconPreview.h"
#include "rules/ShortcutText.h"
#include "shell/ShellPaths.h"
#include "storage/PathNames.h"
#include "win32/DialogBase.h"
#include "win32/TabPageBackground.h"
#include "win32/Win32FileDialogs.h"

namespace tavrin {
namespace {

constexpr int kPages = 100;
constexpr int kFileEdit = 101;
constexpr int kLinkButton = 102;
constexpr int kBrowseFile = 103;
constexpr int kParametersEdit = 104;
constexpr int kWorkFolderEdit = 105;
constexpr int kBrowseFolder = 106;
constexpr int kDescriptionEdit = 107;
constexpr int kWindowState = 108;
constexpr int kPreview = 109;
constexpr int kChooseIcon = 110;
constexpr int kReportCheck = 111;
constexpr int kHotKeyField = 112;
constexpr int kHotKeyLine = 113;

constexpr int kActionButton = 1;  // BtnStyle of buttons that this dialog does not edit
constexpr int kIconSize = 32;
constexpr int kWindowStates = 4;   // "Hide", "Normal", "Minimized", "Maximized"
constexpr int kPriorityItems = 4;  // "Normal", "Lower", "high" and an empty one
constexpr int kLowerPriority = 1;

// The edits span from here; the File edit ends 25 pixels short of the others' end
// while the link button stands beside it.
constexpr int kEditLeft = 112;
constexpr int kEditRight = 478;
constexpr int kLinkButtonWidth = 25;

class ButtonPropertiesDialog : public DialogBase<ButtonPropertiesDialog> {
public:
    ButtonPropertiesDialog(ButtonRecord& record, const PropertiesServices& services)
        : record_(record),
          files_(services.fs),
          shell_(services.shell),
          keyNames_(services.keyNames),
          hotKeyRefusal_(services.hotKeyRefusal) {}

    bool Run(HWND owner) { return RunModal(owner, L"Properties", {542, 298}, {.centreOnScreen = true}) == IDOK; }

    BOOL OnInitDialog() {
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_HOTKEY_CLASS};
        InitCommonControlsEx(&classes);
        MakeEditPage();
        AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON | WS_DISABLED, {374, 265, 449, 290}, IDOK);
        AddControl(L"BUTTON", L"&Cancel", WS_TABSTOP, {457, 265, 532, 290}, IDCANCEL);
        AddControl(L"STATIC", L"", SS_LEFTNOWORDWRAP, {10, 270, 366, 286}, kHotKeyLine);
        // Made last, the page control lies under the controls on it.
        const HWND pages = AddControl(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, {8, 8, 534, 256}, kPages);

        if (record_.BtnStyle == kActionButton) {
            // Action buttons are not edited here: the edit page stays hidden and OK writes nothing.
            for (const HWND control : editPage_) ShowWindow(control, SW_HIDE);
            return TRUE;
        }
        TCITEMW page{};
        page.mask = TCIF_TEXT;
        page.pszText = const_cast<wchar_t*>(L"Icon Taget Setting");
        SendMessageW(pages, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&page));
        pageBackground_.Capture(pages);
        if (record_.BtnStyle == kNoButtonStyle) {
            record_.IconFile.clear();
            record_.IconNumber = 0;
        } else {
            if (record_.BtnStyle == kLaunchButton) ShowRecord();
            UpdateLinkButton(LetterCase::Ignored);
        }
        SetFocus(Control(kFileEdit));
        return FALSE;  // the focus is set
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CTLCOLORSTATIC) {
            return reinterpret_cast<INT_PTR>(
                pageBackground_.ForControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        }
        if (message == WM_ERASEBKGND && pageBackground_.EraseParent(reinterpret_cast<HDC>(wParam))) {
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wParam)) {
            case kFileEdit:
                if (HIWORD(wParam) == EN_CHANGE) CommandChanged();
                return TRUE;
            case kWorkFolderEdit:
                if (HIWORD(wParam) == EN_CHANGE) TextChanged();
                return TRUE;
            case kHotKeyField:
                if (HIWORD(wParam) == EN_CHANGE) SetControlText(kHotKeyLine, "");
                return TRUE;
            case kLinkButton:
                ResolveLink();
                return TRUE;
            case kBrowseFile:
                BrowseTargetFile();
                return TRUE;
            case kBrowseFolder:
                if (const auto folder = BrowseForFolder(Handle(), L"Select the folder:")) {
                    if (files_.DirectoryExists(*folder)) SetControlText(kWorkFolderEdit, *folder);
                }
                return TRUE;
            case kChooseIcon:
                if (const auto choice =
                        ShowIconChooserDialog(Handle(), files_, {record_.IconFile, record_.IconNumber})) {
                    SetIcon(choice->file, choice->number);
                }
                return TRUE;
            case IDOK:
                if (!HotKeyAccepted()) return TRUE;
                WriteRecord();
                Close(IDOK);
                return TRUE;
        }
        return FALSE;
    }

private:
    // The labels, edits and buttons of the edit page, in the order of the Tab key.
    void MakeEditPage() {
        const auto edit = [&](const wchar_t* caption, int top, int id) {
            editPage_.push_back(AddControl(L"STATIC", caption, 0, {24, top + 3, kEditLeft - 4, top + 19}, -1));
            editPage_.push_back(AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL,
                                           {kEditLeft, top, kEditRight, top + 22}, id, WS_EX_CLIENTEDGE));
        };
        const auto button = [&](const wchar_t* caption, int left, int top, int right, int id) {
            editPage_.push_back(AddControl(L"BUTTON", caption, WS_TABSTOP, {left, top, right, top + 22}, id));
            return editPage_.back();
        };
        edit(L"&File ", 44, kFileEdit);
        button(L"\x2192", kEditRight - kLinkButtonWidth + 2, 44, kEditRight, kLinkButton);
        AddHint(button(L"...", kEditRight + 4, 44, kEditRight + 28, kBrowseFile), L"Select target file");
        edit(L"&Parameters", 74, kParametersEdit);
        edit(L"&Work Folder", 104, kWorkFolderEdit);
        AddHint(button(L"...", kEditRight + 4, 104, kEditRight + 28, kBrowseFolder), L"Select folder");
        edit(L"&Description", 134, kDescriptionEdit);

        editPage_.push_back(AddControl(L"STATIC", L"Window &Style", 0, {24, 167, kEditLeft - 4, 183}, -1));
        const HWND windowState = AddControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                            {kEditLeft, 164, kEditLeft + 140, 164 + 120}, kWindowState);
        editPage_.push_back(windowState);
        for (const wchar_t* state : {L"Hide", L"Normal", L"Minimized", L"Maximized"}) {
            SendMessageW(windowState, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state));
        }
        SendMessageW(windowState, CB_SETCURSEL, kShowNormal, 0);

        editPage_.push_back(AddControl(L"STATIC", L"HotKey(&K)", 0, {270, 167, 330, 183}, -1));
        editPage_.push_back(
            AddControl(HOTKEY_CLASSW, L"", WS_TABSTOP, {334, 164, kEditRight, 186}, kHotKeyField, WS_EX_CLIENTEDGE));
        PrepareHotKeyField(editPage_.back());

        editPage_.push_back(AddControl(L"BUTTON", L"Icon", BS_GROUPBOX, {24, 196, 264, 246}, -1));
        editPage_.push_back(
            AddControl(L"STATIC", L"", SS_ICON | SS_CENTERIMAGE, {40, 208, 40 + kIconSize, 208 + kIconSize}, kPreview));
        button(L"C&hoose", 96, 212, 171, kChooseIcon);
        editPage_.push_back(AddControl(L"BUTTON", L"Options", BS_GROUPBOX, {276, 196, 518, 246}, -1));
        editPage_.push_back(AddControl(L"BUTTON", L"&Enable Frequency Report", WS_TABSTOP | BS_AUTOCHECKBOX,
                                       {292, 214, 510, 232}, kReportCheck));
        ShowLinkButton(false);
    }

    // A tip shown when the pointer rests on the control.
    void AddHint(HWND control, const wchar_t* text) {
        if (!hints_) {
            hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                     Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(text);
        SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    void ShowRecord() {
        command_ = record_.Command;
        SetControlText(kFileEdit, record_.Command);  // runs the change rule
        SetControlText(kParametersEdit, record_.Parameters);
        SetControlText(kWorkFolderEdit, record_.WorkingDir);
        SetControlText(kDescriptionEdit, record_.Description);
        SendMessageW(Control(kHotKeyField), HKM_SETHOTKEY, ControlHotKey(TextToShortcut(record_.HotKey, keyNames_)), 0);
        SelectWindowState(record_.WindowStyle);
        priority_ = record_.Priority >= 0 && record_.Priority < kPriorityItems ? record_.Priority : -1;
        SendMessageW(Control(kReportCheck), BM_SETCHECK, record_.IgnoreRunTimes ? BST_UNCHECKED : BST_CHECKED, 0);
        ShowPreview();
    }

    // An icon that is the command's own, not one chosen by hand, follows the
    // command as it is typed.
    void CommandChanged() {
        const std::string command = ControlText(kFileEdit);
        if (record_.IconFile == command_ && command != command_) SetIcon(command, 0);
        command_ = command;
        TextChanged();
    }

    // OK needs a command that exists and a work folder that is empty or exists.
    void TextChanged() {
        UpdateLinkButton(LetterCase::Exact);
        const std::string file = ControlText(kFileEdit);
        const std::string folder = ControlText(kWorkFolderEdit);
        const bool commandExists = files_.FileExists(file) || files_.DirectoryExists(file);
        EnableWindow(Control(IDOK), commandExists && (folder.empty() || files_.DirectoryExists(folder)));
    }

    // The link button stands beside the File edit while File names a shortcut
    // that can be read: spelled ".lnk" exactly while typing, in any case when the
    // box opens or after a shortcut was resolved.
    void UpdateLinkButton(LetterCase letterCase) {
        const std::string file = ControlText(kFileEdit);
        ShellLinkInfo link;
        ShowLinkButton(IsShortcutFileName(file, letterCase) && files_.FileExists(file) &&
                       shell_.ReadShellLink(file, link));
    }

    void ShowLinkButton(bool show) {
        const HWND button = Control(kLinkButton);
        ShowWindow(button, show ? SW_SHOW : SW_HIDE);
        EnableWindow(button, show);
        const HWND file = Control(kFileEdit);
        RECT place{};
        GetWindowRect(file, &place);
        const int width = Scale(kEditRight) - Scale(kEditLeft) - (show ? Scale(kLinkButtonWidth) : 0);
        SetWindowPos(file, nullptr, 0, 0, width, place.bottom - place.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void ResolveLink() {
        const std::string file = ControlText(kFileEdit);
        ShellLinkInfo link;
        if (IsShortcutFileName(file) && shell_.ReadShellLink(file, link) &&
            (files_.FileExists(link.Path) || files_.DirectoryExists(link.Path))) {
            const std::string target = GetCanonicalPath(link.Path);
            SetControlText(kFileEdit, target);
            SetControlText(kWorkFolderEdit,
                           link.WorkingDirectory.empty() ? "" : GetCanonicalPath(link.WorkingDirectory));
            SetControlText(kParametersEdit, link.Arguments);
            SetControlText(kDescriptionEdit, link.Description.empty() ? ExtractFileName(target) : link.Description);
            if (link.IconLocation.empty()) {
                SetIcon(target, 0);
            } else {
                SetIcon(link.IconLocation, link.IconIndex);
            }
            SelectWindowState(link.ShowState + 1);
        }
        UpdateLinkButton(LetterCase::Ignored);
    }

    void BrowseTargetFile() {
        const auto file = ChooseExistingFile(Handle(), L"Program File(*.exe)\0*.exe\0All Files(*.*)\0*.*\0");
        if (!file) return;
        SetControlText(kFileEdit, *file);
        SetControlText(kDescriptionEdit, ExtractFileName(*file));
        if (ControlText(kWorkFolderEdit).empty()) SetControlText(kWorkFolderEdit, ExtractFileDir(*file));
        SetIcon(*file, 0);
    }

    // The record takes a new icon at once; the caller keeps it only after OK.
    void SetIcon(const std::string& file, int number) {
        record_.IconFile = file;
        record_.IconNumber = number;
        ShowPreview();
    }

    // A button without an icon file shows no icon rather than the shell's picture of nothing.
    void ShowPreview() {
        if (record_.IconFile.empty()) {
            preview_.Clear(Control(kPreview));
        } else {
            preview_.Show(Control(kPreview), record_.IconFile, record_.IconNumber, Scale(kIconSize));
        }
    }

    // An index beyond the list selects nothing and leaves the box empty.
    void SelectWindowState(int index) {
        const bool listed = index >= 0 && index < kWindowStates;
        SendMessageW(Control(kWindowState), CB_SETCURSEL, static_cast<WPARAM>(listed ? index : -1), 0);
    }

    // The window state typed or chosen: the item whose text the box shows, -1 for none.
    [[nodiscard]] int SelectedWindowState() const {
        const HWND box = Control(kWindowState);
        const std::wstring text = Widen(ControlText(kWindowState));
        return static_cast<int>(
            SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }

    // The field in the stored text form; empty when it holds no combination.
    [[nodiscard]] std::string HotKeyText() const {
        const auto value = static_cast<WORD>(SendMessageW(Control(kHotKeyField), HKM_GETHOTKEY, 0, 0));
        return ShortcutToText(static_cast<Shortcut>(HotKeyOfControl(value)), keyNames_);
    }

    // A launch button's new hot key must be one the program can register: the
    // box stays open with a line that says who holds it.
    [[nodiscard]] bool HotKeyAccepted() {
        if (record_.BtnStyle != kLaunchButton && record_.BtnStyle != kNoButtonStyle) return true;
        const std::string text = HotKeyText();
        const std::string refusal = text.empty() || !hotKeyRefusal_ ? std::string() : hotKeyRefusal_(text);
        SetControlText(kHotKeyLine, refusal);
        if (!refusal.empty()) SetFocus(Control(kHotKeyField));
        return refusal.empty();
    }

    void WriteRecord() {
        // An empty slot becomes a button of the kind of the page shown: the launch button's.
        if (record_.BtnStyle == kNoButtonStyle) record_.BtnStyle = kLaunchButton;
        if (record_.BtnStyle != kLaunchButton) return;
        record_.Command = ControlText(kFileEdit);
        // A command typed by hand, with no icon chosen, shows its own icon, as
        // a browsed one does, rather than the picture of a missing icon.
        if (record_.IconFile.empty()) {
            record_.IconFile = record_.Command;
            record_.IconNumber = 0;
        }
        record_.Parameters = ControlText(kParametersEdit);
        record_.WorkingDir = ControlText(kWorkFolderEdit);
        record_.Description = ControlText(kDescriptionEdit);
        record_.HotKey = HotKeyText();
        record_.WindowStyle = SelectedWindowState();
        record_.Priority = priority_;
        record_.IgnoreRunTimes = SendMessageW(Control(kReportCheck), BM_GETCHECK, 0, 0) != BST_CHECKED;
    }

    ButtonRecord& record_;
    IFileSystem& files_;
    IShell& shell_;
    const IKeyNameSource& keyNames_;
    const std::function<std::string(const std::string&)>& hotKeyRefusal_;
    // What the never-shown priority list holds, so that it passes through.
    std::string command_;  // what the File edit held before its last change
    int priority_ = kLowerPriority;
    std::vector<HWND> editPage_;
    HWND hints_ = nullptr;  // destroyed with the dialog, which owns it
    TabPageBackground pageBackground_;
    IconPreview preview_;
};

}  // namespace

bool ShowButtonPropertiesDialog(HWND owner, ButtonRecord& record, const PropertiesServices& services) {
    return ButtonPropertiesDialog(record, services).Run(owner);
}

}  // namespace tavrin
