// The report as a picture: the chart of the week over the rows that the list
// shows, drawn afresh from the rows (not copied from the screen, so that
// windows over the report do not show in it) and saved as a PNG file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/ReportWeekBars.h"

namespace tavrin {

// The PNG file's bytes: the chart, then a line of column captions and the rows
// from the list's first visible one for as many as it shows, each column at
// the list's width, the week bars drawn as in the list, in font at dpi.
[[nodiscard]] std::string ReportPicturePng(HWND list, const std::vector<ReportRow>& rows, const ReportWeekBars& bars,
                                           HFONT font, int dpi);

}  // namespace tavrin
