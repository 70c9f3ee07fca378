#include "win32/TabPageBackground.h"

#include <commctrl.h>

namespace tavrin {
namespace {

// The brush's picture begins at (x, y) of the DC's logical space: the brush
// origin counts in device pixels, which a themed control may have moved.
void AlignBrush(HDC dc, int x, int y) {
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetBrushOrgEx(dc, origin.x + x, origin.y + y, nullptr);
}

}  // namespace

void TabPageBackground::Capture(HWND tabs) {
    tabs_ = tabs;
    RECT area{};
    GetClientRect(tabs, &area);
    const HDC screen = GetDC(tabs);
    const HDC memory = CreateCompatibleDC(screen);
    picture_.reset(CreateCompatibleBitmap(screen, area.right, area.bottom));
    ReleaseDC(tabs, screen);
    const HGDIOBJ previous = SelectObject(memory, picture_.get());
    SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(memory, previous);
    DeleteDC(memory);
    brush_.reset(CreatePatternBrush(static_cast<HBITMAP>(picture_.get())));
}

HBRUSH TabPageBackground::ForControl(HDC dc, HWND control) const {
    if (!brush_) return nullptr;
    RECT page{};
    GetClientRect(tabs_, &page);
    TabCtrl_AdjustRect(tabs_, FALSE, &page);
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, tabs_, reinterpret_cast<POINT*>(&place), 2);
    RECT common{};
    if (!IntersectRect(&common, &page, &place)) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    AlignBrush(dc, -place.left, -place.top);
    return brush_.get();
}

void TabPageBackground::EraseParent(HDC dc) const {
    const HWND parent = GetParent(tabs_);
    RECT area{};
    GetClientRect(parent, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (!brush_) return;
    RECT place{};
    GetWindowRect(tabs_, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    AlignBrush(dc, place.left, place.top);
    FillRect(dc, &place, brush_.get());
}

}  // namespace tavrin
