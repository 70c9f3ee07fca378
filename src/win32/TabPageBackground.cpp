#include "win32/TabPageBackground.h"

#include <commctrl.h>

#include "win32/DcScopes.h"

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
    unique_hdc memory;
    {
        const WindowDc screen(tabs);
        memory.reset(CreateCompatibleDC(screen.Get()));
        picture_.reset(CreateCompatibleBitmap(screen.Get(), area.right, area.bottom));
    }
    {
        const SelectedObject picture(memory.get(), picture_.get());
        SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    brush_.reset(CreatePatternBrush(picture_.get()));
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

bool TabPageBackground::EraseParent(HDC dc) const {
    if (!brush_) return false;
    const HWND parent = GetParent(tabs_);
    RECT area{};
    GetClientRect(parent, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    RECT place{};
    GetWindowRect(tabs_, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    AlignBrush(dc, place.left, place.top);
    FillRect(dc, &place, brush_.get());
    return true;
}

}  // namespace tavrin
