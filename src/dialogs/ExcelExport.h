// The report written into an Excel workbook by Excel itself, through the
// automation server registered as "Excel.Application".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "storage/ButtonStore.h"

namespace tavrin {

// Adds a workbook, writes the column captions into its first row and the
// rows below them, and saves it as fileName, while the wait box stands over
// owner. Excel is told to quit whatever happens. False, and nothing done,
// when no server answers to the name; a call that fails throws
// AutomationError once Excel has been told to quit.
bool ExportToExcel(HWND owner, const std::vector<ReportRow>& rows, const std::string& fileName);

}  // namespace tavrin
