// The yardstick of the start-up benchmark: a Win32 program that registers one
// window class, shows one window of about Tavrin's size and runs a message
// loop until the window is closed. Built twice: plain, and with what Tavrin's
// window is made of, a tab control of eleven tabs over a status bar
// (BARE_WITH_CONTROLS). Nothing else is loaded or read.
//
// Given a program's path as its argument, a click on the window asks the shell
// to open that program as Tavrin's click does ("open", no parameters, the
// program's folder as working folder), and nothing else: the bare shell request
// that the click benchmark sets Tavrin's click handler against. Given
// "/report N" instead (the build with controls only), a click shows a modal
// dialog of the report's size whose list of nine columns is filled with N rows
// in one batch with redrawing off, until the dialog is closed: the bare
// yardstick of Tavrin's report.
#include <windows.h>
#ifdef BARE_WITH_CONTROLS
#include <commctrl.h>
#endif
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

std::wstring g_program;  // what a click opens; empty: a click does nothing

#ifdef BARE_WITH_CONTROLS
constexpr std::wstring_view kReportSwitch = L"/report ";
int g_reportRows = -1;  // the rows of the dialog a click shows; below 0: no dialog

void FillList(HWND list, int rows) {
    for (int column = 0; column < 9; ++column) {
        std::wstring caption = L"Column " + std::to_wstring(column);
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        header.pszText = caption.data();
        header.cx = 70;
        header.iSubItem = column;
        ListView_InsertColumn(list, column, &header);
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < rows; ++row) {
        std::wstring text = L"Button " + std::to_wstring(row) + L".txt";
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = text.data();
        ListView_InsertItem(list, &item);
        for (int column = 1; column < 9; ++column) {
            text = std::to_wstring(row * column);
            ListView_SetItemText(list, row, column, text.data());
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept {
    switch (message) {
        case WM_INITDIALOG: {
            RECT client{};
            GetClientRect(dialog, &client);
            const HWND list =
                CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                                20, 60, client.right - 40, client.bottom - 110, dialog, nullptr, nullptr, nullptr);
            FillList(list, g_reportRows);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
            return TRUE;
    }
    return FALSE;
}

// An empty dialog template: no controls, the report's outer size in dialog units of the system font.
void ShowReportDialog(HWND owner) {
    std::vector<WORD> dialogTemplate(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_CENTER;
    header->cx = 488;
    header->cy = 320;
    DialogBoxIndirectParamW(nullptr, header, owner, ReportDialogProc, 0);
}
#endif

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_LBUTTONUP:
#ifdef BARE_WITH_CONTROLS
            if (g_reportRows >= 0) {
                ShowReportDialog(window);
                return 0;
            }
#endif
            if (!g_program.empty()) {
                const std::wstring folder = g_program.substr(0, g_program.find_last_of(L'\\'));
                ShellExecuteW(window, L"open", g_program.c_str(), L"", folder.c_str(), SW_SHOWNORMAL);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef BARE_WITH_CONTROLS
void AddControls(HWND window) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 346, 90,
                                      window, nullptr, nullptr, nullptr);
    for (int i = 0; i < 11; ++i) {
        std::wstring caption = i == 0 ? L"Tavrin Tab" : L"Group " + std::to_wstring(i);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr, nullptr, nullptr);
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_program = commandLine;
    if (g_program.size() >= 2 && g_program.front() == L'"') g_program = g_program.substr(1, g_program.size() - 2);
#ifdef BARE_WITH_CONTROLS
    if (g_program.starts_with(kReportSwitch)) {
        g_reportRows = std::stoi(g_program.substr(kReportSwitch.size()));
        g_program.clear();
    }
#endif
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TavrinBareWindow";
    if (!RegisterClassExW(&windowClass)) return 1;
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Bare window",
                                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 354, 142, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
#ifdef BARE_WITH_CONTROLS
    AddControls(window);
#endif
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
