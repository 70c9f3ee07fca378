#include "dialogs/ReportWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "dialogs/ExcelExport.h"
#include "dialogs/ReportPicture.h"
#include "dialogs/ReportWeekBars.h"
#include "rules/FrequencyReport.h"
#include "rules/WeekBars.h"
#include "shell/ShellIcons.h"
#include "win32/Clipboard.h"
#include "win32/DialogBase.h"
#include "win32/ScopeExit.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

constexpr SIZE kWindowSize{731, 521};
constexpr SIZE kSmallestSize{600, 300};
constexpr int kIconSize = 16;

// The user's decimal and thousands separators.
NumberSeparators UserSeparators() {
    const auto read = [](LCTYPE type, const char* fallback) {
        wchar_t text[8]{};
        return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 8) > 0 ? Narrow(text) : std::string(fallback);
    };
    return {read(LOCALE_SDECIMAL, "."), read(LOCALE_STHOUSAND, ",")};
}

// Microsoft Office has left its key in the user's hive; the key is only opened, never made.
bool OfficeIsInstalled() {
    unique_hkey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office", 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

class ReportWindow : public DialogBase<ReportWindow> {
public:
    explicit ReportWindow(ReportServices& services)
        : services_(services),
          fileInfo_(services.buttons.MakeFileInfoCache()),
          table_(
              [this](std::vector<ReportRow>& rows, const ReportChoice& choice) {
                  return services_.buttons.FillReport(rows, choice.group, services_.groupNames, choice.missingOnly);
              },
              [this](ReportRow& row) { services_.buttons.DescribeReportRow(row, fileInfo_); }, UserSeparators()) {}

    void Run(HWND owner) {
        RunModal(owner, L"Frequency Report", kWindowSize, {.sizable = true, .outerSize = true, .centreOnScreen = true});
    }

    BOOL OnInitDialog() {
        AddControl(L"BUTTON", L"View Report and Output Settings", BS_GROUPBOX, {}, kReportPage);
        AddControl(L"STATIC", L"Choose Tabsheet:", 0, {}, kReportGroupLabel);
        const HWND groups = AddControl(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                       {0, 0, 180, 200}, kReportGroups);
        AddControl(L"BUTTON", L"Export picture", WS_TABSTOP, {}, kReportExportPicture);
        AddControl(L"BUTTON", L"Export to csv file", WS_TABSTOP, {}, kReportExportCsv);
        AddControl(L"BUTTON", L"Export Excel file", WS_TABSTOP, {}, kReportExportExcel);
        AddControl(L"STATIC", L"", SS_OWNERDRAW, {}, kReportChart);
        // A virtual list: it asks for the text and icon of the rows it shows, so
        // that only those are described, however many rows there are.
        list_ =
            AddControl(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                       {}, kReportList, WS_EX_CLIENTEDGE);
        AddControl(L"BUTTON", L"Close", WS_TABSTOP | BS_DEFPUSHBUTTON, {}, IDOK);

        ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
        for (int column = 0; column < static_cast<int>(kReportListColumns.size()); ++column) {
            const std::wstring caption = Widen(kReportListColumns[column].caption);
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            header.pszText = const_cast<wchar_t*>(caption.c_str());
            header.cx = Scale(kReportListColumns[column].width);
            header.iSubItem = column;
            ListView_InsertColumn(list_, column, &header);
        }
        // The list view owns its image list and destroys it with itself.
        images_ = ImageList_Create(Scale(kIconSize), Scale(kIconSize), ILC_COLOR32 | ILC_MASK, 16, 16);
        ListView_SetImageList(list_, images_, LVSIL_SMALL);
        if (const unique_hicon mark = GetWarningIcon(Scale(kIconSize))) {
            missingImage_ = ImageList_AddIcon(images_, mark.get());
        }

        SendMessageW(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"All Groups"));
        SendMessageW(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Missing targets"));
        for (const std::string& name : services_.groupNames) {
            SendMessageW(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
        }
        SendMessageW(groups, CB_SETCURSEL, 0, 0);
        table_.Open();
        ShowRows(kNoButton);
        EnableWindow(Control(kReportExportExcel), OfficeIsInstalled());
        LayOut();
        return TRUE;
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_SIZE:
                LayOut();
                return TRUE;
            case WM_GETMINMAXINFO: {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                limits->ptMinTrackSize = {Scale(kSmallestSize.cx), Scale(kSmallestSize.cy)};
                return TRUE;
            }
            case WM_NOTIFY:
                return OnListNotice(lParam);
            case WM_DRAWITEM: {
                const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (item.CtlID != kReportChart) return FALSE;
                weekBars_.PaintChart(item, table_.Rows(), Dpi());
                return TRUE;
            }
            case kReportDrawnBarsMessage: {
                const std::optional<DrawnBars> drawn = weekBars_.Drawn(static_cast<int>(wParam));
                if (drawn) *reinterpret_cast<DrawnBars*>(lParam) = *drawn;
                SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, drawn.has_value());
                return TRUE;
            }
            case WM_CONTEXTMENU:
                if (reinterpret_cast<HWND>(wParam) != list_) return FALSE;
                ShowListMenu(lParam);
                return TRUE;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam), HIWORD(wParam));
        }
        return FALSE;
    }

private:
    // Answers a notice of the list through the dialog's message result.
    BOOL OnListNotice(LPARAM lParam) {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (notice->idFrom != kReportList) return FALSE;
        switch (notice->code) {
            case LVN_COLUMNCLICK:
                ChangeRows([&] { table_.ClickHeader(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem); });
                return TRUE;
            case NM_CUSTOMDRAW:
                SetWindowLongPtrW(
                    Handle(), DWLP_MSGRESULT,
                    weekBars_.OnCustomDraw(list_, kReportWeekBarsColumn, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam),
                                           table_.Rows(), Dpi()));
                return TRUE;
            case LVN_GETDISPINFOW:
                ShowCell(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
                return TRUE;
            case LVN_ODFINDITEMW:
                SetWindowLongPtrW(Handle(), DWLP_MSGRESULT,
                                  FindRowByCaption(*reinterpret_cast<const NMLVFINDITEMW*>(lParam)));
                return TRUE;
            case LVN_GETINFOTIPW: {
                auto& tip = *reinterpret_cast<NMLVGETINFOTIPW*>(lParam);
                const std::vector<ReportRow>& rows = table_.Rows();
                if (tip.iItem < 0 || tip.iItem >= static_cast<int>(rows.size()) || tip.cchTextMax <= 0) return TRUE;
                const std::wstring text = Widen(DayCountsText(rows[static_cast<std::size_t>(tip.iItem)].days));
                lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
                return TRUE;
            }
        }
        return FALSE;
    }

    BOOL OnCommand(int id, int code) {
        switch (id) {
            case kReportGroups:
                if (code == CBN_SELCHANGE) {
                    GroupChosen(static_cast<int>(SendMessageW(Control(kReportGroups), CB_GETCURSEL, 0, 0)));
                } else if (code == CBN_EDITCHANGE) {
                    // Typed text chooses the entry it names, or none.
                    const std::wstring typed = Widen(ControlText(kReportGroups));
                    GroupChosen(static_cast<int>(SendMessageW(Control(kReportGroups), CB_FINDSTRINGEXACT,
                                                              static_cast<WPARAM>(-1),
                                                              reinterpret_cast<LPARAM>(typed.c_str()))));
                }
                return TRUE;
            case kReportExportCsv:
                ExportCsv();
                return TRUE;
            case kReportExportExcel:
                ExportExcel();
                return TRUE;
            case kReportExportPicture:
                ExportPicture();
                return TRUE;
            case kReportCopyPath:
                if (const ReportRow* row = SelectedRow()) (void)PutClipboardText(Handle(), row->command);
                return TRUE;
            case kReportOpenInExplorer:
                if (const ReportRow* row = SelectedRow()) ExploreFolderOf(services_.shell, services_.fs, row->command);
                return TRUE;
        }
        return FALSE;
    }

    void GroupChosen(int index) {
        ChangeRows([&] { (void)table_.SelectGroup(index); });
    }

    // The rows change order or content; the selected button stays selected.
    template <typename Change>
    void ChangeRows(Change change) {
        const ReportRow* selected = SelectedRow();
        const int selectedId = selected ? selected->id : kNoButton;
        change();
        ShowRows(selectedId);
    }

    // The top bar and the list follow the window's size; Close keeps to the bottom right corner.
    void LayOut() {
        if (!list_) return;
        RECT client{};
        GetClientRect(Handle(), &client);
        const int width = client.right;
        const int height = client.bottom;
        const int margin = Scale(8);
        const int inset = Scale(12);
        const SIZE button{Scale(120), Scale(25)};
        const int closeTop = height - margin - button.cy;
        const int pageBottom = closeTop - margin;
        const int barTop = margin + Scale(20);
        const auto place = [this](int id, int left, int top, int w, int h) {
            MoveWindow(Control(id), left, top, w, h, FALSE);
        };
        place(IDOK, width - margin - Scale(88), closeTop, Scale(88), button.cy);
        place(kReportPage, margin, margin, width - 2 * margin, pageBottom - margin);
        place(kReportGroupLabel, margin + inset, barTop + Scale(4), Scale(100), Scale(16));
        place(kReportGroups, margin + inset + Scale(104), barTop + Scale(1), Scale(180), Scale(200));
        const int excelLeft = width - margin - inset - button.cx;
        place(kReportExportExcel, excelLeft, barTop, button.cx, button.cy);
        place(kReportExportCsv, excelLeft - Scale(8) - button.cx, barTop, button.cx, button.cy);
        const int chartTop = barTop + button.cy + Scale(10);
        place(kReportChart, margin + inset, chartTop, Scale(kReportChartSize.cx), Scale(kReportChartSize.cy));
        // The picture's export stands beside the chart, at the top bar's right edge.
        place(kReportExportPicture, excelLeft, chartTop, button.cx, button.cy);
        const int listTop = chartTop + Scale(kReportChartSize.cy) + Scale(8);
        place(kReportList, margin + inset, listTop, width - 2 * (margin + inset), pageBottom - inset - listTop);
        // The group box is drawn over what lies inside it: everything is drawn afresh.
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

    // The list's image of the shell's icon of a described row, added to the
    // list's images once for the window's life, at the window's scale.
    [[nodiscard]] int ImageOf(const ReportRow& row) {
        if (row.targetMissing) return missingImage_;
        if (row.systemIconIndex < 0) return -1;
        const auto [known, added] = imageOfSystemIcon_.try_emplace(row.systemIconIndex, -1);
        if (added) {
            const unique_hicon icon = GetSystemImageIcon(row.systemIconIndex, Scale(kIconSize));
            if (icon) known->second = ImageList_AddIcon(images_, icon.get());
        }
        return known->second;
    }

    // What the list asks of a row it shows: a column's text, the row's icon.
    void ShowCell(LVITEMW& item) {
        if (!(item.mask & (LVIF_TEXT | LVIF_IMAGE)) || item.iItem < 0 ||
            item.iItem >= static_cast<int>(table_.Rows().size())) {
            return;
        }
        const ReportRow& row = table_.DescribedRow(static_cast<std::size_t>(item.iItem));
        if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0 && item.iSubItem >= 0 &&
            item.iSubItem < static_cast<int>(kReportListColumns.size())) {
            const std::wstring text = Widen(kReportListColumns[static_cast<std::size_t>(item.iSubItem)].text(row));
            lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
        if (item.mask & LVIF_IMAGE) item.iImage = item.iSubItem == 0 ? ImageOf(row) : -1;
    }

    // The list's search as the user types on it: the next row, from the one
    // asked for and round to the top, whose file name starts with the typed
    // text, in any letter case; -1 for none.
    [[nodiscard]] int FindRowByCaption(const NMLVFINDITEMW& find) const {
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
        const std::wstring_view typed = find.lvfi.psz;
        const std::vector<ReportRow>& rows = table_.Rows();
        const int count = static_cast<int>(rows.size());
        const int start = find.iStart < 0 || find.iStart >= count ? 0 : find.iStart;
        for (int step = 0; step < count; ++step) {
            const int index = (start + step) % count;
            const std::wstring caption = Widen(rows[static_cast<std::size_t>(index)].caption);
            const bool partial = (find.lvfi.flags & LVFI_PARTIAL) && caption.size() >= typed.size();
            const std::wstring_view compared =
                partial ? std::wstring_view(caption).substr(0, typed.size()) : std::wstring_view(caption);
            if (CompareStringOrdinal(compared.data(), static_cast<int>(compared.size()), typed.data(),
                                     static_cast<int>(typed.size()), TRUE) == CSTR_EQUAL) {
                return index;
            }
        }
        return -1;
    }

    // The rows in the table's order from the top, with the button of
    // selectedId selected, and the chart of their week.
    void ShowRows(int selectedId) {
        const std::vector<ReportRow>& rows = table_.Rows();
        weekBars_.Show(rows, DaySlot(services_.clock.Today()));
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemCountEx(list_, static_cast<int>(rows.size()), 0);
        if (ListView_GetTopIndex(list_) > 0) ListView_EnsureVisible(list_, 0, FALSE);
        const auto kept =
            std::find_if(rows.begin(), rows.end(), [selectedId](const ReportRow& row) { return row.id == selectedId; });
        if (kept != rows.end()) {
            ListView_SetItemState(list_, static_cast<int>(kept - rows.begin()), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        }
        InvalidateRect(list_, nullptr, TRUE);
        InvalidateRect(Control(kReportChart), nullptr, FALSE);
    }

    [[nodiscard]] const ReportRow* SelectedRow() const {
        const int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
        const std::vector<ReportRow>& rows = table_.Rows();
        return index >= 0 && index < static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(index)] : nullptr;
    }

    // At the pointer, or under the selected row when the keyboard asked.
    void ShowListMenu(LPARAM where) {
        POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
        if (where == -1) {
            RECT row{};
            const int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
            if (index < 0 || !ListView_GetItemRect(list_, index, &row, LVIR_LABEL)) GetClientRect(list_, &row);
            point = {row.left, row.bottom};
            ClientToScreen(list_, &point);
        }
        const UINT enabled = SelectedRow() ? MF_ENABLED : MF_GRAYED;
        unique_hmenu menu(CreatePopupMenu());
        AppendMenuW(menu.get(), MF_STRING | enabled, kReportCopyPath, L"Copy Path");
        AppendMenuW(menu.get(), MF_STRING | enabled, kReportOpenInExplorer, L"Open it in Explore ");
        TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    }

    [[nodiscard]] std::optional<std::string> ChooseExportFile(const char* filter, const char* extension) const {
        return services_.chooseSaveFile(
            Handle(), {services_.programFolder, ReportFileName(services_.clock.Today(), extension), filter, extension});
    }

    // The exported file is opened whether it was written or not.
    void OpenExport(const std::string& fileName) {
        (void)services_.shell.Execute(OpenRequest(fileName, std::nullopt, std::nullopt, kShowCurrent));
    }

    // A file that cannot be written is reported; it is opened all the same.
    void SaveExport(const std::string& fileName, const std::string& bytes) {
        try {
            SaveFileAtomically(services_.fs, fileName, bytes);
        } catch (const FileError&) {
            MessageBoxW(Handle(), L"Export to file error!", L"tip", MB_OK | MB_ICONINFORMATION);
        }
        OpenExport(fileName);
    }

    void ExportCsv() {
        const std::optional<std::string> fileName =
            ChooseExportFile("cvs files(*.csv)|*.csv|Text file(*.txt)|*.txt", "csv");
        if (fileName) SaveExport(*fileName, ReportCsv(table_.DescribedRows()));
    }

    void ExportPicture() {
        const std::optional<std::string> fileName = ChooseExportFile("PNG picture(*.png)|*.png", "png");
        if (!fileName) return;
        const auto font = reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0));
        SaveExport(*fileName, ReportPicturePng(list_, table_.DescribedRows(), weekBars_, font, Dpi()));
    }

    // Without an automation server for Excel the export ends without a word.
    // Excel runs in a process of its own, and while a call waits for it COM
    // delivers the report's messages: a second click starts no second export,
    // and a sort or another group meanwhile does not change the rows being written.
    void ExportExcel() {
        if (exportingToExcel_) return;
        exportingToExcel_ = true;
        const ScopeExit done([this] { exportingToExcel_ = false; });
        const std::optional<std::string> fileName = ChooseExportFile("Excel file(*.xls)|*.xls", "xls");
        const std::vector<ReportRow> rows = table_.DescribedRows();
        if (fileName && ExportToExcel(Handle(), rows, *fileName)) OpenExport(*fileName);
    }

    ReportServices& services_;
    ShellFileInfoCache fileInfo_;
    ReportTable table_;
    HWND list_ = nullptr;
    HIMAGELIST images_ = nullptr;           // owned by the list view
    std::map<int, int> imageOfSystemIcon_;  // the list's image of each icon of the system image list
    int missingImage_ = -1;                 // the list's image of a row whose target is gone
    ReportWeekBars weekBars_;
    bool exportingToExcel_ = false;
};

}  // namespace

void ShowReportWindow(HWND owner, ReportServices& services) { ReportWindow(services).Run(owner); }

}  // namespace tavrin
