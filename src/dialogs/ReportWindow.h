// The frequency report: the counted launch buttons of all groups or of one,
// with their starts today, this week and in all and their share of all
// starts, sorted by any column, and exported as a CSV file or an Excel
// workbook. It changes no stored data.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "storage/ButtonStore.h"
#include "storage/Clock.h"
#include "storage/Shell.h"
#include "win32/Win32FileDialogs.h"
#include "xml/FileSystem.h"

namespace tavrin {

// The identifiers of the report's controls and of its list's menu entries.
enum ReportControl : int {
    kReportPage = 100,
    kReportGroupLabel,
    kReportGroups,
    kReportExportCsv,
    kReportExportExcel,
    kReportList,
    kReportChart,
    kReportExportPicture,
    kReportCopyPath = 200,
    kReportOpenInExplorer,
};

// Asks the shown report for the heights of the week bars it drew last, for
// tests: wParam is the list row, or -1 for the chart above the list; lParam
// points to the DrawnBars to fill. Returns TRUE when they were drawn.
inline constexpr UINT kReportDrawnBarsMessage = WM_APP + 40;

struct ReportServices {
    ButtonStore& buttons;
    std::vector<std::string> groupNames;  // name of group n at position n - 1
    IShell& shell;
    IFileSystem& fs;
    IClock& clock;
    std::string programFolder;  // where the save dialogs open
    // The save dialog of the exports; tests answer it themselves.
    std::function<std::optional<std::string>(HWND owner, const SaveFileChoice& choice)> chooseSaveFile =
        ChooseSaveFileName;
};

// Shows the report modally over owner until it is closed.
void ShowReportWindow(HWND owner, ReportServices& services);

}  // namespace tavrin
