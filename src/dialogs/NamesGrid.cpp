#include "dialogs/NamesGrid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "win32/DcScopes.h"
#include "win32/PaintScope.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

constexpr int kFirstCellId = 100;
constexpr UINT_PTR kCellSubclass = 1;

}  // namespace

NamesGrid::NamesGrid(HWND parent, const RECT& place, int id, HFONT font, Metrics metrics)
    : font_(font), metrics_(metrics) {
    Create(L"TavrinNamesGrid", {.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
           {.exStyle = WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT,
            .style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN,
            .place = place,
            .parent = parent});
    SetWindowLongPtrW(Handle(), GWLP_ID, id);
}

void NamesGrid::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    while (RowCount() > rows) {
        DestroyWindow(rows_.back().cell);
        DestroyWindow(rows_.back().label);
        rows_.pop_back();
    }
    // The standard accessible object of an edit is named by the static control
    // just before it among its siblings, also when that one is hidden; children
    // are added at the end of that order, so the label goes first.
    while (RowCount() < rows) {
        const std::wstring labelText = L"Tab name " + std::to_wstring(RowCount());
        const HWND label = CreateWindowExW(0, L"STATIC", labelText.c_str(), WS_CHILD, 0, 0, 0, 0, Handle(), nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
        if (!label) ThrowLastError("CreateWindowExW");
        const HWND cell = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0,
                                          0, Handle(), reinterpret_cast<HMENU>(INT_PTR{kFirstCellId + RowCount()}),
                                          GetModuleHandleW(nullptr), nullptr);
        if (!cell) {
            DestroyWindow(label);
            ThrowLastError("CreateWindowExW");
        }
        SendMessageW(cell, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        SetWindowSubclass(cell, CellProc, kCellSubclass, reinterpret_cast<DWORD_PTR>(this));
        rows_.push_back({label, cell});
    }
    topRow_ = std::clamp(topRow_, 0, std::max(0, RowCount() - VisibleRows()));
    UpdateScrollBar();
    PlaceCells();
    InvalidateRect(Handle(), nullptr, TRUE);
}

std::string NamesGrid::Name(int row) const {
    const HWND cell = Cell(row);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(cell)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(cell, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void NamesGrid::SetName(int row, const std::string& name) { SetWindowTextW(Cell(row), Widen(name).c_str()); }

int NamesGrid::VisibleRows() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return std::max(1, static_cast<int>(client.bottom) / metrics_.rowHeight);
}

int NamesGrid::RowOfCell(HWND cell) const {
    const auto found = std::find_if(rows_.begin(), rows_.end(), [cell](const Row& row) { return row.cell == cell; });
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

// All rows fit: Windows hides the bar.
void NamesGrid::UpdateScrollBar() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, RowCount() - 1);
    info.nPage = static_cast<UINT>(VisibleRows());
    info.nPos = topRow_;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

// Each edit is as high as its text and sits in the middle of its cell; the
// rest of the cell is painted by the grid.
void NamesGrid::PlaceCells() {
    RECT client{};
    GetClientRect(Handle(), &client);
    TEXTMETRICW metrics{};
    {
        const WindowDc dc(Handle());
        const SelectedObject font(dc.Get(), font_);
        GetTextMetricsW(dc.Get(), &metrics);
    }
    const int height = std::min<int>(metrics.tmHeight + 2, metrics_.rowHeight - 1);
    const int left = metrics_.numberWidth + 1 + metrics_.textMargin;
    const int width = std::max<int>(0, client.right - left - metrics_.textMargin);
    for (int row = 0; row < RowCount(); ++row) {
        const int top = (row - topRow_) * metrics_.rowHeight + (metrics_.rowHeight - 1 - height) / 2;
        SetWindowPos(Cell(row), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void NamesGrid::ScrollTo(int topRow) {
    topRow = std::clamp(topRow, 0, std::max(0, RowCount() - VisibleRows()));
    if (topRow == topRow_) return;
    topRow_ = topRow;
    UpdateScrollBar();
    PlaceCells();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void NamesGrid::ScrollIntoView(int row) {
    if (row < topRow_) {
        ScrollTo(row);
    } else if (row >= topRow_ + VisibleRows()) {
        ScrollTo(row - VisibleRows() + 1);
    }
}

// Through the dialog, which keeps its default button right and selects the text.
void NamesGrid::FocusCell(int row) {
    if (row < 0 || row >= RowCount()) return;
    SendMessageW(GetAncestor(Handle(), GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Cell(row)), TRUE);
}

// The fixed column in the colour of buttons with the row numbers, grid lines
// under every row and beside the fixed column, white name cells.
void NamesGrid::Paint() {
    const PaintScope paint(Handle());
    const HDC dc = paint.Dc();
    RECT client{};
    GetClientRect(Handle(), &client);
    const SelectedObject font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const HBRUSH line = GetSysColorBrush(COLOR_BTNSHADOW);
    const int rowHeight = metrics_.rowHeight;
    for (int row = topRow_; row < RowCount(); ++row) {
        const int top = (row - topRow_) * rowHeight;
        if (top >= client.bottom) break;
        RECT fixed{0, top, metrics_.numberWidth, top + rowHeight - 1};
        FillRect(dc, &fixed, GetSysColorBrush(COLOR_BTNFACE));
        std::wstring number = std::to_wstring(row);
        DrawTextW(dc, number.data(), static_cast<int>(number.size()), &fixed,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        const RECT under{0, top + rowHeight - 1, client.right, top + rowHeight};
        FillRect(dc, &under, line);
    }
    const int rowsShown = std::min(RowCount() - topRow_, static_cast<int>(client.bottom) / rowHeight + 1);
    const RECT beside{metrics_.numberWidth, 0, metrics_.numberWidth + 1, std::max(0, rowsShown) * rowHeight};
    FillRect(dc, &beside, line);
}

LRESULT NamesGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            UpdateScrollBar();
            PlaceCells();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_SETFOCUS) ScrollIntoView(RowOfCell(reinterpret_cast<HWND>(lParam)));
            return 0;
        case WM_LBUTTONDOWN:
            // Beside the text of a name cell, or on its number: the cell takes the focus.
            FocusCell(topRow_ + GET_Y_LPARAM(lParam) / metrics_.rowHeight);
            return 0;
        case WM_SETFOCUS:
            FocusCell(topRow_);
            return 0;
        case WM_VSCROLL: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_ALL;
            GetScrollInfo(Handle(), SB_VERT, &info);
            switch (LOWORD(wParam)) {
                case SB_LINEUP:
                    ScrollTo(topRow_ - 1);
                    break;
                case SB_LINEDOWN:
                    ScrollTo(topRow_ + 1);
                    break;
                case SB_PAGEUP:
                    ScrollTo(topRow_ - VisibleRows());
                    break;
                case SB_PAGEDOWN:
                    ScrollTo(topRow_ + VisibleRows());
                    break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION:
                    ScrollTo(info.nTrackPos);
                    break;
                case SB_TOP:
                    ScrollTo(0);
                    break;
                case SB_BOTTOM:
                    ScrollTo(RowCount());
                    break;
                default:
                    break;
            }
            return 0;
        }
        case WM_MOUSEWHEEL:
            // A row a notch; the cells pass the wheel on to the grid.
            wheelDelta_ += GET_WHEEL_DELTA_WPARAM(wParam);
            while (wheelDelta_ >= WHEEL_DELTA) {
                wheelDelta_ -= WHEEL_DELTA;
                ScrollTo(topRow_ - 1);
            }
            while (wheelDelta_ <= -WHEEL_DELTA) {
                wheelDelta_ += WHEEL_DELTA;
                ScrollTo(topRow_ + 1);
            }
            return 0;
        default:
            return DefaultProc(message, wParam, lParam);
    }
}

// Up and Down move to the name cell above and below, as in a grid.
LRESULT CALLBACK NamesGrid::CellProc(HWND cell, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR grid) noexcept {
    auto* self = reinterpret_cast<NamesGrid*>(grid);
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        self->FocusCell(self->RowOfCell(cell) + (wParam == VK_UP ? -1 : 1));
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(cell, CellProc, kCellSubclass);
    return DefSubclassProc(cell, message, wParam, lParam);
}

}  // namespace tavrin
