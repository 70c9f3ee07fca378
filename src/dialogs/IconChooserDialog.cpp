#include "dialogs/IconChooserDialog.h"

#include <commctrl.h>

#include "dialogs/IconPreview.h"
#include "rules/IconIndexField.h"
#include "win32/DialogBase.h"
#include "win32/Win32FileDialogs.h"

namespace tavrin {
namespace {

constexpr int kFileEdit = 100;
constexpr int kBrowse = 101;
constexpr int kIndexEdit = 102;
constexpr int kIndexArrows = 103;
constexpr int kMaxIndex = 104;
constexpr int kPreview = 105;
constexpr int kIconSize = 32;

class IconChooserDialog : public DialogBase<IconChooserDialog> {
public:
    IconChooserDialog(IFileSystem& files, const IconChoice& current) : files_(files), choice_(current) {}

    std::optional<IconChoice> Run(HWND owner) {
        if (RunModal(owner, L"Icon", {356, 150}) != IDOK) return std::nullopt;
        return choice_;
    }

    BOOL OnInitDialog() {
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        AddControl(L"BUTTON", L"Choose Icon from file", BS_GROUPBOX, {8, 6, 348, 106}, -1);
        AddControl(L"STATIC", L"Icon:", SS_RIGHT, {16, 31, 58, 47}, -1);
        AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, {62, 28, 306, 50}, kFileEdit, WS_EX_CLIENTEDGE);
        AddControl(L"BUTTON", L"...", WS_TABSTOP, {310, 28, 334, 50}, kBrowse);
        AddControl(L"STATIC", L"Index:", SS_RIGHT, {16, 67, 58, 83}, -1);
        const HWND index = AddControl(L"EDIT", L"0", WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, {62, 64, 126, 86},
                                      kIndexEdit, WS_EX_CLIENTEDGE);
        // The arrows only report their clicks: the dialog applies the field's own rule.
        const HWND arrows = AddControl(UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_ARROWKEYS, {0, 0, 0, 0}, kIndexArrows);
        SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(index), 0);
        SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(-UD_MAXVAL), UD_MAXVAL);
        SendMessageW(arrows, UDM_SETPOS32, 0, 0);
        AddControl(L"STATIC", L"/", 0, {132, 67, 140, 83}, -1);
        AddControl(L"STATIC", L"0", 0, {144, 67, 200, 83}, kMaxIndex);
        AddControl(L"STATIC", L"", SS_ICON | SS_CENTERIMAGE, {292, 60, 292 + kIconSize, 60 + kIconSize}, kPreview);
        AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {190, 116, 265, 141}, IDOK);
        AddControl(L"BUTTON", L"&Cancel", WS_TABSTOP, {273, 116, 348, 141}, IDCANCEL);

        // The file first, then the number, so that the number is held to the file's icons.
        if (!choice_.file.empty()) {
            SetControlText(kFileEdit, choice_.file);  // runs the file rule
        }
        SetIndex(choice_.number + 1);
        return TRUE;
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom != kIndexArrows || header->code != UDN_DELTAPOS) return FALSE;
            const auto* step = reinterpret_cast<const NMUPDOWN*>(lParam);
            SetIndex(TypedIndex() + step->iDelta);
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);  // the arrows keep no position of their own
            return TRUE;
        }
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wParam)) {
            case kFileEdit:
                if (HIWORD(wParam) == EN_CHANGE) FileChanged();
                return TRUE;
            case kIndexEdit:
                if (HIWORD(wParam) == EN_CHANGE && !settingIndex_) {
                    field_.value = TypedIndex();
                    typed_ = true;
                    ShowPreview();
                } else if (HIWORD(wParam) == EN_KILLFOCUS) {
                    TakeTypedIndex();
                }
                return TRUE;
            case kBrowse:
                if (const auto file = ChooseExistingFile(Handle(), L"Icon file(*.ico)\0*.ico\0All Files(*.*)\0*.*\0")) {
                    SetControlText(kFileEdit, *file);
                }
                return TRUE;
            case IDOK:
                TakeTypedIndex();  // a number typed and confirmed with Enter keeps to the range too
                choice_ = {ControlText(kFileEdit), field_.value - 1};
                Close(IDOK);
                return TRUE;
        }
        return FALSE;
    }

private:
    [[nodiscard]] int TypedIndex() const { return ReadIconIndex(ControlText(kIndexEdit), field_.minimum); }

    // A number typed is brought into the range when the field is left.
    void TakeTypedIndex() {
        if (typed_) SetIndex(TypedIndex());
    }

    void SetIndex(int value) {
        typed_ = false;
        field_.Set(value);
        ShowIndexField();
    }

    void FileChanged() {
        const std::string file = ControlText(kFileEdit);
        const bool exists = files_.FileExists(file);
        ApplyIconFile(field_, exists ? std::optional<int>(GetIconCount(file)) : std::nullopt);
        SetControlText(kMaxIndex, std::to_string(field_.maximum));
        ShowIndexField();
        EnableWindow(Control(IDOK), exists);
    }

    // The field's value, whether it takes input, and the preview of its icon.
    void ShowIndexField() {
        settingIndex_ = true;
        SetControlText(kIndexEdit, std::to_string(field_.value));
        settingIndex_ = false;
        EnableWindow(Control(kIndexEdit), field_.enabled);
        EnableWindow(Control(kIndexArrows), field_.enabled);
        ShowPreview();
    }

    void ShowPreview() {
        const std::string file = ControlText(kFileEdit);
        if (files_.FileExists(file)) {
            preview_.Show(Control(kPreview), file, field_.value - 1, Scale(kIconSize));
        } else {
            preview_.Clear(Control(kPreview));
        }
    }

    IFileSystem& files_;
    IconChoice choice_;
    IconIndexField field_;
    bool settingIndex_ = false;
    bool typed_ = false;  // the user changed the number since it was last set
    IconPreview preview_;
};

}  // namespace

std::optional<IconChoice> ShowIconChooserDialog(HWND owner, IFileSystem& fs, const IconChoice& current) {
    return IconChooserDialog(fs, current).Run(owner);
}

}  // namespace tavrin
