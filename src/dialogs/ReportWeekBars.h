// The week bars of the frequency report, drawn with GDI in the system's
// colours (so that a high-contrast scheme shows them too) at the window's
// scale: seven bars in a cell of each list row, drawn over the list's own
// drawing of that cell, and the chart of all rows shown above the list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "storage/ButtonStore.h"

namespace tavrin {

// The heights in pixels of the seven bars as drawn, Monday first.
using DrawnBars = std::array<int, 7>;

class ReportWeekBars {
public:
    // The rows shown changed: the bars scale to their largest day and mark
    // today (0 for Monday); what was drawn before is forgotten.
    void Show(const std::vector<ReportRow>& rows, int today);
    // The list's custom-draw notice; the result to return for it. The list's
    // rows are the rows in their order; column is the one of the bars.
    [[nodiscard]] LRESULT OnCustomDraw(HWND list, int column, const NMLVCUSTOMDRAW& draw,
                                       const std::vector<ReportRow>& rows, int dpi);
    // Draws the chart of the rows into the owner-drawn control.
    void PaintChart(const DRAWITEMSTRUCT& item, const std::vector<ReportRow>& rows, int dpi);
    // The heights drawn last in row index of the list, or in the chart for -1.
    [[nodiscard]] std::optional<DrawnBars> Drawn(int index) const;

private:
    int today_ = 0;
    std::int64_t largestDay_ = 0;
    std::map<int, DrawnBars> drawnRows_;
    std::optional<DrawnBars> drawnChart_;
};

}  // namespace tavrin
