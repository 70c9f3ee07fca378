#include "dialogs/ReportWeekBars.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "rules/Scale.h"
#include "rules/WeekBars.h"
#include "win32/DcScopes.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

void Fill(HDC dc, const RECT& rect, int colour) { FillRect(dc, &rect, GetSysColorBrush(colour)); }

// The part of area that day (0 to 6) takes: seven equal slots side by side.
RECT DaySlotRect(const RECT& area, int day) {
    const int width = area.right - area.left;
    return {area.left + day * width / 7, area.top, area.left + (day + 1) * width / 7, area.bottom};
}

// Bars standing on the bottom of area, a gap between them, and a line of
// `mark` pixels under today's slot below them.
DrawnBars PaintBars(HDC dc, const RECT& area, const DayCounts& counts, std::int64_t largest, int today, int gap,
                    int mark, int barColour, int todayColour) {
    const int baseline = area.bottom - 2 * mark;
    const DrawnBars heights = BarHeights(counts, largest, baseline - area.top);
    for (int day = 0; day < 7; ++day) {
        const RECT slot = DaySlotRect(area, day);
        const LONG right = std::max<LONG>(slot.left + 1, slot.right - gap);
        Fill(dc, {slot.left, baseline - heights[static_cast<std::size_t>(day)], right, baseline},
             day == today ? todayColour : barColour);
        if (day == today) Fill(dc, {slot.left, area.bottom - mark, right, area.bottom}, todayColour);
    }
    return heights;
}

void DrawCentred(HDC dc, const std::string& text, RECT rect, int colour) {
    SetTextColor(dc, GetSysColor(colour));
    std::wstring wide = Widen(text);
    DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &rect,
              DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

DrawnBars PaintRowBars(HDC dc, const RECT& cell, const DayCounts& counts, std::int64_t largest, int today,
                       bool selected, int dpi) {
    const RECT area{cell.left + Scaled(4, dpi), cell.top + Scaled(2, dpi), cell.right - Scaled(4, dpi),
                    cell.bottom - Scaled(1, dpi)};
    if (area.right - area.left < 7 || area.bottom - area.top < 4) return {};
    return PaintBars(dc, area, counts, largest, today, Scaled(1, dpi), std::max(1, Scaled(1, dpi)),
                     selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT, selected ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT);
}

DrawnBars PaintWeekChart(HDC dc, const RECT& area, const DayCounts& sums, int today, HFONT font, int dpi) {
    Fill(dc, area, COLOR_BTNFACE);
    const SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int line = metrics.tmHeight;
    const std::int64_t total = std::accumulate(sums.begin(), sums.end(), std::int64_t{0});
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    std::wstring title = Widen(WeekTotalText(total));
    RECT titleRect{area.left, area.top, area.right, area.top + line};
    DrawTextW(dc, title.data(), static_cast<int>(title.size()), &titleRect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);

    // Below the title: the counts, the bars and the day names.
    const RECT bars{area.left, area.top + 2 * line + Scaled(2, dpi), area.right, area.bottom - line};
    if (bars.bottom - bars.top < 4) return {};
    const std::int64_t largest = *std::max_element(sums.begin(), sums.end());
    const DrawnBars heights =
        PaintBars(dc, bars, sums, largest, today, Scaled(6, dpi), Scaled(2, dpi), COLOR_GRAYTEXT, COLOR_HIGHLIGHT);
    for (int day = 0; day < 7; ++day) {
        const RECT slot = DaySlotRect(bars, day);
        const int top = bars.bottom - 2 * Scaled(2, dpi) - heights[static_cast<std::size_t>(day)];
        const int colour = day == today ? COLOR_HIGHLIGHT : COLOR_BTNTEXT;
        DrawCentred(dc, std::to_string(sums[static_cast<std::size_t>(day)]),
                    {slot.left, top - line, slot.right - Scaled(6, dpi), top}, colour);
        DrawCentred(dc, DayName(day), {slot.left, bars.bottom, slot.right - Scaled(6, dpi), area.bottom}, colour);
    }
    return heights;
}

void ReportWeekBars::Show(const std::vector<ReportRow>& rows, int today) {
    today_ = today;
    largestDay_ = LargestDayCount(rows);
    drawnRows_.clear();
    drawnChart_.reset();
}

LRESULT ReportWeekBars::OnCustomDraw(HWND list, int column, const NMLVCUSTOMDRAW& draw,
                                     const std::vector<ReportRow>& rows, int dpi) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            return draw.iSubItem == column ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
        case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
            break;
        default:
            return CDRF_DODEFAULT;
    }
    const int index = static_cast<int>(draw.nmcd.dwItemSpec);
    RECT cell{};
    if (draw.iSubItem != column || index < 0 || index >= static_cast<int>(rows.size()) ||
        !ListView_GetSubItemRect(list, index, column, LVIR_BOUNDS, &cell)) {
        return CDRF_DODEFAULT;
    }
    // A selected row is drawn in the selection colour while the list has the focus.
    const bool selected = GetFocus() == list && (ListView_GetItemState(list, index, LVIS_SELECTED) & LVIS_SELECTED);
    drawnRows_[index] = PaintRowBars(draw.nmcd.hdc, cell, rows[static_cast<std::size_t>(index)].days, largestDay_,
                                     today_, selected, dpi);
    return CDRF_DODEFAULT;
}

void ReportWeekBars::PaintChart(const DRAWITEMSTRUCT& item, const std::vector<ReportRow>& rows, int dpi) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    drawnChart_ = PaintWeekChart(item.hDC, item.rcItem, SumOfDays(rows), today_, font, dpi);
}

std::optional<DrawnBars> ReportWeekBars::Drawn(int index) const {
    if (index < 0) return drawnChart_;
    const auto found = drawnRows_.find(index);
    return found == drawnRows_.end() ? std::nullopt : std::optional<DrawnBars>(found->second);
}

}  // namespace tavrin
