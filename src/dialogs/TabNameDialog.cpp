#include "dialogs/TabNameDialog.h"

#include "rules/TabActions.h"
#include "win32/DialogBase.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

constexpr int kNameEdit = 100;

class TabNameDialog : public DialogBase<TabNameDialog> {
public:
    explicit TabNameDialog(std::string name) : name_(std::move(name)) {}

    std::optional<std::string> Run(HWND owner) {
        if (RunModal(owner, L"Tabsheet name", {318, 103}) != IDOK) return std::nullopt;
        return name_;
    }

    BOOL OnInitDialog() {
        AddControl(L"STATIC", L"Enter the name:", 0, {8, 10, 310, 26}, -1);
        const HWND edit = AddControl(L"EDIT", Widen(name_).c_str(), WS_TABSTOP | ES_AUTOHSCROLL, {8, 28, 310, 51},
                                     kNameEdit, WS_EX_CLIENTEDGE);
        AddControl(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {148, 66, 223, 91}, IDOK);
        AddControl(L"BUTTON", L"&Cancel", WS_TABSTOP, {231, 66, 306, 91}, IDCANCEL);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return FALSE;  // the focus is set
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_COMMAND || LOWORD(wParam) != IDOK) return FALSE;
        std::string name = ControlText(kNameEdit);
        if (TrimmedName(name).empty()) return TRUE;  // a name of blanks only keeps the box open
        name_ = std::move(name);
        Close(IDOK);
        return TRUE;
    }

private:
    std::string name_;
};

}  // namespace

std::optional<std::string> ShowTabNameDialog(HWND owner, const std::string& name) {
    return TabNameDialog(name).Run(owner);
}

}  // namespace tavrin
