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

// The size of the chart at 96 DPI.
inline constexpr SIZE kReportChartSize{308, 96};

// Draws the bars of counts into the cell of a row, scaled to largest, with
// today's bar in the highlight colour and a line under it; on a selected row
// everything in the colour of selected text.
DrawnBars PaintRowBars(HDC dc, const RECT& cell, const DayCounts& counts, std::int64_t largest, int today,
                       bool selected, int dpi);
// Draws the chart of the starts of each day in area on the dialog's face: the
// week's total as its title, then a bar per day scaled to the largest day,
// with its count above and the day's name below, today's bar and name marked.
DrawnBars PaintWeekChart(HDC dc, const RECT& area, const DayCounts& sums, int today, HFONT font, int dpi);

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
    [[nodiscard]] int Today() const noexcept { return today_; }
    [[nodiscard]] std::int64_t LargestDay() const noexcept { return largestDay_; }

private:
    int today_ = 0;
    std::int64_t largestDay_ = 0;
    std::map<int, DrawnBars> drawnRows_;
    std::optional<DrawnBars> drawnChart_;
};

}  // namespace tavrin
