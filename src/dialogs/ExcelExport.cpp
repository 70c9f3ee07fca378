#include "dialogs/ExcelExport.h"

#include "dialogs/WaitBox.h"
#include "rules/FrequencyReport.h"
#include "win32/Automation.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// The calls, their names (spelled as Excel's scripts know them) and their
// order. Cells are numbered from 1.
void WriteWorkbook(const AutomationObject& excel, const std::vector<ReportRow>& rows, const std::string& fileName,
                   ShownWaitBox& waitBox, HWND owner) {
    excel.Put(L"visible", false);
    waitBox = ShowWaitBox(owner);
    excel.Get(L"WorkBooks").Call(L"Add");
    for (int column = 1; column <= static_cast<int>(kReportColumns.size()); ++column) {
        excel.Get(L"Cells", {1, column}).Put(L"Value", Widen(kReportColumns[column - 1].caption));
    }
    int sheetRow = 2;
    for (const ReportRow& row : rows) {
        for (int column = 1; column <= static_cast<int>(kReportColumns.size()); ++column) {
            excel.Get(L"cells", {sheetRow, column}).Put(L"value", Widen(kReportColumns[column - 1].text(row)));
        }
        ++sheetRow;
    }
    ShowWindow(WaitBoxWindow(waitBox), SW_HIDE);
    excel.Get(L"ActiveWorkBook").Call(L"SaveAs", {Widen(fileName)});
}

}  // namespace

bool ExportToExcel(HWND owner, const std::vector<ReportRow>& rows, const std::string& fileName) {
    const std::optional<AutomationObject> excel = AutomationObject::Create(L"Excel.Application");
    if (!excel) return false;
    ShownWaitBox waitBox;
    try {
        WriteWorkbook(*excel, rows, fileName, waitBox, owner);
    } catch (...) {
        waitBox.reset();
        // The first failure is the one to report; a quit that fails as well adds nothing.
        try {
            excel->Call(L"quit");
        } catch (const AutomationError&) {
        }
        throw;
    }
    waitBox.reset();
    excel->Call(L"quit");
    return true;
}

}  // namespace tavrin
