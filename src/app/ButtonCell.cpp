#include "app/ButtonCell.h"

#include <windowsx.h>

#include <utility>

#include "app/GridGeometry.h"

namespace tavrin {

ButtonCell::ButtonCell(HWND parent, int left, int top, int tag, Listener listener)
    : tag_(tag), listener_(std::move(listener)) {
    ClassOptions options;
    options.background = nullptr;  // the cell paints all of itself
    Create(L"TavrinButtonCell", options, 0, L"", WS_CHILD | WS_VISIBLE, left, top, kCellSize, kCellSize, parent);
}

void ButtonCell::SetPicture(unique_hicon picture) {
    picture_ = std::move(picture);
    loader_ = nullptr;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ButtonCell::SetPictureLoader(std::function<unique_hicon()> loader) {
    picture_.reset();
    loader_ = std::move(loader);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ButtonCell::SetLook(Look look) {
    if (look_ == look) return;
    look_ = look;
    InvalidateRect(Handle(), nullptr, FALSE);
}

bool ButtonCell::OnFrame(LPARAM point) noexcept {
    const int x = GET_X_LPARAM(point);
    const int y = GET_Y_LPARAM(point);
    return x < 1 || y < 1 || x >= kCellSize - 1 || y >= kCellSize - 1;
}

void ButtonCell::Paint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(Handle(), &paint);
    RECT cell{0, 0, kCellSize, kCellSize};
    FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
    // The outer bevel, then the inner one inside it, as a panel draws them.
    const UINT outer = look_ == Look::Context ? BDR_SUNKENOUTER : BDR_RAISEDOUTER;
    DrawEdge(dc, &cell, outer, BF_RECT);
    if (look_ == Look::Pressed) {
        RECT inner{1, 1, kCellSize - 1, kCellSize - 1};
        DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT);
    }
    if (loader_) picture_ = std::exchange(loader_, nullptr)();
    if (picture_) DrawIconEx(dc, 1, 1, picture_.get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    EndPaint(Handle(), &paint);
}

LRESULT ButtonCell::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (cursor_ && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                tracking_ = TrackMouseEvent(&track) != FALSE;
                listener_(*this, Event::HintShown);
            }
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(Handle());
            leftDownOnFrame_ = OnFrame(lParam);
            leftDownOnPicture_ = !leftDownOnFrame_;
            if (leftDownOnPicture_) listener_(*this, Event::LeftDown);
            return 0;
        case WM_LBUTTONUP: {
            ReleaseCapture();
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const bool inside = point.x >= 0 && point.y >= 0 && point.x < kCellSize && point.y < kCellSize;
            const bool wasPicture = std::exchange(leftDownOnPicture_, false);
            const bool wasFrame = std::exchange(leftDownOnFrame_, false);
            if (wasPicture) listener_(*this, Event::MouseUp);
            if (inside && wasPicture && !OnFrame(lParam)) listener_(*this, Event::Click);
            if (inside && wasFrame && OnFrame(lParam)) listener_(*this, Event::FrameClick);
            return 0;
        }
        case WM_RBUTTONDOWN:
            if (!OnFrame(lParam)) listener_(*this, Event::RightDown);
            return 0;
        case WM_RBUTTONUP:
            if (!OnFrame(lParam)) listener_(*this, Event::MouseUp);
            break;  // the default handling turns it into WM_CONTEXTMENU
        case WM_CONTEXTMENU:
            listener_(*this, Event::ContextMenu);
            return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace tavrin
