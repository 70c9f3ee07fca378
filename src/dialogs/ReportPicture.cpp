#include "dialogs/ReportPicture.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "rules/FrequencyReport.h"
#include "rules/Scale.h"
#include "rules/WeekBars.h"
#include "win32/DcScopes.h"
#include "win32/ErrorDisplay.h"
#include "win32/PngEncoder.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// A text left in its cell, cut with an ellipsis where it is too long.
void DrawCellText(HDC dc, const std::string& text, RECT cell, int padding, int colour) {
    cell.left += padding;
    cell.right -= padding;
    SetTextColor(dc, GetSysColor(colour));
    std::wstring wide = Widen(text);
    DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &cell,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The bitmap's pixels as blue, green and red bytes, top row first.
std::vector<std::uint8_t> BgrPixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> bgrx(static_cast<std::size_t>(width) * height * 4);
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bgrx.data(), &info, DIB_RGB_COLORS) != height) {
        ThrowLastError("GetDIBits");
    }
    std::vector<std::uint8_t> bgr;
    bgr.reserve(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t pixel = 0; pixel < bgrx.size(); pixel += 4) bgr.insert(bgr.end(), &bgrx[pixel], &bgrx[pixel + 3]);
    return bgr;
}

}  // namespace

std::string ReportPicturePng(HWND list, const std::vector<ReportRow>& rows, const ReportWeekBars& bars, HFONT font,
                             int dpi) {
    std::array<int, kReportListColumnCount> widths{};
    int width = 0;
    for (int column = 0; column < kReportListColumnCount; ++column) {
        widths[static_cast<std::size_t>(column)] = ListView_GetColumnWidth(list, column);
        width += widths[static_cast<std::size_t>(column)];
    }
    const int first = std::min(ListView_GetTopIndex(list), static_cast<int>(rows.size()));
    const int shown = std::min(ListView_GetCountPerPage(list) + 1, static_cast<int>(rows.size()) - first);

    const WindowDc screen(nullptr);
    const unique_hdc memory(CreateCompatibleDC(screen.Get()));
    const SelectedObject selectedFont(memory.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(memory.get(), &metrics);
    const int margin = Scaled(8, dpi);
    const int line = metrics.tmHeight + Scaled(4, dpi);
    const RECT chart{margin, margin, margin + Scaled(kReportChartSize.cx, dpi),
                     margin + Scaled(kReportChartSize.cy, dpi)};
    const int tableTop = chart.bottom + margin;
    width = std::max<int>(width, chart.right + margin);
    const int height = tableTop + line * (1 + shown);

    const unique_hbitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!bitmap) ThrowLastError("CreateCompatibleBitmap");
    {
        const SelectedObject selectedBitmap(memory.get(), bitmap.get());
        const RECT face{0, 0, width, tableTop + line};
        const RECT table{0, tableTop + line, width, height};
        FillRect(memory.get(), &face, GetSysColorBrush(COLOR_BTNFACE));
        FillRect(memory.get(), &table, GetSysColorBrush(COLOR_WINDOW));
        PaintWeekChart(memory.get(), chart, SumOfDays(rows), bars.Today(), font, dpi);
        SetBkMode(memory.get(), TRANSPARENT);
        int left = 0;
        for (int column = 0; column < kReportListColumnCount; ++column) {
            const int right = left + widths[static_cast<std::size_t>(column)];
            DrawCellText(memory.get(), kReportListColumns[column].caption, {left, tableTop, right, tableTop + line},
                         Scaled(4, dpi), COLOR_BTNTEXT);
            for (int k = 0; k < shown; ++k) {
                const ReportRow& row = rows[static_cast<std::size_t>(first + k)];
                const RECT cell{left, tableTop + line * (k + 1), right, tableTop + line * (k + 2)};
                if (column == kReportWeekBarsColumn) {
                    PaintRowBars(memory.get(), cell, row.days, bars.LargestDay(), bars.Today(), false, dpi);
                } else {
                    DrawCellText(memory.get(), kReportListColumns[column].text(row), cell, Scaled(4, dpi),
                                 COLOR_WINDOWTEXT);
                }
            }
            left = right;
        }
    }
    return EncodePng(width, height, BgrPixels(memory.get(), bitmap.get(), width, height));
}

}  // namespace tavrin
